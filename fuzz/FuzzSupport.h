#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdint>
#include <cstdlib>

// A file of the fuzzer's own in the temporary folder, removed when the process ends.
class TFuzzFile {
public:
    explicit TFuzzFile(const char* name)
        : m_Path(Folder().filePath(
              QStringLiteral("%1-%2").arg(QCoreApplication::applicationPid()).arg(QLatin1String(name))))
    {
    }
    ~TFuzzFile() { QFile::remove(m_Path); }
    TFuzzFile(const TFuzzFile&) = delete;
    TFuzzFile& operator=(const TFuzzFile&) = delete;

    const QString& Path() const { return m_Path; }

    void Write(const QByteArray& content) const
    {
        QFile file(m_Path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size())
            std::abort();
    }

private:
    // Memory-backed when the system has such a folder: the targets write a file per input.
    static QDir Folder()
    {
        const QDir shared(QStringLiteral("/dev/shm"));
        return shared.exists() ? shared : QDir::temp();
    }

    QString m_Path;
};

inline QByteArray FuzzBytes(const std::uint8_t* data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}
