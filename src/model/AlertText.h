#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

class TVemoraEntryBasic;

// What an alert shows for an entry on a day: the display text with "$(COUNT)" filled in,
// behind a prefix that names the days until the occurrence when it lies ahead.
struct TAlertMessage {
    QString Text;                 // prefix and display text
    qint32 DaysAhead = 0;         // to the occurrence the alert is about; 0 or less: no prefix
    std::optional<quint32> Count; // the number put in for "$(COUNT)", none without one
};

// The caller has brought the entry's cache up to day (IsOccurrenceDay does).
TAlertMessage BuildAlertMessage(const TVemoraEntryBasic& entry, qint32 day);
QString AlertMessageText(const TVemoraEntryBasic& entry, qint32 day);

// The text with its line breaks as blanks, for lists of one line per alert.
QString OneLine(QString text);

// "Tomorrow: " or "In 3 days: " in the loaded language; empty for 0 or fewer days.
QString AlertPrefix(qint32 daysAhead);
