#include "MainWindowFixture.h"

#include "model/EntryTypes.h"
#include "ui/FormEditDate.h"

#include <QFontDialog>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QtTest/QTest>

namespace {

class FormMainCommandsTest : public FormMainTest {
protected:
    void SetUp() override
    {
        FormMainTest::SetUp();
        ASSERT_TRUE(Form->OpenFile(NumberedFile(QStringLiteral("dates.vkd"), 6)));
    }

    // Answers the next entry editor: act on it, then OK or Cancel.
    void InNextEditor(const std::function<void(TFormEditDate&)>& act, bool confirm = true)
    {
        WhenModalOpens([act, confirm](QWidget& modal) {
            auto& editor = static_cast<TFormEditDate&>(modal);
            act(editor);
            Child<QPushButton>(editor, confirm ? QStringLiteral("ButtonOk") : QStringLiteral("ButtonCancel"))->click();
            if (editor.isVisible())
                Child<QPushButton>(editor, QStringLiteral("ButtonCancel"))->click();
        });
    }

    static void SetText(TFormEditDate& editor, const QString& text)
    {
        Child<QPlainTextEdit>(editor, QStringLiteral("MemoDisplayText"))->setPlainText(text);
    }
};

TEST_F(FormMainCommandsTest, ANewEntryIsTheOnlySelectedRow)
{
    Select({0, 3});
    InNextEditor([](TFormEditDate& editor) {
        editor.SetCycleKind(ekDaily);
        SetText(editor, QStringLiteral("Water the plants"));
    });
    Action("PopupNew")->trigger();
    ASSERT_EQ(List().SelectedRows().size(), 1u);
    TVemoraEntryBasic* made = Form->ListModel().EntryAt(List().SelectedRows().front());
    EXPECT_EQ(made->DisplayText(), QStringLiteral("Water the plants"));
    EXPECT_EQ(made->Kind(), ekDaily);
    EXPECT_EQ(Form->Entries().Count(), 7);
    EXPECT_TRUE(Form->Modified());
}

TEST_F(FormMainCommandsTest, AnotherKindReplacesTheEntryAndItsRow)
{
    Select({2});
    const QString text = Form->ListModel().EntryAt(2)->DisplayText();
    for (const int kind : {ekWeekly, ekOnce}) {
        InNextEditor([kind](TFormEditDate& editor) {
            editor.SetCycleKind(kind);
            if (kind == ekWeekly)
                Child<QListWidget>(editor, QStringLiteral("CheckListBoxWeekdays"))->item(1)->setCheckState(Qt::Checked);
        });
        Action("ToolButtonEntryEdit")->trigger();
        ASSERT_EQ(List().SelectedRows().size(), 1u);
        TVemoraEntryBasic* edited = Form->ListModel().EntryAt(List().SelectedRows().front());
        EXPECT_EQ(edited->Kind(), kind);
        EXPECT_EQ(edited->DisplayText(), text);
        EXPECT_EQ(edited->ListColumnText(8), KindName(static_cast<TEntryKind>(kind)));
        EXPECT_EQ(Form->Entries().Count(), 6);
        EXPECT_EQ(Form->Entries().IndexOfEntry(edited) >= 0, true);
    }
    EXPECT_TRUE(Form->Modified());
}

TEST_F(FormMainCommandsTest, DeletingFiveRowsAsksNothing)
{
    Action("MainMenuEditSelectall")->trigger();
    List().selectionModel()->select(List().model()->index(4, 0), QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    const TVemoraEntryBasic* kept = Form->ListModel().EntryAt(4);
    Action("MainMenuEditDelete")->trigger();
    EXPECT_TRUE(Messages.Shown().empty());
    ASSERT_EQ(List().model()->rowCount(), 1);
    EXPECT_EQ(Form->ListModel().EntryAt(0), kept);
    EXPECT_EQ(Form->Entries().Count(), 1);
    EXPECT_TRUE(Form->Modified());
    EXPECT_EQ(Panel(1), QStringLiteral("1 entry"));
}

TEST_F(FormMainCommandsTest, CancelledDialogsLeaveTheDocumentClean)
{
    Select({1});
    InNextEditor([](TFormEditDate& editor) { SetText(editor, QStringLiteral("changed")); }, false);
    Action("MainMenuEditEdit")->trigger();
    InNextEditor([](TFormEditDate& editor) { SetText(editor, QStringLiteral("new")); }, false);
    Action("MainMenuEditNew")->trigger();
    for (const char* command : {"MainMenuEditCategories", "MainMenuEditPreview", "MainMenuSettingsLanguage",
                                "MainMenuSettingsAutostart", "MainMenuSettingsOtherOptions", "MainMenuHelpAbout"}) {
        CloseNextModal();
        Action(command)->trigger();
    }
    EXPECT_FALSE(Form->Modified());
    EXPECT_EQ(Form->Entries().Count(), 6);
    EXPECT_EQ(Form->Entries().Items(1)->DisplayText(), QStringLiteral("Entry 2"));
    EXPECT_TRUE(Messages.Shown().empty()) << "no restart notice without a new language";
}

TEST_F(FormMainCommandsTest, TestShowsTheAlertOfTheSelectedEntry)
{
    Select({0});
    Action("PopupTest")->trigger();
    ASSERT_EQ(Messages.Shown().size(), 1u);
    EXPECT_TRUE(Messages.Shown().back().Text.contains(QStringLiteral("Entry 1")));
    EXPECT_FALSE(Form->Modified());
}

TEST_F(FormMainCommandsTest, ViewCommandsToggleWithTheirCheckMarks)
{
    for (int round = 1; round <= 2; ++round) {
        Action("MainMenuViewGridlines")->trigger();
        EXPECT_EQ(List().showGrid(), round == 1);
        EXPECT_EQ(Action("MainMenuViewGridlines")->isChecked(), round == 1);
    }
    WhenModalOpens([](QWidget& dialog) {
        auto& fonts = static_cast<QFontDialog&>(dialog);
        QFont font = fonts.currentFont();
        font.setPointSize(15);
        fonts.setCurrentFont(font);
        fonts.accept();
    });
    Action("MainMenuViewFont")->trigger();
    EXPECT_EQ(List().font().pointSize(), 15);
    EXPECT_NE(Form->font().pointSize(), 15) << "the window keeps its own font";
}

TEST_F(FormMainCommandsTest, KeysOfTheListRunTheirCommands)
{
    Form->show();
    Form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    List().setFocus();
    Select({0});
    QTest::keyClick(&List(), Qt::Key_Delete);
    EXPECT_EQ(Form->Entries().Count(), 5);
    InNextEditor([](TFormEditDate& editor) { SetText(editor, QStringLiteral("by key")); });
    QTest::keyClick(&List(), Qt::Key_Insert);
    EXPECT_EQ(Form->Entries().Count(), 6);
    // Offscreen nobody gives the window back its activation after a modal dialog.
    Form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    bool edited = false;
    InNextEditor([&edited](TFormEditDate&) { edited = true; }, false);
    QTest::keyClick(&List(), Qt::Key_Return);
    EXPECT_TRUE(edited);
    Form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    QTest::keyClick(&List(), Qt::Key_Return, Qt::AltModifier);
    EXPECT_TRUE(LastMessage().contains(QStringLiteral("by key"))) << "Alt+Enter tests the entry";
}

} // namespace
