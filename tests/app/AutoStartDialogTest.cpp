#include "app/AutoStart.h"
#include "app/AutoStartDialogs.h"
#include "app/AutoStartQuestion.h"
#include "app/FormAskForAutoStart.h"
#include "app/FormStartup.h"
#include "model/VemoraEntries.h"
#include "platform/CommandLine.h"

#include "GuiTestSupport.h"
#include "TestSupport.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

class AutoStartDialogTest : public testing::Test {
public:
    TTemporaryHome Home;
    TScriptedMessages Messages;
    QString EntryFile;
    QString OtherEntryFile;
    QString NotAnEntryFile;

    void SetUp() override
    {
        UseLanguage(QStringLiteral("EN"));
        EntryFile = Home.FilePath(QStringLiteral("Dates.vkd"));
        OtherEntryFile = Home.FilePath(QStringLiteral("Other.vkd"));
        TVemoraEntries().SaveToFile(EntryFile);
        TVemoraEntries().SaveToFile(OtherEntryFile);
        NotAnEntryFile = Home.WriteFile(QStringLiteral("notes.txt"), "just some notes, long enough to be read");
    }

    static void Register(const QString& file) { ASSERT_TRUE(SetAutoStart(file, ProgramFilePath())); }

    // The state in which the dialog shows itself to the user, read while it is open.
    struct TShown {
        bool AutoStart;
        bool OtherChosen;
        QString Other;
        QString Current;
        bool CurrentEnabled;
    };

    static TShown Read(QWidget& dialog)
    {
        return {Child<QCheckBox>(dialog, QStringLiteral("CheckBoxAutostart"))->isChecked(),
                Child<QRadioButton>(dialog, QStringLiteral("RadioButtonStartupFile"))->isChecked(),
                Child<QLineEdit>(dialog, QStringLiteral("EditFilenameStartup"))->text(),
                Child<QLineEdit>(dialog, QStringLiteral("EditFilenameEditor"))->text(),
                Child<QRadioButton>(dialog, QStringLiteral("RadioButtonEditorFile"))->isEnabled()};
    }

    static void PressOk(QWidget& dialog) { Click(Child<QPushButton>(dialog, QStringLiteral("BitBtnOk"))); }
    static void PressCancel(QWidget& dialog) { Click(Child<QPushButton>(dialog, QStringLiteral("BitBtnCancel"))); }
};

TEST_F(AutoStartDialogTest, WithoutARegistrationTheAutomaticStartIsOff)
{
    TFormStartup dialog;
    WhenModalOpens([this](QWidget& shown) {
        const TShown state = Read(shown);
        EXPECT_FALSE(state.AutoStart);
        EXPECT_TRUE(state.OtherChosen);
        EXPECT_EQ(state.Current, EntryFile);
        EXPECT_FALSE(state.CurrentEnabled) << "off: nothing to choose";
        EXPECT_FALSE(Child<QLineEdit>(shown, QStringLiteral("EditFilenameStartup"))->isEnabled());
        Click(Child<QCheckBox>(shown, QStringLiteral("CheckBoxAutostart")));
        EXPECT_TRUE(Read(shown).CurrentEnabled);
        Click(Child<QRadioButton>(shown, QStringLiteral("RadioButtonEditorFile")));
        PressOk(shown);
    });
    EXPECT_TRUE(dialog.Execute(QStringLiteral("  ") + EntryFile + QStringLiteral(" "), QString()));
    EXPECT_EQ(dialog.GetFileName(), EntryFile);
    EXPECT_TRUE(Messages.Shown().empty());
}

TEST_F(AutoStartDialogTest, ShowsTheRegisteredFileWhereItBelongs)
{
    const struct {
        const char* Name;
        QString Current, Registered;
        bool OtherChosen;
        QString Other;
    } rows[] = {
        {"registered_is_the_open_file", EntryFile, EntryFile, false, QString()},
        {"registered_is_another_file", EntryFile, OtherEntryFile, true, OtherEntryFile},
        {"names_differing_in_letter_case_are_different_files", EntryFile, EntryFile.toUpper(), true, EntryFile.toUpper()},
        {"no_open_file", QString(), OtherEntryFile, true, OtherEntryFile}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        TFormStartup dialog;
        WhenModalOpens([&](QWidget& shown) {
            const TShown state = Read(shown);
            EXPECT_TRUE(state.AutoStart);
            EXPECT_EQ(state.OtherChosen, row.OtherChosen);
            EXPECT_EQ(state.Other, row.Other);
            PressCancel(shown);
        });
        EXPECT_FALSE(dialog.Execute(row.Current, row.Registered));
        EXPECT_EQ(dialog.GetFileName(), row.Registered);
    }
}

