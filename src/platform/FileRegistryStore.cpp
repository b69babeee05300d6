#include "platform/FileRegistryStore.h"

#include "platform/AtomicFile.h"
#include "platform/RegistryFileFormat.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <cstdio>
#include <sys/stat.h>

namespace {

const QString RootName = QStringLiteral("HKEY_CURRENT_USER");
constexpr int LockTimeoutMs = 10000;

QString EnvironmentPath(const char* name)
{
    return qEnvironmentVariable(name);
}

void ReportToStandardError(const QString& message)
{
    const QByteArray bytes = (QStringLiteral("vemora: ") + message + u'\n').toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

QString FreeDamagedName(const QString& filePath)
{
    const QString base = filePath + QStringLiteral(".damaged-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString candidate = base;
    for (int n = 2; QFileInfo::exists(candidate); ++n)
        candidate = base + u'-' + QString::number(n);
    return candidate;
}

} // namespace

TFileRegistryStore::TFileRegistryStore(QString filePath)
    : m_FilePath(std::move(filePath))
{
}

QString TFileRegistryStore::DefaultFilePath()
{
    const QString vemoraHome = EnvironmentPath("VEMORA_HOME");
    if (!vemoraHome.isEmpty())
        return QDir(vemoraHome).filePath(QStringLiteral("registry.reg"));
    QString configHome = EnvironmentPath("XDG_CONFIG_HOME");
    if (configHome.isEmpty())
        configHome = QDir::home().filePath(QStringLiteral(".config"));
    return QDir(configHome).filePath(QStringLiteral("Vemora/registry.reg"));
}

TFileRegistryStore::TFileStamp TFileRegistryStore::Stamp() const
{
    struct stat info {};
    if (::stat(QFile::encodeName(m_FilePath).constData(), &info) != 0)
        return {};
    return {true, info.st_dev, info.st_ino, info.st_size,
            static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec};
}

const TRegistryTree& TFileRegistryStore::Current()
{
    if (!m_Loaded || Stamp() != m_Stamp)
        Reload();
    return m_Tree;
}

bool TFileRegistryStore::Reload()
{
    m_Loaded = true;
    m_Stamp = Stamp();
    m_Tree = TRegistryTree();
    if (!m_Stamp.Exists)
        return true;
    QFile file(m_FilePath);
    if (!QFileInfo(m_FilePath).isFile() || !file.open(QIODevice::ReadOnly))
        return MoveAside(QStringLiteral("it cannot be read"));
    TRegistryParseResult parsed = ParseRegistryFile(file.readAll(), RootName);
    file.close();
    if (parsed.DamagedLines == 0) {
        m_Tree = std::move(parsed.Tree);
        return true;
    }
    return KeepWhatCanBeRead(parsed);
}

// The damaged file goes aside as it is; what could be read of it takes its place.
bool TFileRegistryStore::KeepWhatCanBeRead(TRegistryParseResult& parsed)
{
    const QString reason = QStringLiteral("%1 damaged line(s) left out or read as far as they go, the first at %2")
                               .arg(parsed.DamagedLines)
                               .arg(parsed.FirstError);
    const QString aside = FreeDamagedName(m_FilePath);
    if (!QFile::copy(m_FilePath, aside)
        || !WriteFileAtomically(m_FilePath, FormatRegistryFile(parsed.Tree, RootName))) {
        ReportToStandardError(QStringLiteral("the settings file %1 is damaged (%2) and could not be repaired; "
                                             "the default settings are used and nothing is saved.")
                                  .arg(m_FilePath, reason));
        m_Stamp = Stamp();
        return false;
    }
    ReportToStandardError(QStringLiteral("the settings file %1 is damaged (%2); every other setting is kept, "
                                         "and the damaged file was copied to %3.")
                              .arg(m_FilePath, reason, aside));
    m_Tree = std::move(parsed.Tree);
    m_Stamp = Stamp();
    return true;
}

bool TFileRegistryStore::MoveAside(const QString& reason)
{
    const QString aside = FreeDamagedName(m_FilePath);
    const bool moved = QFile::rename(m_FilePath, aside);
    if (moved) {
        ReportToStandardError(QStringLiteral("the settings file %1 is damaged (%2); it was moved to %3 and "
                                             "the default settings are used.")
                                  .arg(m_FilePath, reason, aside));
    } else {
        ReportToStandardError(QStringLiteral("the settings file %1 is damaged (%2) and could not be moved "
                                             "aside; the default settings are used and nothing is saved.")
                                  .arg(m_FilePath, reason));
    }
    m_Stamp = Stamp();
    return moved;
}

bool TFileRegistryStore::Modify(const std::function<bool(TRegistryTree&)>& change)
{
    if (!QDir().mkpath(QFileInfo(m_FilePath).absolutePath()))
        return false;
    QLockFile lock(m_FilePath + QStringLiteral(".lock"));
    if (!lock.tryLock(LockTimeoutMs))
        return false;
    if (!Reload())
        return false; // damaged and still in place: never write over it
    TRegistryTree changed = m_Tree;
    if (!change(changed))
        return false;
    if (!WriteFileAtomically(m_FilePath, FormatRegistryFile(changed, RootName)))
        return false;
    m_Tree = std::move(changed);
    m_Stamp = Stamp();
    return true;
}

bool TFileRegistryStore::KeyExists(const QString& path)
{
    return Current().HasKey(NormalizeKeyPath(path));
}

bool TFileRegistryStore::CreateKey(const QString& path)
{
    const QString key = NormalizeKeyPath(path);
    if (Current().HasKey(key))
        return true;
    if (!IsStorableName(key))
        return false;
    return Modify([&](TRegistryTree& tree) {
        tree.AddKey(key);
        return true;
    });
}

bool TFileRegistryStore::DeleteKey(const QString& path)
{
    const QString key = NormalizeKeyPath(path);
    return Modify([&](TRegistryTree& tree) { return tree.RemoveKey(key); });
}

QStringList TFileRegistryStore::SubKeyNames(const QString& path)
{
    return Current().SubKeyNames(NormalizeKeyPath(path));
}

QStringList TFileRegistryStore::ValueNames(const QString& path)
{
    QStringList names;
    if (const TRegistryTree::TKey* key = Current().FindKey(NormalizeKeyPath(path)))
        for (const auto& [name, value] : key->Values)
            names.append(name);
    return names;
}

std::optional<TRegistryValue> TFileRegistryStore::ReadValue(const QString& path, const QString& name)
{
    if (const TRegistryValue* value = Current().FindValue(NormalizeKeyPath(path), name))
        return *value;
    return std::nullopt;
}

bool TFileRegistryStore::WriteValue(const QString& path, const QString& name, const TRegistryValue& value)
{
    const QString key = NormalizeKeyPath(path);
    if (!IsStorableName(name))
        return false;
    const TRegistryValue* stored = Current().FindValue(key, name);
    if (stored && *stored == value)
        return true;
    return Modify([&](TRegistryTree& tree) { return tree.SetValue(key, name, value); });
}

bool TFileRegistryStore::DeleteValue(const QString& path, const QString& name)
{
    const QString key = NormalizeKeyPath(path);
    return Modify([&](TRegistryTree& tree) { return tree.RemoveValue(key, name); });
}
