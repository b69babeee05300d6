#include "cli/ImportedRule.h"

#include "cli/EventDays.h"
#include "cli/ImportTexts.h"

#include "model/ModelErrors.h"
#include "model/VemoraEntryKinds.h"
#include "model/VemoraEntryMonthRelated.h"
#include "support/DayNumbers.h"

#include <algorithm>
#include <bit>
#include <optional>
#include <vector>

namespace {

constexpr short ArrayEnd = ICAL_RECURRENCE_ARRAY_MAX;

std::vector<short> Values(const short* values, int size)
{
    std::vector<short> found;
    for (int i = 0; i < size && values[i] != ArrayEnd; ++i)
        found.push_back(values[i]);
    return found;
}

TImportedDates Refused(const char* reason)
{
    return {nullptr, ImportText(reason)};
}

template <typename Entry> std::unique_ptr<Entry> NewEntry(qint32 first, int repetition)
{
    auto entry = std::make_unique<Entry>();
    entry->SetDateStart(first);
    entry->SetDateStop(NoDateStop);
    entry->SetMaxCount(NoMaxCount);
    entry->SetRepetition(repetition);
    return entry;
}

// What the rule names beyond its frequency, interval and end; an entry can say none of it.
const char* UnsupportedPart(const icalrecurrencetype& rule)
{
    if (rule.freq == ICAL_SECONDLY_RECURRENCE || rule.freq == ICAL_MINUTELY_RECURRENCE ||
        rule.freq == ICAL_HOURLY_RECURRENCE)
        return "repeats more often than daily";
    if (rule.freq == ICAL_NO_RECURRENCE)
        return "a rule without FREQ";
    if (!Values(rule.by_set_pos, ICAL_BY_SETPOS_SIZE).empty())
        return "BYSETPOS has no exact equal";
    if (!Values(rule.by_year_day, ICAL_BY_YEARDAY_SIZE).empty() || !Values(rule.by_week_no, ICAL_BY_WEEKNO_SIZE).empty())
        return "BYYEARDAY and BYWEEKNO have no exact equal";
    if (!Values(rule.by_hour, ICAL_BY_HOUR_SIZE).empty() || !Values(rule.by_minute, ICAL_BY_MINUTE_SIZE).empty() ||
        !Values(rule.by_second, ICAL_BY_SECOND_SIZE).empty())
        return "BYHOUR, BYMINUTE and BYSECOND have no exact equal";
    if (Values(rule.by_month_day, ICAL_BY_MONTHDAY_SIZE).size() > 1)
        return "several BYMONTHDAY values have no exact equal";
    if (Values(rule.by_month, ICAL_BY_MONTH_SIZE).size() > 1)
        return "several BYMONTH values have no exact equal";
    if (rule.rscale)
        return "RSCALE has no exact equal";
    return nullptr;
}

// Bit n stands for weekday n (1 = Sunday), as a weekly entry keeps them; 0 when a day has a
// position.
quint8 WeekdayBits(const std::vector<short>& days)
{
    quint8 bits = 0;
    for (const short day : days) {
        if (icalrecurrencetype_day_position(day) != 0)
            return 0;
        bits |= static_cast<quint8>(1u << static_cast<int>(icalrecurrencetype_day_day_of_week(day)));
    }
    return bits;
}

TImportedDates WeekdayEntry(const std::vector<short>& days, int interval, qint32 first)
{
    const quint8 bits = days.empty() ? static_cast<quint8>(1u << DayOfWeek(first)) : WeekdayBits(days);
    if (bits == 0)
        return Refused("BYDAY with a position in a daily or weekly rule has no exact equal");
    if (!((bits >> DayOfWeek(first)) & 1))
        return Refused("the start is not one of the rule's weekdays");
    // The entry counts matching days, a rule counts weeks: alike only for one weekday.
    if (interval > 1 && std::popcount(bits) > 1)
        return Refused("every n-th week on several weekdays has no exact equal");
    auto entry = NewEntry<TVemoraEntryWeekly>(first, interval);
    entry->SetWeekdays(bits);
    return {std::move(entry), {}};
}

// The day of the period as BYMONTHDAY or BYDAY (one value) say it, else the start's day.
// Days that some months lack are skipped by a rule, moved by an entry: refused.
std::optional<quint8> DaySpec(const icalrecurrencetype& rule, qint32 first, int lastCommonDay, QString& reason)
{
    const std::vector<short> monthDays = Values(rule.by_month_day, ICAL_BY_MONTHDAY_SIZE);
    const std::vector<short> days = Values(rule.by_day, ICAL_BY_DAY_SIZE);
    if (!monthDays.empty() && !days.empty()) {
        reason = ImportText("BYMONTHDAY with BYDAY has no exact equal");
        return std::nullopt;
    }
    if (days.size() > 1) {
        reason = ImportText("several BYDAY values in a monthly or yearly rule have no exact equal");
        return std::nullopt;
    }
    if (days.size() == 1) {
        const int position = icalrecurrencetype_day_position(days.front());
        if (position < -1 || position == 0 || position > 4) {
            reason = ImportText("BYDAY needs a position from 1 to 4 or -1 here");
            return std::nullopt;
        }
        const int cycle = position == -1 ? dcLast : position;
        return static_cast<quint8>((cycle << 5) | static_cast<int>(icalrecurrencetype_day_day_of_week(days.front())));
    }
    const int day = monthDays.empty() ? static_cast<int>(CivilFromDay(first).Day) : monthDays.front();
    if (day == -1)
        return static_cast<quint8>((dcLast << 5) | dkAnyDay);
    if (day < 1 || day > lastCommonDay) {
        reason = ImportText("a day of the month that some periods lack has no exact equal");
        return std::nullopt;
    }
    return static_cast<quint8>(day);
}

TImportedDates MonthRelatedEntry(const icalrecurrencetype& rule, int interval, qint32 first)
{
    QString reason;
    const std::vector<short> months = Values(rule.by_month, ICAL_BY_MONTH_SIZE);
    if (rule.freq == ICAL_MONTHLY_RECURRENCE) {
        if (!months.empty())
            return Refused("BYMONTH in a monthly rule has no exact equal");
        const std::optional<quint8> spec = DaySpec(rule, first, 28, reason);
        if (!spec)
            return {nullptr, reason};
        auto entry = NewEntry<TVemoraEntryMonthly>(first, interval);
        entry->SetDaySpec(*spec);
        return {std::move(entry), {}};
    }
    const int month = months.empty() ? static_cast<int>(CivilFromDay(first).Month) : months.front();
    if (month < 1 || month > 12)
        return Refused("a month outside 1 to 12");
    // 2001 is a common year: 29 February is no day of every year.
    const std::optional<quint8> spec = DaySpec(rule, first, static_cast<int>(DaysInMonth(2001, month)), reason);
    if (!spec)
        return {nullptr, reason};
    auto entry = NewEntry<TVemoraEntryYearly>(first, interval);
    entry->SetMonth(static_cast<quint8>(month));
    entry->SetDaySpec(*spec);
    return {std::move(entry), {}};
}

TImportedDates PatternEntry(const icalrecurrencetype& rule, qint32 first)
{
    if (const char* part = UnsupportedPart(rule))
        return Refused(part);
    const int interval = std::max(static_cast<int>(rule.interval), 1);
    const std::vector<short> days = Values(rule.by_day, ICAL_BY_DAY_SIZE);
    switch (rule.freq) {
    case ICAL_DAILY_RECURRENCE:
        if (!Values(rule.by_month_day, ICAL_BY_MONTHDAY_SIZE).empty() || !Values(rule.by_month, ICAL_BY_MONTH_SIZE).empty())
            return Refused("BYMONTHDAY or BYMONTH in a daily rule has no exact equal");
        if (days.empty()) {
            auto entry = NewEntry<TVemoraEntryDaily>(first, interval);
            entry->SetDayKind(dkAnyDay);
            return {std::move(entry), {}};
        }
        if (interval > 1)
            return Refused("every n-th day on some weekdays has no exact equal");
        return WeekdayEntry(days, 1, first);
    case ICAL_WEEKLY_RECURRENCE:
        if (!Values(rule.by_month_day, ICAL_BY_MONTHDAY_SIZE).empty() || !Values(rule.by_month, ICAL_BY_MONTH_SIZE).empty())
            return Refused("BYMONTHDAY or BYMONTH in a weekly rule has no exact equal");
        return WeekdayEntry(days, interval, first);
    default:
        return MonthRelatedEntry(rule, interval, first);
    }
}

// The end on the local calendar, as the start is taken: an evening in America ends on a UTC
// date one day later.
qint32 UntilDay(const icaltimetype& until)
{
    const std::optional<TLocalStart> local = LocalStart(until);
    return local ? local->Day : DayOf(until);
}

} // namespace

