#include "platform/SystemRegistryKeys.h"

#include "platform/TextCodec.h"

#include <QFileInfo>

const QString RunKeyPath = QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Run");
const QString CurrentVersionKeyPath = QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion");

namespace {

bool IsRunKey(const QString& path)
{
    return SameKeyPath(path, RunKeyPath);
}

} // namespace

TCurrentUserRegistry::TCurrentUserRegistry(QString storeFile, QString autostartDirectory, QString unitDirectory)
    : m_Store(std::move(storeFile))
    , m_RunKey(std::move(autostartDirectory))
    , m_DailyUnits(std::move(unitDirectory))
{
}

TCurrentUserRegistry::TCurrentUserRegistry()
    : TCurrentUserRegistry(TFileRegistryStore::DefaultFilePath(), TAutostartRunKey::DefaultDirectory(),
                           TSystemdUserUnits::DefaultDirectory())
{
}

// The Run key always exists and holds no subkeys of its own.
bool TCurrentUserRegistry::KeyExists(const QString& path)
{
    return IsRunKey(path) || m_Store.KeyExists(path);
}

bool TCurrentUserRegistry::CreateKey(const QString& path)
{
    if (IsRunKey(path))
        return true;
    if (IsKeyPathWithin(path, RunKeyPath))
        return false;
    return m_Store.CreateKey(path);
}

bool TCurrentUserRegistry::DeleteKey(const QString& path)
{
    return !IsKeyPathWithin(path, RunKeyPath) && m_Store.DeleteKey(path);
}

QStringList TCurrentUserRegistry::SubKeyNames(const QString& path)
{
    return IsRunKey(path) ? QStringList() : m_Store.SubKeyNames(path);
}

QStringList TCurrentUserRegistry::ValueNames(const QString& path)
{
    return IsRunKey(path) ? m_RunKey.ValueNames() : m_Store.ValueNames(path);
}

std::optional<TRegistryValue> TCurrentUserRegistry::ReadValue(const QString& path, const QString& name)
{
    return IsRunKey(path) ? m_RunKey.ReadValue(name) : m_Store.ReadValue(path, name);
}

// A Run value that could not have its timer is refused before anything is written. A timer
// whose entry then cannot be written goes again: no timer runs for a start that is not there.
bool TCurrentUserRegistry::WriteValue(const QString& path, const QString& name, const TRegistryValue& value)
{
    if (!IsRunKey(path))
        return m_Store.WriteValue(path, name, value);
    if (!value.IsString() || HasControlCharacter(name) || !TAutostartRunKey::ExecLine(value.ToText()) ||
        !TSystemdUserUnits::ExecStartLine(value.ToText()))
        return false;
    const QString baseName = TAutostartRunKey::EntryBaseName(name);
    if (m_DailyUnits.Write(baseName, value.ToText()) && m_RunKey.WriteValue(name, value))
        return true;
    m_DailyUnits.Remove(baseName);
    return false;
}

// The timer goes with its value, also when the autostart entry was already gone.
bool TCurrentUserRegistry::DeleteValue(const QString& path, const QString& name)
{
    if (!IsRunKey(path))
        return m_Store.DeleteValue(path, name);
    const bool unitsRemoved = m_DailyUnits.Remove(TAutostartRunKey::EntryBaseName(name));
    return m_RunKey.DeleteValue(name) && unitsRemoved;
}

QString TLocalMachineRegistry::SystemSoundFolder()
{
    const QString folder = QStringLiteral("/usr/share/sounds");
    return QFileInfo(folder).isDir() ? folder : QString();
}

bool TLocalMachineRegistry::KeyExists(const QString& path)
{
    const QString key = NormalizeKeyPath(path);
    return key.isEmpty() || IsKeyPathWithin(CurrentVersionKeyPath, key);
}

QStringList TLocalMachineRegistry::SubKeyNames(const QString& path)
{
    const QString key = NormalizeKeyPath(path);
    if (!KeyExists(key) || SameKeyPath(key, CurrentVersionKeyPath))
        return {};
    const QString rest = CurrentVersionKeyPath.mid(key.isEmpty() ? 0 : key.size() + 1);
    return {rest.section(u'\\', 0, 0)};
}

QStringList TLocalMachineRegistry::ValueNames(const QString& path)
{
    if (SameKeyPath(path, CurrentVersionKeyPath) && !SystemSoundFolder().isEmpty())
        return {QStringLiteral("MediaPath")};
    return {};
}

std::optional<TRegistryValue> TLocalMachineRegistry::ReadValue(const QString& path, const QString& name)
{
    if (!SameKeyPath(path, CurrentVersionKeyPath) || name.compare(u"MediaPath", Qt::CaseInsensitive) != 0)
        return std::nullopt;
    const QString folder = SystemSoundFolder();
    if (folder.isEmpty())
        return std::nullopt;
    return TRegistryValue::String(folder);
}
