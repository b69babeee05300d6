#include "settings/HistoryStringlist.h"

#include "settings/RegFunc.h"

#include "TestSupport.h"

#include <QVariant>

#include <functional>

namespace {

const QString Key = QStringLiteral("History Openfiles");

TEST(HistoryStringlistTest, KeepsTheLatestSpellingInFrontAndAtMostMaxCountStrings)
{
    THistoryStringlist list;
    EXPECT_EQ(list.MaxCount(), 8);
    for (int i = 1; i <= 9; ++i)
        list.AddHistory(QStringLiteral("/f%1.vkd").arg(i));
    EXPECT_EQ(list.IndexOf("/f1.vkd"), -1) << "the ninth file drops the first";
    EXPECT_EQ(list.AddHistory("/F5.VKD"), 0);
    EXPECT_EQ(list.Strings(), QStringList({"/F5.VKD", "/f9.vkd", "/f8.vkd", "/f7.vkd", "/f6.vkd", "/f4.vkd",
                                           "/f3.vkd", "/f2.vkd"}));
    // Only A-Z fold: other letters that differ in case are different names.
    list.AddHistory("/Äpfel.vkd");
    list.AddHistory("/äpfel.vkd");
    list.SetMaxCount(2);
    EXPECT_EQ(list.Strings(), QStringList({"/äpfel.vkd", "/Äpfel.vkd"}));
    list.SetMaxCount(-1);
    EXPECT_EQ(list.MaxCount(), 2);
    list.SetMaxCount(0);
    EXPECT_EQ(list.AddHistory("x"), 0); // taken, then trimmed away at once
    EXPECT_EQ(list.Count(), 0);
}

TEST(HistoryStringlistTest, OnAddingAndEmptyStringsDecideAdmission)
{
    const struct {
        const char* Text;
        bool Reject;
        int Result;
    } cases[] = {{"/new.vkd", false, 0}, {"/new.vkd", true, -1}, {"/KEPT.vkd", true, -1}, {"", false, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Text) + (c.Reject ? " rejected" : ""));
        THistoryStringlist list;
        list.AddHistory("/kept.vkd");
        list.SetModified(false);
        QStringList asked;
        list.OnAdding = [&](THistoryStringlist& sender, const QString& text, bool& reject) {
            EXPECT_EQ(&sender, &list);
            asked << text;
            reject = c.Reject;
        };
        EXPECT_EQ(list.AddHistory(c.Text), c.Result);
        EXPECT_EQ(asked, QStringList{c.Text});
        EXPECT_EQ(list.Modified(), c.Result == 0);
        // A refused copy of a listed string leaves the listed one where it is.
        EXPECT_EQ(list.Strings().last(), QStringLiteral("/kept.vkd"));
        EXPECT_EQ(list.Count(), c.Result == 0 ? 2 : 1);
    }
}

TEST(HistoryStringlistTest, InsertionAnywhereRemovesTheOlderCopyAndTrims)
{
    THistoryStringlist list;
    for (const char* text : {"c", "b", "a"})
        list.AddHistory(text);
    list.SetMaxCount(3);
    EXPECT_TRUE(list.Insert(3, "A")); // the old "a" goes first, so the index is clamped
    EXPECT_EQ(list.Strings(), QStringList({"b", "c", "A"}));
    EXPECT_TRUE(list.Insert(1, "x"));
    EXPECT_EQ(list.Strings(), QStringList({"b", "x", "c"}));
    EXPECT_FALSE(list.Insert(0, ""));
    list.Delete(3);
    list.Delete(-1);
    EXPECT_EQ(list.Count(), 3);
}

TEST(HistoryStringlistTest, EachChangeIsReportedOnceOutsideUpdatesAndNeverWhileSuppressed)
{
    THistoryStringlist list;
    for (const char* text : {"c", "b", "a"})
        list.AddHistory(text);
    int events = 0;
    list.OnChange = [&](THistoryStringlist&) { ++events; };
    list.AddHistory("C"); // removal and insertion are one change
    EXPECT_EQ(events, 1);
    list.SetMaxCount(1); // so are a new maximum and the strings it drops
    EXPECT_EQ(events, 2);
    list.SetMaxCount(20);
    list.SetMaxCount(20);
    list.AddHistory("");
    EXPECT_EQ(events, 3);

    list.BeginUpdate();
    list.AddHistory("d");
    list.AddHistory("e");
    EXPECT_EQ(events, 3);
    list.EndUpdate();
    EXPECT_EQ(events, 4);

    list.SetModified(false);
    list.SetChangeEventsSuppressed(true);
    list.AddHistory("f");
    list.Clear();
    EXPECT_EQ(events, 4);
    EXPECT_TRUE(list.Modified());
}

class HistoryStoreTest : public testing::Test {
protected:
    TTemporaryHome Home;
    TApplicationReg Store{QStringLiteral("Vemora")};

    void Write(const std::function<void(TApplicationReg&)>& write)
    {
        ASSERT_TRUE(Store.OpenAppKey(AppRootCurrentUser, Key, true));
        write(Store);
        Store.CloseKey();
    }

