#include "cli/CalendarImport.h"

#include "cli/ImportedRule.h"
#include "cli/IsoDates.h"
#include "model/VemoraEntries.h"
#include "model/VemoraEntryBasic.h"
#include "support/DayNumbers.h"

#include <QDateTime>

#include <libical/ical.h>

#include <algorithm>
#include <memory>
#include <optional>

namespace {

// Enough days to tell every rule the mapping accepts from its near misses.
constexpr int CheckedOccurrences = 24;

struct TComponentFree {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using TComponent = std::unique_ptr<icalcomponent, TComponentFree>;

QString Text(const char* value)
{
    return value ? QString::fromUtf8(value) : QString();
}

// The start on the local calendar: its day and, for a timed start, the time of day.
struct TLocalStart {
    qint32 Day = 0;
    QString Time;
    bool OtherDay = false; // the local day differs from the day in the event's own zone
};

std::optional<TLocalStart> LocalStart(const icaltimetype& start)
{
    if (icaltime_is_null_time(start) || !icaltime_is_valid_time(start))
        return std::nullopt;
    QDate date(start.year, start.month, start.day);
    QTime time(start.hour, start.minute);
    // A floating time, or one whose zone the file does not define, counts as local.
    if (!start.is_date && start.zone) {
        const QDateTime local = QDateTime::fromSecsSinceEpoch(icaltime_as_timet_with_zone(start, start.zone)).toLocalTime();
        date = local.date();
        time = local.time();
    }
    if (!date.isValid() || date.year() < 1 || date.year() > 9999)
        return std::nullopt;
    TLocalStart local;
    local.Day = DayFromCivil(date.year(), static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    local.OtherDay = date != QDate(start.year, start.month, start.day);
    if (!start.is_date)
        local.Time = time.toString(QStringLiteral("HH:mm"));
    return local;
}

// The largest warning of whole days before the start that the event's alarms give.
quint8 AdvanceWarning(icalcomponent* event)
{
    int days = 0;
    for (icalcomponent* alarm = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT); alarm;
         alarm = icalcomponent_get_next_component(event, ICAL_VALARM_COMPONENT)) {
        icalproperty* trigger = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
        if (!trigger)
            continue;
        const icalparameter* related = icalproperty_get_first_parameter(trigger, ICAL_RELATED_PARAMETER);
        const icaltriggertype value = icalproperty_get_trigger(trigger);
        if ((related && icalparameter_get_related(related) == ICAL_RELATED_END) || !icaltime_is_null_time(value.time))
            continue;
        const int seconds = icaldurationtype_as_int(value.duration);
        if (seconds < 0 && seconds % 86400 == 0)
            days = std::max(days, -seconds / 86400);
    }
    return static_cast<quint8>(std::min(days, 255));
}

// Why the event's dates cannot be said as one entry, before its rule is looked at.
const char* ParticularDates(icalcomponent* event)
{
    if (icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY))
        return "it changes one day of a series (RECURRENCE-ID)";
    if (icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY))
        return "RDATE has no exact equal";
    if (icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY))
        return "EXDATE has no exact equal";
    if (icalcomponent_count_properties(event, ICAL_RRULE_PROPERTY) > 1)
        return "several RRULEs have no exact equal";
    return nullptr;
}

class TCalendarImport {
public:
    TCalendarImport(TVemoraEntries& entries, const QString& category)
        : m_Entries(entries)
        , m_Category(category)
    {
    }

    void AddCalendar(icalcomponent* calendar)
    {
        for (icalcomponent* part = icalcomponent_get_first_component(calendar, ICAL_ANY_COMPONENT); part;
             part = icalcomponent_get_next_component(calendar, ICAL_ANY_COMPONENT)) {
            const icalcomponent_kind kind = icalcomponent_isa(part);
            if (kind == ICAL_VEVENT_COMPONENT)
                AddEvent(part);
            else if (kind == ICAL_VTODO_COMPONENT)
                m_Report.Items.push_back({Text(icalcomponent_get_summary(part)), {}, QStringLiteral("a to-do, not an event")});
            else if (kind == ICAL_VJOURNAL_COMPONENT)
                m_Report.Items.push_back({Text(icalcomponent_get_summary(part)), {}, QStringLiteral("a journal entry, not an event")});
        }
    }

