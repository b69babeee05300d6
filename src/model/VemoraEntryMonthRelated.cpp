#include "model/VemoraEntryMonthRelated.h"

#include "model/CompareOrder.h"
#include "model/EntryStream.h"
#include "model/ModelErrors.h"

namespace {

constexpr int LastCalendarYear = 9999;

} // namespace

TVemoraEntryMonthRelated::TVemoraEntryMonthRelated(TEntryKind kind, qint32 probeStep)
    : TVemoraEntryBasic(kind, probeStep)
{
}

qint32 TVemoraEntryMonthRelated::NextCandidate(qint32 day)
{
    for (qint64 probe = day;; probe += ProbeStep()) {
        const qint32 occurrence = OccurrenceInPeriod(static_cast<qint32>(std::min<qint64>(probe, MaxDayNumber + 1LL)));
        if (occurrence > day)
            return occurrence;
    }
}

qint32 TVemoraEntryMonthRelated::FirstDate()
{
    return NextCandidate(DateStart());
}

// A cycle above dcLast, or a day kind above dkAnyDay, or no day of the month, fits no day.
bool TVemoraEntryMonthRelated::CanMatch() const
{
    if (DayCycle() == dcNone)
        return Day() >= 1 && Day() <= 31;
    return DayCycle() <= dcLast && DayKind() <= dkAnyDay;
}

void TVemoraEntryMonthRelated::Clear()
{
    TVemoraEntryBasic::Clear();
    SetDayCycle(dcNone);
    SetDay(1);
}

int TVemoraEntryMonthRelated::Compare(const TVemoraEntryBasic& other, int mode) const
{
    const int result = TVemoraEntryBasic::Compare(other, mode);
    const auto* related = dynamic_cast<const TVemoraEntryMonthRelated*>(&other);
    if (result != 0 || mode == 0 || !related)
        return result;
    return Order(m_DaySpec, related->m_DaySpec);
}

void TVemoraEntryMonthRelated::LoadFromStream(TEntryReader& reader, int version)
{
    TVemoraEntryBasic::LoadFromStream(reader, version);
    if (version >= 2)
        m_DaySpec = reader.ReadByte();
}

void TVemoraEntryMonthRelated::SaveToStream(TEntryWriter& writer) const
{
    TVemoraEntryBasic::SaveToStream(writer);
    writer.WriteByte(m_DaySpec);
}

void TVemoraEntryMonthRelated::ChangeDaySpec(quint8 daySpec)
{
    if (daySpec == m_DaySpec)
        return;
    m_DaySpec = daySpec;
    MatchList().Invalidate();
}

void TVemoraEntryMonthRelated::SetDaySpec(quint8 daySpec)
{
    ChangeDaySpec(daySpec);
}

void TVemoraEntryMonthRelated::SetDay(quint8 day)
{
    ChangeDaySpec(day);
}

void TVemoraEntryMonthRelated::SetDayKind(quint8 kind)
{
    ChangeDaySpec(static_cast<quint8>((m_DaySpec & 0xe0) | (kind & 0x1f)));
}

void TVemoraEntryMonthRelated::SetDayCycle(quint8 cycle)
{
    ChangeDaySpec(static_cast<quint8>((m_DaySpec & 0x1f) | ((cycle & 0x07) << 5)));
}

TCivilDate TVemoraEntryMonthRelated::DecodeDay(qint32 day)
{
    if (!m_HasCachedDate || day != m_CachedDay) {
        m_CachedDay = day;
        m_CachedDate = CivilFromDay(day);
        m_HasCachedDate = true;
    }
    return m_CachedDate;
}

