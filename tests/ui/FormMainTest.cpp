#include "app/AutoStart.h"
#include "app/VemoraLibState.h"
#include "model/EntryTypes.h"
#include "model/ModelTestSupport.h"
#include "model/VemoraEntries.h"
#include "settings/MenuHistoryFiles.h"
#include "support/NLS.h"
#include "ui/EntryListModel.h"
#include "ui/FormEditDate.h"
#include "ui/FormMain.h"
#include "ui/ListViewEx.h"

#include "../app/BatchFiles.h"
#include "GuiTestSupport.h"
#include "TestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QFontDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
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
        Restart();
    }
    void TearDown() override
    {
        Form.reset();
        ApplicationReg.reset();
    }
    static void Choose(const QString& language)
    {
        LanguageFilename() = QStringLiteral(":/lang/Vemora_%1.nls").arg(language);
        const QString country = language == u"DE" ? language : QStringLiteral("GB");
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
    QStringList ShownTexts() const { return TextsOf(Form->ListModel()); }
    TMenuItemHistoryFiles* HistoryItem(const QString& file) const
    {
        for (auto* item : Form->findChildren<TMenuItemHistoryFiles*>())
            if (item->FileName() == file)
                return item;
        ADD_FAILURE() << "no recent-files item for " << file.toStdString();
        return nullptr;
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
};

TEST_F(FormMainTest, TheCommandsFollowTheDocumentStateAndTheSelection)
{
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Vemora"));
    EXPECT_EQ(EnabledRows(), QStringLiteral("1000000001")) << "the design states before the first change";
    EXPECT_EQ(Panel(1), QStringLiteral("0 entries"));
    const QString file = NumberedFile(3);
    ASSERT_TRUE(Form->OpenFile(file));
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Vemora - ") + file);
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
        {"read-only, a check box toggled", untick, "0000001000", "Modified"},
        {"modified, writable again", [&] { Form->SetReadOnly(false); }, "1010011000", "Modified"},
    };
    for (const TCase& test : cases) {
        test.Arrange();
        EXPECT_EQ(EnabledRows(), QString::fromLatin1(test.Enabled)) << test.Name;
        EXPECT_EQ(Panel(0), QString::fromLatin1(test.State)) << test.Name;
        EXPECT_EQ(Action("ToolButtonEntryDelete")->isEnabled(), Form->ActionEnabled(maDeleteEntries)) << test.Name;
        EXPECT_EQ(Action("PopupTest")->isEnabled(), Form->ActionEnabled(maTest)) << test.Name;
    }
    EXPECT_FALSE(Form->ListModel().EntryAt(0)->Active()) << "the toggled entry stays in its row";
    EXPECT_EQ(Panel(1), QStringLiteral("3 entries"));
    EXPECT_FALSE(Action("MainMenuEditUndo")->isVisible());
}

TEST_F(FormMainTest, TheSaveQuestionGoesOnOnlyWhenTheChangesAreDealtWith)
{
    const QString file = NumberedFile(2);
    struct TCase { const char* Name; bool Titled; TMessageResult Answer; bool GoesOn, CleanAfter; };
    const std::vector<TCase> cases = {
        {"yes saves the titled file", true, TMessageResult::Yes, true, true},
        {"no goes on unsaved", true, TMessageResult::No, true, false},
        {"cancel stops", true, TMessageResult::Cancel, false, false},
        {"yes on an untitled one, save dialog cancelled", false, TMessageResult::Yes, false, false},
    };
    for (const TCase& test : cases) {
        Action("MainMenuFileNew")->trigger();
        if (test.Titled) {
            ASSERT_TRUE(Form->OpenFile(file));
        } else {
            CloseNextModal();
        }
        Form->SetModified(true);
        Messages.Service().Answers = {test.Answer};
        EXPECT_EQ(Form->QuerySave(), test.GoesOn) << test.Name;
        EXPECT_EQ(Form->Modified(), !test.CleanAfter) << test.Name;
        const QString quoted = test.Titled ? u'"' + file + u'"' : LanguageText(0x70110705);
        EXPECT_EQ(LastMessage(), QStringLiteral("Save changes to %1?").arg(quoted)) << test.Name;
        Form->SetModified(false);
    }
}

TEST_F(FormMainTest, OpenAsksAgainAfterARejectedFileAndHonoursReadOnly)
{
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
    EXPECT_EQ(Form->FileName(), good);
    EXPECT_TRUE(Form->ReadOnly());
    EXPECT_TRUE(Action("MainMenuFileReadonly")->isChecked());
    EXPECT_EQ(List().model()->rowCount(), 2);
}

