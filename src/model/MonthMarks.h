#pragma once

#include <QStringList>
#include <QtGlobal>

#include <exception>
#include <functional>
#include <vector>

class TVemoraEntries;

// What the logon check would show on one day, by entry index: the active entries that occur on
// it, and those it warns of ahead. Together they are exactly the entries due that day; each list
// is in file order.
struct TDayMarks {
    std::vector<int> Occurrences;
    std::vector<int> Warnings;

    bool Empty() const { return Occurrences.empty() && Warnings.empty(); }
};

// Called once for an entry whose dates cannot be computed on some of the days; it is marked on
// the days that can be.
using TMarkError = std::function<void(int index, const std::exception& error)>;

// The marks of each day from first to last, both included (one element per day). The calendar
// shows a few weeks at a time: an entry costs a search of its cached days, not a test per day.
std::vector<TDayMarks> MarkDays(TVemoraEntries& entries, qint32 first, qint32 last,
                                const TMarkError& onError = {});

// The day's alert texts in one line each, as the alerts word them (occurrences first, then the
// warnings with their prefix): at most limit of them, then a line that says how many more there are.
QStringList DayAlertLines(TVemoraEntries& entries, const TDayMarks& marks, qint32 day, int limit);
