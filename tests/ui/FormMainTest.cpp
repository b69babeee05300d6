#include "app/VemoraLibState.h"
#include "model/EntryTypes.h"
#include "model/ModelTestSupport.h"
#include "model/VemoraEntries.h"
#include "settings/MenuHistoryFiles.h"
#include "support/DateFormat.h"
#include "support/NLS.h"
#include "ui/EntryListModel.h"
#include "ui/FormEditDate.h"
#include "ui/FormMain.h"
#include "ui/ListViewEx.h"
#include "ui/MonthGrid.h"
#include "ui/MonthOverview.h"

#include "../app/BatchFiles.h"
#include "MediaFiles.h"
#include "GuiTestSupport.h"
#include "TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QScreen>
#include <QFile>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include <memory>

namespace {

QStringList TextsOf(const TEntryListModel& model)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts.append(model.EntryAt(row)->DisplayText());
    return texts;
}

// A main window in a temporary home, with English texts chosen and messages answered by script.
class FormMainTest : public testing::Test {
protected:
    TTemporaryHome Home;
    TScriptedMessages Messages;
    std::unique_ptr<TFormMain> Form;

    void SetUp() override
    {
        InitializeVemoraLib();
        Choose(QStringLiteral("EN"));
    }
    void TearDown() override
    {
        Form.reset();
        ApplicationReg.reset();
    }
    // Chooses the language as the user does, and makes the window anew with its texts.
    void Choose(const QString& language)
    {
        LanguageFilename() = QStringLiteral(":/lang/Vemora_%1.nls").arg(language);
        CountryFilename() = QStringLiteral(":/lang/State_%1.nls").arg(language == u"DE" ? language : "GB");
        UseLanguage(language);
        Form.reset();
        Form = std::make_unique<TFormMain>();
    }
    // One-off entries "Entry 1" ... "Entry count" on the days after today.
    QString NumberedFile(int count, const QString& name = QStringLiteral("dates.vkd"))
    {
        TBatchFile file;
        for (int i = 1; i <= count; ++i)
            file.Once(QStringLiteral("Entry %1").arg(i), i);
        return file.Save(Home.FilePath(name));
    }
    QAction* Action(const char* name) const { return Child<QAction>(*Form, QString::fromLatin1(name)); }
    QString Panel(int index) const { return Child<QLabel>(*Form, QStringLiteral("StatusBar1Panel%1").arg(index))->text(); }
    TListViewEx& List() const { return *Form->ListViewEx1(); }
    TVemoraEntryBasic* SelectedEntry() const { return Form->ListModel().EntryAt(List().SelectedRows().front()); }
    QString LastMessage() const { return Messages.Shown().empty() ? QString() : Messages.Shown().back().Text; }
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
    void OpenRecent(const QString& file) const
    {
        for (auto* item : Form->findChildren<TMenuItemHistoryFiles*>())
            if (item->FileName() == file)
                return item->trigger();
        ADD_FAILURE() << "no recent-files item for " << file.toStdString();
    }
    // Answers the next entry editor: act on it, then OK or Cancel.
    static void InNextEditor(const std::function<void(TFormEditDate&)>& act, bool confirm = true)
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
    // Texts, comments and categories to find, listed in this order; opened in the shown window.
    void OpenFindFile()
    {
        TVemoraEntries entries;
        entries.Categories().AddCategory(QStringLiteral("Family"), 1);
        entries.Categories().AddCategory(QStringLiteral("Household"), 2);
        const std::tuple<const char*, const char*, quint8> rows[] = {{"Birthday Anna Müller", "", 1},
            {"Pay the rent", "Ask about the INVOICE", 2}, {"Dentist", "", 0}, {"Call Ben", "Straße 5", 1}};
        for (int day = 0; const auto& [text, comment, category] : rows) {
            auto entry = MakeEntry<TVemoraEntryOnce>("2030-01-01");
            entry->SetDateStart(entry->DateStart() + day++);
            entry->SetDisplayText(QString::fromUtf8(text));
            entry->SetComment(QString::fromUtf8(comment));
            entry->SetCategory(category);
            entries.AddEntry(std::move(entry));
        }
        const QString file = Home.FilePath(QStringLiteral("find.vkd"));
        entries.SaveToFile(file);
        EXPECT_TRUE(Form->OpenFile(file));
        Form->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    }
    QLineEdit* FindField() const { return Child<QLineEdit>(*Form, QStringLiteral("EditFind")); }
    QStringList Shown() const
    {
        QStringList texts;
        for (int row = 0; row < List().model()->rowCount(); ++row)
            texts.append(List().model()->index(row, 2).data().toString());
        return texts;
    }
};

