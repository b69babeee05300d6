// The find field of the main window: the entry list shows only the rows that hold its text.
#include "ui/FormMain.h"

#include "ui_FormMain.h"

#include "support/NLS.h"
#include "ui/EntryFilterModel.h"
#include "ui/ListViewEx.h"

#include <QLineEdit>
#include <QShortcut>

void TFormMain::ConnectFind()
{
    QLineEdit& field = *m_Ui->EditFind;
    field.hide();
    field.setPlaceholderText(LanguageText(0x5D41A723, QStringLiteral("Anzeigetexte, Bemerkungen und Kategorien durchsuchen")));
    m_Ui->MainMenuEditFind->setShortcuts(QKeySequence::Find);
    connect(m_Ui->MainMenuEditFind, &QAction::triggered, this, &TFormMain::MainMenuEditFindClick);
    connect(&field, &QLineEdit::textChanged, m_FilterModel, &TEntryFilterModel::SetFindText);
    connect(m_FilterModel, &TEntryFilterModel::FindTextChanged, this, &TFormMain::FindTextChanged);
    new QShortcut(QKeySequence::Cancel, &field, this, &TFormMain::CloseFind, Qt::WidgetShortcut);
}

void TFormMain::MainMenuEditFindClick()
{
    if (m_Ui->EditFind->isHidden())
        m_FilterModel->BeginFind();
    m_Ui->EditFind->show();
    m_Ui->EditFind->setFocus(Qt::ShortcutFocusReason);
    m_Ui->EditFind->selectAll();
}

// All rows come back, and the list shows where its current row is among them.
void TFormMain::CloseFind()
{
    m_FilterModel->EndFind();
    m_Ui->EditFind->hide();
    TListViewEx& list = *m_Ui->ListViewEx1;
    list.setFocus(Qt::ShortcutFocusReason);
    if (list.currentIndex().isValid())
        list.scrollTo(list.currentIndex());
}

void TFormMain::FindTextChanged(const QString& text)
{
    // The list may clear the text itself, to show a new entry: the field follows.
    if (m_Ui->EditFind->text() != text)
        m_Ui->EditFind->setText(text);
    UpdateCountPanel(m_FilterModel->rowCount());
    // Rows that the text hides leave the selection, and the commands act on what is shown.
    ListViewEx1Change();
}
