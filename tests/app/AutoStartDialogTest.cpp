#include "app/AutoStart.h"
#include "app/AutoStartDialogs.h"
#include "app/AutoStartQuestion.h"
#include "app/FormStartup.h"
#include "model/VemoraEntries.h"
#include "platform/CommandLine.h"

#include "GuiTestSupport.h"
#include "TestSupport.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QAbstractButton>

namespace {

template <typename T = QAbstractButton> T* In(QWidget& d, const char* name) { return Child<T>(d, QLatin1String(name)); }
void Toggle(QWidget& d) { Click(In(d, "CheckBoxAutostart")); }
void ChooseOpenFile(QWidget& d) { Click(In(d, "RadioButtonEditorFile")); }
void PressOk(QWidget& d) { Click(In(d, "BitBtnOk")); }
void PressCancel(QWidget& d) { Click(In(d, "BitBtnCancel")); }

// What the open dialog shows: on, other file chosen, the other file, the open file can be chosen.
using TShown = std::tuple<bool, bool, QString, bool>;
TShown Read(QWidget& d)
{
    return {In(d, "CheckBoxAutostart")->isChecked(), In(d, "RadioButtonStartupFile")->isChecked(),
            In<QLineEdit>(d, "EditFilenameStartup")->text(), In(d, "RadioButtonEditorFile")->isEnabled()};
}

class AutoStartDialogTest : public testing::Test {
public:
    TTemporaryHome Home;
    TScriptedMessages Messages;
    QString EntryFile = Home.FilePath(QStringLiteral("Dates.vkd"));
    QString OtherFile = Home.FilePath(QStringLiteral("Other.vkd"));

    void SetUp() override
    {
        UseLanguage(QStringLiteral("EN"));
        TVemoraEntries().SaveToFile(EntryFile);
        TVemoraEntries().SaveToFile(OtherFile);
    }
};

TEST_F(AutoStartDialogTest, ShowsTheRegisteredFileWhereItBelongs)
{
    const struct {
        const char* Name;
        QString Current, Registered;
        TShown Shown;
    } rows[] = {{"none_registered_is_off", EntryFile, QString(), {false, true, QString(), false}},
                {"registered_is_the_open_file", u' ' + EntryFile + u' ', EntryFile, {true, false, QString(), true}},
                {"registered_is_another_file", EntryFile, OtherFile, {true, true, OtherFile, true}},
                {"letter_case_differs", EntryFile, EntryFile.toUpper(), {true, true, EntryFile.toUpper(), true}},
                {"no_open_file", QString(), OtherFile, {true, true, OtherFile, false}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        TFormStartup dialog;
        WhenModalOpens([&](QWidget& shown) {
            EXPECT_EQ(Read(shown), row.Shown);
            PressOk(shown); // nothing changed; a refused OK leaves Cancel
            if (shown.isVisible())
                PressCancel(shown);
        });
        EXPECT_FALSE(dialog.Execute(row.Current, row.Registered));
        EXPECT_EQ(dialog.GetFileName(), row.Registered);
    }
}

// OK is refused for a missing or an invalid file; the search starts in the folder of the file
// named, a cancelled one keeps it, and a file found becomes the other file.
TEST_F(AutoStartDialogTest, OkIsRefusedForAMissingOrInvalidFileAndTheSearchFindsOne)
{
    const QString notes = Home.WriteFile(QStringLiteral("notes.txt"), "just some notes, long enough to be read");
    TFormStartup dialog;
    WhenModalOpens([&](QWidget& shown) {
        Toggle(shown);
        PressOk(shown);
        EXPECT_EQ(shown.focusWidget(), In<QLineEdit>(shown, "EditFilenameStartup"));
        TypeInto(In<QLineEdit>(shown, "EditFilenameStartup"), notes);
        PressOk(shown);
        EXPECT_TRUE(shown.isVisible()) << "both refused";
        WhenModalOpens([&](QWidget& files) {
            EXPECT_EQ(qobject_cast<QFileDialog*>(&files)->directory().absolutePath(), QFileInfo(notes).absolutePath());
            qobject_cast<QFileDialog*>(&files)->reject();
        });
        Click(In(shown, "ButtonSearch"));
        EXPECT_EQ(Read(shown), TShown(true, true, notes, true)) << "a cancelled search keeps the file";
        ChooseOpenFile(shown);
        PickFileInNextDialog(OtherFile);
        Click(In(shown, "ButtonSearch"));
        EXPECT_EQ(Read(shown), TShown(true, true, OtherFile, true));
        PressOk(shown);
    });
    EXPECT_TRUE(dialog.Execute(EntryFile, QString()));
    EXPECT_EQ(dialog.GetFileName(), OtherFile);
    QStringList texts;
    for (const TMessageRequest& request : Messages.Shown())
        texts << request.Text;
    EXPECT_EQ(texts, QStringList({"A value is required here.", notes + " is not a valid Vemora file."}));
}

// The command registers the choice, unchecking removes it, Cancel changes nothing.
TEST_F(AutoStartDialogTest, TheCommandAppliesTheChoice)
{
    QWidget parent;
    const auto run = [&](std::function<void(QWidget&)> act) {
        WhenModalOpens(std::move(act));
        RunAutoStartCommand(&parent, EntryFile);
    };
    run([](QWidget& d) { Toggle(d); ChooseOpenFile(d); PressOk(d); });
    ASSERT_EQ(GetAutoStartFile(), EntryFile);
    run([](QWidget& d) { Toggle(d); PressOk(d); });
    EXPECT_TRUE(GetAutoStartFile().isEmpty());
    run([](QWidget& d) { Toggle(d); ChooseOpenFile(d); PressCancel(d); });
    EXPECT_TRUE(GetAutoStartFile().isEmpty());
    EXPECT_TRUE(Messages.Shown().empty());
    // Yes to the question at closing: OK sets up what was agreed to, the window stays open.
    bool showAutoRun = true;
    WhenModalOpens([](QWidget& question) {
        WhenModalOpens(PressOk);
        Click(In(question, "ButtonYes"));
    });
    const bool closes = QueryCloseForAutoStart(&parent, showAutoRun, 2, EntryFile);
    EXPECT_EQ(std::pair(closes, GetAutoStartFile()), std::pair(false, EntryFile));
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
        std::tuple<bool, TCloseAction, bool> Result; // asked, action, ask again
    } rows[] = {{"unnamed_new_file", false, true, 3, QString(), {true, true}, {false, TCloseAction::Close, true}},
                {"option_off", false, false, 3, EntryFile, {true, true}, {false, TCloseAction::Close, false}},
                {"empty_list", false, true, 0, EntryFile, {true, true}, {false, TCloseAction::Close, true}},
                {"yes", false, true, 1, EntryFile, {true, false}, {true, TCloseAction::Configure, true}},
                {"no_do_not_ask_again", false, true, 1, EntryFile, {false, true}, {true, TCloseAction::Close, false}},
                {"already_registered", true, true, 3, EntryFile, {true, true}, {false, TCloseAction::Close, true}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        ASSERT_TRUE(SetAutoStart(row.Registered ? OtherFile : QString(), ProgramFilePath()));
        bool showAutoRun = row.ShowAutoRun;
        bool asked = false;
        const TCloseAction action = AutoStartQuestionAtClose(showAutoRun, row.Entries, row.FileName, [&] {
            asked = true;
            return row.Reply;
        });
        EXPECT_EQ(std::tuple(asked, action, showAutoRun), row.Result);
    }
}

} // namespace
