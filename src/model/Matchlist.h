#pragma once

#include <QtGlobal>

#include <vector>

class TEntryReader;
class TEntryWriter;
class TVemoraEntryBasic;

// An entry's cache of its occurrence days, strictly ascending from the first occurrence of
// the series, so that the index of a day is the number of occurrences before it.
class TMatchlist {
public:
    explicit TMatchlist(TVemoraEntryBasic* entry = nullptr);

    void Clear();
    void Add(qint32 day);
    int Count() const { return static_cast<int>(m_Days.size()); }
    qint32 Item(int index) const { return m_Days[static_cast<std::size_t>(index)]; }
    const std::vector<qint32>& Days() const { return m_Days; }
    // The last day; 0 when the list is not valid or empty.
    qint32 Last() const;

    bool Valid() const { return m_Valid; }
    void SetValid(bool valid);
    bool Complete() const { return m_Complete; }
    void SetComplete(bool complete) { m_Complete = complete; }
    bool IsComplete() const { return m_Valid && m_Complete; }
    void Invalidate() { Clear(); }
    // Copies the days and Valid; the copy is never complete.
    void Assign(const TMatchlist& other);

    // Whether day is cached; index is its position, else that of the first later day.
    bool Find(qint32 day, int& index) const;

    TVemoraEntryBasic* Entry() const { return m_Entry; }

    void LoadFromStream(TEntryReader& reader);
    void SaveToStream(TEntryWriter& writer) const;

private:
    TVemoraEntryBasic* m_Entry;
    std::vector<qint32> m_Days;
    bool m_Valid = false;
    bool m_Complete = false;
};
