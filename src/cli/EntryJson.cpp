#include "cli/EntryJson.h"

#include "model/VemoraEntries.h"
#include "model/VemoraEntryKinds.h"
#include "model/VemoraEntryMonthRelated.h"

#include <QJsonArray>

namespace {

// The days as saving would write them.
QJsonObject MatchListToJson(const TMatchlist& matches)
{
    matches.Settle();
    QJsonArray days;
    for (qint32 day : matches.Days())
        days.append(day);
    return QJsonObject{{QStringLiteral("Valid"), matches.Valid()},
                       {QStringLiteral("Complete"), matches.IsComplete()},
                       {QStringLiteral("Days"), days}};
}

// The pattern fields that only some kinds have.
void AddKindFields(const TVemoraEntryBasic& entry, QJsonObject& object)
{
    if (const auto* daily = dynamic_cast<const TVemoraEntryDaily*>(&entry))
        object.insert(QStringLiteral("DayKind"), daily->DayKind());
    if (const auto* weekly = dynamic_cast<const TVemoraEntryWeekly*>(&entry))
        object.insert(QStringLiteral("Weekdays"), weekly->Weekdays());
    if (const auto* monthRelated = dynamic_cast<const TVemoraEntryMonthRelated*>(&entry))
        object.insert(QStringLiteral("DaySpec"), monthRelated->DaySpec());
    if (const auto* yearly = dynamic_cast<const TVemoraEntryYearly*>(&entry))
        object.insert(QStringLiteral("Month"), yearly->Month());
}

} // namespace

QJsonObject EntryToJson(const TVemoraEntryBasic& entry)
{
    QJsonObject object{
        {QStringLiteral("Kind"), static_cast<int>(entry.Kind())},
        {QStringLiteral("Number"), entry.Number()},
        {QStringLiteral("DateStart"), entry.DateStart()},
        {QStringLiteral("DateStop"), entry.DateStop()},
        {QStringLiteral("Repetition"), entry.Repetition()},
        {QStringLiteral("MaxCount"), entry.MaxCount()},
        {QStringLiteral("Active"), entry.Active()},
        {QStringLiteral("Comment"), entry.Comment()},
        {QStringLiteral("DisplayText"), entry.DisplayText()},
        {QStringLiteral("Mediafile"), entry.Mediafile()},
        {QStringLiteral("AdvanceWarn"), entry.AdvanceWarn()},
        {QStringLiteral("Icon"), entry.Icon()},
        {QStringLiteral("Category"), entry.Category()},
        {QStringLiteral("MatchList"), MatchListToJson(entry.MatchList())},
    };
    AddKindFields(entry, object);
    return object;
}

QJsonObject EntriesToJson(const TVemoraEntries& entries)
{
    QJsonArray categories;
    for (int i = 0; i < entries.Categories().Count(); ++i)
        categories.append(QJsonObject{{QStringLiteral("Name"), entries.Categories().NameAt(i)},
                                      {QStringLiteral("Id"), entries.Categories().IdAt(i)}});
    QJsonArray list;
    for (int i = 0; i < entries.Count(); ++i)
        list.append(EntryToJson(*entries.Items(i)));
    return QJsonObject{{QStringLiteral("FileVersion"), entries.FileVersion()},
                       {QStringLiteral("Categories"), categories},
                       {QStringLiteral("Entries"), list}};
}
