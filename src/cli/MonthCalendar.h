#pragma once

#include "model/MonthMarks.h"

#include <QString>

#include <vector>

class TVemoraEntries;

// A month of marks with the entries they are of: the days from First on, one element per day.
struct TMarkedMonth {
    qint32 First = 0;
    std::vector<TDayMarks> Days;
};

// The month as a calendar of weeks from Monday, a '*' after each day with an occurrence (its
// number in bold for a terminal), then a line per occurrence in day and file order, worded as
// the alert of that day words it.
QString MonthCalendarText(TVemoraEntries& entries, const TMarkedMonth& month, bool terminal);

// {"Month", "Days": [{"Date", "Occurrences", "Warnings"}, ...]} as indented JSON.
QByteArray MonthCalendarJson(const TMarkedMonth& month);
