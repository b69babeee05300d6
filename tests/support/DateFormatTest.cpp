#include "support/DateFormat.h"
#include "TestSupport.h"

#include "support/DayNumbers.h"
#include "support/LocaleFormats.h"

#include <gtest/gtest.h>

#include <QTime>

#include <limits>
#include <ostream>
#include <tuple>
#include <vector>

namespace {

TFormatSettings TestSettings()
{
    TFormatSettings settings;
    settings.ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    settings.LongDateFormat = QStringLiteral("dddd, d. mmmm yyyy");
    settings.ShortTimeFormat = QStringLiteral("hh:nn");
    settings.LongTimeFormat = QStringLiteral("hh:nn:ss");
    settings.DateSeparator = u'-';
    settings.TimeSeparator = u'.';
    settings.ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    settings.LongDayNames = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday",
                             "Saturday"};
    settings.ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    settings.LongMonthNames = {"January", "February", "March",     "April",
                               "May",     "June",     "July",      "August",
                               "September", "October", "November", "December"};
    return settings;
}

// Tuesday, 5 March 2024, 07:08:09.
const double Moment = DayFromCivil(2024, 3, 5) + (7 * 3600 + 8 * 60 + 9) / 86400.0;

struct TFormatCase {
    const char* Name;
    friend void PrintTo(const TFormatCase& row, std::ostream* out) { *out << row.Name; }
    const char* Format;
    const char* Expected;
};

class FormatTokenTest : public testing::TestWithParam<TFormatCase> {};

TEST_P(FormatTokenTest, Formats)
{
    const TFormatCase& row = GetParam();
    EXPECT_EQ(FormatDateTime(QString::fromUtf8(row.Format), Moment, TestSettings()),
              QString::fromUtf8(row.Expected));
}

INSTANTIATE_TEST_SUITE_P(
    Tokens, FormatTokenTest,
    testing::Values(
        TFormatCase{"Day", "d", "5"},
        TFormatCase{"DayWithLeadingZero", "dd", "05"},
        TFormatCase{"ShortDayName", "ddd", "Tue"},
        TFormatCase{"LongDayName", "dddd", "Tuesday"},
        TFormatCase{"ShortDateFormat", "ddddd", "05-03-2024"},
        TFormatCase{"LongDateFormat", "dddddd", "Tuesday, 5. March 2024"},
        TFormatCase{"Month", "m", "3"},
        TFormatCase{"MonthWithLeadingZero", "mm", "03"},
        TFormatCase{"ShortMonthName", "mmm", "Mar"},
        TFormatCase{"LongMonthName", "mmmm", "March"},
        TFormatCase{"TwoDigitYear", "yy", "24"},
        TFormatCase{"FourDigitYear", "yyyy", "2024"},
        TFormatCase{"Hour", "h", "7"},
        TFormatCase{"HourWithLeadingZero", "hh", "07"},
        TFormatCase{"Minute", "n", "8"},
        TFormatCase{"MinuteWithLeadingZero", "nn", "08"},
        TFormatCase{"Second", "s", "9"},
        TFormatCase{"SecondWithLeadingZero", "ss", "09"},
        TFormatCase{"MonthAfterHourIsMinute", "h:m", "7.8"},
        TFormatCase{"TwoDigitMonthAfterHourIsMinute", "hh:mm", "07.08"},
        TFormatCase{"MonthNameAfterHourStaysMonth", "hh mmm", "07 Mar"},
        TFormatCase{"MonthAfterDayIsMonthAgain", "hh:mm dd/mm", "07.08 05-03"},
        TFormatCase{"ShortTimeFormat", "t", "07.08"},
        TFormatCase{"LongTimeFormat", "tt", "07.08.09"},
        TFormatCase{"UpperCaseLetters", "DD/MM/YYYY", "05-03-2024"},
        TFormatCase{"DoubleQuotedLiteral", "\"day d\" d", "day d 5"},
        TFormatCase{"SingleQuotedLiteral", "'hh' h", "hh 7"},
        TFormatCase{"UnterminatedQuoteRunsToTheEnd", "d \"dd", "5 dd"},
        TFormatCase{"OtherCharactersAreLiteral", "d.m. (x) \u00E4", "5.3. (x) \u00E4"},
        TFormatCase{"SeparatorsFromSettings", "/:", "-."}),
    [](const testing::TestParamInfo<TFormatCase>& info) { return info.param.Name; });

