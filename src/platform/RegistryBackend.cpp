#include "platform/RegistryBackend.h"

#include "platform/TextCodec.h"

QString NormalizeKeyPath(const QString& path)
{
    return path.split(u'\\', Qt::SkipEmptyParts).join(u'\\');
}

bool SameKeyPath(const QString& a, const QString& b)
{
    return NormalizeKeyPath(a).compare(NormalizeKeyPath(b), Qt::CaseInsensitive) == 0;
}

bool IsKeyPathWithin(const QString& path, const QString& ancestor)
{
    const QString p = NormalizeKeyPath(path);
    const QString a = NormalizeKeyPath(ancestor);
    if (a.isEmpty())
        return true;
    if (!p.startsWith(a, Qt::CaseInsensitive))
        return false;
    return p.size() == a.size() || p[a.size()] == u'\\';
}

bool IsStorableName(const QString& name)
{
    return !HasControlCharacter(name);
}
