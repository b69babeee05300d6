#include "cli/CalendarRules.h"

#include "cli/IsoDates.h"

#include "model/VemoraEntryKinds.h"
#include "model/VemoraEntryMonthRelated.h"
#include "support/DayNumbers.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <bit>

namespace {

constexpr std::array<const char*, 8> WeekdayCodes = {"", "SU", "MO", "TU", "WE", "TH", "FR", "SA"};

QString Interval(qint32 step)
{
    return step > 1 ? QStringLiteral(";INTERVAL=%1").arg(step) : QString();
}

QString WeekdayList(quint8 weekdays)
{
    QStringList codes;
    for (int weekday = 1; weekday <= 7; ++weekday)
        if ((weekdays >> weekday) & 1)
            codes.append(QLatin1String(WeekdayCodes[static_cast<std::size_t>(weekday)]));
    return codes.join(u',');
}

// Repetition counts matching days, a rule's interval counts weeks: every n-th of k weekdays is
// the same weekday every n/k weeks only when k divides n.
std::optional<QString> WeekdaySetPattern(quint8 weekdays, qint32 step, qint32 first)
{
    const int perWeek = std::popcount(weekdays);
    if (perWeek == 7)
        return QStringLiteral("FREQ=DAILY") + Interval(step);
    if (step == 1)
        return QStringLiteral("FREQ=WEEKLY;BYDAY=") + WeekdayList(weekdays);
    if (step % perWeek != 0)
        return std::nullopt;
    return QStringLiteral("FREQ=WEEKLY") + Interval(step / perWeek) + QStringLiteral(";BYDAY=") +
           QLatin1String(WeekdayCodes[static_cast<std::size_t>(DayOfWeek(first))]);
}

// The day of the month as the model picks it. A fixed day missing from some period makes the
// model throw or move to a leap year, where a rule would skip the period: only days every
// period has (up to lastFixedDay) are said as a rule. Working and weekend days are not.
std::optional<QString> DayOfMonthPattern(const TVemoraEntryMonthRelated& entry, int lastFixedDay)
{
    const int cycle = entry.DayCycle();
    if (cycle == dcNone) {
        if (entry.Day() > lastFixedDay)
            return std::nullopt;
        return QStringLiteral("BYMONTHDAY=%1").arg(entry.Day());
    }
    const int position = cycle == dcLast ? -1 : cycle;
    const int kind = entry.DayKind();
    if (kind >= dkSunday && kind <= dkSaturday) {
        const QLatin1String weekday(WeekdayCodes[static_cast<std::size_t>(kind)]);
        return QStringLiteral("BYDAY=%1%2").arg(position).arg(weekday);
    }
    // The n-th of any day is day n, the last is the month's last day.
    if (kind == dkAnyDay)
        return QStringLiteral("BYMONTHDAY=%1").arg(position);
    return std::nullopt;
}

// Every period holds one occurrence in these cases, and the walk records every step-th period's.
std::optional<QString> MonthRelatedPattern(const TVemoraEntryMonthRelated& entry, qint32 step)
{
    if (!entry.CanMatch())
        return std::nullopt;
    if (const auto* yearly = dynamic_cast<const TVemoraEntryYearly*>(&entry)) {
        // 2001 is a common year: 29 February is no day of every year.
        const auto day = DayOfMonthPattern(entry, static_cast<int>(DaysInMonth(2001, yearly->Month())));
        if (!day)
            return std::nullopt;
        return QStringLiteral("FREQ=YEARLY%1;BYMONTH=%2;%3").arg(Interval(step)).arg(yearly->Month()).arg(*day);
    }
    const auto day = DayOfMonthPattern(entry, 28);
    if (!day)
        return std::nullopt;
    return QStringLiteral("FREQ=MONTHLY%1;%2").arg(Interval(step), *day);
}

std::optional<QString> Pattern(const TVemoraEntryBasic& entry, qint32 first)
{
    const qint32 step = std::max(entry.Repetition(), 1);
    if (entry.Kind() == ekDaily || entry.Kind() == ekWeekly) {
        const std::optional<quint8> weekdays = entry.WeekdaySet();
        return weekdays ? WeekdaySetPattern(*weekdays, step, first) : std::nullopt;
    }
    if (const auto* related = dynamic_cast<const TVemoraEntryMonthRelated*>(&entry))
        return MonthRelatedPattern(*related, step);
    return std::nullopt;
}

// The walk ends at whichever limit it meets first; a rule takes one limit, so with both the
// last occurrence becomes the stop day.
QString SeriesEnd(TVemoraEntryBasic& entry)
{
    qint32 last = 0;
    if (entry.HasDateStop() && entry.HasMaxCount() && entry.FindOccurrence(entry.DateStop(), last, FindOnOrBefore))
        return QStringLiteral(";UNTIL=") + BasicDate(last);
    if (entry.HasMaxCount())
        return QStringLiteral(";COUNT=%1").arg(entry.MaxCount());
    if (entry.HasDateStop())
        return QStringLiteral(";UNTIL=") + BasicDate(entry.DateStop());
    return QString();
}

} // namespace

std::optional<QString> ExactRepeatRule(TVemoraEntryBasic& entry, qint32 first)
{
    const std::optional<QString> pattern = Pattern(entry, first);
    if (!pattern)
        return std::nullopt;
    return *pattern + SeriesEnd(entry);
}

QString BasicDate(qint32 day)
{
    return IsoDate(day).remove(u'-');
}
