#pragma once

#include <QString>

#include <optional>

class TVemoraEntryBasic;

// The repeat rule (the value of an RRULE, series end included) that, started on first, yields
// exactly the days the entry's walk records; nothing where no rule says exactly that. first
// must be the entry's first occurrence.
std::optional<QString> ExactRepeatRule(TVemoraEntryBasic& entry, qint32 first);

// YYYYMMDD, the form of a date value in a calendar file.
QString BasicDate(qint32 day);
