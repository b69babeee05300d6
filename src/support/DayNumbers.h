#pragma once

#include <QDate>

// Day numbers count whole days from 30 December 1899 (day 0), proleptic Gregorian. The civil
// conversions are Howard Hinnant's days_from_civil / civil_from_days, shifted from his
// 1970-01-01 origin to ours. They run in constant time, without loops or tables.

struct TCivilDate {
    int Year;
    unsigned Month; // 1..12
    unsigned Day;   // 1..31

    constexpr bool operator==(const TCivilDate&) const = default;
};

// 1970-01-01, the origin of the published algorithms, is day 25569 here.
inline constexpr int UnixEpochDay = 25569;
// Days from 0000-03-01 to 1970-01-01 in the published algorithms.
inline constexpr long long CivilShift = 719468;
// 0001-01-01 and 9999-12-31, the range that dates are shown and computed in.
inline constexpr int MinDayNumber = -693593;
inline constexpr int MaxDayNumber = 2958465;

constexpr bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

constexpr unsigned DaysInMonth(int year, unsigned month)
{
    constexpr unsigned Lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : Lengths[month - 1];
}

constexpr bool IsValidDate(int year, unsigned month, unsigned day)
{
    return day >= 1 && day <= DaysInMonth(year, month);
}

// Precondition: a valid date whose day number fits in 32 bits (years within about
// +-5.8 million). Year 0 is 1 BC.
constexpr int DayFromCivil(int year, unsigned month, unsigned day)
{
    const long long y = static_cast<long long>(year) - (month <= 2);
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);                        // [0, 399]
    const unsigned doy = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1; // [0, 365]
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;                  // [0, 146096]
    return static_cast<int>(era * 146097 + doe - CivilShift + UnixEpochDay);
}

// Defined for every 32-bit day number.
constexpr TCivilDate CivilFromDay(int dayNumber)
{
    const long long z = static_cast<long long>(dayNumber) - UnixEpochDay + CivilShift;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);                    // [0, 146096]
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // [0, 399]
    const long long y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);                // [0, 365]
    const unsigned mp = (5 * doy + 2) / 153;                                     // [0, 11]
    const unsigned day = doy - (153 * mp + 2) / 5 + 1;                           // [1, 31]
    const unsigned month = mp < 10 ? mp + 3 : mp - 9;                            // [1, 12]
    return {static_cast<int>(y + (month <= 2)), month, day};
}

// 1 = Sunday .. 7 = Saturday; day 0 was a Saturday.
constexpr int DayOfWeek(int dayNumber)
{
    const int sinceSaturday = (dayNumber % 7 + 7) % 7; // [0, 6]
    return (sinceSaturday + 6) % 7 + 1;
}

static_assert(DayFromCivil(1899, 12, 30) == 0);
static_assert(DayFromCivil(1900, 1, 1) == 2);
static_assert(DayFromCivil(1970, 1, 1) == UnixEpochDay);
static_assert(DayFromCivil(2000, 3, 1) == 36586);
static_assert(DayFromCivil(1, 1, 1) == MinDayNumber);
static_assert(DayFromCivil(9999, 12, 31) == MaxDayNumber);
static_assert(CivilFromDay(0) == TCivilDate{1899, 12, 30});
static_assert(CivilFromDay(36586) == TCivilDate{2000, 3, 1});
static_assert(CivilFromDay(-1) == TCivilDate{1899, 12, 29});
static_assert(DayOfWeek(0) == 7 && DayOfWeek(1) == 1 && DayOfWeek(-1) == 6);

// The local date today and the local moment now (day number plus fraction of the day).
int Today();
double Now();

// An invalid QDate gives day 0.
int QDateToDay(QDate date);
QDate DayToQDate(int dayNumber);
