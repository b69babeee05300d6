#pragma once

#include <QString>

#include <exception>
#include <functional>
#include <optional>
#include <vector>

class TVemoraEntries;

// The logon check looks back at most this many days; older dates are left alone.
inline constexpr qint32 MaxMissedDays = 62;
// The summary alert lists at most this many occurrences, then how many more there are.
inline constexpr int MaxMissedSummaryLines = 50;

// An occurrence of an entry on a day that passed without a logon check.
struct TMissedOccurrence {
    qint32 Day = 0;
    int Index = 0; // the entry's position in the file
    QString Text;  // the display text, "$(COUNT)" as on that day
    std::optional<quint32> Count;
};

// Called once for an entry whose dates cannot be computed; the entry is left out.
using TMissedDateError = std::function<void(int index, const std::exception& error)>;

// The occurrences of the active entries on the days after the day of the last check up to the
// day before today, at most MaxMissedDays of them, oldest first and in file order within a
// day. Advance warnings are not repeated: they were for days that have passed as well.
std::vector<TMissedOccurrence> MissedOccurrences(TVemoraEntries& entries, qint32 lastCheck, qint32 today,
                                                 const TMissedDateError& onError);

// The summary alert's text: a heading, then a line per occurrence with its short date.
QString MissedSummaryText(const std::vector<TMissedOccurrence>& missed);
