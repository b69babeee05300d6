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

struct TExecuteCase {
    const char* Name;
    std::function<QString(const AutoStartDialogTest&)> Current;
    std::function<QString(const AutoStartDialogTest&)> Registered;
    bool OtherChosen;
    std::function<QString(const AutoStartDialogTest&)> Other;
};

class ExecuteTest : public AutoStartDialogTest, public testing::WithParamInterface<TExecuteCase> {};

TEST_P(ExecuteTest, ShowsTheRegisteredFileWhereItBelongs)
{
    TFormStartup dialog;
    const TExecuteCase& param = GetParam();
    const QString registered = param.Registered(*this);
    WhenModalOpens([&](QWidget& shown) {
        const TShown state = Read(shown);
        EXPECT_TRUE(state.AutoStart);
        EXPECT_EQ(state.OtherChosen, param.OtherChosen);
        EXPECT_EQ(state.Other, param.Other(*this));
        PressCancel(shown);
    });
    EXPECT_FALSE(dialog.Execute(param.Current(*this), registered));
    EXPECT_EQ(dialog.GetFileName(), registered);
}

const auto NoFile = [](const AutoStartDialogTest&) { return QString(); };

INSTANTIATE_TEST_SUITE_P(
    Cases, ExecuteTest,
    testing::Values(
        TExecuteCase{"registered_is_the_open_file", [](auto& t) { return t.EntryFile; },
                     [](auto& t) { return t.EntryFile; }, false, NoFile},
        TExecuteCase{"registered_is_another_file", [](auto& t) { return t.EntryFile; },
                     [](auto& t) { return t.OtherEntryFile; }, true, [](auto& t) { return t.OtherEntryFile; }},
        TExecuteCase{"names_differing_in_letter_case_are_different_files",
                     [](auto& t) { return t.EntryFile; }, [](auto& t) { return t.EntryFile.toUpper(); }, true,
                     [](auto& t) { return t.EntryFile.toUpper(); }},
        TExecuteCase{"no_open_file", NoFile, [](auto& t) { return t.OtherEntryFile; }, true,
                     [](auto& t) { return t.OtherEntryFile; }}),
    [](const testing::TestParamInfo<TExecuteCase>& info) { return std::string(info.param.Name); });

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

TEST_F(AutoStartDialogTest, SearchingChoosesTheOtherFile)
{
    TFormStartup dialog;
    WhenModalOpens([this](QWidget& shown) {
        Click(Child<QRadioButton>(shown, QStringLiteral("RadioButtonEditorFile")));
        PickFileInNextDialog(OtherEntryFile);
        Click(Child<QPushButton>(shown, QStringLiteral("ButtonSearch")));
        const TShown state = Read(shown);
        EXPECT_TRUE(state.OtherChosen);
        EXPECT_EQ(state.Other, OtherEntryFile);
        PressOk(shown);
    });
    EXPECT_TRUE(dialog.Execute(EntryFile, EntryFile));
    EXPECT_EQ(dialog.GetFileName(), OtherEntryFile);
    const QStringList filters = dialog.OpenDialog1()->nameFilters();
    EXPECT_EQ(filters, QStringList{QStringLiteral("Vemora files (*.vkd)")});
}

TEST_F(AutoStartDialogTest, TheSearchStartsInTheFolderOfTheNamedFile)
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
        PressCancel(shown);
    });
    dialog.Execute(EntryFile, deeper);
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

struct TQuestionCase {
    const char* Name;
    bool Registered;
    bool ShowAutoRun;
    int Entries;
    const char* FileName;
    bool Asked;
};

class QuestionConditionTest : public AutoStartDialogTest, public testing::WithParamInterface<TQuestionCase> {};

TEST_P(QuestionConditionTest, AsksOnlyWhenEverythingSpeaksForIt)
{
    if (GetParam().Registered)
        Register(EntryFile);
    bool showAutoRun = GetParam().ShowAutoRun;
    bool asked = false;
    const TCloseAction action =
        AutoStartQuestionAtClose(showAutoRun, GetParam().Entries, QString::fromUtf8(GetParam().FileName), [&] {
            asked = true;
            return TAutoStartReply{false, false};
        });
    EXPECT_EQ(asked, GetParam().Asked);
    EXPECT_EQ(action, TCloseAction::Close);
    EXPECT_EQ(showAutoRun, GetParam().ShowAutoRun);
}

INSTANTIATE_TEST_SUITE_P(
    Conditions, QuestionConditionTest,
    testing::Values(TQuestionCase{"everything_speaks_for_it", false, true, 3, "/home/u/a.vkd", true},
                    TQuestionCase{"already_registered", true, true, 3, "/home/u/a.vkd", false},
                    TQuestionCase{"option_off", false, false, 3, "/home/u/a.vkd", false},
                    TQuestionCase{"empty_list", false, true, 0, "/home/u/a.vkd", false},
                    TQuestionCase{"unnamed_new_file", false, true, 3, "", false}),
    [](const testing::TestParamInfo<TQuestionCase>& info) { return std::string(info.param.Name); });

TEST_F(AutoStartDialogTest, TheAnswerDecidesAndTheCheckBoxTurnsTheQuestionOff)
{
    struct TReplyCase {
        TAutoStartReply Reply;
        TCloseAction Action;
        bool ShowAutoRun;
    };
    for (const TReplyCase& reply : {TReplyCase{{true, false}, TCloseAction::Configure, true},
                                    TReplyCase{{false, true}, TCloseAction::Close, false},
                                    TReplyCase{{true, true}, TCloseAction::Configure, false}}) {
        bool showAutoRun = true;
        EXPECT_EQ(AutoStartQuestionAtClose(showAutoRun, 1, EntryFile, [&] { return reply.Reply; }), reply.Action);
        EXPECT_EQ(showAutoRun, reply.ShowAutoRun);
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
