#include "support/DayNumbers.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <ostream>

void PrintTo(const TCivilDate& date, std::ostream* out)
{
    *out << date.Year << '-' << date.Month << '-' << date.Day;
}

namespace {

// Every day of years 1 to 9999: consecutive numbers, a round trip, the same date as Qt's own
// calendar, and weekdays that follow each other.
TEST(DayNumbersTest, EveryDayFromYear1To9999)
{
    int expected = MinDayNumber;
    int previousWeekday = DayOfWeek(MinDayNumber - 1);
    for (int year = 1; year <= 9999; ++year) {
        for (unsigned month = 1; month <= 12; ++month) {
            for (unsigned day = 1; day <= DaysInMonth(year, month); ++day) {
                const int number = DayFromCivil(year, month, day);
                ASSERT_EQ(number, expected) << year << '-' << month << '-' << day;
                ASSERT_EQ(CivilFromDay(number), (TCivilDate{year, month, day}));
                ASSERT_EQ(DayToQDate(number),
                          QDate(year, static_cast<int>(month), static_cast<int>(day)));
                const int weekday = DayOfWeek(number);
                ASSERT_EQ(weekday, previousWeekday % 7 + 1) << number;
                previousWeekday = weekday;
                ++expected;
            }
        }
    }
    EXPECT_EQ(expected - 1, MaxDayNumber);
}

struct TAnchor {
    const char* Name;
    friend void PrintTo(const TAnchor& row, std::ostream* out) { *out << row.Name; }
    TCivilDate Date;
    int DayNumber;
    int Weekday;
};

class DayNumbersAnchorTest : public testing::TestWithParam<TAnchor> {};

TEST_P(DayNumbersAnchorTest, ConvertsBothWays)
{
    const TAnchor& anchor = GetParam();
    EXPECT_EQ(DayFromCivil(anchor.Date.Year, anchor.Date.Month, anchor.Date.Day), anchor.DayNumber);
    EXPECT_EQ(CivilFromDay(anchor.DayNumber), anchor.Date);
    EXPECT_EQ(DayOfWeek(anchor.DayNumber), anchor.Weekday);
    EXPECT_EQ(QDateToDay(DayToQDate(anchor.DayNumber)), anchor.DayNumber);
}

INSTANTIATE_TEST_SUITE_P(
    Anchors, DayNumbersAnchorTest,
    testing::Values(TAnchor{"DayZeroIsASaturday", {1899, 12, 30}, 0, 7},
                    TAnchor{"DayBeforeDayZero", {1899, 12, 29}, -1, 6},
                    TAnchor{"LeapDay2000", {2000, 2, 29}, 36585, 3},
                    TAnchor{"Friday6December2024", {2024, 12, 6}, 45632, 6},
                    TAnchor{"FirstDayOfYear1IsAMonday", {1, 1, 1}, MinDayNumber, 2},
                    TAnchor{"LastDayOfYear9999IsAFriday", {9999, 12, 31}, MaxDayNumber, 6},
                    TAnchor{"LeapDayOfYearZero", {0, 2, 29}, -693900, 3}),
    [](const testing::TestParamInfo<TAnchor>& info) { return info.param.Name; });

TEST(DayNumbersTest, ExtremeDayNumbersRoundTrip)
{
    for (const int number : {INT_MIN, INT_MIN + 1, INT_MAX - 1, INT_MAX}) {
        const TCivilDate date = CivilFromDay(number);
        EXPECT_EQ(DayFromCivil(date.Year, date.Month, date.Day), number);
        EXPECT_GE(DayOfWeek(number), 1);
        EXPECT_LE(DayOfWeek(number), 7);
    }
}

struct TValidity {
    const char* Name;
    friend void PrintTo(const TValidity& row, std::ostream* out) { *out << row.Name; }
    int Year;
    unsigned Month;
    unsigned Day;
    bool Valid;
};

class DateValidityTest : public testing::TestWithParam<TValidity> {};

TEST_P(DateValidityTest, Validates)
{
    const TValidity& row = GetParam();
    EXPECT_EQ(IsValidDate(row.Year, row.Month, row.Day), row.Valid);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, DateValidityTest,
    testing::Values(TValidity{"LeapDayInYearDivisibleBy4", 2024, 2, 29, true},
                    TValidity{"NoLeapDayInOrdinaryYear", 2023, 2, 29, false},
                    TValidity{"NoLeapDayInCenturyYear", 1900, 2, 29, false},
                    TValidity{"LeapDayInYearDivisibleBy400", 2000, 2, 29, true},
                    TValidity{"ThirtyFirstOfApril", 2024, 4, 31, false},
                    TValidity{"ThirtyFirstOfDecember", 2024, 12, 31, true},
                    TValidity{"DayZero", 2024, 1, 0, false},
                    TValidity{"MonthZero", 2024, 0, 1, false},
                    TValidity{"MonthThirteen", 2024, 13, 1, false}),
    [](const testing::TestParamInfo<TValidity>& info) { return info.param.Name; });

TEST(DayNumbersTest, InvalidQDateIsDayZero)
{
    EXPECT_EQ(QDateToDay(QDate()), 0);
}

TEST(DayNumbersTest, NowIsTodayWithTheTimeAsFraction)
{
    const int before = Today();
    const double now = Now();
    const int after = Today();
    EXPECT_GE(std::floor(now), before);
    EXPECT_LE(std::floor(now), after);
    EXPECT_LT(now - std::floor(now), 1.0);
}

} // namespace
