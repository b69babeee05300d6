#include "support/DLGLanguage.h"
#include "support/FormChooseDir.h"
#include "support/LanguageChoices.h"
#include "support/NLS.h"

#include "GuiTestSupport.h"
#include "TestSupport.h"

#include <QFile>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>

namespace {

const QString Prefix = TNLSFileNames[nlsLanguagePrefix];

// A folder of language and country files as users and translators leave them.
class LanguageFolderTest : public testing::Test {
protected:
    QTemporaryDir Folder;
    QTemporaryDir Empty;

    void SetUp() override
    {
        UseLanguage(QStringLiteral("EN"));
        Write("Vemora_DE.nls", "LANGUAGE = \"Deutsch\"\nCOUNTRIES = DE,AT\n");
        // The blank after the comma stays part of the code: " US" has no country file.
        Write("Vemora_EN.nls", "LANGUAGE = \"English\"\nCOUNTRIES = gb, US\n");
        Write("Vemora_XX.nls", "language = \"Without countries\"\n"); // keys ignore letter case
        Write("Vemora_FR.nls", "LANGUAGE = \"Français\"\nCOUNTRIES = FR\n");
        Write("Vemora_long.nls", "LANGUAGE = \"Not two characters\"\nCOUNTRIES = DE\n");
        for (const auto& [code, name] : {std::pair{"DE", "Deutschland"}, {"AT", "Österreich"}, {"CH", "Schweiz"},
                                         {"GB", "United Kingdom"}, {"US", "United States"}})
            Write(("State_" + QByteArray(code) + ".nls").constData(), "COUNTRY = \"" + QByteArray(name) + "\"\n");
    }

