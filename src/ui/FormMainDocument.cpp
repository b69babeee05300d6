// The document commands of the main window: its states, opening, saving and closing.
#include "ui/FormMain.h"

#include "ui_FormMain.h"

#include "app/AutoStartDialogs.h"
#include "app/EntryFileCheck.h"
#include "model/EntryFileHeader.h"
#include "model/VemoraEntries.h"
#include "platform/FormatText.h"
#include "platform/MessageService.h"
#include "settings/MenuHistoryFiles.h"
#include "support/NLS.h"
#include "ui/EntryFilterModel.h"
#include "ui/EntryListModel.h"
#include "ui/ListViewEx.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QUndoStack>

namespace {

constexpr int NextDateColumn = 4;

} // namespace

void TFormMain::SetModified(bool modified)
{
    if (!modified) {
        m_Entries->SetFlags(flagModified, false);
        m_UndoStack->setClean();
    }
    if (modified == m_Modified)
        return;
    m_Modified = modified;
    ModifiedChanged();
}

void TFormMain::ModifiedChanged()
{
    m_StatePanel->setText(m_Modified ? FirstCharUpper(LanguageText(0x0015DCE6)) : QString());
    SetActionEnabled(maReadOnlySwitch, !m_Modified);
    UpdateActions();
}

void TFormMain::SetReadOnly(bool readOnly)
{
    if (readOnly == m_ReadOnly)
        return;
    m_ReadOnly = readOnly;
    m_Ui->MainMenuFileReadonly->setChecked(readOnly);
    if (readOnly) {
        m_StatePanel->setText(FirstCharUpper(LanguageText(0x63207BB2)));
        UpdateActions();
    } else {
        ModifiedChanged();
    }
}

void TFormMain::UpdateActions()
{
    if (!m_Ui->ListViewEx1)
        return;
    const int selected = m_Ui->ListViewEx1->SelectedCount();
    SetActionEnabled(maEditEntry, selected == 1);
    SetActionEnabled(maDeleteEntries, selected >= 1 && !m_ReadOnly);
    SetActionEnabled(maNewEntry, !m_ReadOnly);
    m_Ui->MainMenuFileImport->setEnabled(!m_ReadOnly);
    SetActionEnabled(maPreview, ActionEnabled(maEditEntry));
    SetActionEnabled(maTest, ActionEnabled(maEditEntry));
    SetActionEnabled(maSave, !m_ReadOnly && m_Modified);
    SetActionEnabled(maSaveAs, true);
}

void TFormMain::SetActionEnabled(int row, bool enabled)
{
    if (row < 0 || row >= MainActionCount || ActionEnabled(row) == enabled)
        return;
    for (QAction* member : m_ActionTable[static_cast<std::size_t>(row)])
        if (member)
            member->setEnabled(enabled);
}

bool TFormMain::ActionEnabled(int row) const
{
    if (row < 0 || row >= MainActionCount)
        return false;
    const QAction* item = m_ActionTable[static_cast<std::size_t>(row)][0];
    return item && item->isEnabled();
}

void TFormMain::SetFileName(const QString& name)
{
    // Names compare as the file system does: on Linux DATES.vkd and dates.vkd are two files.
    if (name == m_FileName)
        return;
    m_FileName = name;
    UpdateCaption();
}

void TFormMain::UpdateCaption()
{
    if (m_FileName.isEmpty()) {
        setWindowTitle(QStringLiteral("Vemora"));
        return;
    }
    setWindowTitle(QStringLiteral("Vemora - ") + m_FileName);
    m_History->List().AddHistory(m_FileName);
}

void TFormMain::BeginUpdate()
{
    if (m_UpdateDepth++ > 0)
        return;
    m_Ui->ListViewEx1->setUpdatesEnabled(false);
    BeginWait();
}

void TFormMain::EndUpdate()
{
    if (m_UpdateDepth == 0 || --m_UpdateDepth > 0)
        return;
    m_Ui->ListViewEx1->setUpdatesEnabled(true);
    EndWait();
}

bool TFormMain::QuerySave()
{
    if (!m_Modified)
        return true;
    const QString name = m_FileName.isEmpty() ? LanguageText(0x70110705) : u'"' + m_FileName + u'"';
    TMessageRequest request;
    request.Text = FirstCharUpper(LanguageText(0x4BFF8308).replace(QStringLiteral("%s"), name), QStringLiteral("?"));
    request.Icon = TMessageIcon::Question;
    request.Buttons = TMessageButtons::YesNoCancel;
    request.EventSound = true;
    switch (MessageService().Show(request)) {
    case TMessageResult::Yes:
        // A file opened read-only is never written over: its changes go to another one.
        return m_FileName.isEmpty() || m_ReadOnly ? SaveAs() : SaveTo(m_FileName);
    case TMessageResult::No:
        return true;
    default:
        return false;
    }
}

