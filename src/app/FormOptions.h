#pragma once

#include "settings/FormEx.h"

#include <memory>

class THistoryStringlist;

namespace Ui {
class FormOptions;
}

// The settings without another home: the lengths of the two recently-used lists, with buttons
// that empty them at once, the day of the last logon check, and whether closing the main
// window asks about the automatic start. Values go in and come out; the caller applies them.
class TFormOptions : public TFormEx {
    Q_OBJECT
public:
    explicit TFormOptions(QWidget* parent = nullptr);
    ~TFormOptions() override;

    // 0 = never. Only the day reaches the date edit; the time of day read back is the date
    // edit's own, taken when the dialog was made.
    void SetLastBatchRun(double dateTime);
    double LastBatchRun() const;
    void SetShowAutoRun(bool show);
    bool ShowAutoRun() const;
    void SetShowMissedAlerts(bool show);
    bool ShowMissedAlerts() const;
    void SetAlertsAsNotifications(bool asNotifications);
    bool AlertsAsNotifications() const;

    // Shows the dialog for the file menu's list and the entry editor's media-file list; true
    // when it was closed with OK. The lists are emptied at once by their buttons, whatever
    // the dialog is closed with; their new maxima are for the caller to apply.
    bool Execute(THistoryStringlist& fileHistory, THistoryStringlist& mediaHistory);
    int FileHistoryMax() const;
    int MediaHistoryMax() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void ShowLists();
    // After a list was emptied there is nothing left to cancel: Cancel becomes Close.
    void SetEmptied(bool emptied);
    void ButtonDelHistoryFileClick();
    void ButtonDelHistoryMedialistClick();
    void Empty(THistoryStringlist& list);
    void RadioButtonLastAutoStartAtClick();

    std::unique_ptr<Ui::FormOptions> m_Ui;
    double m_PickerTimeOfDay;
    QString m_CancelCaption;
    QString m_CloseCaption;
    THistoryStringlist* m_FileHistory = nullptr;
    THistoryStringlist* m_MediaHistory = nullptr;
};

// Made on first use as a child of parent and kept from then on.
TFormOptions& OptionsDialog(QWidget* parent);

// The main window's command: shows the last logon check, showAutoRun and the stored missed-dates
// option, and on OK applies, in this order, showAutoRun, the last logon check and the option
// (both stored at once when they differ), the file list's maximum and the media list's maximum.
// True when closed with OK.
bool RunOptionsCommand(QWidget* parent, bool& showAutoRun, THistoryStringlist& fileHistory,
                       THistoryStringlist& mediaHistory);
