#pragma once

#include "platform/RegistryBackend.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <stdexcept>

using HKEY = std::uint32_t;
inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;

// A failed registry read or write, with the message naming the value.
class ERegistryException : public std::runtime_error {
public:
    explicit ERegistryException(const QString& message);
    QString Message() const { return QString::fromUtf8(what()); }
};

// The registry access class: one root, at most one open key at a time, typed value access.
// Key names starting with "\" are absolute; others are relative to the open key.
class TRegistry {
public:
    explicit TRegistry(HKEY root = HKEY_CURRENT_USER);
    virtual ~TRegistry();
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    HKEY RootKey() const { return m_Root; }
    void SetRootKey(HKEY root);
    // Backend of a root; tests and special roots may supply their own.
    void SetBackend(std::shared_ptr<TRegistryBackend> backend);

    bool OpenKey(const QString& key, bool canCreate);
    bool OpenKeyReadOnly(const QString& key);
    void CloseKey();
    bool HasCurrentKey() const { return m_Open; }
    // The open key's path with a leading "\" ("" when none is open).
    QString CurrentPath() const;

    bool KeyExists(const QString& key);
    // Deletes the key with all its subkeys.
    bool DeleteKey(const QString& key);
    QStringList GetKeyNames();
    QStringList GetValueNames();
    bool HasSubKeys();

    bool ValueExists(const QString& name);
    bool DeleteValue(const QString& name);
    std::uint32_t GetDataType(const QString& name);
    // Size of the value's data in bytes; -1 when the value does not exist.
    int GetDataSize(const QString& name);

    QString ReadString(const QString& name);
    int ReadInteger(const QString& name);
    bool ReadBool(const QString& name);
    double ReadFloat(const QString& name);
    double ReadDateTime(const QString& name) { return ReadFloat(name); }
    double ReadCurrency(const QString& name);
    // Reads a binary value of at most maxSize bytes.
    QByteArray ReadBinaryData(const QString& name, int maxSize);

    void WriteString(const QString& name, const QString& value);
    void WriteExpandString(const QString& name, const QString& value);
    void WriteInteger(const QString& name, int value);
    void WriteBool(const QString& name, bool value);
    void WriteFloat(const QString& name, double value);
    void WriteDateTime(const QString& name, double value) { WriteFloat(name, value); }
    void WriteCurrency(const QString& name, double value);
    void WriteBinaryData(const QString& name, const QByteArray& value);

protected:
    TRegistryBackend& Backend();
    QString ResolvePath(const QString& key) const;

private:
    TRegistryValue ReadTyped(const QString& name, std::uint32_t type, int exactSize);
    void Write(const QString& name, const TRegistryValue& value);
    bool DeleteKeyTree(const QString& path);

    HKEY m_Root;
    std::shared_ptr<TRegistryBackend> m_Backend;
    QString m_CurrentPath; // normalized, without the leading "\"
    bool m_Open = false;
    bool m_Writable = false;
};

std::shared_ptr<TRegistryBackend> CreateRegistryBackend(HKEY root);
