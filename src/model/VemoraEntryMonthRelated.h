#pragma once

#include "model/VemoraEntryBasic.h"
#include "support/DayNumbers.h"

// What monthly and yearly entries share: the day of the period, given as a fixed day of the
// month or as the first to fourth or last day of a day kind (DaySpec: the cycle in the high
// three bits, the day or day kind in the low five). The walk visits only occurrences.
class TVemoraEntryMonthRelated : public TVemoraEntryBasic {
public:
    qint32 NextCandidate(qint32 day) override;
    void Clear() override;
    int Compare(const TVemoraEntryBasic& other, int mode) const override;
    void LoadFromStream(TEntryReader& reader, int version) override;
    qint32 FirstDate() override;
    void SaveToStream(TEntryWriter& writer) const override;
    bool CanMatch() const override;
    // The occurrence in the period (month or year) that holds day.
    virtual qint32 OccurrenceInPeriod(qint32 day) = 0;

    quint8 DaySpec() const { return m_DaySpec; }
    void SetDaySpec(quint8 daySpec);
    quint8 Day() const { return m_DaySpec & 0x1f; }
    quint8 DayKind() const { return m_DaySpec & 0x1f; }
    quint8 DayCycle() const { return m_DaySpec >> 5; }
    // A fixed day of the month; the cycle becomes dcNone.
    void SetDay(quint8 day);
    void SetDayKind(quint8 kind);
    void SetDayCycle(quint8 cycle);

    // The occurrence in the month that holds day.
    qint32 OccurrenceInMonth(qint32 day);
    bool FillMatchesDirectly(qint32 limit) override;
    // Calendar conversions that remember the last one: a walk converts the same days often.
    TCivilDate DecodeDay(qint32 day);
    // Raises EDateOverflow beyond the year 9999 and EInvalidDate for no date.
    qint32 EncodeDay(int year, int month, int day);

protected:
    TVemoraEntryMonthRelated(TEntryKind kind, qint32 probeStep);
    qint32 OccurrenceInMonthOf(int year, int month);
    // Periods are numbered in order (months or years); every period has exactly one
    // occurrence, inside it, where HasOccurrenceInEveryPeriod holds.
    virtual qint64 PeriodOf(const TCivilDate& date) const = 0;
    virtual qint32 OccurrenceInPeriodNumber(qint64 period) = 0;
    virtual int LastYearOfPeriod(qint64 period) const = 0;
    virtual bool HasOccurrenceInEveryPeriod() const = 0;

private:
    void ChangeDaySpec(quint8 daySpec);
    qint32 NthWeekdayInMonth(const TCivilDate& date, int cycle, int weekday);

    quint8 m_DaySpec = 1;
    qint32 m_CachedDay = 0;
    TCivilDate m_CachedDate{};
    bool m_HasCachedDate = false;
};

class TVemoraEntryMonthly final : public TVemoraEntryMonthRelated {
public:
    TVemoraEntryMonthly();
    bool IsMatch(qint32 day) override;
    qint32 OccurrenceInPeriod(qint32 day) override;

protected:
    qint64 PeriodOf(const TCivilDate& date) const override;
    qint32 OccurrenceInPeriodNumber(qint64 period) override;
    int LastYearOfPeriod(qint64 period) const override;
    bool HasOccurrenceInEveryPeriod() const override;
};

class TVemoraEntryYearly final : public TVemoraEntryMonthRelated {
public:
    TVemoraEntryYearly();
    bool IsMatch(qint32 day) override;
    qint32 OccurrenceInPeriod(qint32 day) override;
    void Clear() override;
    int Compare(const TVemoraEntryBasic& other, int mode) const override;
    void LoadFromStream(TEntryReader& reader, int version) override;
    void SaveToStream(TEntryWriter& writer) const override;
    bool CanMatch() const override;

    quint8 Month() const { return m_Month; }
    void SetMonth(quint8 month);

protected:
    qint64 PeriodOf(const TCivilDate& date) const override;
    qint32 OccurrenceInPeriodNumber(qint64 period) override;
    int LastYearOfPeriod(qint64 period) const override;
    bool HasOccurrenceInEveryPeriod() const override;

private:
    quint8 m_Month = 1;
};