TEST_F(FormMainTest, AnOldFormatOpensModifiedWithOneNotice)
{
    ASSERT_TRUE(Form->OpenFile(QStringLiteral(VEMORA_SOURCE_DIR "/fuzz/corpus/EntryFileFuzzer/version1.vkd")));
    ASSERT_EQ(Messages.Shown().size(), 1u);
    EXPECT_EQ(LastMessage(), LanguageText(0x1D98D93F));
    EXPECT_TRUE(Form->Modified());
    EXPECT_EQ(Panel(0), QStringLiteral("Modified"));
    EXPECT_FALSE(Form->ActionEnabled(maReadOnlySwitch));
    EXPECT_TRUE(Form->ActionEnabled(maSave));
}

TEST_F(FormMainTest, RecentFilesAskOnlyForOthersAndFailuresLoseNothing)
{
    const QString first = NumberedFile(1, QStringLiteral("first.vkd"));
    const QString second = NumberedFile(2, QStringLiteral("second.vkd"));
    ASSERT_TRUE(Form->OpenFile(second));
    ASSERT_TRUE(Form->OpenFile(first));
    EXPECT_EQ(Panel(1), QStringLiteral("1 entry"));
    Form->SetModified(true);
    HistoryItem(first)->trigger();
    EXPECT_TRUE(Messages.Shown().empty()) << "the open document is not asked about";

    Form->SetFileName(Home.FilePath(QStringLiteral("missing-folder/dates.vkd")));
    Action("MainMenuFileSave")->trigger();
    ASSERT_EQ(Messages.Shown().size(), 1u);
    EXPECT_EQ(Messages.Shown().back().Icon, TMessageIcon::Error);
    EXPECT_TRUE(Form->Modified()) << "a failed save leaves the document modified";

    Messages.Service().Answers = {TMessageResult::No};
    HistoryItem(second)->trigger();
    EXPECT_EQ(Messages.Shown().size(), 2u);
    EXPECT_EQ(Form->FileName(), second);
    EXPECT_EQ(List().model()->rowCount(), 2);
    ASSERT_TRUE(QFile::remove(first));
    HistoryItem(first)->trigger();
    EXPECT_TRUE(LastMessage().contains(first));
    EXPECT_EQ(List().model()->rowCount(), 2) << "the document stays as it was";
}

TEST_F(FormMainTest, HeaderClicksSortByTheColumnThatTravelledWithItsHeader)
{
    const QString file = TBatchFile()
                             .Once(QStringLiteral("bravo"), 5)
                             .Once(QStringLiteral("Alpha"), -3)
                             .Once(QStringLiteral("charlie"), 2)
                             .Save(Home.FilePath(QStringLiteral("sort.vkd")));
    ASSERT_TRUE(Form->OpenFile(file));
    EXPECT_EQ(ShownTexts(), QStringList({"Alpha", "charlie", "bravo"})) << "loading sorts by next date, the past first";
    QHeaderView& header = *List().horizontalHeader();
    header.moveSection(header.visualIndex(2), 0);
    for (const auto& [column, texts] : std::vector<std::pair<int, QStringList>>{{2, {"Alpha", "bravo", "charlie"}},
                                                                                {2, {"charlie", "bravo", "Alpha"}},
                                                                                {1, {"Alpha", "charlie", "bravo"}}}) {
        emit header.sectionClicked(column);
        EXPECT_EQ(ShownTexts(), texts) << "column " << column;
    }
    EXPECT_EQ(Form->SortKey(), 1);
    EXPECT_TRUE(Form->SortAscending());
}

TEST_F(FormMainTest, ViewSettingsAndColumnsSurviveARestart)
{
    for (const char* view : {"MainMenuViewSymbolbar", "MainMenuViewStatusbar", "MainMenuViewGridlines"})
        Action(view)->trigger();
    EXPECT_TRUE(List().showGrid());
    QHeaderView& header = *List().horizontalHeader();
    header.moveSection(header.visualIndex(7), 1);
    header.resizeSection(2, 321);
    WhenModalOpens([](QWidget& dialog) {
        auto& fonts = static_cast<QFontDialog&>(dialog);
        QFont font = fonts.currentFont();
        font.setPointSize(17);
        fonts.setCurrentFont(font);
        fonts.accept();
    });
    Action("MainMenuViewFont")->trigger();
    EXPECT_NE(Form->font().pointSize(), 17) << "the window keeps its own font";
    Form->SetShowAutoRun(false);
    const std::vector<qint32> order = List().GetColumnOrder();

    Restart();
    EXPECT_FALSE(Action("MainMenuViewSymbolbar")->isChecked());
    EXPECT_FALSE(Child<QToolBar>(*Form, QStringLiteral("ToolBar1"))->isVisibleTo(Form.get()));
    EXPECT_FALSE(Child<QStatusBar>(*Form, QStringLiteral("StatusBar1"))->isVisibleTo(Form.get()));
    EXPECT_TRUE(List().showGrid());
    EXPECT_TRUE(Action("MainMenuViewGridlines")->isChecked());
    EXPECT_EQ(List().GetColumnOrder(), order);
    EXPECT_EQ(List().horizontalHeader()->sectionSize(2), 321);
    EXPECT_EQ(List().font().pointSize(), 17);
    EXPECT_FALSE(Form->ShowAutoRun());
    Action("MainMenuViewGridlines")->trigger();
    EXPECT_FALSE(List().showGrid() || Action("MainMenuViewGridlines")->isChecked());
}