    QStringList StoredNames()
    {
        QStringList names;
        Write([&](TApplicationReg& store) { names = store.GetValueNames(); });
        names.sort();
        return names;
    }
};

TEST_F(HistoryStoreTest, SavedListsLoadBackAndShorterOnesLeaveNoStaleValues)
{
    THistoryStringlist saved;
    saved.SetMaxCount(5);
    for (const char* text : {"/a.vkd", "/B.vkd", "/home/u/Straße.vkd", "/home/u/Dates & more.vkd"})
        saved.AddHistory(text);
    ASSERT_TRUE(saved.SaveToRegistry(Store, Key));
    EXPECT_EQ(StoredNames(), QStringList({"", "0", "1", "2", "3"}));
    THistoryStringlist loaded;
    int events = 0;
    loaded.OnChange = [&](THistoryStringlist&) { ++events; };
    loaded.LoadFromRegistry(Store, Key);
    EXPECT_EQ(loaded.Strings(), saved.Strings());
    EXPECT_EQ(loaded.MaxCount(), 5);
    EXPECT_EQ(events, 1) << "a load is one change";
    EXPECT_FALSE(loaded.Modified());

    saved.SetMaxCount(1);
    ASSERT_TRUE(saved.SaveToRegistry(Store, Key));
    EXPECT_EQ(StoredNames(), QStringList({"", "0"}));
    loaded.SetChangeEventsSuppressed(true);
    loaded.LoadFromRegistry(Store, Key);
    EXPECT_EQ(loaded.Count(), 1);
    EXPECT_EQ(events, 1);
    EXPECT_TRUE(loaded.ChangeEventsSuppressed());

    // A missing key empties the list and keeps its maximum.
    loaded.SetMaxCount(3);
    loaded.LoadFromRegistry(Store, "History Nothing");
    EXPECT_EQ(loaded.Count(), 0);
    EXPECT_EQ(loaded.MaxCount(), 3);
    EXPECT_FALSE(loaded.Modified());

    saved.SetModified(false);
    saved.SetMaxCount(20); // owners save a list only when it is modified
    EXPECT_TRUE(saved.Modified());
}

TEST_F(HistoryStoreTest, OnlyNumberedStringsLoadInNumericOrderWithoutDuplicates)
{
    Write([](TApplicationReg& store) {
        for (const auto& [name, text] : {std::pair{"10", "/ten"}, {"5", "/five"}, {"1", "/one"}, {"0", "/zero"},
                                         {"3", "/ZERO"}, {"4", ""}, {"Current", "/current"}, {" ", "/blank"},
                                         {"-1", "/negative"}, {"99999999999", "/huge"}})
            store.WriteString(name, text);
        store.WriteInteger("2", 7); // not a string
    });
    THistoryStringlist list;
    list.LoadFromRegistry(Store, Key);
    EXPECT_EQ(list.Strings(), QStringList({"/zero", "/one", "/five", "/ten"}));
}

TEST_F(HistoryStoreTest, OnlyAPositiveDecimalDefaultValueSetsTheMaximum)
{
    Write([](TApplicationReg& store) {
        for (int i = 0; i < 10; ++i)
            store.WriteString(QString::number(i), QStringLiteral("/f%1").arg(i));
    });
    const std::pair<QVariant, int> cases[] = {{"3", 3},  {"9", 9}, {"0", 8}, {"many", 8}, {"-2", 8},
                                              {"4294967299", 8}, {3, 8}, {QVariant(), 8}};
    for (const auto& [stored, maxCount] : cases) {
        SCOPED_TRACE(stored.toString().toStdString());
        Write([&](TApplicationReg& store) {
            store.DeleteValue(QString());
            if (stored.typeId() == QMetaType::Int)
                store.WriteInteger(QString(), stored.toInt());
            else if (stored.isValid())
                store.WriteString(QString(), stored.toString());
        });
        THistoryStringlist list;
        list.LoadFromRegistry(Store, Key);
        EXPECT_EQ(list.MaxCount(), maxCount);
        ASSERT_EQ(list.Count(), maxCount);
        EXPECT_EQ(list.Get(maxCount - 1), QStringLiteral("/f%1").arg(maxCount - 1));
    }
}

TEST_F(HistoryStoreTest, TheApplicationKeyItselfIsNeverReplaced)
{
    ASSERT_TRUE(Store.OpenAppKey(AppRootCurrentUser, QString(), true));
    Store.WriteBool("GridLines", false);
    THistoryStringlist list;
    list.AddHistory("/a");
    EXPECT_FALSE(list.SaveToRegistry(Store, QString()));
    EXPECT_FALSE(list.SaveToRegistry(Store, "\\"));
    ASSERT_TRUE(Store.OpenAppKey(AppRootCurrentUser, QString(), false));
    EXPECT_EQ(Store.GetValueNames(), QStringList{"GridLines"});
}

} // namespace
