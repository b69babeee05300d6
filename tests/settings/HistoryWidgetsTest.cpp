#include "settings/HistoryComboBox.h"
#include "settings/MenuHistoryFiles.h"

#include "settings/RegFunc.h"

#include "TestSupport.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMenu>

#include <memory>

namespace {

// The menu as a user reads it, separators as "-".
QStringList Captions(const QMenu& menu)
{
    QStringList captions;
    for (const QAction* action : menu.actions())
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return captions;
}

TMenuItemHistoryFiles* ItemAt(const QMenu& menu, int index)
{
    return qobject_cast<TMenuItemHistoryFiles*>(menu.actions().value(index));
}

class MenuHistoryFilesTest : public testing::Test {
protected:
    QObject Owner;
    QMenu Menu;
    QAction* Open = Menu.addAction("Open");
    QAction* Readonly = Menu.addAction("Read only");
    QAction* Close = Menu.addAction("Close");
    QStringList Clicked;
    TMenuHistoryFiles History{&Owner, Readonly, [this](TMenuItemHistoryFiles* item) { Clicked << item->FileName(); }};

    void Add(const QStringList& oldestFirst)
    {
        for (const QString& file : oldestFirst)
            History.List().AddHistory(file);
    }
};

TEST_F(MenuHistoryFilesTest, ItemsFollowTheAnchorNumberedInListOrder)
{
    Add({"/home/u/a.vkd", "/home/u/Tom & Jerry.vkd", "/home/u/c.vkd"});
    EXPECT_EQ(Captions(Menu), QStringList({"Open", "Read only", "1 /home/u/c.vkd", "2 /home/u/Tom && Jerry.vkd",
                                           "3 /home/u/a.vkd", "-", "Close"}));
    EXPECT_EQ(ItemAt(Menu, 3)->FileName(), QStringLiteral("/home/u/Tom & Jerry.vkd"));

    History.List().AddHistory("/HOME/U/A.VKD");
    History.List().SetMaxCount(2);
    EXPECT_EQ(Captions(Menu), QStringList({"Open", "Read only", "1 /HOME/U/A.VKD", "2 /home/u/c.vkd", "-", "Close"}));
    History.List().SetMaxCount(0); // the separator goes with the items
    EXPECT_EQ(Captions(Menu), QStringList({"Open", "Read only", "Close"}));
}

TEST_F(MenuHistoryFilesTest, ClickingAnItemHandsItsFileToTheHandler)
{
    Add({"/a.vkd", "/b.vkd"});
    ItemAt(Menu, 3)->trigger();
    EXPECT_EQ(Clicked, QStringList{"/a.vkd"});

    // A handler that records the clicked file rebuilds the menu under the clicked item.
    History.SetOnClick([this](TMenuItemHistoryFiles* item) { History.List().AddHistory(item->FileName()); });
    ItemAt(Menu, 3)->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Captions(Menu), QStringList({"Open", "Read only", "1 /a.vkd", "2 /b.vkd", "-", "Close"}));
    EXPECT_EQ(Owner.findChildren<TMenuItemHistoryFiles*>().size(), 3);
}

TEST_F(MenuHistoryFilesTest, LoadingRebuildsOnceAndSilentChangesLeaveTheMenu)
{
    TTemporaryHome home;
    TApplicationReg store(QStringLiteral("Vemora"));
    Add({"/a", "/b"});
    ASSERT_TRUE(History.List().SaveToRegistry(store, HistoryOpenfilesKey));

    TMenuHistoryFiles loaded(&Owner, Open);
    int events = 0;
    loaded.List().OnChange = [&](THistoryStringlist&) { ++events; };
    loaded.List().LoadFromRegistry(store, HistoryOpenfilesKey);
    loaded.List().SetChangeEventsSuppressed(true);
    loaded.List().AddHistory("/c");
    EXPECT_EQ(Captions(Menu).mid(0, 4), QStringList({"Open", "1 /b", "2 /a", "-"}));
    EXPECT_EQ(events, 1);
}

TEST(MenuHistoryFilesAnchorTest, WithoutAMenuNothingIsShown)
{
    QObject owner;
    auto anchor = std::make_unique<QAction>();
    TMenuHistoryFiles history(&owner, anchor.get());
    history.List().AddHistory("/a");
    EXPECT_TRUE(owner.findChildren<QAction*>().isEmpty());

    QMenu menu;
    menu.addAction(anchor.get());
    history.RebuildMenu();
    EXPECT_EQ(Captions(menu), QStringList({QString(), "1 /a", "-"}));
    anchor.reset();
    history.List().AddHistory("/b");
    EXPECT_EQ(Captions(menu), QStringList({"1 /a", "-"}));
}

TEST(HistoryComboBoxTest, TheItemsMirrorTheListAndTheTextTravelsWithIt)
{
    TTemporaryHome home;
    TApplicationReg store(QStringLiteral("Vemora"));
    THistoryComboBox box;
    box.OnHistoryListAdding = [&](THistoryComboBox& sender, const QString& text, bool& reject) {
        EXPECT_EQ(&sender, &box);
        reject = text.endsWith(QStringLiteral(".tmp"));
    };
    box.SetMaxCount(3);
    box.History().AddHistory("/s/one.wav");
    box.setEditText("/s/scratch.tmp");
    EXPECT_EQ(box.AddText(), -1);
    box.setEditText("/s/two.wav");
    EXPECT_EQ(box.AddText(), 0);
    box.setEditText("/s/current.ogg");
    box.History().AddHistory("/S/ONE.wav");
    EXPECT_EQ(box.itemText(0), QStringLiteral("/S/ONE.wav"));
    EXPECT_EQ(box.count(), 2);
    EXPECT_EQ(box.currentText(), QStringLiteral("/s/current.ogg"));
    ASSERT_TRUE(box.SaveToRegistry(store, HistoryMediafilesKey));
    box.History().Clear();
    EXPECT_EQ(box.count(), 0);
    EXPECT_EQ(box.currentText(), QStringLiteral("/s/current.ogg"));

    THistoryComboBox loaded;
    loaded.LoadFromRegistry(store, HistoryMediafilesKey);
    EXPECT_EQ(loaded.currentText(), QStringLiteral("/s/current.ogg"));
    EXPECT_EQ(loaded.MaxCount(), 3);
    EXPECT_EQ(loaded.History().Strings(), QStringList({"/S/ONE.wav", "/s/two.wav"}));
    EXPECT_EQ(loaded.itemText(1), QStringLiteral("/s/two.wav"));
    EXPECT_FALSE(loaded.History().Modified());
    loaded.SetMaxCount(1);
    EXPECT_EQ(loaded.count(), 1);

    // Without a usable "Current" the text is left alone.
    ASSERT_TRUE(store.OpenAppKey(AppRootCurrentUser, HistoryMediafilesKey, true));
    store.WriteInteger("Current", 4);
    loaded.setEditText("/s/kept.wav");
    loaded.LoadFromRegistry(store, HistoryMediafilesKey);
    EXPECT_EQ(loaded.currentText(), QStringLiteral("/s/kept.wav"));
    loaded.LoadFromRegistry(store, "History Nothing");
    EXPECT_EQ(loaded.currentText(), QStringLiteral("/s/kept.wav"));
    EXPECT_EQ(loaded.count(), 0);
}

} // namespace
