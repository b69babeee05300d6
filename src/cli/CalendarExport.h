#pragma once

#include <QByteArray>
#include <QString>

#include <exception>
#include <functional>

class TVemoraEntries;
class TVemoraEntryBasic;

// The days an export covers, both included.
struct TExportWindow {
    qint32 From = 0;
    qint32 To = 0;
};

// From the same date a year before today to the same date two years after; 29 February stands
// for 28 February in common years.
TExportWindow DefaultExportWindow(qint32 today);

// Told of an entry whose days cannot all be computed; the days found before the fault are
// exported all the same.
using TEntryFaultReport = std::function<void(int index, const TVemoraEntryBasic& entry, const std::exception& error)>;

// The active entries as all-day events of an iCalendar file (UTF-8, CRLF line ends). A pattern
// that a repeat rule says exactly becomes that rule; other entries list their days within the
// window. filePath, the entry file's absolute path, makes the event ids stable and unique.
QByteArray ExportCalendar(TVemoraEntries& entries, const QString& filePath, const TExportWindow& window,
                          const TEntryFaultReport& report);
