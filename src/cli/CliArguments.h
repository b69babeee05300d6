#pragma once

#include "cli/CalendarImport.h"
#include "cli/IsoDates.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <stdexcept>

enum class TCliCommand { Help, Due, Next, Dump, Upgrade, Export, Import, Month };

// One call of vemora-cli, as its command line asks for it.
struct TCliRequest {
    TCliCommand Command = TCliCommand::Help;
    QStringList Files;         // FILE, or IN and OUT for upgrade and import
    std::optional<qint32> Day; // --date of due, --from of next; today when absent
    std::optional<qint32> Since; // --since of due: the day of the previous logon check
    int Count = 20;            // --count of next; the preview's default
    bool Json = false;
    // Export: --from is Day; once parsed, Day and To are both set, the defaults filled in.
    std::optional<qint32> To;
    QString Output; // --output; standard output when empty
    QString Category; // --category of import; else each event's own
    std::optional<TImportWindow> Expand; // --expand FROM..TO of import
    std::optional<qint32> Month; // --month of month: its first day; this month when absent
};

inline constexpr int MaxNextCount = 999;

// The command line does not say what to do; the message names the fault in one line.
class EUsageError : public std::runtime_error {
public:
    explicit EUsageError(const QString& message)
        : std::runtime_error(message.toStdString())
    {
    }
};

// The arguments after the program name; EUsageError when they make no valid call.
TCliRequest ParseCliArguments(const QStringList& arguments);


QString CliHelpText();
