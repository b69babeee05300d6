#pragma once

#include "model/WeekdayRun.h"

#include <QtGlobal>

#include <memory>
#include <vector>

class TEntrySource;

// Whether days are strictly ascending, as lookups by binary search need them.
bool StrictlyAscending(const std::vector<qint32>& days);
// Appends count days stored as little-endian 32-bit numbers.
void AppendDays(const char* bytes, qint32 count, std::vector<qint32>& days);

// Where a cache's days lie in an entry file, with the first and last of them.
struct TDayBlock {
    qint64 Offset = 0;
    qint32 Count = 0;
    qint32 First = 0;
    qint32 BeforeLast = 0; // the last but one
    qint32 Last = 0;
};

// The first days of a cache, known without being held one by one: still in the entry file,
// or computed from a weekday pattern. Its first and last day are always at hand; what lies
// between may need Prepare first.
class TDayRun {
public:
    virtual ~TDayRun() = default;
    virtual qint32 Count() const = 0;
    virtual qint32 First() const = 0;
    virtual qint32 Last() const = 0;
    // Whether LowerBound(day) and the day it points to can be answered without Prepare.
    virtual bool Knows(qint32 day) const = 0;
    // Whether Item(index) can be answered without Prepare.
    virtual bool KnowsItem(qint32 index) const = 0;
    // Makes the inner days available; false when they cannot be had.
    virtual bool Prepare() const { return true; }
    // Makes Knows(day) true, reading no more than it needs to; false as for Prepare.
    virtual bool PrepareFrom(qint32 /*day*/) const { return Prepare(); }
    virtual qint32 Item(qint32 index) const = 0;
    // The index of the first day not before day.
    virtual qint32 LowerBound(qint32 day) const = 0;
    // Puts the days as an entry file stores them (4 bytes each) into out; false when they
    // cannot be had, as for Prepare.
    virtual bool CopyDays(char* out) const = 0;
};

// Days left in the entry file, read at the first look inside them.
class TStoredDayRun final : public TDayRun {
public:
    TStoredDayRun(std::shared_ptr<const TEntrySource> source, const TDayBlock& block);

    // What can be checked without reading the days (at least two): strictly ascending days
    // span at least as many days as there are.
    static bool Plausible(const TDayBlock& block);

    qint32 Count() const override { return m_Block.Count; }
    qint32 First() const override { return m_Block.First; }
    qint32 Last() const override { return m_Block.Last; }
    bool Knows(qint32 day) const override
    {
        return m_Read || day <= m_Block.First || day > m_Block.BeforeLast || (!m_Tail.empty() && day >= m_Tail.front());
    }
    bool KnowsItem(qint32 index) const override
    {
        return m_Read || index <= 0 || index >= m_Block.Count - 2 || (!m_Tail.empty() && index >= m_TailStart);
    }
    // Reads the days; false when the file cannot be read or has changed, or the days are not
    // strictly ascending.
    bool Prepare() const override;
    // For a day near the end, reads only the last days: those from day on and one before, which
    // strictly ascending days bound by the span from day to the last day. The calendar and the
    // due test look at recent days of caches that reach back decades.
    bool PrepareFrom(qint32 day) const override;
    qint32 Item(qint32 index) const override;
    qint32 LowerBound(qint32 day) const override;
    // Straight from the file when not yet read, so that saving holds no copy of the days.
    bool CopyDays(char* out) const override;

private:
    // Reads the days' bytes into out; false as for Prepare.
    bool ReadDays(char* out) const;
    bool ReadTail(qint32 count) const;

    std::shared_ptr<const TEntrySource> m_Source;
    TDayBlock m_Block;
    mutable std::vector<qint32> m_Days;
    mutable bool m_Read = false;
    // The last days alone, from index m_TailStart on, while the others stay in the file.
    mutable std::vector<qint32> m_Tail;
    mutable qint32 m_TailStart = 0;
};

// The first count days of a weekday run.
class TWeekdayDayRun final : public TDayRun {
public:
    TWeekdayDayRun(const TWeekdayRun& run, qint32 count);

    // Whether next continues this run: the same pattern, resumed after its last day.
    bool IsContinuedBy(const TWeekdayRun& next) const;

    qint32 Count() const override { return m_Count; }
    qint32 First() const override { return Item(0); }
    qint32 Last() const override { return Item(m_Count - 1); }
    bool Knows(qint32) const override { return true; }
    bool KnowsItem(qint32) const override { return true; }
    qint32 Item(qint32 index) const override { return static_cast<qint32>(m_Run.Day(index)); }
    qint32 LowerBound(qint32 day) const override;
    bool CopyDays(char* out) const override;
    const TWeekdayRun& Run() const { return m_Run; }

private:
    TWeekdayRun m_Run;
    qint32 m_Count;
};
