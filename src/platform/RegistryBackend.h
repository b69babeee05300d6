#pragma once

#include "platform/RegistryValue.h"

#include <QString>
#include <QStringList>

#include <optional>

// One registry root as the registry access class sees it. Key paths are relative to the root,
// with "\" between the names and no leading or trailing "\"; names compare ignoring case.
class TRegistryBackend {
public:
    virtual ~TRegistryBackend() = default;

    virtual bool KeyExists(const QString& path) = 0;
    // Creates the key and its missing parents.
    virtual bool CreateKey(const QString& path) = 0;
    // Deletes a key that has no subkeys, with its values.
    virtual bool DeleteKey(const QString& path) = 0;
    virtual QStringList SubKeyNames(const QString& path) = 0;
    virtual QStringList ValueNames(const QString& path) = 0;
    virtual std::optional<TRegistryValue> ReadValue(const QString& path, const QString& name) = 0;
    virtual bool WriteValue(const QString& path, const QString& name, const TRegistryValue& value) = 0;
    virtual bool DeleteValue(const QString& path, const QString& name) = 0;
};

// Whether a key or value name can be kept: control characters are refused, since no
// settings file line may be broken by a name.
bool IsStorableName(const QString& name);

// "\A\\B\" -> "A\B": the form every backend works with.
QString NormalizeKeyPath(const QString& path);
bool SameKeyPath(const QString& a, const QString& b);
// Whether path lies inside ancestor (or equals it).
bool IsKeyPathWithin(const QString& path, const QString& ancestor);
