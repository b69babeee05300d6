#pragma once

#include "settings/FormEx.h"
#include "ui/EntryFields.h"

#include <functional>
#include <memory>

class QFileDialog;
class QSpinBox;
class TDateEdit;
class TComboBoxDayCycle;
class TComboBoxDayKind;
class THistoryComboBox;
class TMCI;
class TVemoraEntries;

namespace Ui {
class FormEditDate;
}

// Modal results of the entry editor besides OK (1) and Cancel (2): OK with nothing changed.
inline constexpr int EditResultOk = 1;
inline constexpr int EditResultCancel = 2;
inline constexpr int EditResultUnchanged = 3;

// The dialog in which an entry is made or changed. It never changes the entry itself: the
// caller reads CycleKind, makes an entry of that kind where needed and calls SaveToEntry.
class TFormEditDate : public TFormEx {
    Q_OBJECT
public:
    explicit TFormEditDate(QWidget* parent = nullptr);
    ~TFormEditDate() override;

    // entry: the one to edit, or none for a new one; entries: the list it belongs to or joins.
    int Execute(TVemoraEntryBasic* entry, TVemoraEntries& entries);
    int CycleKind() const;
    void SetCycleKind(int kind);
    void SaveToEntry(TVemoraEntryBasic& entry) const;
    void LoadFromEntry(TVemoraEntryBasic* entry);
    void ResetFields();
    // Whether the values shown differ from the edited entry; always so for a new one.
    bool Modified() const;
    bool ValidateFields();

    // What the controls show, and showing values; setters leave controls that show the value.
    TEntryFields Fields() const;
    void SetFields(const TEntryFields& fields);

    // The line under the rule: its next dates as the fields stand, or why there are none. Every
    // change of a field runs it.
    void UpdateNextDates();

    THistoryComboBox& MediaHistory() const;
    // The command that edits the list's categories; the main window gives its own, which marks
    // the document modified. Without one the categories dialog runs on the list directly.
    void SetCategoriesCommand(std::function<bool()> command) { m_CategoriesCommand = std::move(command); }
    QFileDialog* OpenDialogMediafile() const { return m_OpenDialog; }

    void done(int result) override;
    void reject() override;

protected:
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateChoosers();
    void SetTexts();
    void FillNameLists();
    void FillCategoryItems();
    void SelectCategory(quint8 number);
    bool FormCloseQuery(int result);
    bool CheckSpinEditValue(QSpinBox* spinEdit);
    void ChainTabOrder();
    void ConnectNextDates();
    void ShowFieldError(QWidget* control, quint32 textId);
    TComboBoxDayKind* CurrentDayKindChooser() const;
    // The values as the controls show them, before untouched fields take their stored values.
    TEntryFields ControlFields() const;

    void VemoraEntryIsCyclicChanged();
    void PageControlCycleKindChange();
    void VemoraEntryDateStopHaveChanged();
    void VemoraEntryMaxCountHaveChanged();
    void UpdateRepeatCountLabel();
    void UpdateAdvanceWarnLabel();
    void MediafileChanged();
    void ButtonSearchClick();
    void ButtonPlayClick();
    void StopMediaIfPlaying();
    void HistoryComboBoxMediafileExit();
    void ButtonPreviewClick();
    void ButtonCategoriesClick();

    std::unique_ptr<Ui::FormEditDate> m_Ui;
    TVemoraEntries* m_Entries = nullptr;
    TVemoraEntryBasic* m_Entry = nullptr;
    std::unique_ptr<TMCI> m_MediaPlayer;
    bool m_CategoriesChanged = false;
    // What the edited entry holds, and what the controls showed of it right after loading.
    TEntryFields m_StoredFields;
    TEntryFields m_ShownFields;
    TComboBoxDayKind* m_DailyDayKind = nullptr;
    TComboBoxDayCycle* m_MonthlyDayCycle = nullptr;
    TComboBoxDayKind* m_MonthlyDayKind = nullptr;
    TComboBoxDayCycle* m_YearlyDayCycle = nullptr;
    TComboBoxDayKind* m_YearlyDayKind = nullptr;
    QFileDialog* m_OpenDialog = nullptr;
    std::function<bool()> m_CategoriesCommand;
};

// The one entry editor, made on first use and kept.
TFormEditDate& FormEditDate();
// Runs the categories dialog on the list and takes its table over when it was confirmed.
bool EditCategories(TVemoraEntries& entries, bool readOnly);