TEST_F(AutoStartDialogTest, OkIsRefusedForAMissingOrInvalidFile)
{
    TFormStartup dialog;
    WhenModalOpens([this](QWidget& shown) {
        Click(Child<QCheckBox>(shown, QStringLiteral("CheckBoxAutostart")));
        PressOk(shown);
        ASSERT_EQ(Messages.Shown().size(), 1u);
        EXPECT_EQ(Messages.Shown()[0].Text, QStringLiteral("A value is required here."));
        EXPECT_EQ(Messages.Shown()[0].Icon, TMessageIcon::Error);
        EXPECT_TRUE(shown.isVisible());
        EXPECT_EQ(shown.focusWidget(), Child<QLineEdit>(shown, QStringLiteral("EditFilenameStartup")));

        TypeInto(Child<QLineEdit>(shown, QStringLiteral("EditFilenameStartup")), NotAnEntryFile);
        PressOk(shown);
        ASSERT_EQ(Messages.Shown().size(), 2u);
        EXPECT_EQ(Messages.Shown()[1].Text, NotAnEntryFile + QStringLiteral(" is not a valid Vemora file."));
        EXPECT_TRUE(shown.isVisible());

        TypeInto(Child<QLineEdit>(shown, QStringLiteral("EditFilenameStartup")), EntryFile);
        PressOk(shown);
    });
    EXPECT_TRUE(dialog.Execute(QString(), QString()));
    EXPECT_EQ(dialog.GetFileName(), EntryFile);
}

TEST_F(AutoStartDialogTest, TheSearchStartsInTheFolderOfTheNamedFileAndChoosesTheOtherFile)
{
    QDir().mkpath(Home.FilePath(QStringLiteral("deeper")));
    const QString deeper = Home.FilePath(QStringLiteral("deeper/Third.vkd"));
    TVemoraEntries().SaveToFile(deeper);
    TFormStartup dialog;
    WhenModalOpens([&](QWidget& shown) {
        WhenModalOpens([&](QWidget& files) {
            auto* fileDialog = qobject_cast<QFileDialog*>(&files);
            ASSERT_NE(fileDialog, nullptr);
            EXPECT_EQ(fileDialog->directory().absolutePath(), QFileInfo(deeper).absolutePath());
            fileDialog->reject();
        });
        Click(Child<QPushButton>(shown, QStringLiteral("ButtonSearch")));
        EXPECT_EQ(Read(shown).Other, deeper) << "a cancelled search keeps the file";
        Click(Child<QRadioButton>(shown, QStringLiteral("RadioButtonEditorFile")));
        PickFileInNextDialog(OtherEntryFile);
        Click(Child<QPushButton>(shown, QStringLiteral("ButtonSearch")));
        EXPECT_TRUE(Read(shown).OtherChosen);
        EXPECT_EQ(Read(shown).Other, OtherEntryFile);
        PressOk(shown);
    });
    EXPECT_TRUE(dialog.Execute(EntryFile, deeper));
    EXPECT_EQ(dialog.GetFileName(), OtherEntryFile);
    EXPECT_EQ(dialog.OpenDialog1()->nameFilters(), QStringList{QStringLiteral("Vemora files (*.vkd)")});
}

TEST_F(AutoStartDialogTest, CancelChangesNothing)
{
    Register(EntryFile);
    QWidget parent;
    WhenModalOpens([](QWidget& shown) {
        Click(Child<QCheckBox>(shown, QStringLiteral("CheckBoxAutostart")));
        PressCancel(shown);
    });
    RunAutoStartCommand(&parent, EntryFile);
    EXPECT_EQ(GetAutoStartFile(), EntryFile);
}

TEST_F(AutoStartDialogTest, TheCommandRegistersRemovesAndLeavesAnUnchangedChoiceUnwritten)
{
    QWidget parent;
    WhenModalOpens([](QWidget& shown) {
        Click(Child<QCheckBox>(shown, QStringLiteral("CheckBoxAutostart")));
        Click(Child<QRadioButton>(shown, QStringLiteral("RadioButtonEditorFile")));
        PressOk(shown);
    });
    RunAutoStartCommand(&parent, EntryFile);
    ASSERT_EQ(GetAutoStartFile(), EntryFile);

    const QStringList entries = QDir(Home.AutostartDirectory()).entryList(QDir::Files);
    ASSERT_EQ(entries.size(), 1);
    const QString desktopFile = QDir(Home.AutostartDirectory()).filePath(entries.first());
    const QDateTime old = QDateTime::currentDateTime().addDays(-3);
    {
        QFile file(desktopFile);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(old, QFileDevice::FileModificationTime));
    }
    WhenModalOpens([](QWidget& shown) { PressOk(shown); });
    RunAutoStartCommand(&parent, EntryFile);
    EXPECT_EQ(QFileInfo(desktopFile).lastModified().toSecsSinceEpoch(), old.toSecsSinceEpoch());

    WhenModalOpens([](QWidget& shown) {
        EXPECT_FALSE(Read(shown).OtherChosen) << "the open file is the registered one";
        Click(Child<QCheckBox>(shown, QStringLiteral("CheckBoxAutostart")));
        PressOk(shown);
    });
    RunAutoStartCommand(&parent, EntryFile);
    EXPECT_TRUE(GetAutoStartFile().isEmpty());
    EXPECT_TRUE(Messages.Shown().empty());
}

