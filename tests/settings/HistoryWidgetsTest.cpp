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
    QAction* Open = Menu.addAction(QStringLiteral("Open"));
    QAction* Readonly = Menu.addAction(QStringLiteral("Read only"));
    QAction* Close = Menu.addAction(QStringLiteral("Close"));
    QStringList Clicked;
    TMenuHistoryFiles History{&Owner, Readonly,
                              [this](TMenuItemHistoryFiles* item) { Clicked << item->FileName(); }};

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
    ASSERT_NE(ItemAt(Menu, 3), nullptr);
    EXPECT_EQ(ItemAt(Menu, 3)->FileName(), QStringLiteral("/home/u/Tom & Jerry.vkd"));
    EXPECT_NE(ItemAt(Menu, 5), nullptr); // the separator is removed with the items

    History.List().AddHistory("/HOME/U/A.VKD");
    EXPECT_EQ(Captions(Menu), QStringList({"Open", "Read only", "1 /HOME/U/A.VKD", "2 /home/u/c.vkd",
                                           "3 /home/u/Tom && Jerry.vkd", "-", "Close"}));
}

TEST_F(MenuHistoryFilesTest, LoweringTheMaximumShortensTheMenu)
{
    Add({"/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8"});
    History.List().SetMaxCount(2);
    EXPECT_EQ(Captions(Menu), QStringList({"Open", "Read only", "1 /8", "2 /7", "-", "Close"}));
    History.List().SetMaxCount(0);
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
    ASSERT_TRUE(History.List().SaveToRegistry(store, QStringLiteral("History Openfiles")));

    TMenuHistoryFiles loaded(&Owner, Open);
    int events = 0;
    loaded.List().OnChange = [&](THistoryStringlist&) { ++events; };
    loaded.List().LoadFromRegistry(store, QStringLiteral("History Openfiles"));
    EXPECT_EQ(events, 1);
    EXPECT_EQ(Captions(Menu).mid(0, 4), QStringList({"Open", "1 /b", "2 /a", "-"}));

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

class HistoryComboBoxTest : public testing::Test {
protected:
    TTemporaryHome Home;
    TApplicationReg Store{QStringLiteral("Vemora")};
    const QString Key = QStringLiteral("History Mediafiles");
    THistoryComboBox Box;

    QStringList Items() const
    {
        QStringList items;
        for (int i = 0; i < Box.count(); ++i)
            items << Box.itemText(i);
        return items;
    }
};

TEST_F(HistoryComboBoxTest, TheItemsMirrorTheListAndTheTextStays)
{
    Box.History().AddHistory("/s/one.wav");
    Box.setEditText(QStringLiteral("/s/two.wav"));
    EXPECT_EQ(Box.AddText(), 0);
    Box.setEditText(QStringLiteral("/s/typing"));
    Box.History().AddHistory("/S/ONE.wav");
    EXPECT_EQ(Items(), QStringList({"/S/ONE.wav", "/s/two.wav"}));
    EXPECT_EQ(Box.currentText(), QStringLiteral("/s/typing"));

    Box.SetMaxCount(1);
    EXPECT_EQ(Box.MaxCount(), 1);
    EXPECT_EQ(Items(), QStringList({"/S/ONE.wav"}));
    Box.History().Clear();
    EXPECT_EQ(Box.count(), 0);
    EXPECT_EQ(Box.currentText(), QStringLiteral("/s/typing"));
}

TEST_F(HistoryComboBoxTest, TheRejectionEventOfTheBoxDecides)
{
    int asked = 0;
    Box.OnHistoryListAdding = [&](THistoryComboBox& sender, const QString& text, bool& reject) {
        EXPECT_EQ(&sender, &Box);
        ++asked;
        reject = text.endsWith(QStringLiteral(".tmp"));
    };
    Box.setEditText(QStringLiteral("/s/scratch.tmp"));
    EXPECT_EQ(Box.AddText(), -1);
    Box.setEditText(QStringLiteral("/s/bell.wav"));
    EXPECT_EQ(Box.AddText(), 0);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(Items(), QStringList{"/s/bell.wav"});
}

TEST_F(HistoryComboBoxTest, TheCurrentTextTravelsWithTheList)
{
    Box.SetMaxCount(3);
    Box.History().AddHistory("/s/a.wav");
    Box.History().AddHistory("/s/b.wav");
    Box.setEditText(QStringLiteral("/s/current.ogg"));
    ASSERT_TRUE(Box.SaveToRegistry(Store, Key));

    THistoryComboBox loaded;
    loaded.LoadFromRegistry(Store, Key);
    EXPECT_EQ(loaded.currentText(), QStringLiteral("/s/current.ogg"));
    EXPECT_EQ(loaded.MaxCount(), 3);
    EXPECT_EQ(loaded.History().Strings(), QStringList({"/s/b.wav", "/s/a.wav"}));
    for (int i = 0; i < loaded.count(); ++i)
        EXPECT_EQ(loaded.itemText(i), loaded.History().Get(i));
    EXPECT_FALSE(loaded.History().Modified());

    // Without a usable "Current" the text is left alone.
    ASSERT_TRUE(Store.OpenAppKey(AppRootCurrentUser, Key, true));
    Store.WriteInteger(QStringLiteral("Current"), 4);
    Store.CloseKey();
    loaded.setEditText(QStringLiteral("/s/kept.wav"));
    loaded.LoadFromRegistry(Store, Key);
    EXPECT_EQ(loaded.currentText(), QStringLiteral("/s/kept.wav"));
    loaded.LoadFromRegistry(Store, QStringLiteral("History Nothing"));
    EXPECT_EQ(loaded.currentText(), QStringLiteral("/s/kept.wav"));
    EXPECT_EQ(loaded.count(), 0);
}

} // namespace
