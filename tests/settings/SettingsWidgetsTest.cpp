#include "settings/FormEx.h"
#include "settings/HistoryComboBox.h"
#include "settings/MenuHistoryFiles.h"
#include "settings/RegFunc.h"

#include "TestSupport.h"

#include <QFontInfo>
#include <QHeaderView>
#include <QMenu>
#include <QTreeWidget>

namespace {

class SettingsWidgetsTest : public testing::Test {
protected:
    TTemporaryHome Home;
    TApplicationReg Registry{QStringLiteral("Vemora")};

    void Open(const QString& key) { ASSERT_TRUE(Registry.OpenAppKey(AppRootCurrentUser, key, true)); }

    void WritePlacement(int left, int top, int right, int bottom, int state)
    {
        for (const auto& [name, value] :
             {std::pair{"Left", left}, {"Top", top}, {"Right", right}, {"Bottom", bottom}, {"State", state}})
            Registry.WriteInteger(name, value);
    }
};

TEST_F(SettingsWidgetsTest, AFontReadsBackAsWrittenAndAbsentPartsStayAsTheyAre)
{
    QFont written("DejaVu Serif", 13);
    written.setBold(true);
    const QColor color(10, 20, 30);
    Open("FormMain\\Font");
    ASSERT_TRUE(Registry.WriteFont(&written, &color));
    EXPECT_EQ(Registry.ReadInteger("Color"), 10 | (20 << 8) | (30 << 16));
    Registry.WriteString("Size", "not a number");
    Registry.DeleteValue("Italic");

    QFont read("DejaVu Sans", 8);
    read.setItalic(true);
    QColor readColor;
    ASSERT_TRUE(Registry.ReadFont(&read, &readColor));
    EXPECT_EQ(std::tuple(read.family(), read.pixelSize(), read.bold(), read.italic(), read.strikeOut(), readColor),
              std::tuple(QStringLiteral("DejaVu Serif"), QFontInfo(written).pixelSize(), true, true, false, color));
    EXPECT_FALSE(Registry.ReadFont(nullptr) || Registry.WriteFont(nullptr));
}

// A newer design size of a fixed window wins over a rectangle stored by an older one.
TEST_F(SettingsWidgetsTest, APlacementIsAppliedOnlyWhenCompleteAndOfAFixedWindowsOwnSize)
{
    Open("FormStartup");
    QWidget fixed;
    fixed.setFixedSize(455, 171);
    fixed.move(5, 5);
    WritePlacement(10, 10, 465, 181, 0);
    Registry.DeleteValue("Bottom");
    EXPECT_TRUE(Registry.RestorePlacement(&fixed));
    EXPECT_EQ(fixed.pos(), QPoint(5, 5)) << "incomplete";
    WritePlacement(20, 20, 420, 320, 2);
    ASSERT_TRUE(Registry.RestorePlacement(&fixed));
    EXPECT_EQ(std::pair(fixed.geometry(), fixed.isMaximized()), std::pair(QRect(5, 5, 455, 171), false)) << "another size";
    WritePlacement(10, 10, 465, 181, 0);
    ASSERT_TRUE(Registry.RestorePlacement(&fixed));
    EXPECT_EQ(fixed.geometry(), QRect(10, 10, 455, 171));
    EXPECT_FALSE(Registry.RestorePlacement(nullptr));
}

std::unique_ptr<QTreeWidget> MakeList()
{
    auto list = std::make_unique<QTreeWidget>();
    list->setHeaderLabels({"A", "B", "C", "D"});
    list->header()->setStretchLastSection(false);
    for (int i = 0; i < 4; ++i)
        list->header()->resizeSection(i, 50);
    return list;
}

// A fresh list after loading its state: a width per column, then the columns as shown, then the font's size.
QList<int> LoadedColumns(TApplicationReg& registry)
{
    EXPECT_TRUE(registry.OpenAppKey(AppRootCurrentUser, "ListViewEx1", true));
    const auto list = MakeList();
    registry.LoadListViewState(list->header());
    QList<int> columns;
    for (int i = 0; i < 4; ++i)
        columns << list->header()->sectionSize(i);
    for (int position = 0; position < 4; ++position)
        columns << list->header()->logicalIndex(position);
    return columns << list->font().pointSize();
}

TEST_F(SettingsWidgetsTest, ListWidthsOrderAndFontReadBackAndDamagedOnesAreSkipped)
{
    auto saved = MakeList();
    saved->header()->resizeSection(0, 120);
    saved->header()->moveSection(3, 0); // shown: D A B C
    saved->setFont(QFont("DejaVu Sans Mono", 15));
    Open("ListViewEx1");
    Registry.SaveListViewState(saved->header(), true);
    EXPECT_EQ(LoadedColumns(Registry), QList<int>({120, 50, 50, 50, 3, 0, 1, 2, 15}));

    Open("ListViewEx1");
    Registry.WriteString("Columnwidth0", "wide");
    Registry.WriteInteger("Columnwidth1", 77);
    // Every position showing column 0 is no order; twelve bytes are too few for four columns.
    for (const int size : {16, 12}) {
        Open("ListViewEx1");
        Registry.WriteBinaryData("Columnorder", QByteArray(size, '\0'));
        EXPECT_EQ(LoadedColumns(Registry), QList<int>({50, 77, 50, 50, 0, 1, 2, 3, 15})) << size;
    }
}

// A form as the program's dialogs build it, counting font changes.
class TProbeForm : public TFormEx {
public:
    explicit TProbeForm(const QString& name = QStringLiteral("FormProbe")) { setObjectName(name); }
    void PersistFontChanged() override { ++FontChanges; }
    int FontChanges = 0;
};

TEST_F(SettingsWidgetsTest, PlacementReturnsUnderTheFormsNameAndTheFontOnlyWithAFontKey)
{
    {
        TProbeForm saved;
        saved.SetFontKey("Font");
        saved.setGeometry(40, 50, 300, 200);
        saved.showMaximized();
        saved.SetPersistFont(QFont("DejaVu Serif", 15));
        saved.SaveState();
        TProbeForm other("FormOther");
        other.setGeometry(10, 10, 200, 100);
        other.SaveState();
        ASSERT_TRUE(other.GetRegistry().OpenAppKey(AppRootCurrentUser, "FormOther", false));
        EXPECT_FALSE(other.GetRegistry().ValueExists("Size")) << "no font key, no font";
    }
    TProbeForm restored;
    restored.SetFontKey("Font");
    restored.LoadState();
    EXPECT_EQ(std::tuple(restored.normalGeometry(), restored.isMaximized(), restored.isVisible(),
                         restored.font().family(), restored.font().pointSize(), restored.FontChanges),
              std::tuple(QRect(40, 50, 300, 200), true, false, QStringLiteral("DejaVu Serif"), 15, 1));

    TProbeForm other("FormOther");
    other.LoadState();
    EXPECT_EQ(std::pair(other.geometry(), other.isMaximized()), std::pair(QRect(10, 10, 200, 100), false))
        << "another name, another key";
}

// The menu as a user reads it, separators as "-".
QStringList Captions(const QMenu& menu)
{
    QStringList captions;
    for (const QAction* action : menu.actions())
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return captions;
}

TEST_F(SettingsWidgetsTest, HistoryItemsFollowTheAnchorNumberedInListOrderButNotWhileSilent)
{
    QObject owner;
    QMenu menu;
    QAction* open = menu.addAction("Open");
    QAction* readonly = menu.addAction("Read only");
    menu.addAction("Close");
    TMenuHistoryFiles history(&owner, readonly);
    for (const char* file : {"/home/u/a.vkd", "/home/u/Tom & Jerry.vkd", "/home/u/c.vkd"})
        history.List().AddHistory(file);
    EXPECT_EQ(Captions(menu), QStringList({"Open", "Read only", "1 /home/u/c.vkd", "2 /home/u/Tom && Jerry.vkd",
                                           "3 /home/u/a.vkd", "-", "Close"}));
    EXPECT_EQ(qobject_cast<TMenuItemHistoryFiles*>(menu.actions()[3])->FileName(), "/home/u/Tom & Jerry.vkd");
    history.List().SetMaxCount(2);
    ASSERT_TRUE(history.List().SaveToRegistry(Registry, HistoryOpenfilesKey));
    history.List().SetMaxCount(0); // the separator goes with the items
    EXPECT_EQ(Captions(menu), QStringList({"Open", "Read only", "Close"}));

    TMenuHistoryFiles loaded(&owner, open);
    loaded.List().LoadFromRegistry(Registry, HistoryOpenfilesKey);
    loaded.List().SetChangeEventsSuppressed(true);
    loaded.List().AddHistory("/c");
    EXPECT_EQ(Captions(menu), QStringList({"Open", "1 /home/u/c.vkd", "2 /home/u/Tom && Jerry.vkd", "-",
                                           "Read only", "Close"}));
}

TEST_F(SettingsWidgetsTest, ComboBoxItemsMirrorTheListAndTheTextTravelsWithIt)
{
    THistoryComboBox box;
    box.OnHistoryListAdding = [&](THistoryComboBox& sender, const QString& text, bool& reject) {
        EXPECT_EQ(&sender, &box);
        reject = text.endsWith(QStringLiteral(".tmp"));
    };
    box.SetMaxCount(3);
    box.History().AddHistory("/s/one.wav");
    for (const auto& [text, index] : {std::pair{"/s/scratch.tmp", -1}, {"/s/two.wav", 0}}) {
        box.setEditText(text);
        EXPECT_EQ(box.AddText(), index) << text;
    }
    box.setEditText("/s/current.ogg");
    box.History().AddHistory("/S/ONE.wav");
    EXPECT_EQ(std::tuple(box.count(), box.itemText(0), box.currentText()),
              std::tuple(2, QStringLiteral("/S/ONE.wav"), QStringLiteral("/s/current.ogg")));
    ASSERT_TRUE(box.SaveToRegistry(Registry, HistoryMediafilesKey));

    THistoryComboBox loaded;
    loaded.LoadFromRegistry(Registry, HistoryMediafilesKey);
    EXPECT_EQ(std::tuple(loaded.currentText(), loaded.MaxCount(), loaded.itemText(1), loaded.History().Modified()),
              std::tuple(QStringLiteral("/s/current.ogg"), 3, QStringLiteral("/s/two.wav"), false));
    loaded.SetMaxCount(1);
    EXPECT_EQ(loaded.count(), 1);

    // Without a usable "Current" the text is left alone.
    ASSERT_TRUE(Registry.OpenAppKey(AppRootCurrentUser, HistoryMediafilesKey, true));
    Registry.WriteInteger("Current", 4);
    loaded.setEditText("/s/kept.wav");
    loaded.LoadFromRegistry(Registry, HistoryMediafilesKey);
    EXPECT_EQ(loaded.currentText(), QStringLiteral("/s/kept.wav"));
    loaded.LoadFromRegistry(Registry, "History Nothing");
    EXPECT_EQ(std::pair(loaded.currentText(), loaded.count()), std::pair(QStringLiteral("/s/kept.wav"), 0));
}

} // namespace