    TImportReport Report() const { return m_Report; }

private:
    void AddEvent(icalcomponent* event)
    {
        TImportedItem item{Text(icalcomponent_get_summary(event)), {}, {}};
        const std::optional<TLocalStart> start = LocalStart(icalcomponent_get_dtstart(event));
        if (start)
            item.Date = IsoDate(start->Day);
        item.Reason = QString::fromLatin1(ParticularDates(event));
        if (!start && item.Reason.isEmpty())
            item.Reason = QStringLiteral("no start date within the years 1 to 9999");
        if (item.Reason.isEmpty())
            Import(event, *start, item);
        m_Report.Items.push_back(item);
    }

    void Import(icalcomponent* event, const TLocalStart& start, TImportedItem& item)
    {
        icalproperty* ruleProperty = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY);
        const icalrecurrencetype rule = ruleProperty ? icalproperty_get_rrule(ruleProperty) : icalrecurrencetype{};
        if (ruleProperty && start.OtherDay) {
            item.Reason = QStringLiteral("its days fall on other days in the local time zone");
            return;
        }
        TImportedDates dates = EntryForRule(ruleProperty ? &rule : nullptr, start.Day);
        if (dates.Entry && ruleProperty && !HasTheRulesDays(*dates.Entry, rule, start.Day, CheckedOccurrences))
            dates = {nullptr, QStringLiteral("no entry repeats on the rule's days")};
        if (!dates.Entry) {
            item.Reason = dates.Reason;
            return;
        }
        TVemoraEntryBasic& entry = *dates.Entry;
        entry.SetDisplayText(start.Time.isEmpty() ? item.Name : start.Time + u' ' + item.Name);
        entry.SetComment(Text(icalcomponent_get_description(event)));
        entry.SetCategory(ImportCategoryId(m_Entries, m_Category.isEmpty() ? FirstCategory(event) : m_Category));
        entry.SetAdvanceWarn(AdvanceWarning(event));
        entry.SetActive(true);
        m_Entries.AddEntry(std::move(dates.Entry));
    }

    static QString FirstCategory(icalcomponent* event)
    {
        icalproperty* categories = icalcomponent_get_first_property(event, ICAL_CATEGORIES_PROPERTY);
        return categories ? Text(icalproperty_get_categories(categories)).section(u',', 0, 0).trimmed() : QString();
    }

    TVemoraEntries& m_Entries;
    QString m_Category;
    TImportReport m_Report;
};

} // namespace

quint8 ImportCategoryId(TVemoraEntries& entries, const QString& name)
{
    if (name.isEmpty())
        return 0;
    TCategories& categories = entries.Categories();
    int index = 0;
    if (categories.FindName(name, index))
        return categories.IdAt(index);
    const std::optional<quint8> id = categories.NextFreeId();
    if (!id)
        return 0;
    categories.AddCategory(name, *id);
    return *id;
}

int TImportReport::LeftOut() const
{
    return static_cast<int>(std::count_if(Items.begin(), Items.end(), [](const TImportedItem& item) {
        return !item.Reason.isEmpty();
    }));
}

TImportReport ImportCalendar(const QByteArray& text, TVemoraEntries& entries, const QString& category)
{
    icalerror_set_errors_are_fatal(0);
    const TComponent root(icalparser_parse_string(text.constData()));
    if (!root)
        throw EImportError("not an iCalendar file, or one cut short");
    TCalendarImport import(entries, category);
    bool found = false;
    if (icalcomponent_isa(root.get()) == ICAL_VCALENDAR_COMPONENT) {
        import.AddCalendar(root.get());
        found = true;
    }
    for (icalcomponent* calendar = icalcomponent_get_first_component(root.get(), ICAL_VCALENDAR_COMPONENT); calendar;
         calendar = icalcomponent_get_next_component(root.get(), ICAL_VCALENDAR_COMPONENT)) {
        import.AddCalendar(calendar);
        found = true;
    }
    if (!found)
        throw EImportError("no VCALENDAR in the file");
    return import.Report();
}
