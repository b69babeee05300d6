#pragma once

#include "model/EntryTypes.h"

#include <QString>

#include <cstdint>
#include <string>
#include <vector>

class TVemoraEntries;

// One generated reminder, described once and rendered both as an entry and as a line of a
// remind script, so that the two programs are given the same work.
struct TReminder {
    TEntryKind Kind = ekOnce;
    qint32 DateStart = 0;
    qint32 DateStop = -1;
    qint32 Repetition = 1;
    quint8 AdvanceWarn = 0;
    quint8 DayKind = dkAnyDay; // daily entries
    quint8 Weekdays = 0;       // weekly entries, bit n = weekday n (1 = Sunday)
    quint8 DaySpec = 1;        // monthly and yearly entries
    quint8 Month = 1;          // yearly entries
    bool Active = true;
    quint8 Category = 0;
    QString DisplayText;
    QString Comment;
    QString Mediafile;
};

// The same seed and today give the same reminders. Every display text ends in " #<index>",
// the entry's position in the file, so that the outputs of both programs can be matched.
std::vector<TReminder> GenerateReminders(int count, std::uint64_t seed, qint32 today);

// Adds the categories the reminders use and one entry per reminder, in order.
void FillEntries(const std::vector<TReminder>& reminders, TVemoraEntries& entries);

// The remind script meaning the same days; inactive reminders become comment lines.
std::string RemindScript(const std::vector<TReminder>& reminders);

struct TReminderFiles {
    QString Cold; // empty occurrence caches
    QString Warm; // caches computed up to the day before today
    QString Remind;
};

// Writes PREFIX-cold.vkd, PREFIX-warm.vkd and PREFIX.rem. With keepDue 0 or more, only that
// many of the reminders due today stay active: the others are switched off, so the files ask
// the same computation with (almost) nothing to alert.
TReminderFiles WriteReminderFiles(int count, std::uint64_t seed, qint32 today, const QString& prefix,
                                  int keepDue = -1);

// Switches off all but the first keep reminders due today.
void KeepDueActive(std::vector<TReminder>& reminders, qint32 today, int keep);

// YYYY-MM-DD of a day number.
std::string IsoDate(qint32 day);
