#pragma once

#include <QtGlobal>

#include <vector>

class TVemoraEntryBasic;

// What an entry's rule means from a day on, in a few words: its next dates, or why there are
// none. The editor shows it under the rule while the rule is being typed.
struct TNextDates {
    enum class TReason {
        Dates,          // Days holds the next dates
        StopBeforeStart,// the stop day lies before the start day
        NoDay,          // no day fits the rule at all
        Ended,          // the series has ended; LastDay is its last date
        OutOfCalendar,  // the dates would lie past the year 9999
    };
    TReason Reason = TReason::NoDay;
    std::vector<qint32> Days;
    qint32 LastDay = 0;
};

// The next count dates of entry on or after from, computed as the logon check computes them;
// the entry's cache is filled as far as needed.
TNextDates FindNextDates(TVemoraEntryBasic& entry, qint32 from, int count);
