#include "MainWindowFixture.h"

namespace {

TEST_F(FormMainTest, TheCommandsFollowTheDocumentStateAndTheSelection)
{
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Vemora"));
    EXPECT_EQ(EnabledRows(), QStringLiteral("1000000001")) << "the design states before the first change";
    EXPECT_EQ(Panel(1), QStringLiteral("0 entries"));
    const QString file = NumberedFile(QStringLiteral("dates.vkd"), 3);
    ASSERT_TRUE(Form->OpenFile(file));
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Vemora - ") + file);
    struct TCase {
        const char* Name;
        std::function<void()> Arrange;
        const char* Enabled; // new, edit, delete, preview, test, save, save as, undo, redo, read-only
    };
    const std::vector<TCase> cases = {
        {"clean, nothing selected", [] {}, "1000001001"},
        {"one row selected", [&] { Select({1}); }, "1111101001"},
        {"two rows selected", [&] { Select({0, 2}); }, "1010001001"},
        {"modified, one selected", [&] { Select({0}); Form->SetModified(true); }, "1111111000"},
        {"read-only, one selected", [&] { Form->SetModified(false); Form->SetReadOnly(true); }, "0101101001"},
        {"read-only, all selected", [&] { Action("MainMenuEditSelectall")->trigger(); }, "0000001001"},
    };
    for (const TCase& test : cases) {
        test.Arrange();
        EXPECT_EQ(EnabledRows(), QString::fromLatin1(test.Enabled)) << test.Name;
        EXPECT_EQ(Action("ToolButtonEntryDelete")->isEnabled(), Form->ActionEnabled(maDeleteEntries)) << test.Name;
        EXPECT_EQ(Action("PopupTest")->isEnabled(), Form->ActionEnabled(maTest)) << test.Name;
    }
    EXPECT_EQ(Panel(0), QStringLiteral("Read-only"));
    EXPECT_EQ(Panel(1), QStringLiteral("3 entries"));
    EXPECT_FALSE(Action("MainMenuEditUndo")->isVisible());
}

TEST_F(FormMainTest, TheSaveQuestionGoesOnOnlyWhenTheChangesAreDealtWith)
{
    const QString file = NumberedFile(QStringLiteral("dates.vkd"), 2);
    struct TCase {
        const char* Name;
        bool Titled;
        TMessageResult Answer;
        bool Expected;
        bool SavedAfter; // the document is clean afterwards
    };
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
        }
        Form->SetModified(true);
        Messages.Service().Answers = {test.Answer};
        if (!test.Titled) {
            CloseNextModal();
        }
        EXPECT_EQ(Form->QuerySave(), test.Expected) << test.Name;
        EXPECT_EQ(Form->Modified(), !test.SavedAfter) << test.Name;
        const QString quoted = test.Titled ? u'"' + file + u'"' : LanguageText(0x70110705);
        EXPECT_EQ(LastMessage(), QStringLiteral("Save changes to %1?").arg(quoted)) << test.Name;
        Form->SetModified(false);
    }
}