TEST_F(FormMainTest, TheCommandsFollowTheDocumentStateAndTheSelection)
{
    EXPECT_EQ(EnabledRows(), QStringLiteral("1000000001")) << "the design states before the first change";
    ASSERT_TRUE(Form->OpenFile(NumberedFile(3)));
    // Enabled: new, edit, delete, preview, test, save, save as, undo, redo, read-only.
    struct TCase { const char* Name; std::function<void()> Arrange; const char* Enabled; const char* State; };
    const auto untick = [&] { List().model()->setData(List().model()->index(0, 0), Qt::Unchecked, Qt::CheckStateRole); };
    const std::vector<TCase> cases = {
        {"clean, nothing selected", [] {}, "1000001001", ""},
        {"one row selected", [&] { Select({1}); }, "1111101001", ""},
        {"two rows selected", [&] { Select({0, 2}); }, "1010001001", ""},
        {"modified, one selected", [&] { Select({0}); Form->SetModified(true); }, "1111111000", "Modified"},
        {"read-only, one selected", [&] { Form->SetModified(false); Form->SetReadOnly(true); }, "0101101001", "Read-only"},
        {"read-only, all selected", [&] { Action("MainMenuEditSelectall")->trigger(); }, "0000001001", "Read-only"},
        {"read-only, a check box toggled", untick, "0000001100", "Modified"},
        {"modified, writable again", [&] { Form->SetReadOnly(false); }, "1010011100", "Modified"},
    };
    for (const TCase& test : cases) {
        test.Arrange();
        EXPECT_EQ(EnabledRows(), QString::fromLatin1(test.Enabled)) << test.Name;
        EXPECT_EQ(Panel(0), QString::fromLatin1(test.State)) << test.Name;
        EXPECT_EQ(Action("ToolButtonEntryDelete")->isEnabled(), Form->ActionEnabled(maDeleteEntries)) << test.Name;
    }
    EXPECT_FALSE(Form->ListModel().EntryAt(0)->Active()) << "the toggled entry stays in its row";
}

TEST_F(FormMainTest, TheSaveQuestionGoesOnOnlyWhenTheChangesAreDealtWith)
{
    const QString file = NumberedFile(2);
    struct TCase { const char* Name; bool Titled; TMessageResult Answer; bool GoesOn, CleanAfter, ReadOnly = false; };
    for (const TCase& test : {TCase{"yes saves the titled file", true, TMessageResult::Yes, true, true},
                              TCase{"no goes on unsaved", true, TMessageResult::No, true, false},
                              TCase{"cancel stops", true, TMessageResult::Cancel, false, false},
                              TCase{"yes on an untitled one, dialog cancelled", false, TMessageResult::Yes, false, false},
                              TCase{"yes on a read-only file, save as cancelled", true, TMessageResult::Yes, false, false, true}}) {
        Action("MainMenuFileNew")->trigger();
        if (test.Titled) {
            ASSERT_TRUE(Form->OpenFile(file));
        }
        if (!test.Titled || test.ReadOnly)
            CloseNextModal();
        Form->SetReadOnly(test.ReadOnly);
        const auto contents = [&file] { QFile read(file); return read.open(QIODevice::ReadOnly) ? read.readAll() : QByteArray(); };
        const QByteArray before = contents();
        Form->SetModified(true);
        Messages.Service().Answers = {test.Answer};
        EXPECT_EQ(Form->QuerySave(), test.GoesOn) << test.Name;
        EXPECT_EQ(Form->Modified(), !test.CleanAfter) << test.Name;
        const QString quoted = test.Titled ? u'"' + file + u'"' : LanguageText(0x70110705);
        EXPECT_EQ(LastMessage(), QStringLiteral("Save changes to %1?").arg(quoted)) << test.Name;
        EXPECT_TRUE(!test.ReadOnly || contents() == before) << "a file opened read-only is never written";
        Form->SetReadOnly(false);
        Form->SetModified(false);
    }
}

TEST_F(FormMainTest, AnOldFormatOpensModifiedAndOpenAsksAgainAfterARejectedFile)
{
    ASSERT_TRUE(Form->OpenFile(QStringLiteral(VEMORA_SOURCE_DIR "/fuzz/corpus/EntryFileFuzzer/version1.vkd")));
    EXPECT_EQ(std::tuple(LastMessage(), Messages.Shown().size(), EnabledRows().right(5)),
              std::tuple(LanguageText(0x1D98D93F), 1u, QStringLiteral("11000"))) << "modified, no read-only switch";

    Form->SetModified(false);
    const QString good = NumberedFile(2, QStringLiteral("good.vkd"));
    const QString notes = Home.WriteFile(QStringLiteral("notes.vkd"), "these are notes, not dates at all");
    WhenModalOpens([&](QWidget& dialog) {
        Child<QLineEdit>(dialog, QStringLiteral("fileNameEdit"))->setText(notes);
        static_cast<QDialog&>(dialog).accept();
        WhenModalOpens([&](QWidget& again) {
            Child<QCheckBox>(again, QStringLiteral("CheckBoxReadOnly"))->setChecked(true);
            Child<QLineEdit>(again, QStringLiteral("fileNameEdit"))->setText(good);
            static_cast<QDialog&>(again).accept();
        });
    });
    Action("ToolButtonOpen")->trigger();
    EXPECT_EQ(LastMessage(), notes + LanguageText(0x406361C5));
    EXPECT_EQ(std::tuple(Form->FileName(), Form->ReadOnly(), List().model()->rowCount()), std::tuple(good, true, 2));
}