TEST_F(FormMainTest, ClosingAsksForTheAutomaticStartOnlyForANamedFileWithEntries)
{
    EXPECT_TRUE(Form->close()) << "an untitled empty document closes without a question";
    ASSERT_TRUE(Form->OpenFile(NumberedFile(1)));
    bool asked = false;
    WhenModalOpens([&asked](QWidget& question) {
        asked = true;
        Child<QCheckBox>(question, QStringLiteral("CheckBox1"))->setChecked(true);
        Child<QPushButton>(question, QStringLiteral("ButtonNo"))->click();
    });
    EXPECT_TRUE(Form->close());
    EXPECT_TRUE(asked);
    EXPECT_FALSE(Form->ShowAutoRun());
    EXPECT_TRUE(GetAutoStartFile().isEmpty());
}

TEST_F(FormMainTest, PicturesOfTheWindowWithTheSample)
{
    for (const QString& language : {QStringLiteral("EN"), QStringLiteral("DE")}) {
        Choose(language);
        Restart();
        ASSERT_TRUE(Form->OpenFile(QStringLiteral(VEMORA_SOURCE_DIR "/examples/sample.vkd")));
        Form->resize(1195, 387);
        EXPECT_FALSE(GrabToPng(*Form, QStringLiteral("FormMain-") + language).isEmpty());
        EXPECT_EQ(Action("MainMenuFileOpen")->text().remove(u'&'),
                  language == u"DE" ? QStringLiteral("Öffnen...") : QStringLiteral("Open..."));
    }
}

// The row of an entry whose kind changed must refer to the new entry, never to the freed one.
TEST_F(FormMainTest, AnotherKindReplacesTheEntryAndItsRow)
{
    ASSERT_TRUE(Form->OpenFile(NumberedFile(6)));
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
        TVemoraEntryBasic* edited = SelectedEntry();
        EXPECT_EQ(edited->Kind(), kind);
        EXPECT_EQ(edited->DisplayText(), text);
        EXPECT_EQ(edited->ListColumnText(8), KindName(static_cast<TEntryKind>(kind)));
        EXPECT_EQ(Form->Entries().Count(), 6);
        EXPECT_GE(Form->Entries().IndexOfEntry(edited), 0);
    }
    EXPECT_TRUE(Form->Modified());
}

