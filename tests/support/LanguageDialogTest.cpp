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
        Write("Vemora_XX.nls", "LANGUAGE = \"Without countries\"\n");
        Write("Vemora_FR.nls", "LANGUAGE = \"Français\"\nCOUNTRIES = FR\n");
        Write("Vemora_long.nls", "LANGUAGE = \"Not two characters\"\nCOUNTRIES = DE\n");
        Write("State_DE.nls", "COUNTRY = \"Deutschland\"\n");
        Write("State_AT.nls", "COUNTRY = \"Österreich\"\n");
        Write("State_GB.nls", "COUNTRY = \"United Kingdom\"\n");
        Write("State_US.nls", "COUNTRY = \"United States\"\n");
    }

    void Write(const char* name, const QByteArray& content, const QTemporaryDir& folder) const
    {
        QFile file(folder.filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    void Write(const char* name, const QByteArray& content) const { Write(name, content, Folder); }

    QString InFolder(const char* name) const { return Folder.filePath(QString::fromUtf8(name)); }

    static QStringList Lines(QWidget& dialog)
    {
        QStringList lines;
        if (auto* list = Child<QListWidget>(dialog, QStringLiteral("ListBox1")))
            for (int row = 0; row < list->count(); ++row)
                lines.append(list->item(row)->text());
        return lines;
    }

    static QString Selected(QWidget& dialog)
    {
        auto* list = Child<QListWidget>(dialog, QStringLiteral("ListBox1"));
        return list && !list->selectedItems().isEmpty() ? list->selectedItems().first()->text() : QString();
    }

    static void Choose(QWidget& dialog, const QString& line)
    {
        auto* list = Child<QListWidget>(dialog, QStringLiteral("ListBox1"));
        const QList<QListWidgetItem*> items = list->findItems(line, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << line.toStdString();
        list->setCurrentItem(items.first());
    }
};

TEST_F(LanguageFolderTest, ListsEveryLanguageWithEachCountryThatHasAFileAndFindsThePair)
{
    const QString folder = Folder.path();
    const std::vector<TLanguageChoice> choices = ListLanguageChoices(folder, Prefix);
    QStringList texts;
    for (const TLanguageChoice& choice : choices)
        texts.append(choice.DisplayText);
    EXPECT_EQ(texts, (QStringList{"Deutsch (Österreich)", "Deutsch (Deutschland)", "English (United Kingdom)"}))
        << "each file's countries from the last to the first";
    EXPECT_EQ(choices[0].CountryFile, InFolder("State_AT.nls"));
    EXPECT_EQ(choices[0].LanguageFile, InFolder("Vemora_DE.nls"));
    EXPECT_EQ(choices[2].CountryFile, InFolder("State_GB.nls")) << "codes are upper-cased";

    // Letter case does not count, and names are relative to the folder.
    EXPECT_EQ(FindLanguageChoice(choices, {InFolder("STATE_de.nls"), InFolder("vemora_DE.NLS")}, folder), 1);
    EXPECT_EQ(FindLanguageChoice(choices, {QStringLiteral("State_AT.nls"), QStringLiteral("Vemora_DE.nls")}, folder),
              0);
    EXPECT_EQ(FindLanguageChoice(choices, {InFolder("State_AT.nls"), InFolder("Vemora_EN.nls")}, folder), -1);
    EXPECT_EQ(FindLanguageChoice(choices, {}, folder), -1);
}

TEST_F(LanguageFolderTest, TheFolderCheckNamesTheLanguagesOrSaysThereAreNone)
{
    const TLanguageCheck found = CheckLanguageDirectory(Folder.path(), Prefix);
    EXPECT_TRUE(found.Accepted);
    EXPECT_EQ(found.Message, QStringLiteral("Languages: Deutsch,English,Français,\"Without countries\""));
    const TLanguageCheck nothing = CheckLanguageDirectory(QString(), Prefix);
    EXPECT_FALSE(nothing.Accepted);
    EXPECT_TRUE(nothing.Message.isEmpty());

    const TLanguageCheck none = CheckLanguageDirectory(Empty.path(), Prefix);
    EXPECT_FALSE(none.Accepted);
    EXPECT_EQ(none.Message, QStringLiteral("No languages found."));
    // A long list is cut at a hundred characters.
    for (char letter = 'A'; letter <= 'L'; ++letter)
        Write(QStringLiteral("Vemora_Q%1.nls").arg(QChar::fromLatin1(letter)).toUtf8().constData(),
              "LANGUAGE = \"Language " + QByteArray(1, letter) + "\"\n", Empty);
    const TLanguageCheck check = CheckLanguageDirectory(Empty.path(), Prefix);
    EXPECT_TRUE(check.Accepted);
    EXPECT_EQ(check.Message.size(), 103);
    EXPECT_TRUE(check.Message.startsWith(QStringLiteral("Languages: \"Language A\",\"Language B\"")));
    EXPECT_TRUE(check.Message.endsWith(QStringLiteral("...")));
}

TEST_F(LanguageFolderTest, TheDialogListsInReadingOrderAndTakesAnotherPair)
{
    Write("Vemora_DE.nls", "LANGUAGE = \"Deutsch\"\nCOUNTRIES = CH,AT,DE\n");
    Write("State_CH.nls", "COUNTRY = \"Schweiz\"\n");
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TLanguagePair pair{InFolder("State_DE.nls"), InFolder("Vemora_DE.nls")};
    WhenModalOpens([this](QWidget& dialog) {
        EXPECT_EQ(Lines(dialog), (QStringList{"Deutsch (Deutschland)", "Deutsch (Österreich)", "Deutsch (Schweiz)",
                                              "English (United Kingdom)"}));
        EXPECT_EQ(Selected(dialog), QStringLiteral("Deutsch (Deutschland)"));
        EXPECT_EQ(Child<QLineEdit>(dialog, QStringLiteral("EditDir"))->text(), Folder.path());
        Choose(dialog, QStringLiteral("English (United Kingdom)"));
        Click(Child<QPushButton>(dialog, QStringLiteral("ButtonOk")));
    });
    const bool chosen = TDLGLanguage::Execute(pair, Prefix);
    QLocale::setDefault(previous);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(pair, (TLanguagePair{InFolder("State_GB.nls"), InFolder("Vemora_EN.nls")}));
}

TEST_F(LanguageFolderTest, TheCurrentPairAgainIsNoChangeEvenInOtherLetterCaseAndADoubleClickChooses)
{
    TLanguagePair pair{InFolder("state_at.NLS"), InFolder("VEMORA_DE.nls")};
    const TLanguagePair before = pair;
    WhenModalOpens([](QWidget& dialog) {
        EXPECT_EQ(Selected(dialog), QStringLiteral("Deutsch (Österreich)"));
        Click(Child<QPushButton>(dialog, QStringLiteral("ButtonOk")));
    });
    EXPECT_FALSE(TDLGLanguage::Execute(pair, Prefix));
    EXPECT_EQ(pair, before);

    WhenModalOpens([](QWidget& dialog) {
        auto* list = Child<QListWidget>(dialog, QStringLiteral("ListBox1"));
        QListWidgetItem* item = list->findItems(QStringLiteral("Deutsch (Deutschland)"), Qt::MatchExactly).first();
        list->setCurrentItem(item);
        emit list->itemDoubleClicked(item);
    });
    ASSERT_TRUE(TDLGLanguage::Execute(pair, Prefix));
    EXPECT_EQ(pair[nlsCountryPrefix], InFolder("State_DE.nls"));
}

// A folder without languages offers only "(none)", which empties the pair; another folder is then listed.
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
        EXPECT_TRUE(ok->isEnabled());
        Click(ok);
    });
    ASSERT_TRUE(TDLGLanguage::Execute(pair, Prefix));
    EXPECT_EQ(pair, TLanguagePair{});

    pair = inEmpty;
    WhenModalOpens([this](QWidget& dialog) {
        WhenModalOpens([this](QWidget& chooser) {
            EXPECT_EQ(chooser.windowTitle(), QStringLiteral("Please choose the folder with the language files"));
            auto* edit = Child<QLineEdit>(chooser, QStringLiteral("EditDir"));
            EXPECT_EQ(edit->text(), Empty.path());
            auto* ok = Child<QPushButton>(chooser, QStringLiteral("ButtonOK"));
            TypeInto(edit, QString());
            EXPECT_FALSE(ok->isEnabled()) << "an empty folder name";
            TypeInto(edit, Folder.path() + QStringLiteral("  "));
            EXPECT_TRUE(ok->isEnabled());
            Click(ok);
        });
        Click(Child<QPushButton>(dialog, QStringLiteral("ButtonChange")));
        EXPECT_EQ(Child<QLineEdit>(dialog, QStringLiteral("EditDir"))->text(), Folder.path());
        EXPECT_EQ(Lines(dialog).size(), 3);
        Choose(dialog, QStringLiteral("Deutsch (Deutschland)"));
        Click(Child<QPushButton>(dialog, QStringLiteral("ButtonOk")));
    });
    ASSERT_TRUE(TDLGLanguage::Execute(pair, Prefix));
    EXPECT_EQ(pair, (TLanguagePair{InFolder("State_DE.nls"), InFolder("Vemora_DE.nls")}));
}