TEST_F(FormMainTest, RecentFilesAskOnlyForOthersAndFailuresLoseNothing)
{
    const QString first = NumberedFile(1, QStringLiteral("first.vkd"));
    const QString second = NumberedFile(2, QStringLiteral("second.vkd"));
    ASSERT_TRUE(Form->OpenFile(second));
    ASSERT_TRUE(Form->OpenFile(first));
    Form->SetModified(true);
    OpenRecent(first);
    EXPECT_TRUE(Messages.Shown().empty()) << "the open document is not asked about";
    Form->SetFileName(Home.FilePath(QStringLiteral("missing-folder/dates.vkd")));
    Action("MainMenuFileSave")->trigger();
    ASSERT_EQ(Messages.Shown().size(), 1u);
    EXPECT_EQ(std::tuple(Messages.Shown().back().Icon, Form->Modified()), std::tuple(TMessageIcon::Error, true))
        << "a failed save leaves the document modified";

    Messages.Service().Answers = {TMessageResult::No};
    OpenRecent(second);
    ASSERT_TRUE(QFile::remove(first));
    OpenRecent(first);
    EXPECT_TRUE(LastMessage().contains(first));
    EXPECT_EQ(std::tuple(Form->FileName(), List().model()->rowCount()), std::tuple(second, 2)) << "nothing lost";
}

// Sorting is stable both ways and ignores letter case, keeps the selection on its entry, and a new
// entry takes its place.
TEST_F(FormMainTest, HeaderClicksSortByTheColumnThatTravelledWithItsHeader)
{
    TBatchFile file;
    for (const auto& [text, offset] : {std::pair("bravo", 5), std::pair("Alpha", -3), std::pair("charlie", 2),
                                       std::pair("alpha", 4)})
        file.Once(QString::fromLatin1(text), offset);
    ASSERT_TRUE(Form->OpenFile(file.Save(Home.FilePath(QStringLiteral("sort.vkd")))));
    EXPECT_EQ(TextsOf(Form->ListModel()), QStringList({"Alpha", "charlie", "alpha", "bravo"})) << "the past first";
    Select({3});
    QHeaderView& header = *List().horizontalHeader();
    header.moveSection(header.visualIndex(2), 0);
    for (const auto& [column, texts] : std::vector<std::pair<int, QStringList>>{
             {2, {"Alpha", "alpha", "bravo", "charlie"}},
             {2, {"charlie", "bravo", "Alpha", "alpha"}},
             {1, {"Alpha", "charlie", "alpha", "bravo"}}}) {
        emit header.sectionClicked(column);
        EXPECT_EQ(TextsOf(Form->ListModel()), texts) << "column " << column;
    }
    EXPECT_EQ(std::tuple(Form->SortKey(), Form->SortAscending(), SelectedEntry()->DisplayText()),
              std::tuple(1, true, QStringLiteral("bravo")));
    InNextEditor([](TFormEditDate& editor) { SetText(editor, QStringLiteral("Beta")); }); // from today
    Action("MainMenuEditNew")->trigger();
    EXPECT_EQ(TextsOf(Form->ListModel()), QStringList({"Alpha", "Beta", "charlie", "alpha", "bravo"}));
}

TEST_F(FormMainTest, PicturesOfTheWindowWithTheSample)
{
    for (const QString& language : {QStringLiteral("EN"), QStringLiteral("DE")}) {
        Choose(language);
        ASSERT_TRUE(Form->OpenFile(QStringLiteral(VEMORA_SOURCE_DIR "/examples/sample.vkd")));
        Form->resize(1195, 387);
        EXPECT_FALSE(GrabToPng(*Form, QStringLiteral("FormMain-") + language).isEmpty());
        Action("MainMenuEditFind")->trigger();
        EXPECT_FALSE(GrabToPng(*Form, QStringLiteral("FormMainFindEmpty-") + language).isEmpty());
        QTest::keyClicks(FindField(), QStringLiteral("turns"));
        EXPECT_EQ(Panel(1), language == u"EN" ? QStringLiteral("2 of 6 entries") : QStringLiteral("2 von 6 Einträgen"));
        EXPECT_FALSE(GrabToPng(*Form, QStringLiteral("FormMainFind-") + language).isEmpty());
    }
}

