#pragma once

#include <QtGlobal>

#include <array>

// The days that fit a set of weekdays, numbered from a first day on: the pattern repeats
// every week, so any match and the number of matches before a day are plain arithmetic.
class TWeekdayMatches {
public:
    // weekdays: bit n stands for weekday n (1 = Sunday); at least one of bits 1..7 is set.
    TWeekdayMatches(qint32 from, quint8 weekdays);

    // The day of match number index (0 is the first fitting day on or after from).
    qint64 Day(qint64 index) const;
    // How many fitting days lie in [from, day).
    qint64 CountBefore(qint64 day) const;
    quint8 Weekdays() const { return m_Weekdays; }

private:
    qint32 m_From;
    quint8 m_Weekdays;
    int m_PerWeek = 0;
    std::array<int, 7> m_Offsets{}; // of the fitting days in the week from m_From
};

// Every step-th match from match number first on, as long as the run lasts: what a walk
// records when it keeps every step-th fitting day.
struct TWeekdayRun {
    TWeekdayMatches Matches;
    qint64 First;
    qint64 Step;

    qint64 Day(qint64 item) const { return Matches.Day(First + item * Step); }
    // How many of the run's days lie before day.
    qint64 CountBefore(qint64 day) const;
};