bool TFormMain::OpenFile(const QString& name)
{
    // The rows refer to the entries that a load replaces: they go first, and come back from
    // the unchanged entries when the load fails.
    m_ListModel->BeginUpdate();
    m_ListModel->ClearRows();
    m_ListModel->EndUpdate();
    bool loaded = false;
    try {
        loaded = m_Entries->LoadFromFile(name);
    } catch (...) {
        m_Entries->FillListView(*m_ListModel);
        throw;
    }
    if (!loaded) {
        m_Entries->FillListView(*m_ListModel);
        return false;
    }
    if (m_Entries->FileVersion() < EntryFileVersion) {
        TMessageRequest notice;
        notice.Text = LanguageText(0x1D98D93F);
        MessageService().Show(notice);
    }
    BeginUpdate();
    m_SortKey = NextDateColumn;
    m_SortAscending = true;
    m_ListModel->SetSortOrder(m_SortKey, m_SortAscending);
    m_Entries->FillListView(*m_ListModel);
    m_Ui->ListViewEx1->horizontalHeader()->setSortIndicator(m_SortKey, Qt::AscendingOrder);
    EndUpdate();
    SetFileName(name);
    m_UndoStack->clear();
    SetModified(m_Entries->GetFlag(flagModified));
    // A file that was changed in the reading has no state to undo back to.
    if (m_Modified)
        m_UndoStack->resetClean();
    UpdateActions();
    return true;
}

bool TFormMain::SaveTo(const QString& name)
{
    m_Entries->SaveToFile(name);
    SetModified(false);
    return true;
}

bool TFormMain::SaveAs()
{
    if (m_SaveDialog->exec() != QDialog::Accepted || m_SaveDialog->selectedFiles().isEmpty())
        return false;
    const QString name = m_SaveDialog->selectedFiles().constFirst();
    SaveTo(name);
    SetFileName(name);
    SetModified(false);
    return true;
}

void TFormMain::MainMenuFileNewClick()
{
    if (!QuerySave())
        return;
    BeginUpdate();
    SetReadOnly(false);
    SetActionEnabled(maReadOnlySwitch, true);
    SetFileName(QString());
    m_ListModel->BeginUpdate();
    m_ListModel->ClearRows();
    m_UndoStack->clear();
    m_Entries->Clear();
    m_ListModel->EndUpdate();
    SetModified(false);
    EndUpdate();
    UpdateActions();
}

void TFormMain::MainMenuFileOpenClick()
{
    if (!QuerySave())
        return;
    QString chosen;
    do {
        m_OpenReadOnly->setChecked(false);
        if (m_OpenDialog->exec() != QDialog::Accepted || m_OpenDialog->selectedFiles().isEmpty())
            return;
        chosen = m_OpenDialog->selectedFiles().constFirst();
    } while (!CheckEntryFile(chosen));
    OpenFile(chosen);
    SetReadOnly(m_OpenReadOnly->isChecked());
}

void TFormMain::MainMenuFileSaveClick()
{
    if (m_FileName.isEmpty())
        SaveAs();
    else
        SaveTo(m_FileName);
    UpdateActions();
}

void TFormMain::MainMenuFileSaveasClick()
{
    SaveAs();
    UpdateActions();
}

void TFormMain::MainMenuFileReadonlyClick()
{
    SetReadOnly(!m_ReadOnly);
}

void TFormMain::MainMenuFileCloseClick()
{
    close();
}

void TFormMain::HistoryClick(TMenuItemHistoryFiles* item)
{
    if (!item || item->FileName() == m_FileName || !QuerySave())
        return;
    OpenFile(item->FileName());
}

bool TFormMain::FormCloseQuery()
{
    if (!QuerySave())
        return false;
    return QueryCloseForAutoStart(this, m_ShowAutoRun, m_Entries->Count(), m_FileName);
}

void TFormMain::closeEvent(QCloseEvent* event)
{
    // Also inside the Close command itself, so not through RunCommand's one-at-a-time rule.
    bool close = false;
    RunGuarded([this, &close] { close = FormCloseQuery(); });
    if (close)
        event->accept();
    else
        event->ignore();
}

void TFormMain::ListViewEx1ColumnClick(int column)
{
    if (column == m_SortKey) {
        m_SortAscending = !m_SortAscending;
    } else {
        m_SortKey = column;
        m_SortAscending = true;
    }
    SortList();
}

void TFormMain::SortList()
{
    m_ListModel->Sort(m_SortKey, m_SortAscending);
    m_Ui->ListViewEx1->horizontalHeader()->setSortIndicator(m_SortKey, m_SortAscending ? Qt::AscendingOrder
                                                                                      : Qt::DescendingOrder);
}

void TFormMain::ListViewEx1Change()
{
    UpdateActions();
}

void TFormMain::MainMenuEditSelectallClick()
{
    m_Ui->ListViewEx1->SetAllSelected(true);
}

// With a find text: the rows shown of all ("12 of 340 entries").
void TFormMain::UpdateCountPanel(int count)
{
    if (!m_Ui->StatusBar1)
        return;
    const int all = m_ListModel->rowCount();
    if (m_FilterModel->Filtering())
        m_CountPanel->setText(FormatText(LanguageText(all == 1 ? 0x5D41A721 : 0x5D41A720),
                                         {QString::number(count), QString::number(all)}));
    else
        m_CountPanel->setText(count == 1 ? QStringLiteral("1 ") + LanguageText(0x5F2F0845)
                                         : QString::number(count) + u' ' + LanguageText(0x0FAC62B6));
}
