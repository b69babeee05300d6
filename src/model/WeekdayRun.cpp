#include "model/WeekdayRun.h"

#include "support/DayNumbers.h"

TWeekdayMatches::TWeekdayMatches(qint32 from, quint8 weekdays)
    : m_From(from)
    , m_Weekdays(static_cast<quint8>(weekdays & 0xfe))
{
    const int firstWeekday = DayOfWeek(from);
    for (int offset = 0; offset < 7; ++offset) {
        const int weekday = (firstWeekday - 1 + offset) % 7 + 1;
        if ((weekdays >> weekday) & 1)
            m_Offsets[static_cast<std::size_t>(m_PerWeek++)] = offset;
    }
    Q_ASSERT(m_PerWeek > 0);
}

qint64 TWeekdayMatches::Day(qint64 index) const
{
    return m_From + 7 * (index / m_PerWeek) + m_Offsets[static_cast<std::size_t>(index % m_PerWeek)];
}

qint64 TWeekdayMatches::CountBefore(qint64 day) const
{
    if (day <= m_From)
        return 0;
    const qint64 distance = day - m_From;
    qint64 count = distance / 7 * m_PerWeek;
    const qint64 rest = distance % 7;
    for (int i = 0; i < m_PerWeek && m_Offsets[static_cast<std::size_t>(i)] < rest; ++i)
        ++count;
    return count;
}

qint64 TWeekdayRun::CountBefore(qint64 day) const
{
    const qint64 matches = Matches.CountBefore(day);
    return matches > First ? (matches - First - 1) / Step + 1 : 0;
}
