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
#include "ui/EntryCommands.h"
#include "ui/EntryListModel.h"
#include "ui/FormEditDate.h"
#include "ui/FormPreview.h"
#include "ui/ListViewEx.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QUndoStack>

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
    std::vector<std::unique_ptr<TVemoraEntryBasic>> made;
    made.push_back(CreateEntry(editor.CycleKind()));
    editor.SaveToEntry(*made.front());
    m_UndoStack->push(new TAddEntriesCommand(*m_Document, std::move(made)));
}

// The values go into a copy that takes the entry's place, or into a new entry when the kind
// changed: either way the edit can be undone.
void TFormMain::MainMenuEditEditClick()
{
    TVemoraEntryBasic* entry = SelectedEntry();
    if (!ActionEnabled(maEditEntry) || !entry)
        return;
    TFormEditDate& editor = EntryEditor();
    if (editor.Execute(entry, *m_Entries) != EditResultOk)
        return;
    std::unique_ptr<TVemoraEntryBasic> edited;
    if (editor.CycleKind() == entry->Kind()) {
        edited = CloneEntry(*entry);
    } else {
        edited = CreateEntry(editor.CycleKind());
        edited->SetNumber(m_Entries->NextNumber());
        edited->SetOwner(m_Entries.get());
    }
    editor.SaveToEntry(*edited);
    m_UndoStack->push(new TReplaceEntryCommand(*m_Document, entry, std::move(edited)));
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
    m_UndoStack->push(new TDeleteEntriesCommand(*m_Document, std::move(entries)));
    m_Ui->ListViewEx1->verticalScrollBar()->setValue(scrolled);
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
    const TCategories before = m_Entries->Categories();
    if (!::EditCategories(*m_Entries, m_ReadOnly))
        return false;
    BeginUpdate();
    m_UndoStack->push(new TCategoriesCommand(*m_Document, before, m_Entries->Categories()));
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
