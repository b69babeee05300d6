#include "support/NLSFile.h"

#include "platform/TextCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr qsizetype MaxLineBytes = 64 * 1024;
constexpr QByteArrayView Utf8ByteOrderMark("\xEF\xBB\xBF");

enum class TLineRead { Line, TooLong, End };

// Reads one line without its line break, in chunks, so that a file without line breaks
// never ends up in memory as a whole.
TLineRead ReadLine(QIODevice& device, QByteArray& line)
{
    line.clear();
    bool anyData = false;
    bool tooLong = false;
    // A small buffer of its own: readLine(maxSize) would allocate maxSize bytes for every line.
    char chunk[4096];
    for (;;) {
        const qint64 size = device.readLine(chunk, sizeof chunk);
        if (size <= 0)
            break; // the end of the file, or a read error
        anyData = true;
        if (!tooLong && line.size() + size <= MaxLineBytes + 2)
            line.append(chunk, size);
        else
            tooLong = true;
        if (chunk[size - 1] == '\n')
            break;
    }
    if (!anyData)
        return TLineRead::End;
    if (tooLong)
        return TLineRead::TooLong;
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return TLineRead::Line;
}

TIOResult OpenFile(const QString& fileName, QFile& file)
{
    const QFileInfo info(ResolveNLSFileName(fileName));
    if (!info.exists())
        return ioFileNotFound;
    if (!info.isFile())
        return ioAccessDenied;
    file.setFileName(info.filePath());
    return file.open(QIODevice::ReadOnly) ? ioSuccess : ioAccessDenied;
}

} // namespace

QString ProgramDirectory()
{
    const QFileInfo executable(QStringLiteral("/proc/self/exe"));
    return QFileInfo(executable.canonicalFilePath()).absolutePath();
}

QString ShippedFilesDirectory()
{
    const QString program = ProgramDirectory();
    const QDir installed(program + QStringLiteral("/../share/vemora/lang"));
    const QStringList pattern{QStringLiteral("*.nls")};
    if (QDir(program).entryList(pattern, QDir::Files).isEmpty() && !installed.entryList(pattern, QDir::Files).isEmpty())
        return installed.canonicalPath();
    return program;
}

QString ResolveNLSFileName(const QString& fileName)
{
    if (QFileInfo::exists(fileName) || !QDir::isRelativePath(fileName))
        return fileName;
    return QDir(ShippedFilesDirectory()).filePath(fileName);
}

TIOResult ForEachNLSLine(const QString& fileName,
                         const std::function<bool(const TNLSLine&)>& visit)
{
    QFile file;
    if (const TIOResult opened = OpenFile(fileName, file); opened != ioSuccess)
        return opened;
    QByteArray bytes;
    bool firstLine = true;
    for (TLineRead read; (read = ReadLine(file, bytes)) != TLineRead::End; firstLine = false) {
        if (read == TLineRead::TooLong)
            continue;
        if (firstLine && bytes.startsWith(Utf8ByteOrderMark))
            bytes.remove(0, Utf8ByteOrderMark.size());
        const std::optional<TNLSLine> line = SplitNLSLine(DecodeAnsiText(bytes));
        if (line && !visit(*line))
            return ioSuccess;
    }
    return file.error() == QFileDevice::NoError ? ioSuccess : ioReadError;
}