    void Write(const char* name, const QByteArray& content) const
    {
        QFile file(Folder.filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QString InFolder(const char* name) const { return Folder.filePath(QString::fromUtf8(name)); }

    static QStringList Lines(QWidget& dialog)
    {
        QStringList lines;
        auto* list = Child<QListWidget>(dialog, QStringLiteral("ListBox1"));
        for (int row = 0; row < list->count(); ++row)
            lines.append(list->item(row)->text());
        return lines;
    }

    static QListWidgetItem* Choose(QWidget& dialog, const QString& line)
    {
        auto* list = Child<QListWidget>(dialog, QStringLiteral("ListBox1"));
        const QList<QListWidgetItem*> items = list->findItems(line, Qt::MatchExactly);
        EXPECT_EQ(items.size(), 1) << line.toStdString();
        list->setCurrentItem(items.value(0));
        return items.value(0);
    }
};

// Countries without a file, files not named with two characters and the blank after a comma in
// " US" list nothing. The current pair again is no change, even in other letter case.
TEST_F(LanguageFolderTest, TheDialogListsInReadingOrderAndTakesAnotherPair)
{
    Write("Vemora_DE.nls", "LANGUAGE = \"Deutsch\"\nCOUNTRIES = CH,AT,DE\n");
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TLanguagePair pair{InFolder("state_de.NLS"), InFolder("VEMORA_DE.nls")};
    const TLanguagePair before = pair;
    WhenModalOpens([this](QWidget& dialog) {
        EXPECT_EQ(Lines(dialog), (QStringList{"Deutsch (Deutschland)", "Deutsch (Österreich)", "Deutsch (Schweiz)",
                                              "English (United Kingdom)"}));
        const auto selected = Child<QListWidget>(dialog, QStringLiteral("ListBox1"))->selectedItems();
        EXPECT_EQ(selected.isEmpty() ? QString() : selected[0]->text(), "Deutsch (Deutschland)");
        EXPECT_EQ(Child<QLineEdit>(dialog, QStringLiteral("EditDir"))->text(), Folder.path());
        Click(Child<QPushButton>(dialog, QStringLiteral("ButtonOk")));
    });
    EXPECT_FALSE(TDLGLanguage::Execute(pair, Prefix));
    EXPECT_EQ(pair, before);
    WhenModalOpens([](QWidget& dialog) {
        QListWidgetItem* item = Choose(dialog, QStringLiteral("English (United Kingdom)"));
        emit Child<QListWidget>(dialog, QStringLiteral("ListBox1"))->itemDoubleClicked(item);
    });
    const bool chosen = TDLGLanguage::Execute(pair, Prefix);
    QLocale::setDefault(previous);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(pair, (TLanguagePair{InFolder("State_GB.nls"), InFolder("Vemora_EN.nls")}));
}

// A folder without languages offers only "(none)", which empties the pair. Another folder, found
// with the folder browser that checks each folder it shows, is then listed.
TEST_F(LanguageFolderTest, AFolderWithoutLanguagesOffersNoneOrAnotherFolder)
{
    const TLanguagePair inEmpty{Empty.filePath(QStringLiteral("State_DE.nls")),
                                Empty.filePath(QStringLiteral("Vemora_DE.nls"))};
    TLanguagePair pair = inEmpty;
    WhenModalOpens([](QWidget& dialog) {
        EXPECT_EQ(Lines(dialog), QStringList{QStringLiteral("(none)")});
        auto* ok = Child<QPushButton>(dialog, QStringLiteral("ButtonOk"));
        EXPECT_FALSE(ok->isEnabled()) << "nothing selected yet";
        Choose(dialog, QStringLiteral("(none)"));
        Click(ok);
    });
    ASSERT_TRUE(TDLGLanguage::Execute(pair, Prefix));
    EXPECT_EQ(pair, TLanguagePair{});

    pair = inEmpty;
    WhenModalOpens([this](QWidget& dialog) {
        WhenModalOpens([this](QWidget& chooser) {
            auto* edit = Child<QLineEdit>(chooser, QStringLiteral("EditDir"));
            WhenModalOpens([this](QWidget& browser) {
                auto* status = Child<QLabel>(browser, QStringLiteral("LabelStatus"));
                auto* ok = Child<QPushButton>(browser, QStringLiteral("ButtonOK"));
                EXPECT_EQ(status->text(), QStringLiteral("No languages found.")) << "the empty folder, preselected";
                EXPECT_FALSE(ok->isEnabled());
                auto* tree = Child<QTreeView>(browser, QStringLiteral("TreeFolders"));
                tree->setCurrentIndex(qobject_cast<QFileSystemModel*>(tree->model())->index(Folder.path()));
                EXPECT_EQ(status->text(), QStringLiteral("Languages: Deutsch,English,Français,\"Without countries\""));
                GrabToPng(browser, QStringLiteral("FolderBrowser-EN"));
                Click(ok);
            });
            Click(Child<QPushButton>(chooser, QStringLiteral("ButtonBrowse")));
            EXPECT_EQ(edit->text(), Folder.path());
            auto* ok = Child<QPushButton>(chooser, QStringLiteral("ButtonOK"));
            TypeInto(edit, QString());
            EXPECT_FALSE(ok->isEnabled()) << "an empty folder name";
            TypeInto(edit, Folder.path() + QStringLiteral("  "));
            Click(ok);
        });
        Click(Child<QPushButton>(dialog, QStringLiteral("ButtonChange")));
        EXPECT_EQ(Child<QLineEdit>(dialog, QStringLiteral("EditDir"))->text(), Folder.path());
        Choose(dialog, QStringLiteral("Deutsch (Deutschland)"));
        Click(Child<QPushButton>(dialog, QStringLiteral("ButtonOk")));
    });
    ASSERT_TRUE(TDLGLanguage::Execute(pair, Prefix));
    EXPECT_EQ(pair, (TLanguagePair{InFolder("State_DE.nls"), InFolder("Vemora_DE.nls")}));
}

// Both languages; Cancel leaves the pair alone.
TEST_F(LanguageFolderTest, ScreenshotsInBothLanguagesAndCancel)
{
    const TLanguagePair before{InFolder("State_DE.nls"), InFolder("Vemora_DE.nls")};
    for (const QString& code : {QStringLiteral("EN"), QStringLiteral("DE")}) {
        UseLanguage(code);
        TLanguagePair pair = before;
        WhenModalOpens([&](QWidget& shown) {
            EXPECT_FALSE(GrabToPng(shown, QStringLiteral("DLGLanguage-") + code).isEmpty());
            Choose(shown, QStringLiteral("Deutsch (Österreich)"));
            Click(Child<QPushButton>(shown, QStringLiteral("ButtonCancel")));
        });
        EXPECT_FALSE(TDLGLanguage::Execute(pair, Prefix));
        EXPECT_EQ(pair, before);
        TFormChooseDir chooser;
        chooser.SetDirectory(Folder.path());
        EXPECT_FALSE(GrabToPng(chooser, QStringLiteral("FormChooseDir-") + code).isEmpty());
    }
    UseLanguage(QStringLiteral("EN"));
}

} // namespace
