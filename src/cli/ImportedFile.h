#pragma once

#include "cli/CalendarImport.h"
#include "model/Categories.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

class TVemoraEntryBasic;

// What a calendar or address-book file brings into a document: the new entries, not yet in any
// list, and the category table with the categories they need added.
struct TImportedFile {
    std::vector<std::unique_ptr<TVemoraEntryBasic>> Entries;
    TCategories Categories;
    TImportReport Report;
};

// Reads an iCalendar or vCard text against the document's categories; EImportError when it is
// neither.
TImportedFile ImportFile(const QByteArray& text, const TCategories& categories, qint32 today);

// The report for a person: how many were imported and left out, then each one left out with
// its reason, at most maxLines of them.
QString ImportReportText(const TImportReport& report, int maxLines = 20);