qint32 TVemoraEntryMonthRelated::EncodeDay(int year, int month, int day)
{
    const TCivilDate date{year, static_cast<unsigned>(month), static_cast<unsigned>(day)};
    if (m_HasCachedDate && date == m_CachedDate)
        return m_CachedDay;
    // Years before 1 are out of range too: a damaged start day must not wrap around.
    if (year > LastCalendarYear || year < 1)
        throw EDateOverflow();
    if (month < 1 || day < 1 || !IsValidDate(year, static_cast<unsigned>(month), static_cast<unsigned>(day)))
        throw EInvalidDate(year, month, day);
    m_CachedDay = DayFromCivil(year, date.Month, date.Day);
    m_CachedDate = date;
    m_HasCachedDate = true;
    return m_CachedDay;
}

// A weekday's days in a month are seven apart: the first follows from the weekday of the 1st,
// the last from that of the month's last day.
qint32 TVemoraEntryMonthRelated::NthWeekdayInMonth(const TCivilDate& date, int cycle, int weekday)
{
    const int month = static_cast<int>(date.Month);
    if (cycle == dcLast) {
        const qint32 last = EncodeDay(date.Year, month, static_cast<int>(DaysInMonth(date.Year, date.Month)));
        return last - (DayOfWeek(last) - weekday + 7) % 7;
    }
    const qint32 first = EncodeDay(date.Year, month, 1);
    return first + (weekday - DayOfWeek(first) + 7) % 7 + 7 * (cycle - dcFirst);
}

qint32 TVemoraEntryMonthRelated::OccurrenceInMonth(qint32 day)
{
    const TCivilDate date = DecodeDay(day);
    return OccurrenceInMonthOf(date.Year, static_cast<int>(date.Month));
}

qint32 TVemoraEntryMonthRelated::OccurrenceInMonthOf(int year, int month)
{
    const TCivilDate date{year, static_cast<unsigned>(month), 1};
    const int cycle = DayCycle();
    if (cycle == dcNone) {
        const int fixedDay = Day();
        return EncodeDay(LeapAdjustYear(date.Year, month, fixedDay), month, fixedDay);
    }
    const int kind = DayKind();
    if (kind >= dkSunday && kind <= dkSaturday)
        return NthWeekdayInMonth(date, cycle, kind);
    if (cycle == dcLast) {
        qint32 candidate = EncodeDay(date.Year, month, static_cast<int>(DaysInMonth(date.Year, date.Month)));
        while (!MatchesMonthDayKind(candidate, kind)) // at most six days back
            --candidate;
        return candidate;
    }
    // Every month holds at least four of each weekday, 20 working days and 8 weekend days.
    int skip = cycle - dcFirst;
    for (qint32 candidate = EncodeDay(date.Year, month, 1);; ++candidate) {
        if (!MatchesMonthDayKind(candidate, kind))
            continue;
        if (skip == 0)
            return candidate;
        --skip;
    }
}

// Each recorded occurrence is computed from its period's number: the walk would visit every
// period's occurrence on the way, with several calendar conversions each.
bool TVemoraEntryMonthRelated::FillMatchesDirectly(qint32 limit)
{
    if (!CanMatch() || !HasOccurrenceInEveryPeriod())
        return false;
    qint32 from = 0;
    qint64 skipped = 0;
    if (!ResumeWalk(limit, from, skipped))
        return true;
    TMatchlist& matches = MatchList();
    const qint64 step = std::max(Repetition(), 1);
    qint64 period = PeriodOf(DecodeDay(from));
    // The walk meets the end of the calendar in its own way: it takes over for the last year.
    if (LastYearOfPeriod(period) >= LastCalendarYear)
        return false;
    if (OccurrenceInPeriodNumber(period) < from)
        ++period;
    for (period += skipped;; period += step) {
        if (LastYearOfPeriod(period) >= LastCalendarYear)
            return false;
        const qint32 day = OccurrenceInPeriodNumber(period);
        if (WalkIsOver(day)) {
            matches.SetComplete(true);
            return true;
        }
        matches.Add(day);
        if (day >= limit)
            return true;
    }
}

