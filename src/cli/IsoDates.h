#pragma once

#include <QString>

#include <optional>

// "YYYY-MM-DD" of the years 1 to 9999 as a day number.
std::optional<qint32> ParseIsoDay(const QString& text);
QString IsoDate(qint32 day);

// "YYYY-MM" of the years 1 to 9999 as the day number of the month's first day.
std::optional<qint32> ParseIsoMonth(const QString& text);
