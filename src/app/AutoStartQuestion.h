#pragma once

#include <QString>

#include <functional>
#include <optional>

// The decisions around the automatic start that the main window leaves to this unit; the
// dialogs that ask the user are passed in, so that tests can answer instead.

// The question when the main window closes: asked when no automatic start is registered, the
// option is on, and a named file with entries is open.
bool ShouldAskForAutoStart(const QString& registeredFile, bool showAutoRun, int entryCount, const QString& fileName);

struct TAutoStartReply {
    bool Yes = false;          // set the automatic start up now
    bool DoNotAskAgain = false; // the dialog's check box
};

enum class TCloseAction { Close, Configure };

// Asks when ShouldAskForAutoStart holds; the answer also sets showAutoRun. Configure: the main
// window stays open and runs the automatic start command.
TCloseAction AutoStartQuestionAtClose(bool& showAutoRun, int entryCount, const QString& fileName,
                                      const std::function<TAutoStartReply()>& ask);

// The automatic start command: choose gets the main window's file and the registered one and
// returns the file to register (empty to switch it off), or nothing to change nothing.
using TChooseAutoStartFile = std::function<std::optional<QString>(const QString& currentFile, const QString& registered)>;
void AutoStartCommand(const QString& currentFile, const TChooseAutoStartFile& choose);