TImportedDates EntryForRule(const icalrecurrencetype* rule, qint32 first)
{
    if (!rule)
        return {NewEntry<TVemoraEntryOnce>(first, 1), {}};
    TImportedDates dates = PatternEntry(*rule, first);
    if (!dates.Entry)
        return dates;
    if (rule->count > 0)
        dates.Entry->SetMaxCount(rule->count);
    else if (!icaltime_is_null_time(rule->until))
        dates.Entry->SetDateStop(UntilDay(rule->until));
    return dates;
}

bool HasTheRulesDays(TVemoraEntryBasic& entry, const icalrecurrencetype& rule, qint32 first, int count)
{
    // The days count, so the end is a day as the start is.
    icalrecurrencetype dayRule = rule;
    if (!icaltime_is_null_time(dayRule.until))
        dayRule.until = DateValue(UntilDay(rule.until));
    icalrecur_iterator* days = icalrecur_iterator_new(dayRule, DateValue(first));
    if (!days)
        return false;
    bool same = true;
    qint32 expected = first - 1;
    try {
        for (int i = 0; i < count && same; ++i) {
            const icaltimetype next = icalrecur_iterator_next(days);
            qint32 found = 0;
            const bool entryHasOne = entry.FindOccurrence(expected, found, FindNext);
            if (icaltime_is_null_time(next)) {
                same = !entryHasOne;
                break;
            }
            same = entryHasOne && found == DayOf(next);
            expected = found;
        }
    } catch (const std::runtime_error&) {
        same = false; // days the entry cannot compute
    }
    icalrecur_iterator_free(days);
    return same;
}
