#include "ui/EntryFields.h"

#include "model/EntryFactory.h"
#include "model/VemoraEntryKinds.h"
#include "model/VemoraEntryMonthRelated.h"

#include <array>

TEntryFields FieldsOfEntry(TVemoraEntryBasic& entry)
{
    TEntryFields fields;
    fields.Active = entry.Active();
    fields.Comment = entry.Comment();
    fields.CycleKind = entry.Kind();
    fields.DateStart = entry.DateStart();
    fields.DateStop = entry.HasDateStop() ? entry.DateStop() : NoDateStop;
    fields.MaxCount = entry.HasMaxCount() ? entry.MaxCount() : NoMaxCount;
    fields.DisplayText = entry.DisplayText();
    fields.AdvanceWarn = entry.AdvanceWarn();
    fields.Icon = entry.Icon();
    fields.Mediafile = entry.Mediafile();
    fields.Repetition = entry.Repetition();
    fields.Category = entry.Category();
    if (auto* daily = dynamic_cast<TVemoraEntryDaily*>(&entry)) {
        fields.DayKind = daily->DayKind();
    } else if (auto* weekly = dynamic_cast<TVemoraEntryWeekly*>(&entry)) {
        fields.Weekdays = weekly->Weekdays();
    } else if (auto* monthRelated = dynamic_cast<TVemoraEntryMonthRelated*>(&entry)) {
        if (auto* yearly = dynamic_cast<TVemoraEntryYearly*>(&entry))
            fields.Month = yearly->Month();
        fields.DayCycle = monthRelated->DayCycle();
        if (fields.DayCycle == dcNone)
            fields.Day = monthRelated->Day();
        else
            fields.DayKind = monthRelated->DayKind();
    }
    return fields;
}

void SaveFieldsToEntry(const TEntryFields& fields, TVemoraEntryBasic& entry)
{
    entry.SetActive(fields.Active);
    entry.SetComment(fields.Comment);
    entry.SetDateStart(fields.DateStart);
    entry.SetDateStop(fields.DateStop);
    entry.SetMaxCount(fields.MaxCount);
    entry.SetDisplayText(TrimDisplayText(fields.DisplayText));
    entry.SetAdvanceWarn(fields.AdvanceWarn);
    entry.SetIcon(fields.Icon);
    entry.SetMediafile(fields.Mediafile);
    entry.SetRepetition(fields.Repetition);
    entry.SetCategory(fields.Category);
    if (auto* daily = dynamic_cast<TVemoraEntryDaily*>(&entry)) {
        daily->SetDayKind(fields.DayKind);
    } else if (auto* weekly = dynamic_cast<TVemoraEntryWeekly*>(&entry)) {
        weekly->SetWeekdays(fields.Weekdays);
    } else if (auto* monthRelated = dynamic_cast<TVemoraEntryMonthRelated*>(&entry)) {
        if (auto* yearly = dynamic_cast<TVemoraEntryYearly*>(&entry))
            yearly->SetMonth(fields.Month);
        monthRelated->SetDayCycle(fields.DayCycle);
        if (fields.DayCycle == dcNone)
            monthRelated->SetDay(fields.Day);
        else
            monthRelated->SetDayKind(fields.DayKind);
    }
}

TEntryFields KeepUntouchedFields(TEntryFields now, const TEntryFields& shown, const TEntryFields& stored)
{
    const auto keep = [&](auto member) {
        if (now.*member == shown.*member)
            now.*member = stored.*member;
    };
    keep(&TEntryFields::Active);
    keep(&TEntryFields::DateStart);
    keep(&TEntryFields::DateStop);
    keep(&TEntryFields::MaxCount);
    keep(&TEntryFields::Repetition);
    keep(&TEntryFields::DisplayText);
    keep(&TEntryFields::Comment);
    keep(&TEntryFields::Mediafile);
    keep(&TEntryFields::Category);
    keep(&TEntryFields::Icon);
    keep(&TEntryFields::AdvanceWarn);
    if (now.CycleKind != shown.CycleKind)
        return now;
    keep(&TEntryFields::Weekdays);
    keep(&TEntryFields::Month);
    keep(&TEntryFields::DayCycle);
    keep(&TEntryFields::Day);
    keep(&TEntryFields::DayKind);
    return now;
}

bool FieldsDiffer(const TEntryFields& fields, const TVemoraEntryBasic& entry)
{
    if (fields.CycleKind != entry.Kind())
        return true;
    const std::unique_ptr<TVemoraEntryBasic> edited = CreateEntry(fields.CycleKind);
    if (!edited)
        return true;
    SaveFieldsToEntry(fields, *edited);
    // The limits a one-off keeps in its record do not limit it, so they are no change either.
    if (entry.Kind() == ekOnce) {
        edited->SetDateStop(entry.DateStop());
        edited->SetMaxCount(entry.MaxCount());
    }
    return entry.Compare(*edited, 1) != 0;
}

QString TrimDisplayText(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first].unicode() <= 32)
        ++first;
    while (last > first && text[last - 1].unicode() <= 32)
        --last;
    return text.mid(first, last - first);
}

bool IsSpinEditValue(const QString& text)
{
    const QString digits = text.left(255).trimmed();
    if (digits.isEmpty())
        return false;
    quint64 value = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9')
            return false;
        value = value * 10 + static_cast<quint64>(c.unicode() - u'0');
        if (value > 4294967295ULL)
            return false;
    }
    return true;
}

int MaxDayOfMonth(int month)
{
    static constexpr std::array<int, 12> Lengths = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month >= 1 && month <= 12 ? Lengths[static_cast<std::size_t>(month - 1)] : 31;
}
