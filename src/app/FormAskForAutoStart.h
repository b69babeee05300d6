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
