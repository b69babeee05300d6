#include "model/DayRun.h"

#include "model/EntrySource.h"

#include <QtEndian>

#include <algorithm>
#include <functional>

bool StrictlyAscending(const std::vector<qint32>& days)
{
    return std::adjacent_find(days.begin(), days.end(), std::greater_equal<qint32>()) == days.end();
}

void AppendDays(const char* bytes, qint32 count, std::vector<qint32>& days)
{
    days.reserve(days.size() + static_cast<std::size_t>(std::max(count, 0)));
    for (qint32 i = 0; i < count; ++i)
        days.push_back(qFromLittleEndian<qint32>(bytes + 4 * static_cast<std::ptrdiff_t>(i)));
}

TStoredDayRun::TStoredDayRun(std::shared_ptr<const TEntrySource> source, const TDayBlock& block)
    : m_Source(std::move(source))
    , m_Block(block)
{
}

bool TStoredDayRun::Plausible(const TDayBlock& block)
{
    return block.Count >= 2 && block.First < block.BeforeLast && block.BeforeLast < block.Last &&
           static_cast<qint64>(block.Last) - block.First >= block.Count - 1;
}

bool TStoredDayRun::Prepare() const
{
    if (m_Read)
        return true;
    std::vector<char> bytes(static_cast<std::size_t>(m_Block.Count) * 4);
    if (!ReadDays(bytes.data()))
        return false;
    AppendDays(bytes.data(), m_Block.Count, m_Days);
    m_Read = true;
    m_Tail = {};
    return true;
}

bool TStoredDayRun::PrepareFrom(qint32 day) const
{
    if (Knows(day))
        return true;
    const qint64 needed = qint64(m_Block.Last) - day + 2;
    // Half the days or more: one read of them all costs less than two.
    if (needed * 2 > m_Block.Count)
        return Prepare();
    return ReadTail(static_cast<qint32>(needed)) || Prepare();
}

bool TStoredDayRun::ReadTail(qint32 count) const
{
    std::vector<char> bytes(static_cast<std::size_t>(count) * 4);
    const qint32 start = m_Block.Count - count;
    if (!m_Source->Unchanged() || !m_Source->ReadAt(m_Block.Offset + 4 * static_cast<qint64>(start), bytes.data(), qint64(count) * 4))
        return false;
    std::vector<qint32> tail;
    AppendDays(bytes.data(), count, tail);
    if (tail.back() != m_Block.Last || tail[tail.size() - 2] != m_Block.BeforeLast || tail.front() <= m_Block.First ||
        !StrictlyAscending(tail))
        return false;
    m_Tail = std::move(tail);
    m_TailStart = start;
    return true;
}

bool TStoredDayRun::CopyDays(char* out) const
{
    if (!m_Read)
        return ReadDays(out);
    qToLittleEndian<qint32>(m_Days.data(), static_cast<qsizetype>(m_Days.size()), out);
    return true;
}

bool TStoredDayRun::ReadDays(char* out) const
{
    if (!m_Source->Unchanged() || !m_Source->ReadAt(m_Block.Offset, out, static_cast<qint64>(m_Block.Count) * 4))
        return false;
    const auto day = [out](qint32 index) { return qFromLittleEndian<qint32>(out + 4 * static_cast<std::ptrdiff_t>(index)); };
    const qint32 last = m_Block.Count - 1;
    if (day(0) != m_Block.First || day(last - 1) != m_Block.BeforeLast || day(last) != m_Block.Last)
        return false;
    for (qint32 i = 1; i <= last; ++i) {
        if (day(i - 1) >= day(i))
            return false;
    }
    return true;
}

qint32 TStoredDayRun::Item(qint32 index) const
{
    if (m_Read)
        return m_Days[static_cast<std::size_t>(index)];
    if (!m_Tail.empty() && index >= m_TailStart)
        return m_Tail[static_cast<std::size_t>(index - m_TailStart)];
    if (index <= 0)
        return m_Block.First;
    return index == m_Block.Count - 2 ? m_Block.BeforeLast : m_Block.Last;
}

qint32 TStoredDayRun::LowerBound(qint32 day) const
{
    if (m_Read)
        return static_cast<qint32>(std::lower_bound(m_Days.begin(), m_Days.end(), day) - m_Days.begin());
    if (day <= m_Block.First)
        return 0;
    if (day > m_Block.Last)
        return m_Block.Count;
    if (!m_Tail.empty() && day >= m_Tail.front())
        return m_TailStart + static_cast<qint32>(std::lower_bound(m_Tail.begin(), m_Tail.end(), day) - m_Tail.begin());
    return day > m_Block.BeforeLast ? m_Block.Count - 1 : m_Block.Count - 2;
}

TWeekdayDayRun::TWeekdayDayRun(const TWeekdayRun& run, qint32 count)
    : m_Run(run)
    , m_Count(count)
{
}

bool TWeekdayDayRun::IsContinuedBy(const TWeekdayRun& next) const
{
    return next.Step == m_Run.Step && next.Matches.Weekdays() == m_Run.Matches.Weekdays() &&
           next.Day(0) == m_Run.Day(m_Count);
}

qint32 TWeekdayDayRun::LowerBound(qint32 day) const
{
    return static_cast<qint32>(std::min<qint64>(m_Run.CountBefore(day), m_Count));
}

bool TWeekdayDayRun::CopyDays(char* out) const
{
    for (qint32 i = 0; i < m_Count; ++i)
        qToLittleEndian<qint32>(Item(i), out + 4 * static_cast<std::ptrdiff_t>(i));
    return true;
}
