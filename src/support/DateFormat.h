#pragma once

#include <QChar>
#include <QLocale>
#include <QString>

#include <array>

// The process's date and time conventions. Formats use this program's own format language:
//   d dd ddd dddd   day, two-digit day, short and long weekday name
//   ddddd dddddd    the short and the long date format
//   m mm mmm mmmm   month, two-digit month, short and long month name; m and mm right after
//                   h or hh (separators may lie between) are minutes
//   yy yyyy         two- and four-digit year
//   h hh  n nn  s ss  hour (0..23), minute, second, without and with a leading zero
//   t tt            the short and the long time format
//   /  :            the date and the time separator
//   "..." '...'     literal text; any other character is literal, letters are case-insensitive
struct TFormatSettings {
    QString ShortDateFormat;
    QString LongDateFormat;
    QString ShortTimeFormat;
    QString LongTimeFormat;
    QChar DateSeparator;
    QChar TimeSeparator;
    QChar DecimalSeparator;
    QChar ThousandSeparator;
    std::array<QString, 7> ShortDayNames; // index 0 = Sunday
    std::array<QString, 7> LongDayNames;
    std::array<QString, 12> ShortMonthNames; // index 0 = January
    std::array<QString, 12> LongMonthNames;
    int FirstDayOfWeek = 2; // the first column of a calendar: 1 = Sunday .. 7 = Saturday
};

// Process-wide settings, taken from the system locale on first use; a country file overrides
// parts of them.
TFormatSettings& FormatSettings();

// Replaces the process-wide settings by the defaults of the locale.
void ResetFormatSettings(const QLocale& locale);

// Date-times are day numbers plus the time of day as fraction; as with day numbers before
// day 0, the integer part is the day and the absolute fraction the time. Date-times outside
// 0001-01-01..9999-12-31 (and NaN) format as an empty text.
QString FormatDateTime(const QString& format, double dateTime,
                       const TFormatSettings& settings = FormatSettings());

QString DateToStr(int dayNumber);
QString DateToLongStr(int dayNumber);
// The short date, followed by a blank and the short time unless the time is midnight.
QString DateTimeToStr(double dateTime);
