#pragma once

#include <QList>
#include <QPair>
#include <QString>

#include <optional>
#include <vector>

class TEntryReader;
class TEntryWriter;

struct TCategory {
    QString Name;
    quint8 Id = 0;
};

// Names with their ids, as list boxes and combo boxes hold them.
using TCategoryStrings = QList<QPair<QString, quint8>>;

// The category table of one entry file: names with one-byte ids, in the order of insertion or
// of the file. Id 0 means "no category" and is never given out. The program keeps the ids
// unique and the table at most 255 long; names may repeat, the categories dialog checks them.
class TCategories {
public:
    int Count() const { return static_cast<int>(m_Names.size()); }
    void Clear();
    // Delete, IdAt and NameAt raise EListError for an index outside 0..Count-1.
    void Delete(int index);
    void AddCategory(const QString& name, quint8 id);
    // The first category with that id; index is -1 when there is none.
    bool FindId(quint8 id, int& index) const;
    quint8 IdAt(int index) const;
    const QString& NameAt(int index) const;
    // name is left unchanged when the id is not in the table.
    bool NameOfId(quint8 id, QString& name) const;
    // The smallest id from 1 upward not in the table; none when 1..255 are all taken.
    std::optional<quint8> NextFreeId() const;
    // The first category whose name equals name, both trimmed of ASCII white space, ignoring
    // letter case under the user's locale; index is -1 when there is none.
    bool FindName(const QString& name, int& index) const;
    // True when strings has as many items as the table and, for every category, the first item
    // with its id carries exactly its name. The order of strings does not matter.
    bool EqualsStrings(const TCategoryStrings& strings) const;

    void Assign(const TCategoryStrings& strings);
    void Assign(const TCategories& source);
    // Replaces the content of strings with the table, in table order.
    void AssignTo(TCategoryStrings& strings) const;

    // The table in an entry file: a count byte, then per category its name and id.
    void LoadFromStream(TEntryReader& reader);
    void SaveToStream(TEntryWriter& writer) const;

private:
    const TCategory& At(int index) const;

    std::vector<TCategory> m_Names;
};
