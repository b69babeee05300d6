// File > Import: the dates of a calendar or an address book join the open document as one step
// that undo takes back whole, categories made for them included.
#include "ui/FormMain.h"

#include "app/ErrorMessage.h"
#include "cli/ImportedFile.h"
#include "model/VemoraEntries.h"
#include "platform/MessageService.h"
#include "support/DayNumbers.h"
#include "support/NLS.h"
#include "ui/EntryCommands.h"
#include "ui_FormMain.h"

#include <QFile>
#include <QFileDialog>
#include <QUndoStack>

void TFormMain::MainMenuFileImportClick()
{
    if (m_ReadOnly || m_ImportDialog->exec() != QDialog::Accepted || m_ImportDialog->selectedFiles().isEmpty())
        return;
    ImportFrom(m_ImportDialog->selectedFiles().constFirst());
}

void TFormMain::ImportFrom(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowErrorMessage(fileName + QStringLiteral(": ") + file.errorString());
        return;
    }
    TImportedFile imported;
    try {
        imported = ImportFile(file.readAll(), m_Entries->Categories(), Today());
    } catch (const EImportError& error) {
        ShowErrorMessage(fileName + QStringLiteral(": ") + QString::fromUtf8(error.what()));
        return;
    }
    if (!imported.Entries.empty()) {
        auto* add = new TAddEntriesCommand(*m_Document, std::move(imported.Entries));
        m_UndoStack->beginMacro(add->text());
        if (imported.Categories.Count() != m_Entries->Categories().Count())
            m_UndoStack->push(new TCategoriesCommand(*m_Document, m_Entries->Categories(), imported.Categories));
        m_UndoStack->push(add);
        m_UndoStack->endMacro();
    }
    TMessageRequest report;
    report.Text = ImportReportText(imported.Report);
    report.Caption = QStringLiteral("Vemora");
    report.Icon = imported.Report.LeftOut() > 0 ? TMessageIcon::Warning : TMessageIcon::Information;
    MessageService().Show(report);
}
