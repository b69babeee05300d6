#include "platform/RegistryTree.h"

namespace {

QString ParentOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'\\');
    return slash < 0 ? QString() : path.left(slash);
}

} // namespace

bool TRegistryTree::HasKey(const QString& path) const
{
    return FindKey(path) != nullptr;
}

void TRegistryTree::AddKey(const QString& path)
{
    for (QString current = path; !current.isEmpty() && !HasKey(current); current = ParentOf(current))
        m_Keys.emplace(current, TKey{current, {}});
}

bool TRegistryTree::RemoveKey(const QString& path)
{
    if (path.isEmpty() || !HasKey(path) || !SubKeyNames(path).isEmpty())
        return false;
    m_Keys.erase(path);
    return true;
}

QStringList TRegistryTree::SubKeyNames(const QString& path) const
{
    QStringList names;
    const QString prefix = path.isEmpty() ? QString() : path + u'\\';
    for (auto it = m_Keys.lower_bound(prefix); it != m_Keys.end(); ++it) {
        const QString& candidate = it->second.Path;
        if (!candidate.startsWith(prefix, Qt::CaseInsensitive))
            break;
        const QString rest = candidate.mid(prefix.size());
        if (!rest.isEmpty() && !rest.contains(u'\\'))
            names.append(rest);
    }
    return names;
}

const TRegistryTree::TKey* TRegistryTree::FindKey(const QString& path) const
{
    if (path.isEmpty())
        return &m_Root;
    const auto it = m_Keys.find(path);
    return it == m_Keys.end() ? nullptr : &it->second;
}

TRegistryTree::TKey* TRegistryTree::FindMutableKey(const QString& path)
{
    return const_cast<TKey*>(FindKey(path));
}

const TRegistryValue* TRegistryTree::FindValue(const QString& path, const QString& name) const
{
    const TKey* key = FindKey(path);
    if (!key)
        return nullptr;
    for (const auto& [valueName, value] : key->Values)
        if (valueName.compare(name, Qt::CaseInsensitive) == 0)
            return &value;
    return nullptr;
}

bool TRegistryTree::SetValue(const QString& path, const QString& name, const TRegistryValue& value)
{
    TKey* key = FindMutableKey(path);
    if (!key)
        return false;
    for (auto& [valueName, stored] : key->Values) {
        if (valueName.compare(name, Qt::CaseInsensitive) == 0) {
            stored = value;
            return true;
        }
    }
    key->Values.append({name, value});
    return true;
}

bool TRegistryTree::RemoveValue(const QString& path, const QString& name)
{
    TKey* key = FindMutableKey(path);
    if (!key)
        return false;
    for (qsizetype i = 0; i < key->Values.size(); ++i) {
        if (key->Values[i].first.compare(name, Qt::CaseInsensitive) == 0) {
            key->Values.removeAt(i);
            return true;
        }
    }
    return false;
}

QList<const TRegistryTree::TKey*> TRegistryTree::Keys() const
{
    QList<const TKey*> keys;
    keys.reserve(static_cast<qsizetype>(m_Keys.size()));
    for (const auto& [path, key] : m_Keys)
        keys.append(&key);
    return keys;
}
