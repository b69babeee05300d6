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

TEST(DayNumbersTest, AnchorsConvertBothWays)
{
    const struct {
        const char* Name;
        TCivilDate Date;
        int DayNumber;
        int Weekday;
    } rows[] = {
        {"day zero is a Saturday", {1899, 12, 30}, 0, 7},
        {"day before day zero", {1899, 12, 29}, -1, 6},
        {"leap day 2000", {2000, 2, 29}, 36585, 3},
        {"Friday 6 December 2024", {2024, 12, 6}, 45632, 6},
        {"first day of year 1 is a Monday", {1, 1, 1}, MinDayNumber, 2},
        {"last day of year 9999 is a Friday", {9999, 12, 31}, MaxDayNumber, 6},
        {"leap day of year 0", {0, 2, 29}, -693900, 3},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        EXPECT_EQ(DayFromCivil(row.Date.Year, row.Date.Month, row.Date.Day), row.DayNumber);
        EXPECT_EQ(CivilFromDay(row.DayNumber), row.Date);
        EXPECT_EQ(DayOfWeek(row.DayNumber), row.Weekday);
        EXPECT_EQ(QDateToDay(DayToQDate(row.DayNumber)), row.DayNumber);
    }
    EXPECT_EQ(QDateToDay(QDate()), 0) << "an invalid QDate";
}

TEST(DayNumbersTest, ExtremeDayNumbersRoundTrip)
{
    for (const int number : {INT_MIN, INT_MIN + 1, INT_MAX - 1, INT_MAX}) {
        const TCivilDate date = CivilFromDay(number);
        EXPECT_EQ(DayFromCivil(date.Year, date.Month, date.Day), number);
        EXPECT_GE(DayOfWeek(number), 1);
        EXPECT_LE(DayOfWeek(number), 7);
    }
}

TEST(DayNumbersTest, ValidDates)
{
    const struct {
        const char* Name;
        int Year;
        unsigned Month, Day;
        bool Valid;
    } rows[] = {
        {"leap day in a year divisible by 4", 2024, 2, 29, true},
        {"no leap day in an ordinary year", 2023, 2, 29, false},
        {"no leap day in a century year", 1900, 2, 29, false},
        {"leap day in a year divisible by 400", 2000, 2, 29, true},
        {"31 April", 2024, 4, 31, false},
        {"31 December", 2024, 12, 31, true},
        {"day 0", 2024, 1, 0, false},
        {"month 0", 2024, 0, 1, false},
        {"month 13", 2024, 13, 1, false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(IsValidDate(row.Year, row.Month, row.Day), row.Valid) << row.Name;
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
