#pragma once

#include <QString>

#include <libical/ical.h>

#include <memory>

class TVemoraEntryBasic;

// An entry made from a calendar event's dates, or why none repeats on exactly those days.
struct TImportedDates {
    std::unique_ptr<TVemoraEntryBasic> Entry;
    QString Reason; // empty when Entry is set
};

// The entry that, started on first, occurs on exactly the days of rule (null: a single day),
// the inverse of the export's rules. Only its dates are set.
TImportedDates EntryForRule(const icalrecurrencetype* rule, qint32 first);

// Whether the entry's occurrences from its start are the rule's first days from first on
// (as many as count, or up to the end of the rule).
bool HasTheRulesDays(TVemoraEntryBasic& entry, const icalrecurrencetype& rule, qint32 first, int count);
