#pragma once

#include <QString>

#include <cstdint>

// The kind of an entry; also the type byte of the entry file.
enum TEntryKind : std::uint8_t { ekOnce = 0, ekDaily = 1, ekWeekly = 2, ekMonthly = 3, ekYearly = 4 };
inline constexpr int EntryKindCount = 5;

// Which days of a period fit: working days, one weekday (1 = Sunday .. 7 = Saturday), the
// weekend, or any day.
enum TDayKind : std::uint8_t {
    dkWorkingDay = 0,
    dkSunday = 1,
    dkMonday = 2,
    dkTuesday = 3,
    dkWednesday = 4,
    dkThursday = 5,
    dkFriday = 6,
    dkSaturday = 7,
    dkWeekend = 8,
    dkAnyDay = 9,
};

// Which fitting day of a month: a fixed day of the month, the first to fourth, or the last.
enum TDayCycle : std::uint8_t { dcNone = 0, dcFirst = 1, dcSecond = 2, dcThird = 3, dcFourth = 4, dcLast = 5 };

bool IsValidEntryKind(int kind);
QString KindName(TEntryKind kind);
QString RepetitionUnitName(TEntryKind kind, bool singular);

bool IsWorkingDay(int day);
// The day test of daily entries: working days, weekend days or any day. Other kinds (a
// weekday, or a value from a damaged file) fit no day.
bool MatchesDayKind(int day, int kind);
bool IsDailyDayKind(int kind);
// The first day after day that fits a daily day kind; the day itself when the kind fits none.
int NextDayOfKind(int day, int kind);
// The day test of monthly and yearly entries, for every day kind 0..9; others fit no day.
bool MatchesMonthDayKind(int day, int kind);
// 29 February moves to the next leap year; every other date keeps its year.
int LeapAdjustYear(int year, int month, int day);
