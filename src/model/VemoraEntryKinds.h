#pragma once

#include "model/VemoraEntryBasic.h"

// One day: DateStart.
class TVemoraEntryOnce final : public TVemoraEntryBasic {
public:
    TVemoraEntryOnce();
    bool IsMatch(qint32 day) override;
    qint32 FirstDate() override;
    void FillMatches(qint32 limit, const TMatchStopTest& stopTest) override;
};

// Every working day, weekend day or day.
class TVemoraEntryDaily final : public TVemoraEntryBasic {
public:
    TVemoraEntryDaily();
    qint32 NextCandidate(qint32 day) override;
    bool IsMatch(qint32 day) override;
    void Assign(const TVemoraEntryBasic& source) override;
    void Clear() override;
    int Compare(const TVemoraEntryBasic& other, int mode) const override;
    void LoadFromStream(TEntryReader& reader, int version) override;
    qint32 FirstDate() override;
    void SaveToStream(TEntryWriter& writer) const override;
    bool CanMatch() const override;
    std::optional<quint8> WeekdaySet() const override;

    quint8 DayKind() const { return m_DayKind; }
    void SetDayKind(quint8 kind);

private:
    quint8 m_DayKind = dkWorkingDay;
};

// The days of a set of weekdays; bit n of Weekdays stands for weekday n (1 = Sunday).
class TVemoraEntryWeekly final : public TVemoraEntryBasic {
public:
    TVemoraEntryWeekly();
    qint32 NextCandidate(qint32 day) override;
    bool IsMatch(qint32 day) override;
    void Assign(const TVemoraEntryBasic& source) override;
    void Clear() override;
    int Compare(const TVemoraEntryBasic& other, int mode) const override;
    void LoadFromStream(TEntryReader& reader, int version) override;
    qint32 FirstDate() override;
    void SaveToStream(TEntryWriter& writer) const override;
    bool CanMatch() const override;
    std::optional<quint8> WeekdaySet() const override;

    quint8 Weekdays() const { return m_Weekdays; }
    void SetWeekdays(quint8 weekdays);
    bool HasWeekday(int weekday) const { return (m_Weekdays >> weekday) & 1; }

private:
    quint8 m_Weekdays = 0;
};