TEST_F(FormMainTest, CancelledDialogsLeaveTheDocumentClean)
{
    ASSERT_TRUE(Form->OpenFile(NumberedFile(6)));
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

TEST_F(FormMainTest, KeysOfTheListTestInsertEditAndDelete)
{
    ASSERT_TRUE(Form->OpenFile(NumberedFile(6)));
    // Offscreen nobody gives the window back its activation after a modal dialog.
    const auto activate = [this] {
        Form->activateWindow();
        return QTest::qWaitForWindowActive(Form.get());
    };
    Form->show();
    ASSERT_TRUE(activate());
    List().setFocus();
    Select({0});
    QTest::keyClick(&List(), Qt::Key_Return, Qt::AltModifier);
    EXPECT_TRUE(LastMessage().contains(QStringLiteral("Entry 1"))) << "Alt+Enter tests the entry";
    EXPECT_FALSE(Form->Modified());

    Select({0, 3});
    InNextEditor([](TFormEditDate& editor) {
        editor.SetCycleKind(ekDaily);
        SetText(editor, QStringLiteral("Water the plants"));
    });
    QTest::keyClick(&List(), Qt::Key_Insert);
    ASSERT_EQ(List().SelectedRows().size(), 1u) << "the new entry is the only selected row";
    EXPECT_EQ(SelectedEntry()->DisplayText(), QStringLiteral("Water the plants"));
    EXPECT_EQ(SelectedEntry()->Kind(), ekDaily);
    EXPECT_EQ(Form->Entries().Count(), 7);
    EXPECT_TRUE(Form->Modified());

    ASSERT_TRUE(activate());
    bool edited = false;
    InNextEditor([&edited](TFormEditDate&) { edited = true; }, false);
    QTest::keyClick(&List(), Qt::Key_Return);
    EXPECT_TRUE(edited);

    ASSERT_TRUE(activate());
    Select({0, 1, 2, 3, 5, 6});
    const TVemoraEntryBasic* kept = Form->ListModel().EntryAt(4);
    const std::size_t shown = Messages.Shown().size();
    QTest::keyClick(&List(), Qt::Key_Delete);
    EXPECT_EQ(Messages.Shown().size(), shown) << "deleting asks nothing, however many rows";
    ASSERT_EQ(List().model()->rowCount(), 1);
    EXPECT_EQ(Form->ListModel().EntryAt(0), kept);
    EXPECT_EQ(Form->Entries().Count(), 1);
    EXPECT_EQ(Panel(1), QStringLiteral("1 entry"));
}

TEST(EntryListCompareTest, EachColumnOrdersAsItsValues)
{
    // Expected: the sign of compare(first, second).
    struct TCase {
        const char* Name;
        int Key;
        std::function<void(TVemoraEntryBasic&, TEntryListRow&, TVemoraEntryBasic&, TEntryListRow&)> Set;
        int Expected;
    };
    const std::vector<TCase> cases = {
        {"inactive before active", 0, [](auto& a, auto&, auto&, auto&) { a.SetActive(false); }, -1},
        {"earlier start first", 1, [](auto& a, auto&, auto& b, auto&) { a.SetDateStart(10); b.SetDateStart(11); }, -1},
        {"text ignores letter case", 2, [](auto& a, auto&, auto& b, auto&) { a.SetDisplayText(QStringLiteral("abc")); b.SetDisplayText(QStringLiteral("ABC")); }, 0},
        {"text in alphabetical order", 2, [](auto& a, auto&, auto& b, auto&) { a.SetDisplayText(QStringLiteral("banana")); b.SetDisplayText(QStringLiteral("Apple")); }, 1},
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
        auto first = MakeEntry<TVemoraEntryOnce>("2026-01-01");
        auto second = MakeEntry<TVemoraEntryOnce>("2026-01-01");
        TEntryListRow row1{first.get(), 1, 2};
        TEntryListRow row2{second.get(), 1, 2};
        test.Set(*first, row1, *second, row2);
        EXPECT_EQ(ListViewEx1Compare(row1, row2, test.Key), test.Expected) << test.Name;
        EXPECT_EQ(ListViewEx1Compare(row2, row1, test.Key), -test.Expected) << test.Name << ", reversed";
    }
}

class EntryListModelTest : public testing::Test {
protected:
    TVemoraEntries Entries;
    TEntryListModel Model;

    // Adds a one-off entry and its row.
    TVemoraEntryBasic* Add(const char* start, const QString& text)
    {
        auto entry = MakeEntry<TVemoraEntryOnce>(start);
        entry->SetDisplayText(text);
        TVemoraEntryBasic* added = entry.get();
        Entries.AddEntry(std::move(entry));
        Model.AddListItem(added);
        return added;
    }

    QStringList Texts() const { return TextsOf(Model); }
};

TEST_F(EntryListModelTest, SortsStablyBothWaysAndKeepsTheSelectionOnItsEntry)
{
    for (const char* text : {"éclair", "Zebra", "apple", "Éclair", "banana"})
        Add("2026-01-01", QString::fromUtf8(text));
    Model.Sort(2, true);
    EXPECT_EQ(Texts(), QStringList({"apple", "banana", "éclair", "Éclair", "Zebra"})) << "equal texts keep their order";
    const QPersistentModelIndex zebra = Model.index(4, 3);
    Model.Sort(2, false);
    EXPECT_EQ(Texts(), QStringList({"Zebra", "éclair", "Éclair", "banana", "apple"}));
    EXPECT_EQ(zebra.row(), 0);
    EXPECT_EQ(zebra.column(), 3);
}

TEST_F(EntryListModelTest, AnAddedRowTakesItsSortedPlaceButAToggledOneStays)
{
    Model.Sort(1, true);
    Add("2026-03-01", QStringLiteral("March"));
    Add("2026-01-01", QStringLiteral("January"));
    Add("2026-02-01", QStringLiteral("February"));
    EXPECT_EQ(Texts(), QStringList({"January", "February", "March"}));

    Model.Sort(0, true);
    int toggled = 0;
    QObject::connect(&Model, &TEntryListModel::ActiveToggled, [&toggled] { ++toggled; });
    const QModelIndex last = Model.index(2, 0);
    EXPECT_TRUE(Model.setData(last, Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_FALSE(Model.setData(last, Qt::Unchecked, Qt::CheckStateRole)) << "no change, no report";
    EXPECT_EQ(toggled, 1);
    EXPECT_FALSE(Model.EntryAt(2)->Active()) << "the toggled row stays where it was";
    EXPECT_EQ(Model.data(last, Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Unchecked);
}

} // namespace
