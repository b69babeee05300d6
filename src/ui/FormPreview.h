#pragma once

#include "settings/FormEx.h"

#include <QDate>
#include <QElapsedTimer>

#include <array>
#include <memory>

class QLabel;
class TVemoraEntryBasic;

namespace Ui {
class FormPreview;
}

// Lists the next dates of an entry from a chosen day on, so that the user sees whether a rule
// does what was meant. The calculation runs on the user interface thread and lets events run
// between dates and inside long walks, so the same button can stop it.
class TFormPreview : public TFormEx {
    Q_OBJECT
public:
    explicit TFormPreview(QWidget* parent = nullptr);
    ~TFormPreview() override;

    // Shows the dialog modally for entry, from today on; the entry is looked at only until
    // this returns. Does nothing while a calculation runs.
    void Execute(TVemoraEntryBasic& entry);
    // Execute's reset and one press of the button from start, without showing the dialog:
    // the lines and the status bar are what a user would see.
    void Preview(TVemoraEntryBasic& entry, QDate start);
    // Starts the calculation; while one runs, only asks it to stop.
    void ButtonCalcpreviewClick();
    bool Busy() const { return m_Busy; }

    // Closing stops a running calculation: it must end before the entry is forgotten.
    void done(int result) override;

private:
    void FormCreate();
    void Reset(TVemoraEntryBasic& entry);
    void Calculate(TVemoraEntryBasic& entry, qint32 day);
    void LetEventsRun();
    void AddLine(qint32 day);
    void SetBusy(bool busy);
    void SetOverflow(bool overflow);
    void UpdateStatusBar();
    QString StateText() const;
    QString CountText() const;
    QString SeriesText() const;

    std::unique_ptr<Ui::FormPreview> m_Ui;
    std::array<QLabel*, 3> m_Panels{};
    QString m_IdleButtonText;
    TVemoraEntryBasic* m_Entry = nullptr;
    bool m_Busy = false;
    bool m_Cancel = false;
    bool m_Overflow = false;
    QElapsedTimer m_SincePause;
};

// The one preview dialog, made on first use (a child of the main window when there is one)
// and kept, so the maximum count stays from one use to the next.
TFormPreview& FormPreview();