TEST_F(FormMainTest, TheFindFieldShowsTheRowsThatHoldItsTextAndCountsThem)
{
    OpenFindFile();
    QTest::keyClick(Form.get(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(FindField()->isVisible() && FindField()->hasFocus());
    struct TCase { const char* Typed; QStringList Shown; const char* Count; };
    const TCase cases[] = {
        {"muller", {"Birthday Anna Müller"}, "1 of 4 entries"},
        {"MÜLLER", {"Birthday Anna Müller"}, "1 of 4 entries"},
        {"invoice", {"Pay the rent"}, "1 of 4 entries"},
        {"strasse", {"Call Ben"}, "1 of 4 entries"},
        {"house", {"Pay the rent"}, "1 of 4 entries"},
        {"family", {"Birthday Anna Müller", "Call Ben"}, "2 of 4 entries"},
        {"none", {}, "0 of 4 entries"}, // "(none)" in the category column is no category's name
        {"", {"Birthday Anna Müller", "Pay the rent", "Dentist", "Call Ben"}, "4 entries"},
    };
    for (const TCase& test : cases) {
        TypeInto(FindField(), QString::fromUtf8(test.Typed));
        EXPECT_EQ(std::tuple(Shown(), Panel(1)), std::tuple(test.Shown, QString::fromUtf8(test.Count))) << test.Typed;
    }
}

// Hidden rows leave the selection, so that the commands act on the rows shown; a new entry that
// the find text would hide clears it. The document stays as it was.
TEST_F(FormMainTest, CommandsActOnTheRowsThatTheFindFieldLeavesShown)
{
    OpenFindFile();
    const auto saved = [this](const QString& name) {
        Form->SaveTo(Home.FilePath(name));
        QFile read(Home.FilePath(name));
        return read.open(QIODevice::ReadOnly) ? read.readAll() : QByteArray();
    };
    const QByteArray before = saved(QStringLiteral("before.vkd"));
    Action("MainMenuEditSelectall")->trigger();
    List().setFocus();
    QTest::keyClick(&List(), Qt::Key_F, Qt::ControlModifier);
    TypeInto(FindField(), QStringLiteral("famil"));
    EXPECT_EQ(List().SelectedRows(), std::vector<int>({0, 3}));
    List().clearSelection();
    QTest::keyClicks(FindField(), QStringLiteral("y"));
    Action("MainMenuEditSelectall")->trigger();
    QTest::keyClick(Form.get(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(std::tuple(List().SelectedRows(), FindField()->hasFocus(), FindField()->selectedText(), Form->Modified()),
              std::tuple(std::vector<int>({0, 3}), true, QStringLiteral("family"), false));
    EXPECT_EQ(saved(QStringLiteral("filtered.vkd")), before) << "finding changes nothing in the document";

    QTest::keyClick(FindField(), Qt::Key_Escape);
    EXPECT_EQ(std::tuple(FindField()->isVisible(), List().hasFocus(), Shown().size(), List().SelectedCount()),
              std::tuple(false, true, 4, 2));
    QTest::keyClick(Form.get(), Qt::Key_F, Qt::ControlModifier);
    QTest::keyClicks(FindField(), QStringLiteral("family"));
    Action("MainMenuEditSelectall")->trigger();
    Action("MainMenuEditDelete")->trigger();
    EXPECT_EQ(std::tuple(Form->Entries().Count(), Shown(), Panel(1)), std::tuple(2, QStringList(), QStringLiteral("0 of 2 entries")));
    InNextEditor([](TFormEditDate& editor) { SetText(editor, QStringLiteral("Gym")); });
    Action("MainMenuEditNew")->trigger();
    EXPECT_EQ(std::tuple(FindField()->text(), Shown().size(), SelectedEntry()->DisplayText(), Panel(1)),
              std::tuple(QString(), 3, QStringLiteral("Gym"), QStringLiteral("3 entries")));
}

// Cancelled dialogs leave the document clean. The row of an entry whose kind changed must refer
// to the new entry, never to the freed one.
// The view commands toggle what they show, and the next window starts as this one was left.
// Marks, tip and click of the month overview, by keys and mouse as people page and pick; the
// marks follow the check box, a delete and its undo; the overview stays open after a restart.
TEST_F(FormMainTest, TheMonthOverviewMarksTheDaysAndPicksTheirEntries)
{
    TBatchFile file;
    file.Once(QStringLiteral("Dentist"), 0).Once(QStringLiteral("Anna turns $(COUNT)"), 2, 3);
    ASSERT_TRUE(Form->OpenFile(file.Save(Home.FilePath(QStringLiteral("month.vkd")))));
    TVemoraEntryBasic& anna = *Form->Entries().Items(1);
    Form->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    ASSERT_FALSE(Form->MonthOverview().isVisible());
    Action("MainMenuViewMonth")->trigger();
    TMonthGrid& grid = Form->MonthOverview().Grid();
    const qint32 today = Today();
    QTRY_COMPARE(grid.Mark(today + 2), TDayMark::Occurrence);
    EXPECT_EQ(std::tuple(grid.Mark(today), grid.Mark(today + 1), grid.Mark(today + 3), grid.Mark(today - 1)),
              std::tuple(TDayMark::Occurrence, TDayMark::Warning, TDayMark::None, TDayMark::Warning));
    EXPECT_EQ(Form->MonthOverview().DayTip(today),
              QStringLiteral("<b>%1</b><p style='white-space:pre'>Dentist\nIn 2 days: Anna turns 0</p>").arg(DateToLongStr(today)));
    EXPECT_TRUE(Form->MonthOverview().DayTip(today + 3).isEmpty());

    QTest::mouseClick(&grid, Qt::LeftButton, {}, grid.CellRect(today + 1).center()); // a day of warnings only
    EXPECT_EQ(SelectedEntry(), &anna);
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Left);
    QTest::keyClick(&grid, Qt::Key_Enter);
    EXPECT_EQ(SelectedEntry()->DisplayText(), QStringLiteral("Dentist"));
    QTest::keyClick(&grid, Qt::Key_PageDown);
    EXPECT_EQ(grid.Mark(today + 2), TDayMark::None) << "another month, its own marks";
    QTest::keyClick(&grid, Qt::Key_Home);
    EXPECT_EQ(grid.CurrentDay(), today);

    Select({1});
    List().setFocus();
    QTest::keyClick(&List(), Qt::Key_Delete);
    QTRY_COMPARE(grid.Mark(today + 2), TDayMark::None);
    QTest::keyClick(&List(), Qt::Key_Z, Qt::ControlModifier);
    QTRY_COMPARE(grid.Mark(today + 2), TDayMark::Occurrence);
    Form->ListModel().setData(Form->ListModel().index(Form->ListModel().RowOfEntry(Form->Entries().Items(0)), 0),
                              Qt::Unchecked, Qt::CheckStateRole);
    QTRY_COMPARE(grid.Mark(today), TDayMark::Warning);
    Form.reset();
    Form = std::make_unique<TFormMain>();
    Form->show();
    EXPECT_TRUE(Form->MonthOverview().isVisibleTo(Form.get()) && Action("MainMenuViewMonth")->isChecked());
}

TEST_F(FormMainTest, ViewSettingsToggleAndSurviveARestart)
{
    const auto shown = [this] {
        return std::tuple(Child<QWidget>(*Form, QStringLiteral("ToolBar1"))->isVisibleTo(Form.get()),
                          Child<QWidget>(*Form, QStringLiteral("StatusBar1"))->isVisibleTo(Form.get()),
                          List().showGrid(), Action("MainMenuViewSymbolbar")->isChecked(),
                          Action("MainMenuViewStatusbar")->isChecked(), Action("MainMenuViewGridlines")->isChecked());
    };
    const auto before = shown();
    for (const char* command : {"MainMenuViewSymbolbar", "MainMenuViewStatusbar", "MainMenuViewGridlines"})
        Action(command)->trigger();
    const auto [toolbar, statusbar, grid, toolbarChecked, statusbarChecked, gridChecked] = before;
    const auto toggled = std::tuple(!toolbar, !statusbar, !grid, !toolbarChecked, !statusbarChecked, !gridChecked);
    EXPECT_EQ(shown(), toggled);
    Form.reset(); // a window saves its state as it goes
    Form = std::make_unique<TFormMain>();
    EXPECT_EQ(shown(), toggled);
}

// At the end, whatever the window and its kept dialogs stored lies under the program's key,
// so that the removal leaves nothing of them behind.
TEST_F(FormMainTest, CommandsWorkOnTheSelectionAndChangeTheDocumentOnlyWhenDone)
{
    SetApplicationMainForm(Form.get()); // as the program does: the dialogs are the window's
    ASSERT_TRUE(Form->OpenFile(NumberedFile(6)));
    Form->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    List().setFocus();
    Select({0});
    QTest::keyClick(&List(), Qt::Key_Enter, Qt::AltModifier | Qt::KeypadModifier);
    EXPECT_TRUE(LastMessage().contains(QStringLiteral("Entry 1"))) << "Alt+keypad Enter tests the entry";
    Select({1});
    InNextEditor([](TFormEditDate& editor) { SetText(editor, QStringLiteral("changed")); }, false);
    QTest::keyClick(&List(), Qt::Key_Enter, Qt::KeypadModifier);
    InNextEditor([](TFormEditDate& editor) { SetText(editor, QStringLiteral("new")); }, false);
    Action("MainMenuEditNew")->trigger();
    for (const char* command : {"MainMenuEditCategories", "MainMenuEditPreview", "MainMenuSettingsLanguage",
                                "MainMenuSettingsAutostart", "MainMenuSettingsOtherOptions", "MainMenuHelpAbout"}) {
        CloseNextModal();
        Action(command)->trigger();
    }
    EXPECT_EQ(std::tuple(Form->Modified(), Form->Entries().Count(), Form->Entries().Items(1)->DisplayText()),
              std::tuple(false, 6, QStringLiteral("Entry 2")));
    EXPECT_EQ(Messages.Shown().size(), 1u) << "no restart notice without a new language";

    Select({2});
    for (const int kind : {ekWeekly, ekOnce}) {
        InNextEditor([kind](TFormEditDate& editor) {
            editor.SetCycleKind(kind);
            if (kind == ekWeekly)
                Child<QListWidget>(editor, QStringLiteral("CheckListBoxWeekdays"))->item(1)->setCheckState(Qt::Checked);
        });
        Action("ToolButtonEntryEdit")->trigger();
        ASSERT_EQ(List().SelectedRows().size(), 1u);
        TVemoraEntryBasic* edited = SelectedEntry();
        EXPECT_EQ(std::tuple(edited->Kind(), edited->DisplayText(), edited->ListColumnText(8), Form->Modified()),
                  std::tuple(kind, QStringLiteral("Entry 3"), KindName(static_cast<TEntryKind>(kind)), true));
        EXPECT_GE(Form->Entries().IndexOfEntry(edited), 0);
        Form->SetModified(false);
    }
    // The same kind: the edited copy takes the entry's place, and the command says the document changed.
    InNextEditor([](TFormEditDate& editor) { SetText(editor, QStringLiteral("renamed")); });
    Action("MainMenuEditEdit")->trigger();
    EXPECT_EQ(std::tuple(SelectedEntry()->DisplayText(), Form->Modified()), std::tuple(QStringLiteral("renamed"), true));
    Form->SetModified(false);

    Select({0, 1, 3, 4, 5});
    const TVemoraEntryBasic* kept = Form->ListModel().EntryAt(2);
    Action("MainMenuEditDelete")->trigger();
    EXPECT_EQ(Messages.Shown().size(), 1u) << "deleting asks nothing, however many rows";
    EXPECT_EQ(std::tuple(Form->ListModel().EntryAt(0), Form->Entries().Count(), Panel(1), Form->Modified()),
              std::tuple(kept, 1, QStringLiteral("1 entry"), true));
    Form->SetModified(false);
    Action("MainMenuEditSelectall")->trigger();
    InNextEditor([](TFormEditDate& editor) { SetText(editor, QStringLiteral("Water the plants")); });
    Action("MainMenuEditNew")->trigger();
    ASSERT_EQ(List().SelectedRows().size(), 1u) << "the new entry is the only selected row";
    EXPECT_EQ(std::tuple(SelectedEntry()->DisplayText(), Form->Entries().Count(), Form->Modified()),
              std::tuple(QStringLiteral("Water the plants"), 2, true));
    Form.reset();
    TApplicationReg(ApplicationName).DeleteAppKey();
    QFile settings(Home.RegistryFile());
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    EXPECT_FALSE(settings.readAll().contains("Orvalin"));
}

// The platform's keys run the file commands, the close key through the close query; in German,
// Qt's key names in the menus and the buttons of its dialogs are German too.
TEST_F(FormMainTest, StandardKeysAndQtsOwnWords)
{
    Choose(QStringLiteral("DE"));
    Form->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    QStringList buttons;
    WhenModalOpens([&buttons](QWidget& dialog) {
        for (const QAbstractButton* button : dialog.findChildren<QPushButton*>())
            buttons << button->text();
        static_cast<QDialog&>(dialog).reject();
    });
    QTest::keyClick(Form.get(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_TRUE(ActivateAgain(*Form));
    QTest::keyClick(Form.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(std::tuple(Action("MainMenuEditNew")->shortcut().toString(QKeySequence::NativeText),
                         Action("MainMenuEditSelectall")->shortcut().toString(QKeySequence::NativeText),
                         buttons.contains(QStringLiteral("Abbrechen")), Form->isVisible()),
              std::tuple(QStringLiteral("Einfg"), QStringLiteral("Strg+A"), true, false)) << buttons.join(u',').toStdString();
}

// Rows as high as a large font needs, no menu of Qt's own on the bars, the commands as the
// selection after an open that failed, and a window larger than the screen cut to it.
TEST_F(FormMainTest, TheViewFollowsItsFontSelectionAndScreen)
{
    List().setFont(QFont(List().font().family(), 28));
    ASSERT_TRUE(Form->OpenFile(NumberedFile(3)));
    Select({1});
    EXPECT_FALSE(Form->OpenFile(Home.WriteFile(QStringLiteral("garbage.vkd"), "no entry file")));
    Form->resize(5000, 4000);
    Form->show();
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(5, 5));
    QCoreApplication::sendEvent(Child<QWidget>(*Form, QStringLiteral("ToolBar1")), &click);
    EXPECT_EQ(std::tuple(List().verticalHeader()->defaultSectionSize() >= List().fontMetrics().height(), EnabledRows(),
                         QApplication::activePopupWidget(), Form->screen()->availableGeometry().contains(Form->frameGeometry())),
              std::tuple(true, QStringLiteral("1000001001"), nullptr, true));
}

// Starting the entry's sound waits for the media backend; a command that comes meanwhile must
// not run inside that wait and free the entry under its alert.
TEST_F(FormMainTest, TestRunsNoCommandWhileItsSoundStarts)
{
    TBatchFile file;
    file.Once(QStringLiteral("Dentist"), 1, 0, true, Home.WriteFile(QStringLiteral("ring.wav"), Wave(300)))
        .Once(QStringLiteral("Rent"), 2);
    ASSERT_TRUE(Form->OpenFile(file.Save(Home.FilePath(QStringLiteral("dates.vkd")))));
    Select({0});
    QTimer::singleShot(0, Form.get(), [this] { Action("MainMenuEditDelete")->trigger(); });
    int countWhileShown = 0;
    Messages.Service().OnShow = [&](const TMessageRequest&) { countWhileShown = Form->Entries().Count(); };
    Action("MainMenuEditTest")->trigger();
    EXPECT_EQ(std::tuple(countWhileShown, LastMessage().contains(QStringLiteral("Dentist"))), std::tuple(2, true));
}

// An edited row moves to its place among the others, in either direction, as a whole sort would
// put it. (Rows strewn over the list go in one pass in the commands run above.)
// Each change undone gives the file and the list as they were, unmodified; redone, as after
// the change. The list is sorted by text, descending, so that its order is not the file's.
TEST_F(FormMainTest, EveryChangeIsUndoneAndRedoneToTheSameFileAndList)
{
    SetApplicationMainForm(Form.get());
    const QString file = NumberedFile(5);
    const auto edit = [this](int row, std::function<void(TFormEditDate&)> act) {
        Select({row});
        InNextEditor(std::move(act));
        Action("MainMenuEditEdit")->trigger();
    };
    const auto remove = [this](std::initializer_list<int> rows) {
        Select(rows);
        Action("MainMenuEditDelete")->trigger();
    };
    struct TCase { const char* Name; std::function<void()> Change; const char* UndoText; };
    const std::vector<TCase> cases = {
        {"new entry", [this] {
             InNextEditor([](TFormEditDate& editor) { SetText(editor, QStringLiteral("Water the plants")); });
             Action("MainMenuEditNew")->trigger();
         }, "Undo new entry"},
        {"edit", [&] { edit(1, [](TFormEditDate& editor) { SetText(editor, QStringLiteral("changed")); }); }, "Undo edit entry"},
        {"edit to another kind", [&] { edit(2, [](TFormEditDate& editor) { editor.SetCycleKind(ekDaily); }); }, "Undo edit entry"},
        {"delete one", [&] { remove({3}); }, "Undo delete entry"},
        {"delete rows strewn over the list", [&] { remove({0, 2, 4}); }, "Undo delete 3 entries"},
        {"select all and delete", [this] {
             Action("MainMenuEditSelectall")->trigger();
             Action("MainMenuEditDelete")->trigger();
         }, "Undo delete 5 entries"},
        {"check box", [this] { List().model()->setData(List().model()->index(3, 0), Qt::Unchecked, Qt::CheckStateRole); },
         "Undo switch entry off"},
        {"categories", [this] {
             WhenModalOpens([](QWidget& categories) {
                 WhenModalOpens([](QWidget& input) {
                     static_cast<QInputDialog&>(input).setTextValue(QStringLiteral("Travel"));
                     static_cast<QInputDialog&>(input).accept();
                 });
                 Click(Child<QPushButton>(categories, QStringLiteral("ButtonNew")));
                 Click(Child<QPushButton>(categories, QStringLiteral("ButtonOk")));
             });
             Action("MainMenuEditCategories")->trigger();
         }, "Undo change categories"},
    };
    const QString check = Home.FilePath(QStringLiteral("check.vkd"));
    const auto state = [&] {
        Form->Entries().SaveToFile(check);
        return std::tuple(ReadWholeFile(check), TextsOf(Form->ListModel()), Form->Modified());
    };
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.Name);
        ASSERT_TRUE(Form->OpenFile(file));
        Form->ListModel().Sort(2, false);
        const auto before = state();
        test.Change();
        const auto after = state();
        ASSERT_NE(std::get<0>(after), std::get<0>(before));
        EXPECT_EQ(std::tuple(Action("MainMenuEditUndo")->text(), std::get<2>(after)), std::tuple(QString(test.UndoText), true));
        Action("MainMenuEditUndo")->trigger();
        EXPECT_EQ(state(), before);
        Action("MainMenuEditRedo")->trigger();
        EXPECT_EQ(state(), after);
        Action("MainMenuEditUndo")->trigger(); // the next open frees an undone change
    }
}

// The keys, the German texts, the saved state as the clean one, and a new document that
// forgets what there was to undo.
TEST_F(FormMainTest, UndoByKeysBackToTheSavedStateInGerman)
{
    Choose(QStringLiteral("DE"));
    const QString file = NumberedFile(4);
    ASSERT_TRUE(Form->OpenFile(file));
    Form->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    List().setFocus();
    Select({0, 1, 2});
    QTest::keyClick(&List(), Qt::Key_Delete);
    ASSERT_TRUE(Form->SaveTo(file));
    EXPECT_EQ(std::tuple(Action("MainMenuEditUndo")->text(), Form->Modified()),
              std::tuple(QStringLiteral("Rückgängig: 3 Einträge löschen"), false));
    for (const QKeySequence& redo : QKeySequence::keyBindings(QKeySequence::Redo)) {
        SCOPED_TRACE(redo.toString().toStdString());
        QTest::keySequence(&List(), QKeySequence(QKeySequence::Undo));
        EXPECT_EQ(std::tuple(Form->Entries().Count(), List().SelectedCount(), Form->Modified(), Action("MainMenuEditRedo")->text()),
                  std::tuple(4, 3, true, QStringLiteral("Wiederherstellen: 3 Einträge löschen")));
        QTest::keySequence(&List(), redo);
        EXPECT_EQ(std::tuple(Form->Entries().Count(), Form->Modified()), std::tuple(1, false));
    }
    EXPECT_GE(QKeySequence::keyBindings(QKeySequence::Redo).size(), 1);
    QTest::keySequence(&List(), QKeySequence(QKeySequence::Undo));
    Messages.Service().Answers.push_back(TMessageResult::No);
    Action("MainMenuFileNew")->trigger();
    EXPECT_FALSE(Action("MainMenuEditUndo")->isEnabled());
}

// File > Import as a person uses it: the name typed into its dialog, the report read, one undo.
TEST_F(FormMainTest, ImportAddsTheDatesAsOneStepThatUndoTakesBackWhole)
{
    ASSERT_TRUE(Form->OpenFile(NumberedFile(2)));
    Form->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    const QString calendar = Home.WriteFile("dates.ics", "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:1\r\n"
        "DTSTART;VALUE=DATE:20270412\r\nSUMMARY:Anna\r\nCATEGORIES:Family\r\nRRULE:FREQ=YEARLY\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:2\r\nDTSTART;VALUE=DATE:20270301\r\nSUMMARY:Gym\r\nRRULE:FREQ=WEEKLY;BYSETPOS=1\r\n"
        "END:VEVENT\r\nBEGIN:VEVENT\r\nUID:3\r\nDTSTART;VALUE=DATE:20270501\r\nSUMMARY:Trip\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    WhenModalOpens([&](QWidget& dialog) {
        EXPECT_EQ(std::pair(dialog.objectName(), dialog.windowTitle()), std::pair(QString("ImportDialog1"), QString("Import")));
        QTest::keyClicks(Child<QLineEdit>(dialog, "fileNameEdit"), calendar);
        QTest::keyClick(Child<QLineEdit>(dialog, "fileNameEdit"), Qt::Key_Return);
    });
    Action("MainMenuFileImport")->trigger();
    EXPECT_EQ(LastMessage(), "2 imported, 1 left out\n2027-03-01 Gym: BYSETPOS has no exact equal");
    int family = -1;
    EXPECT_TRUE(Form->Entries().Categories().FindName("Family", family));
    EXPECT_EQ(std::tuple(Form->Entries().Count(), List().SelectedCount(), Form->Modified(), Action("MainMenuEditUndo")->text()),
              std::tuple(4, 2, true, QStringLiteral("Undo add 2 entries")));
    Action("MainMenuEditUndo")->trigger();
    EXPECT_EQ(std::tuple(Form->Entries().Count(), Form->Entries().Categories().Count(), Form->Modified()), std::tuple(2, 0, false));
    Action("MainMenuFileReadonly")->trigger();
    EXPECT_FALSE(Action("MainMenuFileImport")->isEnabled()) << "a document opened read-only takes no import";
}

TEST(EntryListModelTest, AnEditedRowMovesToItsSortedPlace)
{
    UseLanguage(QStringLiteral("EN"));
    TVemoraEntries entries;
    const QStringList texts = {"d", "b", "a", "c", "b", "e", "g"};
    for (int i = 0; i < texts.size(); ++i)
        entries.AddEntry(MakeEntry<TVemoraEntryOnce>("2027-01-01"));
    TEntryListModel model;
    for (const bool ascending : {true, false}) {
        for (int i = 0; i < texts.size(); ++i)
            entries.Items(i)->SetDisplayText(texts.at(i));
        model.SetSortOrder(2, ascending);
        entries.FillListView(model);
        for (const auto& [from, to] : {std::pair(2, "f"), std::pair(5, "b"), std::pair(2, "0"), std::pair(2, "h")}) {
            entries.Items(from)->SetDisplayText(QString::fromLatin1(to));
            model.RefillRow(model.RowOfEntry(entries.Items(from)));
            const QStringList moved = TextsOf(model);
            model.Sort(2, ascending);
            EXPECT_EQ(moved, TextsOf(model)) << from << " to " << to;
        }
    }
}

TEST(EntryListCompareTest, EachColumnOrdersAsItsValues)
{
    using TEntry = TVemoraEntryBasic;
    using TSet = std::function<void(TEntry&, TEntryListRow&, TEntry&, TEntryListRow&)>;
    struct TCase { const char* Name; int Key; TSet Set; int Expected; }; // Expected: the sign of compare(first, second)
    const std::vector<TCase> cases = {
        {"inactive before active", 0, [](auto& a, auto&, auto&, auto&) { a.SetActive(false); }, -1},
        {"earlier start first", 1, [](auto& a, auto&, auto& b, auto&) { a.SetDateStart(10); b.SetDateStart(11); }, -1},
        {"no last date before one", 3, [](auto&, auto& r, auto&, auto& s) { r.Last.reset(); s.Last = 5; }, -1},
        {"no next date before one", 4, [](auto&, auto& r, auto&, auto& s) { r.Next.reset(); s.Next = 5; }, -1},
        {"warning as an unsigned byte", 5, [](auto& a, auto&, auto& b, auto&) { a.SetAdvanceWarn(200); b.SetAdvanceWarn(3); }, 1},
        {"repetition signed", 9, [](auto& a, auto&, auto& b, auto&) { a.SetRepetition(-1); b.SetRepetition(2); }, -1},
        {"no stop day before one", 10, [](auto&, auto&, auto& b, auto&) { b.SetDateStop(500); }, -1},
        {"two stop days by day", 10, [](auto& a, auto&, auto& b, auto&) { a.SetDateStop(700); b.SetDateStop(500); }, 1},
        {"no limit before a count", 11, [](auto& a, auto&, auto&, auto&) { a.SetMaxCount(3); }, 1},
        {"two counts by number", 11, [](auto& a, auto&, auto& b, auto&) { a.SetMaxCount(3); b.SetMaxCount(4); }, -1},
    };
    for (const TCase& test : cases) {
        auto first = MakeEntry<TVemoraEntryDaily>("2026-01-01"), second = MakeEntry<TVemoraEntryDaily>("2026-01-01");
        TEntryListRow row1{first.get(), 1, 2}, row2{second.get(), 1, 2};
        test.Set(*first, row1, *second, row2);
        EXPECT_EQ(ListViewEx1Compare(row1, row2, test.Key), test.Expected) << test.Name;
        EXPECT_EQ(ListViewEx1Compare(row2, row1, test.Key), -test.Expected) << test.Name << ", reversed";
    }
}

} // namespace
