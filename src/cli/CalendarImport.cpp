#include "cli/CalendarImport.h"

#include "cli/EventDays.h"
#include "cli/ImportTexts.h"
#include "cli/ImportedRule.h"
#include "model/VemoraEntryKinds.h"
#include "platform/FormatText.h"
#include "cli/IsoDates.h"
#include "model/VemoraEntries.h"
#include "model/VemoraEntryBasic.h"
#include "support/DayNumbers.h"

#include <libical/ical.h>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <set>

namespace {

// The mapping is exact for a rule whose start is one of its days (the tests compare years of
// days with libical's); the first days show a start that is not, which the rule leaves
// undefined. libical's iterator costs about 15 us a day, so few are asked for.
constexpr int CheckedOccurrences = 3;

struct TComponentFree {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using TComponent = std::unique_ptr<icalcomponent, TComponentFree>;

QString Text(const char* value)
{
    return value ? QString::fromUtf8(value) : QString();
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
    TCalendarImport(TVemoraEntries& entries, const QString& category, std::optional<TImportWindow> expand)
        : m_Entries(entries)
        , m_Category(category)
        , m_Expand(expand)
    {
    }

    void AddCalendar(icalcomponent* calendar)
    {
        NoteChangedDays(calendar);
        for (icalcomponent* part = icalcomponent_get_first_component(calendar, ICAL_ANY_COMPONENT); part;
             part = icalcomponent_get_next_component(calendar, ICAL_ANY_COMPONENT)) {
            const icalcomponent_kind kind = icalcomponent_isa(part);
            if (kind == ICAL_VEVENT_COMPONENT)
                AddEvent(part);
            else if (kind == ICAL_VTODO_COMPONENT)
                m_Report.Items.push_back({Text(icalcomponent_get_summary(part)), {}, ImportText("a to-do, not an event")});
            else if (kind == ICAL_VJOURNAL_COMPONENT)
                m_Report.Items.push_back({Text(icalcomponent_get_summary(part)), {}, ImportText("a journal entry, not an event")});
        }
    }

    TImportReport Report() const { return m_Report; }

private:
    // The days of a series that events of their own change, by the series' UID.
    void NoteChangedDays(icalcomponent* calendar)
    {
        for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); event;
             event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT))
            if (icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY))
                if (const auto day = LocalStart(icalcomponent_get_recurrenceid(event)))
                    m_Changed[Text(icalcomponent_get_uid(event))].insert(day->Day);
    }

    void AddEvent(icalcomponent* event)
    {
        TImportedItem item{Text(icalcomponent_get_summary(event)), {}, {}};
        const std::optional<TLocalStart> start = LocalStart(icalcomponent_get_dtstart(event));
        if (start)
            item.Date = IsoDate(start->Day);
        if (const char* particular = ParticularDates(event))
            item.Reason = ImportText(particular);
        const QString uid = Text(icalcomponent_get_uid(event));
        if (item.Reason.isEmpty() && m_Changed.count(uid))
            item.Reason = ImportText("other events change some of its days (RECURRENCE-ID)");
        if (!start && item.Reason.isEmpty())
            item.Reason = ImportText("no start date within the years 1 to 9999");
        if (item.Reason.isEmpty())
            Import(event, *start, item);
        if (!item.Reason.isEmpty() && m_Expand)
            Expand(event, m_Changed[uid], item);
        m_Report.Items.push_back(item);
    }

    // One single-day entry per day of the event inside the window.
    void Expand(icalcomponent* event, const std::set<qint32>& changedDays, TImportedItem& item)
    {
        // A change to one day is an event without a series: its own start is its day.
        const bool change = icalcomponent_get_first_property(event, ICAL_RECURRENCEID_PROPERTY) != nullptr;
        const std::vector<TLocalStart> days =
            LocalOccurrences(event, m_Expand->From, m_Expand->To, change ? std::set<qint32>() : changedDays);
        if (days.empty()) {
            item.Reason += FormatText(ImportText(", and it has no day between %s and %s"),
                                      {IsoDate(m_Expand->From), IsoDate(m_Expand->To)});
            return;
        }
        for (const TLocalStart& day : days) {
            auto entry = std::make_unique<TVemoraEntryOnce>();
            entry->SetDateStart(day.Day);
            entry->SetDateStop(NoDateStop);
            entry->SetMaxCount(NoMaxCount);
            entry->SetRepetition(1);
            AddWithFields(std::move(entry), event, day.Time, item.Name);
        }
        item.Reason.clear();
        item.Days = static_cast<int>(days.size());
    }

    void AddWithFields(std::unique_ptr<TVemoraEntryBasic> entry, icalcomponent* event, const QString& time, const QString& summary)
    {
        entry->SetDisplayText(time.isEmpty() ? summary : time + u' ' + summary);
        entry->SetComment(Text(icalcomponent_get_description(event)));
        entry->SetCategory(ImportCategoryId(m_Entries, m_Category.isEmpty() ? FirstCategory(event) : m_Category));
        entry->SetAdvanceWarn(AdvanceWarning(event));
        entry->SetActive(true);
        m_Entries.AppendNewEntry(std::move(entry));
    }

    void Import(icalcomponent* event, const TLocalStart& start, TImportedItem& item)
    {
        icalproperty* ruleProperty = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY);
        const icalrecurrencetype rule = ruleProperty ? icalproperty_get_rrule(ruleProperty) : icalrecurrencetype{};
        if (ruleProperty && start.OtherDay) {
            item.Reason = ImportText("its days fall on other days in the local time zone");
            return;
        }
        TImportedDates dates = EntryForRule(ruleProperty ? &rule : nullptr, start.Day);
        if (dates.Entry && ruleProperty && !HasTheRulesDays(*dates.Entry, rule, start.Day, CheckedOccurrences))
            dates = {nullptr, ImportText("no entry repeats on the rule's days")};
        if (!dates.Entry) {
            item.Reason = dates.Reason;
            return;
        }
        AddWithFields(std::move(dates.Entry), event, start.Time, item.Name);
    }

    static QString FirstCategory(icalcomponent* event)
    {
        icalproperty* categories = icalcomponent_get_first_property(event, ICAL_CATEGORIES_PROPERTY);
        return categories ? Text(icalproperty_get_categories(categories)).section(u',', 0, 0).trimmed() : QString();
    }

    TVemoraEntries& m_Entries;
    QString m_Category;
    std::optional<TImportWindow> m_Expand;
    std::map<QString, std::set<qint32>> m_Changed;
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

TImportReport ImportCalendar(const QByteArray& text, TVemoraEntries& entries, const QString& category,
                             std::optional<TImportWindow> expand)
{
    icalerror_set_errors_are_fatal(0);
    const TComponent root(icalparser_parse_string(text.constData()));
    if (!root)
        throw EImportError(ImportText("not an iCalendar file, or one cut short").toStdString());
    TCalendarImport import(entries, category, expand);
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
        throw EImportError(ImportText("no VCALENDAR in the file").toStdString());
    return import.Report();
}