TEST(DateFormatTest, GermanShortDateFromCountryFileSetting)
{
    TFormatSettings settings = TestSettings();
    settings.ShortDateFormat = QStringLiteral("dd.mm.yyyy");
    settings.DateSeparator = u'.';
    EXPECT_EQ(FormatDateTime(QStringLiteral("ddddd"), DayFromCivil(2024, 12, 6), settings),
              QStringLiteral("06.12.2024"));
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

struct TRangeCase {
    const char* Name;
    friend void PrintTo(const TRangeCase& row, std::ostream* out) { *out << row.Name; }
    double DateTime;
    const char* Expected;
};

class FormatRangeTest : public testing::TestWithParam<TRangeCase> {};

TEST_P(FormatRangeTest, Formats)
{
    const TRangeCase& row = GetParam();
    EXPECT_EQ(FormatDateTime(QStringLiteral("yyyy-mm-dd hh:nn:ss"), row.DateTime, TestSettings()),
              QString::fromUtf8(row.Expected));
}

INSTANTIATE_TEST_SUITE_P(
    Range, FormatRangeTest,
    testing::Values(
        TRangeCase{"FirstDay", MinDayNumber, "0001-01-01 00.00.00"},
        TRangeCase{"LastMomentOfLastDay", MaxDayNumber + 0.99999, "9999-12-31 23.59.59"},
        TRangeCase{"DayBeforeFirstDay", MinDayNumber - 1, ""},
        TRangeCase{"DayAfterLastDay", MaxDayNumber + 1, ""},
        TRangeCase{"HugeNumber", 1e300, ""},
        TRangeCase{"NotANumber", std::numeric_limits<double>::quiet_NaN(), ""},
        TRangeCase{"Infinity", -std::numeric_limits<double>::infinity(), ""},
        TRangeCase{"TimeRoundingUpStaysOnTheDay", 0.9999999999, "1899-12-30 23.59.59"},
        TRangeCase{"NegativeDateTimeCountsTimeForward", -1.25, "1899-12-29 06.00.00"}),
    [](const testing::TestParamInfo<TRangeCase>& info) { return info.param.Name; });

class ProcessFormatTest : public testing::Test {
protected:
    void SetUp() override { FormatSettings() = TestSettings(); }
    void TearDown() override { ResetFormatSettings(QLocale::system()); }
};

TEST_F(ProcessFormatTest, DateAndDateTimeTexts)
{
    const int day = DayFromCivil(2024, 3, 5);
    EXPECT_EQ(DateToStr(day), QStringLiteral("05-03-2024"));
    EXPECT_EQ(DateToLongStr(day), QStringLiteral("Tuesday, 5. March 2024"));
    EXPECT_EQ(DateTimeToStr(day), QStringLiteral("05-03-2024"));
    EXPECT_EQ(DateTimeToStr(Moment), QStringLiteral("05-03-2024 07.08"));
}

struct TQtFormatCase {
    const char* Name;
    friend void PrintTo(const TQtFormatCase& row, std::ostream* out) { *out << row.Name; }
    const char* QtFormat;
    char16_t Separator;
    char16_t SeparatorToken;
    const char* Expected;
};

class FromQtFormatTest : public testing::TestWithParam<TQtFormatCase> {};

TEST_P(FromQtFormatTest, Converts)
{
    const TQtFormatCase& row = GetParam();
    const QChar separator = row.Separator ? QChar(row.Separator) : QChar();
    EXPECT_EQ(FromQtFormat(QString::fromUtf8(row.QtFormat), separator, QChar(row.SeparatorToken)),
              QString::fromUtf8(row.Expected));
}

INSTANTIATE_TEST_SUITE_P(
    Formats, FromQtFormatTest,
    testing::Values(
        TQtFormatCase{"ShortGermanDate", "dd.MM.yyyy", u'.', u'/', "dd/mm/yyyy"},
        TQtFormatCase{"LongGermanDate", "dddd, d. MMMM yyyy", 0, 0, "dddd, d. mmmm yyyy"},
        TQtFormatCase{"QuotedWords", "d 'de' MMMM 'de' yyyy", 0, 0, "d \"de\" mmmm \"de\" yyyy"},
        TQtFormatCase{"QuotedQuote", "h 'o''clock'", 0, 0, "h \"o'clock\""},
        TQtFormatCase{"SlashInLongDateIsQuoted", "d/M", 0, 0, "d\"/\"m"},
        TQtFormatCase{"MinutesBecomeN", "HH:mm:ss", u':', u':', "hh:nn:ss"},
        TQtFormatCase{"AmPmDropped", "h:mm AP", u':', u':', "h:nn"},
        TQtFormatCase{"TimeZoneDropped", "HH:mm:ss t", u':', u':', "hh:nn:ss"},
        TQtFormatCase{"OtherSeparatorMapped", "H.mm", u'.', u':', "h:nn"}),
    [](const testing::TestParamInfo<TQtFormatCase>& info) { return info.param.Name; });

TEST(ToQtDateFormatTest, DateEditsShowOurFormatWithFourDigitYears)
{
    const std::vector<std::tuple<const char*, char16_t, const char*>> rows = {
        {"dd/mm/yyyy", u'.', "dd.MM.yyyy"},
        {"d/m/yy", u'-', "d-M-yyyy"},
        {"dddd, d. mmmm yyyy", u'/', "dddd, d. MMMM yyyy"},
        {"yyyy/mm/dd \"at\" hh:nn", u'/', "yyyy/MM/dd 'at' :"},
    };
    for (const auto& [ours, separator, qt] : rows)
        EXPECT_EQ(ToQtDateFormat(QString::fromUtf8(ours), separator), QString::fromUtf8(qt)) << ours;
}

// Dates formatted with the settings made from a locale read as Qt writes them.
class LocaleDefaultsTest : public testing::TestWithParam<const char*> {};

TEST_P(LocaleDefaultsTest, DatesMatchQt)
{
    const QLocale locale(QString::fromLatin1(GetParam()));
    const TFormatSettings settings = MakeFormatSettings(locale);
    for (const QDate date : {QDate(2024, 3, 5), QDate(1999, 12, 31), QDate(2031, 7, 13)}) {
        const int day = QDateToDay(date);
        EXPECT_EQ(FormatDateTime(QStringLiteral("ddddd"), day, settings),
                  locale.toString(date, QLocale::ShortFormat));
        EXPECT_EQ(FormatDateTime(QStringLiteral("dddddd"), day, settings),
                  locale.toString(date, QLocale::LongFormat));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Locales, LocaleDefaultsTest,
    testing::Values("de_DE", "en_US", "en_GB", "fr_FR", "es_ES", "ja_JP", "fi_FI"),
    [](const testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

TEST(LocaleDefaultsTest, GermanConventions)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    const TFormatSettings settings = MakeFormatSettings(german);
    EXPECT_EQ(settings.DateSeparator, u'.');
    EXPECT_EQ(settings.TimeSeparator, u':');
    EXPECT_EQ(settings.DecimalSeparator, u',');
    EXPECT_EQ(settings.LongDayNames[0], QStringLiteral("Sonntag"));
    EXPECT_EQ(settings.LongMonthNames[2], QStringLiteral("M\u00E4rz"));
    EXPECT_EQ(FormatDateTime(QStringLiteral("t"), Moment, settings),
              german.toString(QTime(7, 8, 9), QLocale::ShortFormat));
}

} // namespace