// The check runs as the user moves through the folders; its text shows and it decides OK.
TEST_F(LanguageFolderTest, TheFolderBrowserChecksEachFolderItShows)
{
    TFormChooseDir chooser;
    chooser.SetDirectory(Empty.path());
    chooser.SetStatusMessage(QStringLiteral("No languages found."));
    chooser.SetBrowserPrompt(QStringLiteral("Please choose the folder with the language files"));
    chooser.SetValidation([](const QString& directory, QString& message, bool& accepted) {
        const TLanguageCheck check = CheckLanguageDirectory(directory, Prefix);
        message = check.Message;
        accepted = check.Accepted;
    });
    chooser.show();
    WhenModalOpens([this](QWidget& browser) {
        auto* status = Child<QLabel>(browser, QStringLiteral("LabelStatus"));
        auto* ok = Child<QPushButton>(browser, QStringLiteral("ButtonOK"));
        EXPECT_EQ(Child<QLabel>(browser, QStringLiteral("LabelPrompt"))->text(),
                  QStringLiteral("Please choose the folder with the language files"));
        EXPECT_EQ(status->text(), QStringLiteral("No languages found.")) << "the empty folder, preselected";
        EXPECT_FALSE(ok->isEnabled());
        auto* tree = Child<QTreeView>(browser, QStringLiteral("TreeFolders"));
        auto* model = qobject_cast<QFileSystemModel*>(tree->model());
        tree->setCurrentIndex(model->index(Folder.path()));
        EXPECT_EQ(status->text(), QStringLiteral("Languages: Deutsch,English,Français,\"Without countries\""));
        EXPECT_TRUE(ok->isEnabled());
        GrabToPng(browser, QStringLiteral("FolderBrowser-EN"));
        Click(ok);
    });
    Click(Child<QPushButton>(chooser, QStringLiteral("ButtonBrowse")));
    EXPECT_EQ(chooser.GetDirectory(), Folder.path());
    EXPECT_TRUE(chooser.Accepted());
}