// Rows that must not ask answer "yes, do not ask again": a wrong question would show.
TEST_F(AutoStartDialogTest, AsksAtCloseOnlyWhenEverythingSpeaksForItAndTheAnswerDecides)
{
    const struct {
        const char* Name;
        bool Registered, ShowAutoRun; // registered: another file than the one closed
        int Entries;
        QString FileName;
        TAutoStartReply Reply;
        bool Asked;
        TCloseAction Action;
        bool ShowAutoRunAfter;
    } rows[] = {{"unnamed_new_file", false, true, 3, QString(), {true, true}, false, TCloseAction::Close, true},
                {"option_off", false, false, 3, EntryFile, {true, true}, false, TCloseAction::Close, false},
                {"empty_list", false, true, 0, EntryFile, {true, true}, false, TCloseAction::Close, true},
                {"yes", false, true, 1, EntryFile, {true, false}, true, TCloseAction::Configure, true},
                {"no_do_not_ask_again", false, true, 1, EntryFile, {false, true}, true, TCloseAction::Close, false},
                {"yes_do_not_ask_again", false, true, 1, EntryFile, {true, true}, true, TCloseAction::Configure, false},
                {"already_registered", true, true, 3, EntryFile, {true, true}, false, TCloseAction::Close, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        if (row.Registered)
            Register(OtherEntryFile);
        bool showAutoRun = row.ShowAutoRun;
        bool asked = false;
        const TCloseAction action = AutoStartQuestionAtClose(showAutoRun, row.Entries, row.FileName, [&] {
            asked = true;
            return row.Reply;
        });
        EXPECT_EQ(asked, row.Asked);
        EXPECT_EQ(action, row.Action);
        EXPECT_EQ(showAutoRun, row.ShowAutoRunAfter);
    }
}

TEST_F(AutoStartDialogTest, NoAndDoNotAskAgainLetsTheWindowClose)
{
    QWidget parent;
    bool showAutoRun = true;
    WhenModalOpens([](QWidget& shown) {
        EXPECT_EQ(shown.objectName(), QStringLiteral("FormAskForAutoStart"));
        Click(Child<QCheckBox>(shown, QStringLiteral("CheckBox1")));
        Click(Child<QPushButton>(shown, QStringLiteral("ButtonNo")));
    });
    EXPECT_TRUE(QueryCloseForAutoStart(&parent, showAutoRun, 2, EntryFile));
    EXPECT_FALSE(showAutoRun);
    EXPECT_TRUE(QueryCloseForAutoStart(&parent, showAutoRun, 2, EntryFile)) << "not asked again";
}

TEST_F(AutoStartDialogTest, YesKeepsTheWindowOpenAndShowsTheAutomaticStart)
{
    QWidget parent;
    bool showAutoRun = true;
    WhenModalOpens([](QWidget& shown) {
        WhenModalOpens([](QWidget& startup) {
            EXPECT_EQ(startup.objectName(), QStringLiteral("FormStartup"));
            Click(Child<QCheckBox>(startup, QStringLiteral("CheckBoxAutostart")));
            Click(Child<QRadioButton>(startup, QStringLiteral("RadioButtonEditorFile")));
            PressOk(startup);
        });
        Click(Child<QPushButton>(shown, QStringLiteral("ButtonYes")));
    });
    EXPECT_FALSE(QueryCloseForAutoStart(&parent, showAutoRun, 2, EntryFile));
    EXPECT_TRUE(showAutoRun);
    EXPECT_EQ(GetAutoStartFile(), EntryFile);
}

TEST_F(AutoStartDialogTest, ScreenshotsInBothLanguages)
{
    for (const QString& code : {QStringLiteral("EN"), QStringLiteral("DE")}) {
        UseLanguage(code);
        TFormStartup startup;
        WhenModalOpens([&](QWidget& shown) {
            Click(Child<QCheckBox>(shown, QStringLiteral("CheckBoxAutostart")));
            EXPECT_FALSE(GrabToPng(shown, QStringLiteral("FormStartup-") + code).isEmpty());
            EXPECT_GE(shown.width(), Child<QCheckBox>(shown, QStringLiteral("CheckBoxAutostart"))->sizeHint().width());
            EXPECT_EQ(shown.width(), 455) << "the design width";
            EXPECT_EQ(shown.minimumHeight(), shown.maximumHeight()) << "only wider";
            PressCancel(shown);
        });
        startup.Execute(EntryFile, QString());
        TFormAskForAutoStart question;
        EXPECT_FALSE(GrabToPng(question, QStringLiteral("FormAskForAutoStart-") + code).isEmpty());
        EXPECT_TRUE(Child<QCheckBox>(startup, QStringLiteral("CheckBoxAutostart"))->text().contains(u'&'));
    }
    UseLanguage(QStringLiteral("EN"));
}

} // namespace
