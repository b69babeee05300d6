#pragma once

#include "model/DayRun.h"

#include <QtGlobal>

#include <memory>
#include <vector>

class TEntryReader;
class TEntryWriter;
class TVemoraEntryBasic;
struct TWeekdayRun;

// An entry's cache of its occurrence days, strictly ascending from the first occurrence of
// the series, so that the index of a day is the number of occurrences before it. The first
// days may be a run (still in the entry file, or a weekday pattern) rather than a list: a cache
// of decades of daily days costs nothing until something looks inside it.
class TMatchlist {
public:
    explicit TMatchlist(TVemoraEntryBasic* entry = nullptr);

    void Clear();
    void Add(qint32 day);
    // The first count days of run, after the days so far (which end before them).
    void AddWeekdayRun(const TWeekdayRun& run, qint32 count);
    int Count() const { return RunCount() + static_cast<int>(m_Days.size()); }
    qint32 Item(int index) const;
    std::vector<qint32> Days() const;
    // Makes the days what saving writes: stored days that cannot be read are computed afresh,
    // and days that cannot be computed either are forgotten (the list becomes not valid).
    void Settle() const;
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
    int RunCount() const { return m_Run ? m_Run->Count() : 0; }
    // Makes the run's inner days available; when they cannot be had (the file changed, or
    // its days are out of order) the cache is computed afresh as far as it reached.
    void PrepareRun() const;
    void Forget() const;
    // Writes Valid, the count and the days; false, having written nothing, when the run's days
    // cannot be had.
    bool WriteValidDays(TEntryWriter& writer) const;

    TVemoraEntryBasic* m_Entry;
    // A cache is refilled on demand even where it is only looked at.
    mutable std::shared_ptr<const TDayRun> m_Run;
    mutable std::vector<qint32> m_Days; // the days after the run
    mutable bool m_Valid = false;
    mutable bool m_Complete = false;
};
