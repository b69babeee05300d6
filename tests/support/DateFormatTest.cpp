#include "support/DateFormat.h"
#include "TestSupport.h"

#include "support/DateInput.h"
#include "support/DayNumbers.h"
#include "support/LocaleFormats.h"

#include <gtest/gtest.h>


#include <climits>
#include <limits>
#include <tuple>
#include <utility>

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

// Fixed points for the count and the weekdays, and days beyond the years the loop above covers.
TEST(DayNumbersTest, AnchorsConvertBothWays)
{
    const std::tuple<TCivilDate, int, int> rows[] = {{{1899, 12, 30}, 0, 7}, {{2024, 12, 6}, 45632, 6},
                                                     {{0, 2, 29}, -693900, 3}};
    for (const auto& [date, number, weekday] : rows) {
        EXPECT_EQ(DayFromCivil(date.Year, date.Month, date.Day), number);
        EXPECT_EQ(std::pair(CivilFromDay(number), DayOfWeek(number)), std::pair(date, weekday)) << number;
    }
    EXPECT_EQ(QDateToDay(QDate()), 0) << "an invalid QDate";
    for (const int number : {INT_MIN, INT_MIN + 1, INT_MAX - 1, INT_MAX}) {
        const TCivilDate date = CivilFromDay(number);
        EXPECT_EQ(DayFromCivil(date.Year, date.Month, date.Day), number);
        EXPECT_TRUE(DayOfWeek(number) >= 1 && DayOfWeek(number) <= 7) << number;
    }
}


// English names, other formats and separators than any locale's.
TFormatSettings TestSettings()
{
    TFormatSettings settings = MakeFormatSettings(QLocale(QLocale::English, QLocale::UnitedKingdom));
    settings.ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    settings.LongDateFormat = QStringLiteral("dddd, d. mmmm yyyy");
    settings.ShortTimeFormat = QStringLiteral("hh:nn");
    settings.LongTimeFormat = QStringLiteral("hh:nn:ss");
    settings.DateSeparator = u'-';
    settings.TimeSeparator = u'.';
    return settings;
}

// Tuesday, 5 March 2024, 07:08:09.
const double Moment = DayFromCivil(2024, 3, 5) + (7 * 3600 + 8 * 60 + 9) / 86400.0;

// Each row names its format; upper-case letters and quoted text are part of the rows.
// Day, month and year in the short format's order; what is left out comes from the field's date.
TEST(DateInputTest, ReadsADateAsPeopleTypeIt)
{
    struct TCase { const char* Format; const char* Typed; const char* Expected; };
    const TCase cases[] = {
        {"dd/mm/yyyy", "15/12/2026", "2026-12-15"}, {"dd/mm/yyyy", "7/12/90", "1990-12-07"},
        {"dd/mm/yyyy", "151246", "2046-12-15"},     {"dd/mm/yyyy", "1/2/47", "1947-02-01"},
        {"dd.mm.yyyy", " 24.12.", "2026-12-24"},    {"dd.mm.yyyy", "3", "2026-11-03"},
        {"dd.mm.yyyy", "0101", "2026-01-01"},       {"m/d/yyyy", "12/15/2026", "2026-12-15"},
        {"yyyy-mm-dd", "20261215", "2026-12-15"},   {"dd-mmm-yy", "15-Dec-26", "2026-12-15"},
        {"dd/mm/yy", "15/12/0026", "0026-12-15"},   {"dd/mm/yyyy", "29/02/2027", ""},
        {"dd/mm/yyyy", "1/2/3/4", ""},              {"dd/mm/yyyy", "15/Foo/2026", ""},
        {"dd/mm/yyyy", "123/12/2026", ""},          {"dd/mm/yyyy", "1512 47", ""},
    };
    ResetFormatSettings(QLocale(QLocale::English, QLocale::UnitedKingdom));
    for (const TCase& test : cases) {
        const auto date = ParseDateInput(QString::fromUtf8(test.Typed),
                                         {QString::fromLatin1(test.Format), QDate(2026, 11, 30), 2026});
        EXPECT_EQ(date ? date->toString(Qt::ISODate) : QString(), QString::fromLatin1(test.Expected))
            << test.Format << " " << test.Typed;
    }
    EXPECT_EQ(std::pair(DateFieldFormat(QStringLiteral("d/m/yy")), DateFieldFormat(QStringLiteral("yyyy-mm-dd"))),
              std::pair(QStringLiteral("d/m/yyyy"), QStringLiteral("yyyy-mm-dd")));
}

