#include "cli/EventDays.h"

#include "support/DayNumbers.h"

#include <QDateTime>

#include <algorithm>

namespace {

// Stops a rule without end that the window does not stop, such as one before year 1.
constexpr int MaxInstances = 200'000;

} // namespace

// Not icaltime_null_date(): its time fields of -1 lead libical's iterator astray.
icaltimetype DateValue(qint32 day)
{
    const TCivilDate date = CivilFromDay(day);
    icaltimetype value = icaltime_null_time();
    value.is_date = 1;
    value.year = date.Year;
    value.month = static_cast<int>(date.Month);
    value.day = static_cast<int>(date.Day);
    return value;
}

qint32 DayOf(const icaltimetype& time)
{
    return DayFromCivil(time.year, static_cast<unsigned>(time.month), static_cast<unsigned>(time.day));
}

std::optional<TLocalStart> LocalStart(const icaltimetype& time)
{
    if (icaltime_is_null_time(time) || !icaltime_is_valid_time(time))
        return std::nullopt;
    QDate date(time.year, time.month, time.day);
    QTime clock(time.hour, time.minute);
    if (!time.is_date && time.zone) {
        const QDateTime local = QDateTime::fromSecsSinceEpoch(icaltime_as_timet_with_zone(time, time.zone)).toLocalTime();
        date = local.date();
        clock = local.time();
    }
    if (!date.isValid() || date.year() < 1 || date.year() > 9999)
        return std::nullopt;
    TLocalStart local;
    local.Day = DayFromCivil(date.year(), static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    local.OtherDay = date != QDate(time.year, time.month, time.day);
    if (!time.is_date)
        local.Time = clock.toString(QStringLiteral("HH:mm"));
    return local;
}

std::vector<TLocalStart> LocalOccurrences(icalcomponent* event, qint32 from, qint32 to, std::set<qint32> skipped)
{
    const icaltimetype start = icalcomponent_get_dtstart(event);
    const auto localDay = [&start](icaltimetype time) {
        if (!time.is_date && !time.zone)
            time.zone = start.zone;
        return LocalStart(time);
    };
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY))
        if (const auto day = localDay(icalproperty_get_exdate(p)))
            skipped.insert(day->Day);
    std::vector<TLocalStart> days;
    const auto keep = [&](const icaltimetype& time) { // false past the window
        const std::optional<TLocalStart> local = localDay(time);
        if (local && local->Day >= from && local->Day <= to && !skipped.count(local->Day))
            days.push_back(*local);
        return !local || local->Day <= to;
    };
    if (icalproperty* rule = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY)) {
        const icalrecurrencetype recurrence = icalproperty_get_rrule(rule);
        icalrecur_iterator* instances = icalrecur_iterator_new(recurrence, start);
        // libical walks the decades before the window quickly, though not under a COUNT.
        if (instances && recurrence.count == 0 && start.is_date && from - 1 > LocalStart(start).value_or(TLocalStart{}).Day)
            icalrecur_iterator_set_start(instances, DateValue(from - 1));
        for (int i = 0; instances && i < MaxInstances; ++i) {
            const icaltimetype next = icalrecur_iterator_next(instances);
            if (icaltime_is_null_time(next) || !keep(next))
                break;
        }
        if (instances)
            icalrecur_iterator_free(instances);
    } else {
        keep(start);
    }
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_RDATE_PROPERTY)) {
        const icaldatetimeperiodtype value = icalproperty_get_rdate(p);
        keep(icaltime_is_null_time(value.time) ? value.period.start : value.time);
    }
    std::sort(days.begin(), days.end(), [](const TLocalStart& a, const TLocalStart& b) { return a.Day < b.Day; });
    days.erase(std::unique(days.begin(), days.end(), [](const TLocalStart& a, const TLocalStart& b) { return a.Day == b.Day; }),
               days.end());
    return days;
}
