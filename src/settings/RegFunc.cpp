#include "settings/RegFunc.h"

#include "settings/Version.h"

bool TCustomRegistry::ReadValue(const QString& name, QVariant& target, int valueTypeCode)
{
    if (!ValueExists(name))
        return false;
    try {
        switch (valueTypeCode) {
        case vtSmallint:
            target = static_cast<qint16>(ReadInteger(name));
            break;
        case vtInteger:
            target = ReadInteger(name);
            break;
        case vtSingle:
            target = static_cast<float>(ReadFloat(name));
            break;
        case vtDouble:
        case vtDate:
            target = ReadFloat(name);
            break;
        case vtCurrency:
            target = ReadCurrency(name);
            break;
        case vtBoolean:
            target = ReadBool(name);
            break;
        case vtByte:
            target = static_cast<quint8>(ReadInteger(name));
            break;
        case vtString:
            target = ReadString(name);
            break;
        default:
            break; // nothing to read for other codes, yet the value exists
        }
    } catch (const ERegistryException&) {
        return false;
    }
    return true;
}

TApplicationReg::TApplicationReg(const QString& appName, const QString& versionText)
    : m_VersionText(versionText)
    , m_AppName(appName)
{
}

void TApplicationReg::SetAppName(const QString& name)
{
    if (name != m_AppName)
        m_AppName = name;
}

const QString& TApplicationReg::VersionText()
{
    if (m_VersionText.isEmpty())
        m_VersionText = TVersion(TVersion::RunningExecutablePath()).Text(vpMajor | vpMinor);
    return m_VersionText;
}

const QString& TApplicationReg::VersionPath()
{
    if (m_VersionPath.isEmpty())
        m_VersionPath = QString(VersionText()).replace(u'.', u'\\');
    return m_VersionPath;
}

QString TApplicationReg::RootPath()
{
    return QStringLiteral("\\Software\\Orvalin\\") + m_AppName + u'\\' + VersionPath();
}

bool TApplicationReg::OpenAppKey(int root, const QString& subKey, bool write)
{
    CloseKey();
    SetRootKey(HKEY_CLASSES_ROOT + static_cast<HKEY>(root));
    const QString path = CombineKeyPath(RootPath(), subKey);
    return write ? OpenKey(path, true) : OpenKeyReadOnly(path);
}

bool TApplicationReg::DeleteAppKey()
{
    CloseKey();
    SetRootKey(HKEY_CURRENT_USER);
    QString path = RootPath();
    const bool deleted = DeleteKey(path);
    while (deleted) {
        path = ParentKeyPath(path);
        if (path.isEmpty() || !OpenKeyReadOnly(path))
            break;
        const bool empty = GetKeyNames().isEmpty() && GetValueNames().isEmpty();
        CloseKey();
        if (!empty || !DeleteKey(path))
            break;
    }
    CloseKey();
    return deleted;
}

QString GetMediaPath()
{
    TRegistry registry(HKEY_LOCAL_MACHINE);
    if (!registry.OpenKeyReadOnly(QStringLiteral("\\Software\\Microsoft\\Windows\\CurrentVersion")))
        return QString();
    try {
        return registry.ReadString(QStringLiteral("MediaPath"));
    } catch (const ERegistryException&) {
        return QString();
    }
}

QString CombineKeyPath(const QString& base, const QString& sub)
{
    QString path = base;
    if (!path.isEmpty() && !path.endsWith(u'\\'))
        path += u'\\';
    if (!sub.isEmpty())
        path += sub.startsWith(u'\\') ? sub.mid(1) : sub;
    if (path.endsWith(u'\\'))
        path.chop(1);
    return path;
}

QString ParentKeyPath(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'\\');
    return slash < 0 ? QString() : path.left(slash);
}
