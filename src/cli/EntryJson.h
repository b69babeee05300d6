#pragma once

#include <QJsonObject>

class TVemoraEntries;
class TVemoraEntryBasic;

// The fields of the entry record under their own names; days as day numbers.
QJsonObject EntryToJson(const TVemoraEntryBasic& entry);
// FileVersion, Categories in table order and Entries in file order.
QJsonObject EntriesToJson(const TVemoraEntries& entries);
