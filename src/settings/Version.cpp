#include "settings/Version.h"

#include "platform/VersionRecord.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <span>

TVersion::TVersion(const QString& fileName)
{
    QFile file(fileName);
    if (!QFileInfo(fileName).isFile() || !file.open(QIODevice::ReadOnly) || file.size() == 0)
        return;
    const uchar* mapped = file.map(0, file.size());
    if (!mapped)
        return;
    const auto bytes = std::span(reinterpret_cast<const std::byte*>(mapped), static_cast<std::size_t>(file.size()));
    if (const auto number = FindVersionRecord(bytes)) {
        m_Number = *number;
        m_Valid = true;
    }
    file.unmap(const_cast<uchar*>(mapped));
}

QString TVersion::Text(TVersionParts parts) const
{
    if (!m_Valid)
        return QStringLiteral("?.?.?.?");
    QStringList texts;
    for (std::size_t i = 0; i < m_Number.size(); ++i)
        if (parts & (1u << i))
            texts.append(QString::number(m_Number[i]));
    return texts.join(u'.');
}

QString TVersion::RunningExecutablePath()
{
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}
