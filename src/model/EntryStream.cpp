#include "model/EntryStream.h"

#include "model/EntrySource.h"
#include "model/FileMapping.h"
#include "model/ModelErrors.h"
#include "platform/TextCodec.h"

#include <QIODevice>
#include <QtEndian>

namespace {

// Large enough that refilling costs little, small enough to stay in the processor's cache.
constexpr qint64 WindowBytes = 64 * 1024;
// Views copy nothing, so they can be larger; small enough that a large file is not all mapped
// (and counted in the process's memory) at once.
constexpr qint64 ViewBytes = 4 * 1024 * 1024;
// What a writer with a sink holds before passing it on.
constexpr qsizetype FlushBytes = 1024 * 1024;

} // namespace

TEntryReader::TEntryReader(QByteArray data, qsizetype position)
    : TEntryReader(std::make_shared<TMemoryEntrySource>(std::move(data)), position)
{
}

TEntryReader::TEntryReader(std::shared_ptr<const TEntrySource> source, qint64 position)
    : m_Source(std::move(source))
    , m_Size(m_Source->Size())
    , m_Position(position)
{
    if (const char* data = m_Source->Data()) {
        m_Window = data;
        m_WindowSize = m_Size;
    }
}

TEntryReader::~TEntryReader() = default;

void TEntryReader::FillWindow(qint64 size)
{
    if (ViewWindow(size))
        return;
    const qint64 length = std::min(std::max(size, WindowBytes), Remaining());
    m_Buffer.resize(static_cast<std::size_t>(length));
    if (!m_Source->ReadAt(m_Position, m_Buffer.data(), length))
        throw EEntryFileError(QStringLiteral("the file could not be read, or changed while it was read"));
    m_Window = m_Buffer.data();
    m_WindowStart = m_Position;
    m_WindowSize = length;
}

bool TEntryReader::ViewWindow(qint64 size)
{
    EndView();
    const qint64 length = std::min(std::max(size, ViewBytes), Remaining());
    m_View = m_Source->View(m_Position, length);
    if (!m_View)
        return false;
    m_Window = m_View->Data();
    m_WindowStart = m_Position;
    m_WindowSize = length;
    return true;
}

void TEntryReader::EndView()
{
    if (m_View && !m_View->Intact())
        m_ViewCutShort = true;
    m_View.reset();
    m_Window = nullptr;
    m_WindowSize = 0;
}

bool TEntryReader::Intact() const
{
    return !m_ViewCutShort && (!m_View || m_View->Intact());
}

const char* TEntryReader::TakeBeyondWindow(qint64 size, const char* what)
{
    if (size < 0 || size > Remaining())
        throw EEntryFileError(QStringLiteral("the file ends inside the %1").arg(QLatin1String(what)));
    FillWindow(size);
    const char* bytes = m_Window;
    m_Position += size;
    return bytes;
}

QString TEntryReader::ReadString()
{
    const qint32 length = ReadInt();
    if (length < 0)
        throw EEntryFileError(QStringLiteral("a text has the negative length %1").arg(length));
    if (length > Remaining())
        throw EEntryFileError(QStringLiteral("a text of %1 bytes is longer than the rest of the file").arg(length));
    return DecodeAnsiText(QByteArrayView(Take(length, "text"), length));
}

void TEntryReader::ReadInts(qint32 count, std::vector<qint32>& days)
{
    if (count <= 0)
        return;
    AppendDays(Take(static_cast<qint64>(count) * 4, "occurrence days"), count, days);
}

TDayBlock TEntryReader::SkipDays(qint32 count)
{
    if (count < 2 || static_cast<qint64>(count) > Remaining() / 4)
        throw EEntryFileError(QStringLiteral("the file ends inside the occurrence days"));
    TDayBlock block;
    block.Offset = m_Position;
    block.Count = count;
    block.First = ReadInt();
    m_Position = block.Offset + 4 * static_cast<qint64>(count - 2);
    block.BeforeLast = ReadInt();
    block.Last = ReadInt();
    return block;
}

qint32 TEntryReader::ReadCount(qsizetype recordSize, const char* what)
{
    const qint32 count = ReadInt();
    if (count <= 0)
        return 0;
    if (static_cast<qsizetype>(count) > Remaining() / recordSize)
        throw EEntryFileError(
            QStringLiteral("%1 %2 cannot fit in the rest of the file").arg(count).arg(QLatin1String(what)));
    return count;
}

TEntryWriter::TEntryWriter(QIODevice* sink)
    : m_Sink(sink)
{
    m_Data.reserve(FlushBytes);
}

void TEntryWriter::WriteByte(quint8 value)
{
    m_Data.append(static_cast<char>(value));
    Written();
}

void TEntryWriter::WriteWord(quint16 value)
{
    qToLittleEndian(value, Extend(2));
    Written();
}

void TEntryWriter::WriteInt(qint32 value)
{
    qToLittleEndian(value, Extend(4));
    Written();
}

void TEntryWriter::WriteInts(const qint32* values, qsizetype count)
{
    if (count <= 0)
        return; // an empty vector's data may be null, which the copy must not be given
    qToLittleEndian<qint32>(values, count, Extend(count * 4));
    Written();
}

void TEntryWriter::WriteString(const QString& text)
{
    const QByteArray bytes = EncodeAnsiText(text);
    WriteInt(static_cast<qint32>(bytes.size()));
    WriteBytes(bytes);
}

void TEntryWriter::WriteBytes(const QByteArray& bytes)
{
    m_Data.append(bytes);
    Written();
}

char* TEntryWriter::Extend(qsizetype size)
{
    // Passed on before, not after: the caller fills the room, and may take it back.
    if (m_Sink && m_Data.size() + size > FlushBytes)
        Flush();
    const qsizetype at = m_Data.size();
    m_Data.resize(at + size);
    return m_Data.data() + at;
}

void TEntryWriter::Retract(qsizetype size)
{
    m_Data.chop(size);
}

bool TEntryWriter::Finish()
{
    if (m_Sink)
        Flush();
    return !m_Failed;
}

void TEntryWriter::Written()
{
    if (m_Sink && m_Data.size() >= FlushBytes)
        Flush();
}

void TEntryWriter::Flush()
{
    if (!m_Failed && m_Sink->write(m_Data) != m_Data.size())
        m_Failed = true;
    m_Data.resize(0); // keeps the room for the next piece
}
