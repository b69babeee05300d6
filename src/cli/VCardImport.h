#pragma once

#include "cli/CalendarImport.h"

#include <QByteArray>
#include <QString>

class TVemoraEntries;

// Whether the text is an address book (vCard) rather than a calendar.
bool IsVCardText(const QByteArray& text);

// The birthdays (BDAY) and anniversaries (ANNIVERSARY) of the cards of a vCard file (versions
// 3.0 and 4.0) as yearly entries added at the end of entries: with a year from that day on,
// counting the years; without one from this year on. EImportError when no card is found.
TImportReport ImportVCards(const QByteArray& text, TVemoraEntries& entries, const QString& category, qint32 today);