TEST(DateFormatTest, FormatTokens)
{
    const std::pair<const char*, const char*> rows[] = {
        {"d", "5"}, {"dd", "05"}, {"ddd", "Tue"}, {"dddd", "Tuesday"},
        {"ddddd", "05-03-2024"}, {"dddddd", "Tuesday, 5. March 2024"},
        {"m", "3"}, {"mm", "03"}, {"mmm", "Mar"}, {"mmmm", "March"}, {"yy", "24"}, {"yyyy", "2024"},
        {"h", "7"}, {"hh", "07"}, {"n", "8"}, {"nn", "08"}, {"s", "9"}, {"ss", "09"},
        // A month right after an hour is a minute; a month name stays a month, and so does
        // a month after a day.
        {"h:m", "7.8"}, {"hh:mm", "07.08"}, {"hh mmm", "07 Mar"}, {"hh:mm dd/mm", "07.08 05-03"},
        {"t", "07.08"}, {"tt", "07.08.09"}, {"DD/MM/YYYY", "05-03-2024"},
        {"\"day d\" d", "day d 5"}, {"'hh' h", "hh 7"}, {"d \"dd", "5 dd"}, // an open quote runs to the end
        {"d.m. (x) \u00E4", "5.3. (x) \u00E4"}, {"/:", "-."},
    };
    for (const auto& [format, expected] : rows)
        EXPECT_EQ(FormatDateTime(QString::fromUtf8(format), Moment, TestSettings()), QString::fromUtf8(expected))
            << format;
}

TEST(DateFormatTest, FormatsThatExpandThemselvesEnd)
{
    TFormatSettings settings = TestSettings();
    settings.ShortDateFormat = QStringLiteral("ddddd");
    EXPECT_EQ(FormatDateTime(QStringLiteral("ddddd"), Moment, settings), QString());

    settings.ShortDateFormat = QStringLiteral("d dddddd");
    settings.LongDateFormat = QStringLiteral("d ddddd");
    settings.ShortTimeFormat = QStringLiteral("t");
    EXPECT_LT(FormatDateTime(QStringLiteral("ddddd t"), Moment, settings).size(), 20);
}

// Outside years 1 to 9999, and for numbers that are no date, the text is empty.
TEST(DateFormatTest, RangeOfDateTimes)
{
    const std::tuple<const char*, double, const char*> rows[] = {
        {"first day", MinDayNumber, "0001-01-01 00.00.00"},
        {"last moment of the last day", MaxDayNumber + 0.99999, "9999-12-31 23.59.59"},
        {"day before the first day", MinDayNumber - 1, ""},
        {"day after the last day", MaxDayNumber + 1, ""},
        {"not a number", std::numeric_limits<double>::quiet_NaN(), ""},
        {"time rounding up stays on the day", 0.9999999999, "1899-12-30 23.59.59"},
        {"negative date time counts time forward", -1.25, "1899-12-29 06.00.00"},
    };
    for (const auto& [name, dateTime, expected] : rows)
        EXPECT_EQ(FormatDateTime(QStringLiteral("yyyy-mm-dd hh:nn:ss"), dateTime, TestSettings()),
                  QString::fromUtf8(expected)) << name;
}

TEST(FromQtFormatTest, Converts)
{
    const std::tuple<const char*, char16_t, char16_t, const char*> rows[] = {
        {"d 'de' MMMM 'de' yyyy", 0, 0, "d \"de\" mmmm \"de\" yyyy"}, {"h 'o''clock'", 0, 0, "h \"o'clock\""},
        {"d/M", 0, 0, "d\"/\"m"}, {"HH:mm:ss t", u':', u':', "hh:nn:ss"}, {"h:mm AP", u':', u':', "h:nn"}, {"H.mm", u'.', u':', "h:nn"},
    };
    for (const auto& [qt, separator, token, expected] : rows)
        EXPECT_EQ(FromQtFormat(QString::fromUtf8(qt), separator ? QChar(separator) : QChar(), QChar(token)),
                  QString::fromUtf8(expected)) << qt;
}

// Dates formatted with the settings made from a locale read as Qt writes them.
TEST(LocaleDefaultsTest, DatesMatchQt)
{
    for (const char* name : {"de_DE", "en_US", "en_GB", "fr_FR", "es_ES", "ja_JP", "fi_FI"}) {
        const QLocale locale(QString::fromLatin1(name));
        const TFormatSettings settings = MakeFormatSettings(locale);
        for (const QDate date : {QDate(2024, 3, 5), QDate(1999, 12, 31), QDate(2031, 7, 13)}) {
            const int day = QDateToDay(date);
            EXPECT_EQ(FormatDateTime("ddddd", day, settings), locale.toString(date, QLocale::ShortFormat)) << name;
            EXPECT_EQ(FormatDateTime("dddddd", day, settings), locale.toString(date, QLocale::LongFormat)) << name;
        }
    }
}

} // namespace
