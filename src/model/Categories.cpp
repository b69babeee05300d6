#include "model/Categories.h"

#include "model/EntryStream.h"
#include "model/ModelErrors.h"
#include "support/Lists.h"

#include <QStringView>

#include <algorithm>
#include <bitset>

namespace {

bool IsNameSpace(QChar character)
{
    switch (character.unicode()) {
    case u' ':
    case u'\t':
    case u'\n':
    case u'\v':
    case u'\f':
    case u'\r':
        return true;
    default:
        return false;
    }
}

// Only ASCII white space counts: a no-break space in a name is kept.
QStringView TrimName(QStringView name)
{
    while (!name.isEmpty() && IsNameSpace(name.front()))
        name = name.sliced(1);
    while (!name.isEmpty() && IsNameSpace(name.back()))
        name.chop(1);
    return name;
}

QString NameKey(const QString& name)
{
    return TrimName(name).toString().toCaseFolded();
}

} // namespace

void TCategories::Clear()
{
    m_Names.clear();
}

void TCategories::Delete(int index)
{
    At(index);
    m_Names.erase(m_Names.begin() + index);
}

void TCategories::AddCategory(const QString& name, quint8 id)
{
    m_Names.push_back(TCategory{name, id});
}

bool TCategories::FindId(quint8 id, int& index) const
{
    const auto found = std::find_if(m_Names.begin(), m_Names.end(),
                                    [id](const TCategory& category) { return category.Id == id; });
    index = found == m_Names.end() ? -1 : static_cast<int>(found - m_Names.begin());
    return index >= 0;
}

quint8 TCategories::IdAt(int index) const
{
    return At(index).Id;
}

const QString& TCategories::NameAt(int index) const
{
    return At(index).Name;
}

bool TCategories::NameOfId(quint8 id, QString& name) const
{
    int index = -1;
    if (!FindId(id, index))
        return false;
    name = NameAt(index);
    return true;
}

std::optional<quint8> TCategories::NextFreeId() const
{
    std::bitset<256> used;
    for (const TCategory& category : m_Names)
        used.set(category.Id);
    for (int id = 1; id <= 255; ++id)
        if (!used.test(static_cast<std::size_t>(id)))
            return static_cast<quint8>(id);
    return std::nullopt;
}

bool TCategories::FindName(const QString& name, int& index) const
{
    // Case folding removes letter case; the locale's collation then decides which spellings
    // are the same text (a composed and a decomposed accent, for one).
    const QString wanted = NameKey(name);
    for (index = 0; index < Count(); ++index)
        if (QString::localeAwareCompare(NameKey(NameAt(index)), wanted) == 0)
            return true;
    index = -1;
    return false;
}

bool TCategories::EqualsStrings(const TCategoryStrings& strings) const
{
    if (strings.size() != Count())
        return false;
    return std::all_of(m_Names.begin(), m_Names.end(), [&strings](const TCategory& category) {
        const auto item = std::find_if(strings.begin(), strings.end(),
                                       [&category](const auto& each) { return each.second == category.Id; });
        return item != strings.end() && item->first == category.Name;
    });
}

void TCategories::Assign(const TCategoryStrings& strings)
{
    m_Names.clear();
    m_Names.reserve(static_cast<std::size_t>(strings.size()));
    for (const auto& [name, id] : strings)
        m_Names.push_back(TCategory{name, id});
}

void TCategories::Assign(const TCategories& source)
{
    if (&source != this)
        m_Names = source.m_Names;
}

void TCategories::AssignTo(TCategoryStrings& strings) const
{
    strings.clear();
    strings.reserve(Count());
    for (const TCategory& category : m_Names)
        strings.append({category.Name, category.Id});
}

const TCategory& TCategories::At(int index) const
{
    if (index < 0 || index >= Count())
        RaiseListError(ListIndexText, index);
    return m_Names[static_cast<std::size_t>(index)];
}

void TCategories::LoadFromStream(TEntryReader& reader)
{
    // The smallest category record: an empty name (its length) and the id.
    constexpr qsizetype MinCategorySize = 5;
    Clear();
    const int count = reader.ReadByte();
    if (static_cast<qsizetype>(count) * MinCategorySize > reader.Remaining())
        throw EEntryFileError(QStringLiteral("%1 categories cannot fit in the rest of the file").arg(count));
    for (int i = 0; i < count; ++i) {
        const QString name = reader.ReadString();
        AddCategory(name, reader.ReadByte());
    }
}

void TCategories::SaveToStream(TEntryWriter& writer) const
{
    writer.WriteByte(static_cast<quint8>(Count()));
    for (int i = 0; i < Count(); ++i) {
        writer.WriteString(NameAt(i));
        writer.WriteByte(IdAt(i));
    }
}
