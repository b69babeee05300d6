#include "ModelTestSupport.h"
#include "TestSupport.h"

#include "model/ModelErrors.h"

#include <functional>

namespace {

struct TRecurrenceCase {
    const char* Name;
    std::function<std::unique_ptr<TVemoraEntryBasic>()> Make;
    QStringList Expected; // the first occurrences; fewer than asked for means the series ends
    bool Complete;
};

std::unique_ptr<TVemoraEntryBasic> Daily(const char* start, int kind, int repetition = 1)
{
    auto entry = MakeEntry<TVemoraEntryDaily>(start, repetition);
    entry->SetDayKind(static_cast<quint8>(kind));
    return entry;
}

std::unique_ptr<TVemoraEntryBasic> Weekly(const char* start, std::initializer_list<int> weekdays, int repetition = 1)
{
    auto entry = MakeEntry<TVemoraEntryWeekly>(start, repetition);
    entry->SetWeekdays(WeekdayBits(weekdays));
    return entry;
}

std::unique_ptr<TVemoraEntryBasic> Monthly(const char* start, int cycle, int dayOrKind, int repetition = 1)
{
    auto entry = MakeEntry<TVemoraEntryMonthly>(start, repetition);
    entry->SetDaySpec(DaySpecOf(cycle, dayOrKind));
    return entry;
}

std::unique_ptr<TVemoraEntryBasic> Yearly(const char* start, int month, int cycle, int dayOrKind, int repetition = 1)
{
    auto entry = MakeEntry<TVemoraEntryYearly>(start, repetition);
    entry->SetMonth(static_cast<quint8>(month));
    entry->SetDaySpec(DaySpecOf(cycle, dayOrKind));
    return entry;
}

template <typename Make>
std::function<std::unique_ptr<TVemoraEntryBasic>()> With(Make make, std::function<void(TVemoraEntryBasic&)> change)
{
    return [make, change] {
        auto entry = make();
        change(*entry);
        return entry;
    };
}

class RecurrenceTest : public testing::TestWithParam<TRecurrenceCase> {};

TEST_P(RecurrenceTest, WalksTheSeries)
{
    auto entry = GetParam().Make();
    const int wanted = static_cast<int>(GetParam().Expected.size()) + (GetParam().Complete ? 1 : 0);
    EXPECT_EQ(Occurrences(*entry, wanted), GetParam().Expected);
    EXPECT_EQ(entry->MatchList().IsComplete(), GetParam().Complete);
}

const auto Cases = testing::Values(
    TRecurrenceCase{"once_ignores_its_limits",
                    With([] { return MakeEntry<TVemoraEntryOnce>("2026-03-14"); },
                         [](TVemoraEntryBasic& e) { e.SetMaxCount(0); e.SetDateStop(Day("2020-01-01")); }),
                    {"2026-03-14"}, true},
    TRecurrenceCase{"working_days_from_a_saturday_start_monday",
                    [] { return Daily("2026-03-14", dkWorkingDay); },
                    {"2026-03-16", "2026-03-17", "2026-03-18", "2026-03-19", "2026-03-20", "2026-03-23"}, false},
    TRecurrenceCase{"every_second_working_day_from_a_monday",
                    [] { return Daily("2026-03-16", dkWorkingDay, 2); },
                    {"2026-03-16", "2026-03-18", "2026-03-20", "2026-03-24", "2026-03-26"}, false},
    TRecurrenceCase{"weekend_days", [] { return Daily("2026-03-12", dkWeekend); },
                    {"2026-03-14", "2026-03-15", "2026-03-21", "2026-03-22"}, false},
    TRecurrenceCase{"every_fourteenth_day", [] { return Daily("2025-12-25", dkAnyDay, 14); },
                    {"2025-12-25", "2026-01-08", "2026-01-22", "2026-02-05"}, false},
    TRecurrenceCase{"repetition_zero_takes_every_day", [] { return Daily("2026-02-27", dkAnyDay, 0); },
                    {"2026-02-27", "2026-02-28", "2026-03-01"}, false},
    TRecurrenceCase{"monday_and_thursday_from_a_wednesday", [] { return Weekly("2026-03-18", {2, 5}); },
                    {"2026-03-19", "2026-03-23", "2026-03-26", "2026-03-30"}, false},
    TRecurrenceCase{"every_second_matching_weekday", [] { return Weekly("2026-03-16", {2, 5}, 2); },
                    {"2026-03-16", "2026-03-23", "2026-03-30", "2026-04-06"}, false},
    TRecurrenceCase{"monthly_15th_from_the_20th", [] { return Monthly("2026-01-20", dcNone, 15); },
                    {"2026-02-15", "2026-03-15", "2026-04-15"}, false},
    TRecurrenceCase{"monthly_20th_from_the_20th", [] { return Monthly("2026-01-20", dcNone, 20); },
                    {"2026-01-20", "2026-02-20", "2026-03-20"}, false},
    TRecurrenceCase{"every_third_month_from_january", [] { return Monthly("2026-01-01", dcNone, 10, 3); },
                    {"2026-01-10", "2026-04-10", "2026-07-10", "2026-10-10", "2027-01-10"}, false},
    TRecurrenceCase{"last_working_day_when_the_month_ends_on_saturday",
                    [] { return Monthly("2025-05-01", dcLast, dkWorkingDay); },
                    {"2025-05-30", "2025-06-30", "2025-07-31", "2025-08-29"}, false},
    TRecurrenceCase{"first_monday_of_a_month_that_begins_on_monday",
                    [] { return Monthly("2025-09-01", dcFirst, dkMonday); },
                    {"2025-09-01", "2025-10-06", "2025-11-03", "2025-12-01"}, false},
    TRecurrenceCase{"fourth_day_of_any_kind", [] { return Monthly("2026-01-05", dcFourth, dkAnyDay); },
                    {"2026-02-04", "2026-03-04", "2026-04-04"}, false},
    TRecurrenceCase{"second_weekend_day", [] { return Monthly("2026-03-01", dcSecond, dkWeekend); },
                    {"2026-03-07", "2026-04-05", "2026-05-03"}, false},
    TRecurrenceCase{"third_working_day", [] { return Monthly("2026-02-01", dcThird, dkWorkingDay); },
                    {"2026-02-04", "2026-03-04", "2026-04-03"}, false},
    TRecurrenceCase{"leap_day_every_four_years", [] { return Yearly("2024-02-29", 2, dcNone, 29); },
                    {"2024-02-29", "2028-02-29", "2032-02-29"}, false},
    TRecurrenceCase{"leap_day_from_a_common_year", [] { return Yearly("2025-01-01", 2, dcNone, 29); },
                    {"2028-02-29", "2032-02-29"}, false},
    TRecurrenceCase{"last_sunday_of_january", [] { return Yearly("2026-01-01", 1, dcLast, dkSunday); },
                    {"2026-01-25", "2027-01-31", "2028-01-30"}, false},
    TRecurrenceCase{"fourth_thursday_of_november", [] { return Yearly("2026-01-01", 11, dcFourth, dkThursday); },
                    {"2026-11-26", "2027-11-25", "2028-11-23"}, false},
    TRecurrenceCase{"birthday_every_second_year", [] { return Yearly("2000-03-14", 3, dcNone, 14, 2); },
                    {"2000-03-14", "2002-03-14", "2004-03-14"}, false},
    TRecurrenceCase{"stop_day_ends_the_series",
                    With([] { return Daily("2026-03-01", dkAnyDay); },
                         [](TVemoraEntryBasic& e) { e.SetDateStop(Day("2026-03-03")); }),
                    {"2026-03-01", "2026-03-02", "2026-03-03"}, true},
    TRecurrenceCase{"maximum_count_ends_the_series",
                    With([] { return Weekly("2026-03-01", {2}); }, [](TVemoraEntryBasic& e) { e.SetMaxCount(2); }),
                    {"2026-03-02", "2026-03-09"}, true},
    TRecurrenceCase{"maximum_count_zero_never_occurs",
                    With([] { return Monthly("2026-03-01", dcNone, 1); }, [](TVemoraEntryBasic& e) { e.SetMaxCount(0); }),
                    {}, true},
    TRecurrenceCase{"stop_day_before_the_start_never_occurs",
                    With([] { return Yearly("2026-03-01", 3, dcNone, 1); },
                         [](TVemoraEntryBasic& e) { e.SetDateStop(Day("2026-02-01")); }),
                    {}, true},
    TRecurrenceCase{"damaged_daily_weekday_kind_never_occurs", [] { return Daily("2026-03-01", dkTuesday); }, {}, true},
    TRecurrenceCase{"damaged_weekly_without_weekdays_never_occurs", [] { return Weekly("2026-03-01", {}); }, {}, true},
    TRecurrenceCase{"damaged_cycle_six_never_occurs", [] { return Monthly("2026-03-01", 6, dkMonday); }, {}, true},
    TRecurrenceCase{"damaged_day_kind_twelve_never_occurs", [] { return Monthly("2026-03-01", dcFirst, 12); }, {}, true},
    TRecurrenceCase{"damaged_month_zero_never_occurs", [] { return Yearly("2026-03-01", 0, dcNone, 1); }, {}, true});

INSTANTIATE_TEST_SUITE_P(Kinds, RecurrenceTest, Cases,
                         [](const testing::TestParamInfo<TRecurrenceCase>& info) { return std::string(info.param.Name); });

// A walk resumed from the cache, step by step, finds what one long walk finds.
TEST_P(RecurrenceTest, ResumingFromTheCacheGivesTheSameDays)
{
    auto whole = GetParam().Make();
    auto stepwise = GetParam().Make();
    const QStringList expected = Occurrences(*whole, 40);
    for (int count = 1; count <= 40; ++count)
        Occurrences(*stepwise, count);
    EXPECT_EQ(Occurrences(*stepwise, 40), expected);
}

TEST(FirstDateTest, DependsOnTheKind)
{
    EXPECT_EQ(Iso(Daily("2026-03-16", dkWorkingDay)->FirstDate()), "2026-03-17") << "a daily entry starts after its start day";
    EXPECT_EQ(Iso(Weekly("2026-03-16", {2})->FirstDate()), "2026-03-16");
    EXPECT_EQ(Iso(Weekly("2026-03-17", {2})->FirstDate()), "2026-03-23");
    EXPECT_EQ(Iso(Monthly("2026-03-15", dcNone, 15)->FirstDate()), "2026-04-15");
    EXPECT_EQ(Iso(Yearly("2026-03-14", 3, dcNone, 20)->FirstDate()), "2026-03-20");
    EXPECT_EQ(Iso(MakeEntry<TVemoraEntryOnce>("2026-03-14")->FirstDate()), "2026-03-14");
}

TEST(DateOverflowTest, AYearlyWalkPastTheYear9999Fails)
{
    auto entry = Yearly("9997-06-01", 6, dcNone, 1);
    EXPECT_THROW(Occurrences(*entry, 5), EDateOverflow);
    EXPECT_EQ(entry->MatchList().Count(), 3) << "the days found before stay";
    EXPECT_TRUE(entry->MatchList().Valid());
    EXPECT_FALSE(entry->MatchList().IsComplete());
}

TEST(DateOverflowTest, ALeapDayMovedBeyondTheYear9999Fails)
{
    auto entry = Yearly("9997-01-01", 2, dcNone, 29);
    EXPECT_THROW(Occurrences(*entry, 1), EDateOverflow);
}

TEST(DateOverflowTest, DailyWalksEndAtTheLastDay)
{
    auto entry = Daily("9999-12-29", dkAnyDay);
    EXPECT_EQ(Occurrences(*entry, 10), (QStringList{"9999-12-29", "9999-12-30", "9999-12-31"}));
    EXPECT_TRUE(entry->MatchList().IsComplete());
}

TEST(DateOverflowTest, AStartBeforeTheYearOneFailsInsteadOfWrapping)
{
    auto entry = MakeEntry<TVemoraEntryMonthly>("2026-01-01");
    entry->SetDateStart(MinDayNumber - 400);
    EXPECT_THROW(Occurrences(*entry, 1), EDateOverflow);
}

// Every candidate of the walk is checked against the calendar, independently computed.
TEST(RecurrenceCrossCheckTest, MonthlyCyclesAgreeWithTheCalendar)
{
    for (int kind = dkWorkingDay; kind <= dkAnyDay; ++kind) {
        for (int cycle = dcFirst; cycle <= dcLast; ++cycle) {
            auto entry = Monthly("2023-12-31", cycle, kind);
            const QStringList days = Occurrences(*entry, 30);
            ASSERT_EQ(days.size(), 30);
            for (const QString& iso : days) {
                const QDate date = QDate::fromString(iso, Qt::ISODate);
                const auto fits = [kind](const QDate& d) {
                    const int weekday = d.dayOfWeek() % 7 + 1; // Qt: Monday 1 .. Sunday 7
                    const bool working = weekday != 1 && weekday != 7;
                    return kind == dkWorkingDay ? working : kind == dkWeekend ? !working : kind == dkAnyDay || weekday == kind;
                };
                ASSERT_TRUE(fits(date)) << iso.toStdString();
                int before = 0;
                for (QDate d(date.year(), date.month(), 1); d < date; d = d.addDays(1))
                    before += fits(d);
                int after = 0;
                for (QDate d = date.addDays(1); d.month() == date.month(); d = d.addDays(1))
                    after += fits(d);
                if (cycle == dcLast)
                    EXPECT_EQ(after, 0) << iso.toStdString();
                else
                    EXPECT_EQ(before, cycle - dcFirst) << iso.toStdString() << " kind " << kind;
            }
        }
    }
}

} // namespace