TVemoraEntryMonthly::TVemoraEntryMonthly()
    : TVemoraEntryMonthRelated(ekMonthly, 28)
{
}

bool TVemoraEntryMonthly::IsMatch(qint32 day)
{
    return day == OccurrenceInMonth(day);
}

qint32 TVemoraEntryMonthly::OccurrenceInPeriod(qint32 day)
{
    return OccurrenceInMonth(day);
}

qint64 TVemoraEntryMonthly::PeriodOf(const TCivilDate& date) const
{
    return static_cast<qint64>(date.Year) * 12 + date.Month - 1;
}

qint32 TVemoraEntryMonthly::OccurrenceInPeriodNumber(qint64 period)
{
    return OccurrenceInMonthOf(static_cast<int>(period / 12), static_cast<int>(period % 12) + 1);
}

int TVemoraEntryMonthly::LastYearOfPeriod(qint64 period) const
{
    return static_cast<int>(period / 12);
}

// Monthly days are 1..28 (the editor allows no more); a larger one is not in every month.
bool TVemoraEntryMonthly::HasOccurrenceInEveryPeriod() const
{
    return DayCycle() != dcNone || Day() <= 28;
}

TVemoraEntryYearly::TVemoraEntryYearly()
    : TVemoraEntryMonthRelated(ekYearly, 365)
{
}

bool TVemoraEntryYearly::IsMatch(qint32 day)
{
    return day == OccurrenceInPeriod(day);
}

qint32 TVemoraEntryYearly::OccurrenceInPeriod(qint32 day)
{
    const TCivilDate date = DecodeDay(day);
    return OccurrenceInMonth(EncodeDay(date.Year, m_Month, 1));
}

bool TVemoraEntryYearly::CanMatch() const
{
    return m_Month >= 1 && m_Month <= 12 && TVemoraEntryMonthRelated::CanMatch();
}

void TVemoraEntryYearly::Clear()
{
    TVemoraEntryMonthRelated::Clear();
    m_Month = 1;
}

int TVemoraEntryYearly::Compare(const TVemoraEntryBasic& other, int mode) const
{
    const int result = TVemoraEntryMonthRelated::Compare(other, mode);
    const auto* yearly = dynamic_cast<const TVemoraEntryYearly*>(&other);
    if (result != 0 || mode == 0 || !yearly)
        return result;
    return Order(m_Month, yearly->m_Month);
}

void TVemoraEntryYearly::LoadFromStream(TEntryReader& reader, int version)
{
    TVemoraEntryMonthRelated::LoadFromStream(reader, version);
    if (version >= 2) {
        m_Month = reader.ReadByte();
        return;
    }
    const TCivilDate start = DecodeDay(DateStart());
    m_Month = static_cast<quint8>(start.Month);
    SetDay(static_cast<quint8>(start.Day));
}

void TVemoraEntryYearly::SaveToStream(TEntryWriter& writer) const
{
    TVemoraEntryMonthRelated::SaveToStream(writer);
    writer.WriteByte(m_Month);
}

qint64 TVemoraEntryYearly::PeriodOf(const TCivilDate& date) const
{
    return date.Year;
}

qint32 TVemoraEntryYearly::OccurrenceInPeriodNumber(qint64 period)
{
    return OccurrenceInMonthOf(static_cast<int>(period), m_Month);
}

int TVemoraEntryYearly::LastYearOfPeriod(qint64 period) const
{
    return static_cast<int>(period);
}

// 29 February moves to the next leap year, and so may lie outside its own year.
bool TVemoraEntryYearly::HasOccurrenceInEveryPeriod() const
{
    if (DayCycle() != dcNone)
        return true;
    return m_Month == 2 ? Day() <= 28 : Day() <= DaysInMonth(2001, m_Month);
}

void TVemoraEntryYearly::SetMonth(quint8 month)
{
    if (month == m_Month)
        return;
    m_Month = month;
    MatchList().Invalidate();
}
