#pragma once

#include "app/AutoStart.h"
#include "app/VemoraLibState.h"
#include "settings/MenuHistoryFiles.h"
#include "support/NLS.h"
#include "ui/EntryListModel.h"
#include "ui/FormMain.h"
#include "ui/ListViewEx.h"

#include "GuiTestSupport.h"
#include "../app/BatchFiles.h"
#include "TestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>

#include <memory>

// A main window in a temporary home, with English texts chosen and messages answered by
// script.
class FormMainTest : public testing::Test {
protected:
    TTemporaryHome Home;
    TScriptedMessages Messages;
    std::unique_ptr<TFormMain> Form;

    void SetUp() override
    {
        InitializeVemoraLib();
        Choose(QStringLiteral("EN"));
        Form = std::make_unique<TFormMain>();
    }

    void TearDown() override
    {
        Form.reset();
        ApplicationReg.reset();
    }

    static void Choose(const QString& language)
    {
        const QString country = language == QLatin1String("DE") ? QStringLiteral("DE") : QStringLiteral("GB");
        LanguageFilename() = QStringLiteral(":/lang/Vemora_%1.nls").arg(language);
        CountryFilename() = QStringLiteral(":/lang/State_%1.nls").arg(country);
        UseLanguage(language);
    }

    // A window made anew, as at the next start, reading what the previous one saved.
    void Restart()
    {
        Form.reset();
        Form = std::make_unique<TFormMain>();
    }

    // One-off entries "Entry 1" ... "Entry count" on the days after today.
    QString NumberedFile(const QString& name, int count)
    {
        TBatchFile file;
        for (int i = 1; i <= count; ++i)
            file.Once(QStringLiteral("Entry %1").arg(i), i);
        return file.Save(Home.FilePath(name));
    }

    QAction* Action(const char* name) const { return Child<QAction>(*Form, QString::fromLatin1(name)); }
    QString Panel(int index) const { return Child<QLabel>(*Form, QStringLiteral("StatusBar1Panel%1").arg(index))->text(); }
    TListViewEx& List() const { return *Form->ListViewEx1(); }

    // The action table's enabled states, row 0 first, as "1" and "0".
    QString EnabledRows() const
    {
        QString rows;
        for (int row = 0; row < MainActionCount; ++row)
            rows += Form->ActionEnabled(row) ? u'1' : u'0';
        return rows;
    }

    void Select(std::initializer_list<int> rows)
    {
        List().clearSelection();
        for (int row : rows)
            List().selectionModel()->select(List().model()->index(row, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    QStringList ShownTexts() const
    {
        QStringList texts;
        for (int row = 0; row < List().model()->rowCount(); ++row)
            texts.append(Form->ListModel().EntryAt(row)->DisplayText());
        return texts;
    }

    TMenuItemHistoryFiles* HistoryItem(const QString& file) const
    {
        for (auto* item : Form->findChildren<TMenuItemHistoryFiles*>())
            if (item->FileName() == file)
                return item;
        ADD_FAILURE() << "no recent-files item for " << file.toStdString();
        return nullptr;
    }

    QString LastMessage() const { return Messages.Shown().empty() ? QString() : Messages.Shown().back().Text; }
};

