#pragma once

#include "settings/FormEx.h"

#include <memory>

class QFileDialog;

namespace Ui {
class FormStartup;
}

// Chooses the file that the logon check opens: another file, typed or searched, or the one
// open in the main window; or no automatic start at all.
class TFormStartup : public TFormEx {
    Q_OBJECT
public:
    explicit TFormStartup(QWidget* parent = nullptr);
    ~TFormStartup() override;

    // True when the user confirmed a choice other than the one the dialog opened with.
    // agreed: the person just said yes to an automatic start of the current file, so the
    // dialog offers exactly that, switched on.
    bool Execute(const QString& currentFile, const QString& autoStartFile, bool agreed = false);
    // The chosen file; empty when the automatic start is switched off.
    QString GetFileName() const;

    QFileDialog* OpenDialog1() const { return m_OpenDialog; }

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AutoStartChanged();
    void ButtonSearchClick();
    void RadioButtonStartupFileClick();
    // Whether the dialog may close with OK; says why not.
    bool CloseQuery();

    std::unique_ptr<Ui::FormStartup> m_Ui;
    QFileDialog* m_OpenDialog;
    QString m_InitialFile;
};
