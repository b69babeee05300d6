#pragma once

#include "platform/RegistryValue.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <map>

// The keys and values of one registry root, held in memory. Paths are normalized (see
// NormalizeKeyPath); the root itself is the empty path and always exists.
class TRegistryTree {
public:
    struct TKey {
        QString Path;
        QList<QPair<QString, TRegistryValue>> Values; // in the order they were first written
    };

    bool HasKey(const QString& path) const;
    // Adds the key and its missing parents.
    void AddKey(const QString& path);
    // Removes a key without subkeys; false when it is absent or has subkeys.
    bool RemoveKey(const QString& path);
    QStringList SubKeyNames(const QString& path) const;

    const TKey* FindKey(const QString& path) const;
    const TRegistryValue* FindValue(const QString& path, const QString& name) const;
    // Sets a value of an existing key; false when the key is absent.
    bool SetValue(const QString& path, const QString& name, const TRegistryValue& value);
    bool RemoveValue(const QString& path, const QString& name);

    // Every key except the root, parents before their children.
    QList<const TKey*> Keys() const;
    const TKey& Root() const { return m_Root; }

private:
    struct TLess {
        bool operator()(const QString& a, const QString& b) const
        {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        }
    };
    TKey* FindMutableKey(const QString& path);

    TKey m_Root;
    std::map<QString, TKey, TLess> m_Keys;
};
