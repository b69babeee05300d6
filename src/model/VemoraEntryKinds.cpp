#include "model/VemoraEntryKinds.h"

#include "model/CompareOrder.h"
#include "model/EntryStream.h"
#include "support/DayNumbers.h"

namespace {

constexpr quint8 AllWeekdayBits = 0xfe; // bits 1..7; bit 0 stands for no weekday
constexpr quint8 WeekendBits = (1 << 1) | (1 << 7);

} // namespace

TVemoraEntryOnce::TVemoraEntryOnce()
    : TVemoraEntryBasic(ekOnce, 1)
{
}

bool TVemoraEntryOnce::IsMatch(qint32 day)
{
    return day == DateStart();
}

qint32 TVemoraEntryOnce::FirstDate()
{
    return DateStart();
}

// A one-off entry has exactly its one day, whatever its limits say.
void TVemoraEntryOnce::FillMatches(qint32, const TMatchStopTest&)
{
    TMatchlist& matches = MatchList();
    matches.Clear();
    matches.Add(DateStart());
    matches.SetValid(true);
    matches.SetComplete(true);
}

TVemoraEntryDaily::TVemoraEntryDaily()
    : TVemoraEntryBasic(ekDaily, 1)
{
}

// Steps straight to the next fitting day: the walk's result is the same, with fewer steps.
qint32 TVemoraEntryDaily::NextCandidate(qint32 day)
{
    return CanMatch() ? NextDayOfKind(day, m_DayKind) : day + 1;
}

bool TVemoraEntryDaily::IsMatch(qint32 day)
{
    return MatchesDayKind(day, m_DayKind);
}

bool TVemoraEntryDaily::CanMatch() const
{
    return IsDailyDayKind(m_DayKind);
}

std::optional<quint8> TVemoraEntryDaily::WeekdaySet() const
{
    switch (m_DayKind) {
    case dkWorkingDay: return AllWeekdayBits & ~WeekendBits;
    case dkWeekend: return WeekendBits;
    case dkAnyDay: return AllWeekdayBits;
    default: return std::nullopt;
    }
}

void TVemoraEntryDaily::Assign(const TVemoraEntryBasic& source)
{
    TVemoraEntryBasic::Assign(source);
    if (const auto* daily = dynamic_cast<const TVemoraEntryDaily*>(&source))
        m_DayKind = daily->m_DayKind;
}

void TVemoraEntryDaily::Clear()
{
    m_DayKind = dkWorkingDay;
    TVemoraEntryBasic::Clear();
}

int TVemoraEntryDaily::Compare(const TVemoraEntryBasic& other, int mode) const
{
    const int result = TVemoraEntryBasic::Compare(other, mode);
    const auto* daily = dynamic_cast<const TVemoraEntryDaily*>(&other);
    if (result != 0 || mode == 0 || !daily)
        return result;
    return Order(m_DayKind, daily->m_DayKind);
}

void TVemoraEntryDaily::LoadFromStream(TEntryReader& reader, int version)
{
    TVemoraEntryBasic::LoadFromStream(reader, version);
    m_DayKind = reader.ReadByte();
}

void TVemoraEntryDaily::SaveToStream(TEntryWriter& writer) const
{
    TVemoraEntryBasic::SaveToStream(writer);
    writer.WriteByte(m_DayKind);
}

qint32 TVemoraEntryDaily::FirstDate()
{
    return NextDayOfKind(DateStart(), m_DayKind);
}

void TVemoraEntryDaily::SetDayKind(quint8 kind)
{
    m_DayKind = kind;
}

TVemoraEntryWeekly::TVemoraEntryWeekly()
    : TVemoraEntryBasic(ekWeekly, 1)
{
}

qint32 TVemoraEntryWeekly::NextCandidate(qint32 day)
{
    if (!CanMatch() || day >= MaxDayNumber)
        return day + 1;
    qint32 next = day + 1;
    for (int weekday = DayOfWeek(next); !HasWeekday(weekday); weekday = weekday % 7 + 1) // at most six days
        ++next;
    return next;
}

bool TVemoraEntryWeekly::IsMatch(qint32 day)
{
    return HasWeekday(DayOfWeek(day));
}

bool TVemoraEntryWeekly::CanMatch() const
{
    return (m_Weekdays & AllWeekdayBits) != 0;
}

std::optional<quint8> TVemoraEntryWeekly::WeekdaySet() const
{
    if (!CanMatch())
        return std::nullopt;
    return static_cast<quint8>(m_Weekdays & AllWeekdayBits);
}

void TVemoraEntryWeekly::Assign(const TVemoraEntryBasic& source)
{
    TVemoraEntryBasic::Assign(source);
    if (const auto* weekly = dynamic_cast<const TVemoraEntryWeekly*>(&source))
        m_Weekdays = static_cast<quint8>((m_Weekdays & ~AllWeekdayBits) | (weekly->m_Weekdays & AllWeekdayBits));
}

void TVemoraEntryWeekly::Clear()
{
    TVemoraEntryBasic::Clear();
    m_Weekdays = 0;
}

// At the first weekday that only one of the two has, that one sorts first.
int TVemoraEntryWeekly::Compare(const TVemoraEntryBasic& other, int mode) const
{
    const int result = TVemoraEntryBasic::Compare(other, mode);
    const auto* weekly = dynamic_cast<const TVemoraEntryWeekly*>(&other);
    if (result != 0 || mode == 0 || !weekly)
        return result;
    for (int weekday = 1; weekday <= 7; ++weekday)
        if (HasWeekday(weekday) != weekly->HasWeekday(weekday))
            return HasWeekday(weekday) ? -1 : 1;
    return 0;
}

void TVemoraEntryWeekly::LoadFromStream(TEntryReader& reader, int version)
{
    TVemoraEntryBasic::LoadFromStream(reader, version);
    m_Weekdays = reader.ReadByte();
}

void TVemoraEntryWeekly::SaveToStream(TEntryWriter& writer) const
{
    TVemoraEntryBasic::SaveToStream(writer);
    writer.WriteByte(m_Weekdays);
}

qint32 TVemoraEntryWeekly::FirstDate()
{
    if (!CanMatch())
        return DateStart();
    return IsMatch(DateStart()) ? DateStart() : NextCandidate(DateStart());
}

void TVemoraEntryWeekly::SetWeekdays(quint8 weekdays)
{
    m_Weekdays = weekdays;
}
