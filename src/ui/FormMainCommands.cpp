// The commands of the main window on entries and settings.
#include "ui/FormMain.h"

#include "ui_FormMain.h"

#include "app/AutoStartDialogs.h"
#include "app/BatchCheck.h"
#include "app/FormOptions.h"
#include "model/EntryFactory.h"
#include "model/VemoraEntries.h"
#include "settings/HistoryComboBox.h"
#include "settings/MenuHistoryFiles.h"
#include "platform/MessageService.h"
#include "support/DLGLanguage.h"
#include "support/DayNumbers.h"
#include "support/NLS.h"
#include "ui/EntryListModel.h"
#include "ui/FormEditDate.h"
#include "ui/FormPreview.h"
#include "ui/ListViewEx.h"

#include <QHeaderView>
#include <QScrollBar>

TVemoraEntryBasic* TFormMain::SelectedEntry() const
{
    const std::vector<int> rows = m_Ui->ListViewEx1->SelectedRows();
    return rows.size() == 1 ? m_ListModel->EntryAt(rows.front()) : nullptr;
}

TFormEditDate& TFormMain::EntryEditor()
{
    TFormEditDate& editor = FormEditDate();
    editor.SetCategoriesCommand([this] { return EditCategories(); });
    return editor;
}

void TFormMain::MainMenuEditNewClick()
{
    if (!ActionEnabled(maNewEntry))
        return;
    TFormEditDate& editor = EntryEditor();
    if (editor.Execute(nullptr, *m_Entries) != EditResultOk)
        return;
    std::unique_ptr<TVemoraEntryBasic> made = CreateEntry(editor.CycleKind());
    editor.SaveToEntry(*made);
    TVemoraEntryBasic* entry = made.get();
    m_Entries->AddEntry(std::move(made));
    TListViewEx& list = *m_Ui->ListViewEx1;
    list.clearSelection();
    const int row = m_ListModel->AddListItem(entry);
    list.selectionModel()->setCurrentIndex(m_ListModel->index(row, 0),
                                           QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    list.scrollTo(m_ListModel->index(row, 0), QAbstractItemView::EnsureVisible);
    SetModified(true);
}

void TFormMain::MainMenuEditEditClick()
{
    TVemoraEntryBasic* entry = SelectedEntry();
    if (!ActionEnabled(maEditEntry) || !entry)
        return;
    TFormEditDate& editor = EntryEditor();
    if (editor.Execute(entry, *m_Entries) != EditResultOk)
        return;
    const int row = m_ListModel->RowOfEntry(entry);
    if (editor.CycleKind() != entry->Kind()) {
        // Another kind is another class: the entry is replaced, and its row follows.
        std::unique_ptr<TVemoraEntryBasic> replacement = CreateEntry(editor.CycleKind());
        TVemoraEntryBasic* made = replacement.get();
        m_ListModel->SetRowEntry(row, made);
        m_Entries->Delete(entry->IndexInOwner());
        m_Entries->AddEntry(std::move(replacement));
        entry = made;
    }
    editor.SaveToEntry(*entry);
    m_ListModel->RefillRow(row);
    SetModified(true);
}

void TFormMain::MainMenuEditDeleteClick()
{
    if (!ActionEnabled(maDeleteEntries))
        return;
    BeginUpdate();
    const std::vector<int> rows = m_Ui->ListViewEx1->SelectedRows();
    std::vector<TVemoraEntryBasic*> entries;
    entries.reserve(rows.size());
    for (int row : rows)
        entries.push_back(m_ListModel->EntryAt(row));
    // Rows strewn over the list come back as a reset; the view keeps its place.
    const int scrolled = m_Ui->ListViewEx1->verticalScrollBar()->value();
    m_ListModel->RemoveRows(rows);
    m_Ui->ListViewEx1->verticalScrollBar()->setValue(scrolled);
    m_Entries->DeleteEntries(entries);
    EndUpdate();
    UpdateActions();
}

void TFormMain::MainMenuEditTestClick()
{
    if (TVemoraEntryBasic* entry = SelectedEntry())
        ShowAlert(*entry, Today());
}

void TFormMain::MainMenuEditPreviewClick()
{
    if (TVemoraEntryBasic* entry = SelectedEntry())
        FormPreview().Execute(*entry);
}

bool TFormMain::EditCategories()
{
    if (!::EditCategories(*m_Entries, m_ReadOnly))
        return false;
    SetModified(true);
    BeginUpdate();
    m_ListModel->RefreshCategoryColumn();
    EndUpdate();
    return true;
}

void TFormMain::MainMenuSettingsAutostartClick()
{
    RunAutoStartCommand(this, m_FileName);
}

// The new language shows from the next start on; the running window keeps its texts.
void TFormMain::MainMenuSettingsLanguageClick()
{
    TLanguagePair pair{CountryFilename(), LanguageFilename()};
    if (!TDLGLanguage::Execute(pair, TNLSFileNames[nlsLanguagePrefix]))
        return;
    CountryFilename() = pair[nlsCountryPrefix];
    LanguageFilename() = pair[nlsLanguagePrefix];
    TMessageRequest notice;
    notice.Text = FirstCharUpper(LanguageText(0x117A135D), QStringLiteral("."));
    MessageService().Show(notice);
}

// Asking for the media list brings the entry editor into being: the list is its.
void TFormMain::MainMenuSettingsOtherOptionsClick()
{
    RunOptionsCommand(this, m_ShowAutoRun, m_History->List(), FormEditDate().MediaHistory().History());
}
