#pragma once

#include <QString>
#include <QtGlobal>

#include <libical/ical.h>

#include <optional>
#include <set>
#include <vector>

// A start on the local calendar: its day and, for a timed start, the time of day.
struct TLocalStart {
    qint32 Day = 0;
    QString Time;
    bool OtherDay = false; // the local day differs from the day in the event's own zone
};

// A day as a date value of libical, and the calendar day of a value as it stands.
icaltimetype DateValue(qint32 day);
qint32 DayOf(const icaltimetype& time);

// A floating time, or one whose zone the file does not define, counts as local; none for a
// time that is none or lies outside the years 1 to 9999.
std::optional<TLocalStart> LocalStart(const icaltimetype& time);

// The event's occurrences (its start or rule, its RDATEs, less its EXDATEs and the days
// skipped) whose local day lies from from to to, in order, one per day.
std::vector<TLocalStart> LocalOccurrences(icalcomponent* event, qint32 from, qint32 to, std::set<qint32> skipped);
