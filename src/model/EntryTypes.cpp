#include "model/EntryTypes.h"

#include "support/DayNumbers.h"
#include "support/NLS.h"

#include <array>

namespace {

constexpr std::array<quint32, EntryKindCount> KindNameIds = {0x7A4F9867, 0x490AEE68, 0x75B6F57F, 0x117DC170,
                                                             0x4A125EA7};
constexpr std::array<quint32, EntryKindCount> UnitSingularIds = {0x7A4F9867, 0x4614BFE0, 0x54AF411E, 0x05477ACD,
                                                                 0x2FC425AD};
constexpr std::array<quint32, EntryKindCount> UnitPluralIds = {0x7A4F9867, 0x3B9A262A, 0x6F803623, 0x148DF160,
                                                               0x29FB3272};

} // namespace

bool IsValidEntryKind(int kind)
{
    return kind >= 0 && kind < EntryKindCount;
}

QString KindName(TEntryKind kind)
{
    return IsValidEntryKind(kind) ? LanguageText(KindNameIds[kind]) : QString();
}

QString RepetitionUnitName(TEntryKind kind, bool singular)
{
    if (!IsValidEntryKind(kind))
        return QString();
    return LanguageText(singular ? UnitSingularIds[kind] : UnitPluralIds[kind]);
}

bool IsWorkingDay(int day)
{
    const int weekday = DayOfWeek(day);
    return weekday != 1 && weekday != 7;
}

bool IsDailyDayKind(int kind)
{
    return kind == dkWorkingDay || kind == dkWeekend || kind == dkAnyDay;
}

bool MatchesDayKind(int day, int kind)
{
    switch (kind) {
    case dkWorkingDay:
        return IsWorkingDay(day);
    case dkWeekend:
        return !IsWorkingDay(day);
    case dkAnyDay:
        return true;
    default:
        return false;
    }
}

int NextDayOfKind(int day, int kind)
{
    if (!IsDailyDayKind(kind) || day >= MaxDayNumber)
        return day;
    int next = day + 1;
    while (!MatchesDayKind(next, kind)) // at most two days: a weekend or three working days ahead
        ++next;
    return next;
}

bool MatchesMonthDayKind(int day, int kind)
{
    if (kind >= dkSunday && kind <= dkSaturday)
        return DayOfWeek(day) == kind;
    return MatchesDayKind(day, kind);
}

int LeapAdjustYear(int year, int month, int day)
{
    if (month != 2 || day != 29)
        return year;
    while (!IsLeapYear(year))
        ++year;
    return year;
}
