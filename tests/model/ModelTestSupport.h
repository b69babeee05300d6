#pragma once

#include "model/VemoraEntryKinds.h"
#include "model/VemoraEntryMonthRelated.h"
#include "support/DayNumbers.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <memory>

// "2026-03-14" as a day number.
inline qint32 Day(const char* iso)
{
    const QDate date = QDate::fromString(QString::fromLatin1(iso), Qt::ISODate);
    return DayFromCivil(date.year(), static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
}

inline QString Iso(qint32 day)
{
    const TCivilDate date = CivilFromDay(day);
    return QDate(date.Year, static_cast<int>(date.Month), static_cast<int>(date.Day)).toString(Qt::ISODate);
}

// The first count occurrences of the series (fewer when it ends), as ISO dates.
inline QStringList Occurrences(TVemoraEntryBasic& entry, int count)
{
    entry.FillMatches(0, [count](const TMatchlist& matches, qint32) { return matches.Count() >= count; });
    QStringList days;
    for (int i = 0; i < std::min(count, entry.MatchList().Count()); ++i)
        days.append(Iso(entry.MatchList().Item(i)));
    return days;
}

// An entry without limits, as the editor makes a new one.
template <typename Entry>
std::unique_ptr<Entry> MakeEntry(const char* start, qint32 repetition = 1)
{
    auto entry = std::make_unique<Entry>();
    entry->SetDateStart(Day(start));
    entry->SetDateStop(NoDateStop);
    entry->SetMaxCount(NoMaxCount);
    entry->SetRepetition(repetition);
    return entry;
}

inline quint8 WeekdayBits(std::initializer_list<int> weekdays)
{
    quint8 bits = 0;
    for (int weekday : weekdays)
        bits = static_cast<quint8>(bits | (1u << weekday));
    return bits;
}

inline quint8 DaySpecOf(int cycle, int dayOrKind)
{
    return static_cast<quint8>((cycle << 5) | dayOrKind);
}
