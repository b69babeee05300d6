#pragma once

#include <QString>

class QWidget;
class TFormAskForAutoStart;
class TFormStartup;

// The dialogs of the automatic start, made on first use as children of parent and kept from
// then on: the choices of one use are where the next one starts.
TFormStartup& StartupDialog(QWidget* parent);
TFormAskForAutoStart& AskForAutoStartDialog(QWidget* parent);

// The Settings menu command of the main window.
void RunAutoStartCommand(QWidget* parent, const QString& currentFile, bool agreed = false);
// The question at closing; false when the main window stays open (the user chose to set the
// automatic start up, which has run then).
bool QueryCloseForAutoStart(QWidget* parent, bool& showAutoRun, int entryCount, const QString& fileName);
