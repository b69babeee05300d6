#include "support/DateFormat.h"

#include "support/DayNumbers.h"
#include "support/LocaleFormats.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

constexpr double MillisecondsPerDay = 86400000.0;
constexpr long long LastMillisecondOfDay = 86399999;
// The short and long formats may name each other; deeper nesting is a loop and yields nothing.
constexpr int MaxExpansionDepth = 3;

struct TDateTimeParts {
    int DayNumber;
    TCivilDate Date;
    int Hour;
    int Minute;
    int Second;
};

std::optional<TDateTimeParts> SplitDateTime(double dateTime)
{
    if (!(dateTime > MinDayNumber - 1.0 && dateTime < MaxDayNumber + 1.0))
        return std::nullopt;
    const double whole = std::trunc(dateTime);
    const long long milliseconds = std::min(
        std::llround(std::fabs(dateTime - whole) * MillisecondsPerDay), LastMillisecondOfDay);
    const auto seconds = static_cast<int>(milliseconds / 1000); // [0, 86399]
    const int day = static_cast<int>(whole);
    return TDateTimeParts{day, CivilFromDay(day), seconds / 3600, seconds / 60 % 60, seconds % 60};
}

QChar AsciiLower(QChar ch)
{
    const char16_t code = ch.unicode();
    return code >= 'A' && code <= 'Z' ? QChar(code + ('a' - 'A')) : ch;
}

class TFormatter {
public:
    TFormatter(const TFormatSettings& settings, const TDateTimeParts& parts)
        : Settings(settings), Parts(parts)
    {
    }

    void Append(const QString& format, int depth);
    QString Result;

private:
    qsizetype AppendQuoted(const QString& format, qsizetype quote);
    void AppendToken(QChar token, qsizetype count, bool afterHour, int depth);
    void AppendDay(qsizetype count, int depth);
    void AppendMonth(qsizetype count);
    void AppendNumber(int value, qsizetype count);

    const TFormatSettings& Settings;
    const TDateTimeParts& Parts;
};

void TFormatter::Append(const QString& format, int depth)
{
    if (depth > MaxExpansionDepth)
        return;
    QChar lastToken;
    qsizetype i = 0;
    while (i < format.size()) {
        const QChar ch = format[i];
        if (ch == u'"' || ch == u'\'') {
            i = AppendQuoted(format, i);
            continue;
        }
        const QChar token = AsciiLower(ch);
        qsizetype count = 1;
        while (i + count < format.size() && AsciiLower(format[i + count]) == token)
            ++count;
        if (token >= u'a' && token <= u'z') {
            AppendToken(token, count, lastToken == u'h', depth);
            lastToken = token;
        } else if (ch == u'/') {
            Result += QString(count, Settings.DateSeparator);
        } else if (ch == u':') {
            Result += QString(count, Settings.TimeSeparator);
        } else {
            Result += format.mid(i, count);
        }
        i += count;
    }
}

// One digit at least, two with a leading zero when the token is doubled.
void TFormatter::AppendNumber(int value, qsizetype count)
{
    Result += QString::number(value).rightJustified(count >= 2 ? 2 : 1, u'0');
}

// An unterminated quote runs to the end of the format.
qsizetype TFormatter::AppendQuoted(const QString& format, qsizetype quote)
{
    qsizetype end = format.indexOf(format[quote], quote + 1);
    if (end < 0)
        end = format.size();
    Result += format.mid(quote + 1, end - quote - 1);
    return end + 1;
}

void TFormatter::AppendToken(QChar token, qsizetype count, bool afterHour, int depth)
{
    switch (token.unicode()) {
    case u'd':
        AppendDay(count, depth);
        break;
    case u'm':
        if (afterHour && count <= 2)
            AppendNumber(Parts.Minute, count);
        else
            AppendMonth(count);
        break;
    case u'y':
        if (count <= 2)
            AppendNumber(Parts.Date.Year % 100, 2);
        else
            Result += QString::number(Parts.Date.Year).rightJustified(4, u'0');
        break;
    case u'h':
        AppendNumber(Parts.Hour, count);
        break;
    case u'n':
        AppendNumber(Parts.Minute, count);
        break;
    case u's':
        AppendNumber(Parts.Second, count);
        break;
    case u't':
        Append(count == 1 ? Settings.ShortTimeFormat : Settings.LongTimeFormat, depth + 1);
        break;
    default:
        Result += QString(count, token);
        break;
    }
}

void TFormatter::AppendDay(qsizetype count, int depth)
{
    const int weekday = DayOfWeek(Parts.DayNumber) - 1; // [0, 6], 0 = Sunday
    switch (count) {
    case 1:
    case 2:
        AppendNumber(static_cast<int>(Parts.Date.Day), count);
        break;
    case 3:
        Result += Settings.ShortDayNames[weekday];
        break;
    case 4:
        Result += Settings.LongDayNames[weekday];
        break;
    case 5:
        Append(Settings.ShortDateFormat, depth + 1);
        break;
    default:
        Append(Settings.LongDateFormat, depth + 1);
        break;
    }
}

void TFormatter::AppendMonth(qsizetype count)
{
    const unsigned month = Parts.Date.Month - 1; // [0, 11]
    if (count <= 2)
        AppendNumber(static_cast<int>(Parts.Date.Month), count);
    else if (count == 3)
        Result += Settings.ShortMonthNames[month];
    else
        Result += Settings.LongMonthNames[month];
}

} // namespace

TFormatSettings& FormatSettings()
{
    static TFormatSettings settings = MakeFormatSettings(QLocale::system());
    return settings;
}

void ResetFormatSettings(const QLocale& locale)
{
    FormatSettings() = MakeFormatSettings(locale);
}

QString FormatDateTime(const QString& format, double dateTime, const TFormatSettings& settings)
{
    const std::optional<TDateTimeParts> parts = SplitDateTime(dateTime);
    if (!parts)
        return {};
    TFormatter formatter(settings, *parts);
    formatter.Append(format, 0);
    return formatter.Result;
}

QString DateToStr(int dayNumber)
{
    return FormatDateTime(QStringLiteral("ddddd"), dayNumber);
}

QString DateToLongStr(int dayNumber)
{
    return FormatDateTime(QStringLiteral("dddddd"), dayNumber);
}

QString DateTimeToStr(double dateTime)
{
    const bool midnight = dateTime == std::trunc(dateTime);
    return FormatDateTime(midnight ? QStringLiteral("ddddd") : QStringLiteral("ddddd t"), dateTime);
}
