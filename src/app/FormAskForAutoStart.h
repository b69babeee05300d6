#pragma once

#include "app/AutoStartQuestion.h"

#include <QDialog>

#include <memory>

namespace Ui {
class FormAskForAutoStart;
}

// Asks, when the main window closes, whether to set up the automatic start now.
class TFormAskForAutoStart : public QDialog {
    Q_OBJECT
public:
    // The result of exec() for the No button; Yes accepts, closing the window rejects.
    static constexpr int NoResult = 2;

    explicit TFormAskForAutoStart(QWidget* parent = nullptr);
    ~TFormAskForAutoStart() override;

    // Shows the dialog and returns the answer with the state of its check box.
    TAutoStartReply Ask();

private:
    std::unique_ptr<Ui::FormAskForAutoStart> m_Ui;
};

// The dialogs of the automatic start, made on first use as children of parent and kept from
// then on: the choices of one use are where the next one starts.
class TFormStartup;
TFormStartup& StartupDialog(QWidget* parent);
TFormAskForAutoStart& AskForAutoStartDialog(QWidget* parent);

// The Settings menu command of the main window.
void RunAutoStartCommand(QWidget* parent, const QString& currentFile);
// The question at closing; false when the main window stays open (the user chose to set the
// automatic start up, which has run then).
bool QueryCloseForAutoStart(QWidget* parent, bool& showAutoRun, int entryCount, const QString& fileName);