// Both languages: the captions must fit and show their accelerators. Cancel leaves the pair alone.
TEST_F(LanguageFolderTest, ScreenshotsInBothLanguagesAndCancel)
{
    const TLanguagePair before{InFolder("State_DE.nls"), InFolder("Vemora_DE.nls")};
    for (const QString& code : {QStringLiteral("EN"), QStringLiteral("DE")}) {
        UseLanguage(code);
        TLanguagePair pair = before;
        WhenModalOpens([&](QWidget& shown) {
            EXPECT_FALSE(GrabToPng(shown, QStringLiteral("DLGLanguage-") + code).isEmpty());
            EXPECT_TRUE(Child<QLabel>(shown, QStringLiteral("Label1"))->text().contains(u'&'));
            Choose(shown, QStringLiteral("Deutsch (Österreich)"));
            Click(Child<QPushButton>(shown, QStringLiteral("ButtonCancel")));
        });
        EXPECT_FALSE(TDLGLanguage::Execute(pair, Prefix));
        EXPECT_EQ(pair, before);
        TFormChooseDir chooser;
        chooser.SetDirectory(Folder.path());
        EXPECT_FALSE(GrabToPng(chooser, QStringLiteral("FormChooseDir-") + code).isEmpty());
        EXPECT_TRUE(Child<QPushButton>(chooser, QStringLiteral("ButtonBrowse"))->text().contains(u'&'));
    }
    UseLanguage(QStringLiteral("EN"));
}

} // namespace
