#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>
#include <stdexcept>
#include <vector>

class TVemoraEntries;

// An event or other component of the file, as the report names it.
struct TImportedItem {
    QString Name;   // the summary, or the kind of component
    QString Date;   // YYYY-MM-DD of its start, empty when it has none
    QString Reason; // why it was left out; empty when imported
    int Days = 0;   // imported as that many single days (expanded); 0: as one entry
};

// The days, both included, within which events without an exact equal become single days.
struct TImportWindow {
    qint32 From = 0;
    qint32 To = 0;
};

struct TImportReport {
    std::vector<TImportedItem> Items;
    int LeftOut() const;
};

// The input is no calendar at all; nothing was imported.
class EImportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The id of the category of that name, made when missing; 0 for no name or when every id is
// taken.
quint8 ImportCategoryId(TVemoraEntries& entries, const QString& name);

// The events of an iCalendar text as entries added at the end of entries, in the file's order.
// A category named (else the event's first category) is used or made. Events whose dates no
// entry repeats exactly are left out and reported with the reason, or, with a window to expand,
// become one single-day entry per day inside it.
TImportReport ImportCalendar(const QByteArray& text, TVemoraEntries& entries, const QString& category = QString(),
                             std::optional<TImportWindow> expand = std::nullopt);