TEST_F(FormMainTest, OpenAsksAgainAfterARejectedFileAndHonoursReadOnly)
{
    const QString good = NumberedFile(QStringLiteral("good.vkd"), 2);
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

TEST_F(FormMainTest, RecentFilesOpenOthersAfterTheSaveQuestion)
{
    const QString first = NumberedFile(QStringLiteral("first.vkd"), 1);
    const QString second = NumberedFile(QStringLiteral("second.vkd"), 2);
    ASSERT_TRUE(Form->OpenFile(second));
    ASSERT_TRUE(Form->OpenFile(first));
    EXPECT_EQ(Panel(1), QStringLiteral("1 entry"));
    Form->SetModified(true);
    HistoryItem(first)->trigger();
    EXPECT_TRUE(Messages.Shown().empty()) << "the open document is not asked about";
    Messages.Service().Answers = {TMessageResult::No};
    HistoryItem(second)->trigger();
    EXPECT_EQ(Messages.Shown().size(), 1u);
    EXPECT_EQ(Form->FileName(), second);
    EXPECT_EQ(List().model()->rowCount(), 2);
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
    const auto click = [&header](int id) { emit header.sectionClicked(id); };
    click(2);
    EXPECT_EQ(ShownTexts(), QStringList({"Alpha", "bravo", "charlie"}));
    click(2);
    EXPECT_EQ(ShownTexts(), QStringList({"charlie", "bravo", "Alpha"}));
    click(1);
    EXPECT_EQ(ShownTexts(), QStringList({"Alpha", "charlie", "bravo"}));
    EXPECT_EQ(Form->SortKey(), 1);
    EXPECT_TRUE(Form->SortAscending());
}

TEST_F(FormMainTest, AToggledCheckBoxModifiesACleanDocumentAlsoReadOnly)
{
    ASSERT_TRUE(Form->OpenFile(NumberedFile(QStringLiteral("dates.vkd"), 2)));
    Form->SetReadOnly(true);
    TVemoraEntryBasic* entry = Form->ListModel().EntryAt(0);
    ASSERT_TRUE(List().model()->setData(List().model()->index(0, 0), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_FALSE(entry->Active());
    EXPECT_TRUE(Form->Modified());
    EXPECT_FALSE(Form->ActionEnabled(maSave)) << "read-only blocks saving under the same name";
    Form->SetReadOnly(false);
    EXPECT_TRUE(Form->ActionEnabled(maSave));
    EXPECT_EQ(Form->ListModel().EntryAt(0), entry);
}

TEST_F(FormMainTest, ViewSettingsAndColumnsSurviveARestart)
{
    Action("MainMenuViewSymbolbar")->trigger();
    Action("MainMenuViewStatusbar")->trigger();
    Action("MainMenuViewGridlines")->trigger();
    QHeaderView& header = *List().horizontalHeader();
    header.moveSection(header.visualIndex(7), 1);
    header.resizeSection(2, 321);
    QFont font = List().font();
    font.setPointSize(17);
    List().setFont(font);
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
}

TEST_F(FormMainTest, ClosingAsksForTheAutomaticStartOnlyForANamedFileWithEntries)
{
    EXPECT_TRUE(Form->close()) << "an untitled empty document closes without a question";
    const QString file = NumberedFile(QStringLiteral("dates.vkd"), 1);
    ASSERT_TRUE(Form->OpenFile(file));
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

TEST_F(FormMainTest, FailedCommandsShowTheirErrorAndLoseNothing)
{
    const QString file = NumberedFile(QStringLiteral("dates.vkd"), 1);
    ASSERT_TRUE(Form->OpenFile(file));
    Form->SetModified(true);
    Form->SetFileName(Home.FilePath(QStringLiteral("missing-folder/dates.vkd")));
    Action("MainMenuFileSave")->trigger();
    EXPECT_FALSE(LastMessage().isEmpty());
    EXPECT_EQ(Messages.Shown().back().Icon, TMessageIcon::Error);
    EXPECT_TRUE(Form->Modified()) << "a failed save leaves the document modified";

    Form->SetModified(false);
    ASSERT_TRUE(QFile::remove(file));
    HistoryItem(file)->trigger();
    EXPECT_TRUE(LastMessage().contains(file));
    EXPECT_EQ(List().model()->rowCount(), 1) << "the document stays as it was";
}

TEST_F(FormMainTest, PicturesOfTheWindowWithTheSample)
{
    for (const QString& language : {QStringLiteral("EN"), QStringLiteral("DE")}) {
        Choose(language);
        Restart();
        ASSERT_TRUE(Form->OpenFile(QStringLiteral(VEMORA_SOURCE_DIR "/examples/sample.vkd")));
        Form->resize(1195, 387);
        EXPECT_FALSE(GrabToPng(*Form, QStringLiteral("FormMain-") + language).isEmpty());
        EXPECT_EQ(Action("MainMenuFileOpen")->text().remove(u'&'), language == QLatin1String("DE")
                                                                          ? QStringLiteral("Öffnen...")
                                                                          : QStringLiteral("Open..."));
    }
}

} // namespace
