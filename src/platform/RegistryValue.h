#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

// Registry value types, numbered as the registry numbers them.
enum TRegDataType : std::uint32_t {
    REG_NONE = 0,
    REG_SZ = 1,
    REG_EXPAND_SZ = 2,
    REG_BINARY = 3,
    REG_DWORD = 4,
    REG_MULTI_SZ = 7,
};

// A value as the registry keeps it: its type and its raw bytes. Strings are UTF-16LE with a
// terminating zero, DWORDs four little-endian bytes.
struct TRegistryValue {
    std::uint32_t Type = REG_NONE;
    QByteArray Data;

    static TRegistryValue String(const QString& text, std::uint32_t type = REG_SZ);
    static TRegistryValue Dword(std::uint32_t value);
    static TRegistryValue Binary(const QByteArray& bytes);

    bool IsString() const { return Type == REG_SZ || Type == REG_EXPAND_SZ; }
    // The text of a string value, up to its first zero character.
    QString ToText() const;
    // The number of a DWORD value; only meaningful when Type is REG_DWORD and Data has 4 bytes.
    std::uint32_t ToDword() const;

    friend bool operator==(const TRegistryValue&, const TRegistryValue&) = default;
};
