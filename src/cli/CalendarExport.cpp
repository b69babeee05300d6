#include "cli/CalendarExport.h"

#include "cli/CalendarRules.h"
#include "model/ModelErrors.h"
#include "model/VemoraEntries.h"
#include "support/DayNumbers.h"

#include <QCryptographicHash>
#include <QList>

#include <libical/ical.h>

#include <algorithm>
#include <memory>
#include <optional>

namespace {

const char* const ProductId = "-//Orvalin//Vemora 2.1//EN";
const QString CountPlaceholder = QStringLiteral("$(COUNT)");

struct TComponentFree {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using TComponent = std::unique_ptr<icalcomponent, TComponentFree>;

// What one entry becomes: a rule from its first occurrence on, or its days within the window.
struct TEntryDates {
    std::optional<QString> Rule;
    qint32 First = 0;
    QList<qint32> Days;
};

// What the events of one export share.
struct TExportContext {
    const TVemoraEntries& Entries;
    TExportWindow Window;
    QString IdSuffix; // "-<hash of the file path>@vemora"
    icaltimetype Stamp;
    icalcomponent* Calendar;
};

qint32 ShiftYears(qint32 day, int years)
{
    const TCivilDate date = CivilFromDay(day);
    const int year = std::clamp(date.Year + years, 1, 9999);
    return DayFromCivil(year, date.Month, std::min(date.Day, DaysInMonth(year, date.Month)));
}

icaltimetype DateValue(qint32 day)
{
    const TCivilDate date = CivilFromDay(day);
    icaltimetype value = icaltime_null_date();
    value.year = date.Year;
    value.month = static_cast<int>(date.Month);
    value.day = static_cast<int>(date.Day);
    return value;
}

// The cache is filled only as far as the window reaches.
void AppendDaysInWindow(TVemoraEntryBasic& entry, const TExportWindow& window, QList<qint32>& days)
{
    qint32 day = window.From;
    if (entry.IsOccurrenceDay(day))
        days.append(day);
    qint32 next = 0;
    while (entry.FindOccurrence(day, next, FindNext) && next <= window.To) {
        day = next;
        days.append(day);
    }
}

// A series without a day in the window is left out, rule or not.
bool HasDayInWindow(TVemoraEntryBasic& entry, const TExportWindow& window)
{
    qint32 next = 0;
    return entry.FindOccurrence(window.From - 1, next, FindNext) && next <= window.To;
}

TEntryDates DatesOf(TVemoraEntryBasic& entry, int index, const TExportWindow& window, const TEntryFaultReport& report)
{
    TEntryDates dates;
    // A text with $(COUNT) differs from day to day, so such entries always list their days.
    if (!entry.DisplayText().contains(CountPlaceholder)) {
        try {
            if (entry.FindOccurrence(entry.DateStart() - 1, dates.First, FindNext))
                dates.Rule = ExactRepeatRule(entry, dates.First);
            if (dates.Rule) {
                if (!HasDayInWindow(entry, window))
                    dates.Rule.reset();
                return dates;
            }
        } catch (const EDateOverflow&) {
            dates.Rule.reset(); // the listing below reports the fault where the window reaches it
        } catch (const EInvalidDate&) {
            dates.Rule.reset();
        }
    }
    try {
        AppendDaysInWindow(entry, window, dates.Days);
    } catch (const EDateOverflow& error) {
        report(index, entry, error);
    } catch (const EInvalidDate& error) {
        report(index, entry, error);
    }
    return dates;
}

icalcomponent* NewAlarm(const QString& text, int daysAhead)
{
    icalcomponent* alarm = icalcomponent_new(ICAL_VALARM_COMPONENT);
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icalcomponent_add_property(alarm, icalproperty_new_description(text.toUtf8().constData()));
    icaltriggertype trigger{};
    trigger.time = icaltime_null_time();
    trigger.duration = icaldurationtype_null_duration();
    trigger.duration.is_neg = 1;
    trigger.duration.days = static_cast<unsigned>(daysAhead);
    icalproperty* property = icalproperty_new_trigger(trigger);
    icalproperty_add_parameter(property, icalparameter_new_related(ICAL_RELATED_START));
    icalcomponent_add_property(alarm, property);
    return alarm;
}

// An all-day event on day, added to the calendar.
icalcomponent* AddEvent(const TExportContext& context, const QString& id, qint32 day, const QString& summary,
                        const TVemoraEntryBasic& entry)
{
    icalcomponent* event = icalcomponent_new(ICAL_VEVENT_COMPONENT);
    icalcomponent_add_property(event, icalproperty_new_uid((id + context.IdSuffix).toUtf8().constData()));
    icalcomponent_add_property(event, icalproperty_new_dtstamp(context.Stamp));
    icalcomponent_add_property(event, icalproperty_new_dtstart(DateValue(day)));
    // Without DTEND an all-day event lasts its day; some importers want it said.
    if (day < MaxDayNumber)
        icalcomponent_add_property(event, icalproperty_new_dtend(DateValue(day + 1)));
    icalcomponent_add_property(event, icalproperty_new_summary(summary.toUtf8().constData()));
    if (!entry.Comment().isEmpty())
        icalcomponent_add_property(event, icalproperty_new_description(entry.Comment().toUtf8().constData()));
    QString category;
    if (entry.Category() != 0 && context.Entries.Categories().NameOfId(entry.Category(), category) &&
        !category.isEmpty())
        icalcomponent_add_property(event, icalproperty_new_categories(category.toUtf8().constData()));
    if (entry.AdvanceWarn() > 0)
        icalcomponent_add_component(event, NewAlarm(summary, entry.AdvanceWarn()));
    icalcomponent_add_component(context.Calendar, event);
    return event;
}

void AddEntry(const TExportContext& context, int index, TVemoraEntryBasic& entry, const TEntryFaultReport& report)
{
    const TEntryDates dates = DatesOf(entry, index, context.Window, report);
    const QString id = QString::number(index);
    if (dates.Rule) {
        icalcomponent* event = AddEvent(context, id, dates.First, entry.DisplayText(), entry);
        const icalrecurrencetype rule = icalrecurrencetype_from_string(dates.Rule->toLatin1().constData());
        icalcomponent_add_property(event, icalproperty_new_rrule(rule));
        return;
    }
    if (entry.DisplayText().contains(CountPlaceholder)) {
        for (const qint32 day : dates.Days)
            AddEvent(context, id + u'-' + BasicDate(day), day, entry.AlertText(day), entry);
        return;
    }
    if (dates.Days.isEmpty())
        return;
    icalcomponent* event = AddEvent(context, id, dates.Days.first(), entry.DisplayText(), entry);
    for (qsizetype i = 1; i < dates.Days.size(); ++i) {
        icaldatetimeperiodtype day{};
        day.time = DateValue(dates.Days[i]);
        day.period = icalperiodtype_null_period();
        icalcomponent_add_property(event, icalproperty_new_rdate(day));
    }
}

} // namespace

TExportWindow DefaultExportWindow(qint32 today)
{
    return {ShiftYears(today, -1), ShiftYears(today, 2)};
}

QByteArray ExportCalendar(TVemoraEntries& entries, const QString& filePath, const TExportWindow& window,
                          const TEntryFaultReport& report)
{
    const TComponent calendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid(ProductId));
    const QByteArray pathHash = QCryptographicHash::hash(filePath.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    const TExportContext context{entries, window, QStringLiteral("-%1@vemora").arg(QString::fromLatin1(pathHash)),
                                 icaltime_current_time_with_zone(icaltimezone_get_utc_timezone()), calendar.get()};
    for (int i = 0; i < entries.Count(); ++i) {
        TVemoraEntryBasic& entry = *entries.Items(i);
        if (entry.Active())
            AddEntry(context, i, entry, report);
    }
    char* text = icalcomponent_as_ical_string_r(calendar.get());
    QByteArray result(text);
    icalmemory_free_buffer(text);
    return result;
}
