#include "platform/Registry.h"

#include "platform/SystemRegistryKeys.h"

#include <QtEndian>

#include <cmath>

namespace {

// The messages belong to the access class, so they are not translated.
QString InvalidTypeMessage(const QString& name)
{
    return QStringLiteral("Ungültiger Datentyp für '%1'").arg(name);
}

QString GetFailedMessage(const QString& name)
{
    return QStringLiteral("Konnte Daten für '%1' nicht holen").arg(name);
}

QString SetFailedMessage(const QString& name)
{
    return QStringLiteral("Konnte Daten für '%1' nicht setzen").arg(name);
}

// An empty backend for roots the program does not use.
class TEmptyRegistry final : public TRegistryBackend {
public:
    bool KeyExists(const QString& path) override { return path.isEmpty(); }
    bool CreateKey(const QString&) override { return false; }
    bool DeleteKey(const QString&) override { return false; }
    QStringList SubKeyNames(const QString&) override { return {}; }
    QStringList ValueNames(const QString&) override { return {}; }
    std::optional<TRegistryValue> ReadValue(const QString&, const QString&) override { return std::nullopt; }
    bool WriteValue(const QString&, const QString&, const TRegistryValue&) override { return false; }
    bool DeleteValue(const QString&, const QString&) override { return false; }
};

QByteArray DoubleBytes(double value)
{
    QByteArray bytes(8, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

} // namespace

ERegistryException::ERegistryException(const QString& message)
    : std::runtime_error(message.toStdString())
{
}

std::shared_ptr<TRegistryBackend> CreateRegistryBackend(HKEY root)
{
    switch (root) {
    case HKEY_CURRENT_USER:
        return std::make_shared<TCurrentUserRegistry>();
    case HKEY_LOCAL_MACHINE:
        return std::make_shared<TLocalMachineRegistry>();
    default:
        return std::make_shared<TEmptyRegistry>();
    }
}

TRegistry::TRegistry(HKEY root)
    : m_Root(root)
{
}

TRegistry::~TRegistry() = default;

void TRegistry::SetRootKey(HKEY root)
{
    if (root == m_Root)
        return;
    CloseKey();
    m_Root = root;
    m_Backend.reset();
}

void TRegistry::SetBackend(std::shared_ptr<TRegistryBackend> backend)
{
    CloseKey();
    m_Backend = std::move(backend);
}

TRegistryBackend& TRegistry::Backend()
{
    if (!m_Backend)
        m_Backend = CreateRegistryBackend(m_Root);
    return *m_Backend;
}

QString TRegistry::ResolvePath(const QString& key) const
{
    if (key.startsWith(u'\\') || !m_Open)
        return NormalizeKeyPath(key);
    return NormalizeKeyPath(m_CurrentPath + u'\\' + key);
}

bool TRegistry::OpenKey(const QString& key, bool canCreate)
{
    const QString path = ResolvePath(key);
    // A key that cannot be opened leaves the current one open.
    const bool opened = canCreate ? Backend().CreateKey(path) : Backend().KeyExists(path);
    if (opened) {
        m_CurrentPath = path;
        m_Open = true;
        m_Writable = true;
    }
    return opened;
}

bool TRegistry::OpenKeyReadOnly(const QString& key)
{
    const QString path = ResolvePath(key);
    const bool opened = Backend().KeyExists(path);
    if (opened) {
        m_CurrentPath = path;
        m_Open = true;
        m_Writable = false;
    }
    return opened;
}

void TRegistry::CloseKey()
{
    m_Open = false;
    m_Writable = false;
    m_CurrentPath.clear();
}

QString TRegistry::CurrentPath() const
{
    return m_Open ? u'\\' + m_CurrentPath : QString();
}

bool TRegistry::KeyExists(const QString& key)
{
    return Backend().KeyExists(ResolvePath(key));
}

bool TRegistry::DeleteKey(const QString& key)
{
    const QString path = ResolvePath(key);
    if (path.isEmpty() || !Backend().KeyExists(path))
        return false;
    if (m_Open && IsKeyPathWithin(m_CurrentPath, path))
        CloseKey();
    return DeleteKeyTree(path);
}

bool TRegistry::DeleteKeyTree(const QString& path)
{
    const QStringList subKeys = Backend().SubKeyNames(path);
    for (qsizetype i = subKeys.size() - 1; i >= 0; --i)
        DeleteKeyTree(path + u'\\' + subKeys[i]);
    return Backend().DeleteKey(path);
}

QStringList TRegistry::GetKeyNames()
{
    return m_Open ? Backend().SubKeyNames(m_CurrentPath) : QStringList();
}

QStringList TRegistry::GetValueNames()
{
    return m_Open ? Backend().ValueNames(m_CurrentPath) : QStringList();
}

bool TRegistry::HasSubKeys()
{
    return !GetKeyNames().isEmpty();
}

bool TRegistry::ValueExists(const QString& name)
{
    return m_Open && Backend().ReadValue(m_CurrentPath, name).has_value();
}

bool TRegistry::DeleteValue(const QString& name)
{
    return m_Open && m_Writable && Backend().DeleteValue(m_CurrentPath, name);
}

std::uint32_t TRegistry::GetDataType(const QString& name)
{
    const auto value = m_Open ? Backend().ReadValue(m_CurrentPath, name) : std::nullopt;
    return value ? value->Type : REG_NONE;
}

int TRegistry::GetDataSize(const QString& name)
{
    const auto value = m_Open ? Backend().ReadValue(m_CurrentPath, name) : std::nullopt;
    return value ? static_cast<int>(value->Data.size()) : -1;
}

TRegistryValue TRegistry::ReadTyped(const QString& name, std::uint32_t type, int exactSize)
{
    const auto value = m_Open ? Backend().ReadValue(m_CurrentPath, name) : std::nullopt;
    if (!value)
        throw ERegistryException(GetFailedMessage(name));
    if (value->Type != type || (exactSize >= 0 && value->Data.size() != exactSize))
        throw ERegistryException(InvalidTypeMessage(name));
    return *value;
}

QString TRegistry::ReadString(const QString& name)
{
    const auto value = m_Open ? Backend().ReadValue(m_CurrentPath, name) : std::nullopt;
    if (!value)
        return QString();
    if (!value->IsString())
        throw ERegistryException(InvalidTypeMessage(name));
    return value->ToText();
}

int TRegistry::ReadInteger(const QString& name)
{
    return static_cast<int>(ReadTyped(name, REG_DWORD, 4).ToDword());
}

bool TRegistry::ReadBool(const QString& name)
{
    return ReadInteger(name) != 0;
}

double TRegistry::ReadFloat(const QString& name)
{
    return qFromLittleEndian<double>(ReadTyped(name, REG_BINARY, 8).Data.constData());
}

double TRegistry::ReadCurrency(const QString& name)
{
    // A currency is a 64-bit integer count of ten-thousandths.
    return static_cast<double>(qFromLittleEndian<qint64>(ReadTyped(name, REG_BINARY, 8).Data.constData())) /
           10000.0;
}

QByteArray TRegistry::ReadBinaryData(const QString& name, int maxSize)
{
    const TRegistryValue value = ReadTyped(name, REG_BINARY, -1);
    if (value.Data.size() > maxSize)
        throw ERegistryException(InvalidTypeMessage(name));
    return value.Data;
}

void TRegistry::Write(const QString& name, const TRegistryValue& value)
{
    if (!m_Open || !m_Writable || !Backend().WriteValue(m_CurrentPath, name, value))
        throw ERegistryException(SetFailedMessage(name));
}

void TRegistry::WriteString(const QString& name, const QString& value)
{
    Write(name, TRegistryValue::String(value));
}

void TRegistry::WriteExpandString(const QString& name, const QString& value)
{
    Write(name, TRegistryValue::String(value, REG_EXPAND_SZ));
}

void TRegistry::WriteInteger(const QString& name, int value)
{
    Write(name, TRegistryValue::Dword(static_cast<std::uint32_t>(value)));
}

void TRegistry::WriteBool(const QString& name, bool value)
{
    WriteInteger(name, value ? 1 : 0);
}

void TRegistry::WriteFloat(const QString& name, double value)
{
    Write(name, TRegistryValue::Binary(DoubleBytes(value)));
}

void TRegistry::WriteCurrency(const QString& name, double value)
{
    QByteArray bytes(8, '\0');
    qToLittleEndian(static_cast<qint64>(std::llround(value * 10000.0)), bytes.data());
    Write(name, TRegistryValue::Binary(bytes));
}

void TRegistry::WriteBinaryData(const QString& name, const QByteArray& value)
{
    Write(name, TRegistryValue::Binary(value));
}
