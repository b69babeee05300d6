#include "settings/HistoryStringlist.h"

#include "settings/RegFunc.h"

#include "TestSupport.h"

#include <functional>

namespace {

const QString Key = QStringLiteral("History Openfiles");

QStringList Filled(THistoryStringlist& list, const QStringList& newestFirst)
{
    for (auto text = newestFirst.rbegin(); text != newestFirst.rend(); ++text)
        list.AddHistory(*text);
    return list.Strings();
}

TEST(HistoryStringlistTest, ReusingAStringMovesItToTheFrontIgnoringAsciiCase)
{
    THistoryStringlist list;
    Filled(list, {"C:\\D.vkd", "C:\\C.vkd", "C:\\B.vkd", "c:\\a.vkd", "C:\\E.vkd"});
    EXPECT_EQ(list.AddHistory("C:\\A.vkd"), 0);
    EXPECT_EQ(list.Strings(), QStringList({"C:\\A.vkd", "C:\\D.vkd", "C:\\C.vkd", "C:\\B.vkd", "C:\\E.vkd"}));
    // Only A-Z fold: other letters that differ in case are different names.
    list.AddHistory(QStringLiteral("/Äpfel.vkd"));
    list.AddHistory(QStringLiteral("/äpfel.vkd"));
    EXPECT_EQ(list.Count(), 7);
}

TEST(HistoryStringlistTest, TheNinthFileDropsTheFirst)
{
    THistoryStringlist list;
    EXPECT_EQ(list.MaxCount(), 8);
    for (int i = 1; i <= 9; ++i)
        list.AddHistory(QStringLiteral("/f%1.vkd").arg(i));
    EXPECT_EQ(list.Count(), 8);
    EXPECT_EQ(list.Get(0), QStringLiteral("/f9.vkd"));
    EXPECT_EQ(list.Get(7), QStringLiteral("/f2.vkd"));
    EXPECT_EQ(list.IndexOf(QStringLiteral("/f1.vkd")), -1);
}

TEST(HistoryStringlistTest, MaxCountTrimsTheOldestAndIsNeverNegative)
{
    THistoryStringlist list;
    Filled(list, {"h", "g", "f", "e", "d", "c", "b", "a"});
    list.SetMaxCount(2);
    EXPECT_EQ(list.Strings(), QStringList({"h", "g"}));
    list.SetMaxCount(-1);
    EXPECT_EQ(list.MaxCount(), 2);
    list.SetMaxCount(0);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.AddHistory("x"), 0); // taken, then trimmed away at once
    EXPECT_EQ(list.Count(), 0);
}

struct TAdmissionCase {
    const char* Name;
    const char* Text;
    bool Reject;
    int Result;
};

class AdmissionTest : public testing::TestWithParam<TAdmissionCase> {};

TEST_P(AdmissionTest, OnAddingAndEmptyStringsDecide)
{
    THistoryStringlist list;
    list.AddHistory("/kept.vkd");
    list.SetModified(false);
    QStringList asked;
    list.OnAdding = [&](THistoryStringlist& sender, const QString& text, bool& reject) {
        EXPECT_EQ(&sender, &list);
        asked << text;
        reject = GetParam().Reject;
    };
    const QString text = QString::fromUtf8(GetParam().Text);
    EXPECT_EQ(list.AddHistory(text), GetParam().Result);
    EXPECT_EQ(asked, QStringList{text});
    EXPECT_EQ(list.Count(), GetParam().Result == 0 ? 2 : 1);
    EXPECT_EQ(list.Modified(), GetParam().Result == 0);
    // A refused copy of a listed string leaves the listed one where it is.
    EXPECT_EQ(list.Get(list.Count() - 1), QStringLiteral("/kept.vkd"));
}

INSTANTIATE_TEST_SUITE_P(Cases, AdmissionTest,
                         testing::Values(TAdmissionCase{"accepted", "/new.vkd", false, 0},
                                         TAdmissionCase{"rejected", "/new.vkd", true, -1},
                                         TAdmissionCase{"rejected_duplicate", "/KEPT.vkd", true, -1},
                                         TAdmissionCase{"empty", "", false, -1}),
                         [](const testing::TestParamInfo<TAdmissionCase>& info) { return std::string(info.param.Name); });

TEST(HistoryStringlistTest, InsertionAnywhereRemovesTheOlderCopyAndTrims)
{
    THistoryStringlist list;
    Filled(list, {"a", "b", "c"});
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
    Filled(list, {"a", "b", "c"});
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
        if (!Store.OpenAppKey(AppRootCurrentUser, Key, false))
            return {};
        QStringList names = Store.GetValueNames();
        Store.CloseKey();
        names.sort();
        return names;
    }
};

TEST_F(HistoryStoreTest, SavedListsLoadBackAndShorterOnesLeaveNoStaleValues)
{
    THistoryStringlist saved;
    saved.SetMaxCount(5);
    Filled(saved, {"/home/u/Dates & more.vkd", "/home/u/Straße.vkd", "/B.vkd", "/a.vkd"});
    ASSERT_TRUE(saved.SaveToRegistry(Store, Key));
    EXPECT_EQ(StoredNames(), QStringList({"", "0", "1", "2", "3"}));

    THistoryStringlist loaded;
    loaded.LoadFromRegistry(Store, Key);
    EXPECT_EQ(loaded.Strings(), saved.Strings());
    EXPECT_EQ(loaded.MaxCount(), 5);

    saved.SetMaxCount(1);
    ASSERT_TRUE(saved.SaveToRegistry(Store, Key));
    EXPECT_EQ(StoredNames(), QStringList({"", "0"}));

    saved.SetModified(false);
    saved.SetMaxCount(20); // owners save a list only when it is modified
    EXPECT_TRUE(saved.Modified());
    ASSERT_TRUE(saved.SaveToRegistry(Store, Key));
    loaded.LoadFromRegistry(Store, Key);
    EXPECT_EQ(loaded.MaxCount(), 20);
}

TEST_F(HistoryStoreTest, OnlyNumberedValuesLoadInNumericOrder)
{
    Write([](TApplicationReg& store) {
        store.WriteString("10", "/ten");
        store.WriteString("5", "/five");
        store.WriteString("1", "/one");
        store.WriteString("0", "/zero");
        store.WriteString("Current", "/current");
        store.WriteString(" ", "/blank");
        store.WriteString("-1", "/negative");
        store.WriteString("99999999999", "/huge");
        store.WriteInteger("2", 7); // not a string
    });
    THistoryStringlist list;
    list.LoadFromRegistry(Store, Key);
    EXPECT_EQ(list.Strings(), QStringList({"/zero", "/one", "/five", "/ten"}));
}

TEST_F(HistoryStoreTest, DuplicatesCollapseToTheMostRecentCopy)
{
    Write([](TApplicationReg& store) {
        store.WriteString("0", "/A.vkd");
        store.WriteString("1", "/b.vkd");
        store.WriteString("2", "/a.VKD");
        store.WriteString("3", "");
    });
    THistoryStringlist list;
    list.LoadFromRegistry(Store, Key);
    EXPECT_EQ(list.Strings(), QStringList({"/A.vkd", "/b.vkd"}));
}

struct TStoredMaxCase {
    const char* Name;
    std::function<void(TApplicationReg&)> WriteDefault;
    int MaxCount;
};

class StoredMaxCountTest : public HistoryStoreTest, public testing::WithParamInterface<TStoredMaxCase> {};

TEST_P(StoredMaxCountTest, OnlyAPositiveDecimalDefaultValueSetsTheMaximum)
{
    Write([](TApplicationReg& store) {
        for (int i = 0; i < 10; ++i)
            store.WriteString(QString::number(i), QStringLiteral("/f%1").arg(i));
    });
    Write(GetParam().WriteDefault);
    THistoryStringlist list;
    list.LoadFromRegistry(Store, Key);
    EXPECT_EQ(list.MaxCount(), GetParam().MaxCount);
    ASSERT_EQ(list.Count(), GetParam().MaxCount);
    EXPECT_EQ(list.Get(0), QStringLiteral("/f0"));
    EXPECT_EQ(list.Get(list.Count() - 1), QStringLiteral("/f%1").arg(list.Count() - 1));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoredMaxCountTest,
    testing::Values(TStoredMaxCase{"three", [](TApplicationReg& s) { s.WriteString("", "3"); }, 3},
                    TStoredMaxCase{"nine", [](TApplicationReg& s) { s.WriteString("", "9"); }, 9},
                    TStoredMaxCase{"zero", [](TApplicationReg& s) { s.WriteString("", "0"); }, 8},
                    TStoredMaxCase{"text", [](TApplicationReg& s) { s.WriteString("", "many"); }, 8},
                    TStoredMaxCase{"negative", [](TApplicationReg& s) { s.WriteString("", "-2"); }, 8},
                    TStoredMaxCase{"too_large", [](TApplicationReg& s) { s.WriteString("", "4294967299"); }, 8},
                    TStoredMaxCase{"dword", [](TApplicationReg& s) { s.WriteInteger("", 3); }, 8},
                    TStoredMaxCase{"absent", [](TApplicationReg&) {}, 8}),
    [](const testing::TestParamInfo<TStoredMaxCase>& info) { return std::string(info.param.Name); });

TEST_F(HistoryStoreTest, LoadingReportsOneChangeUnlessSuppressedAndLeavesTheListUnmodified)
{
    Write([](TApplicationReg& store) {
        store.WriteString("0", "/a");
        store.WriteString("1", "/b");
    });
    THistoryStringlist list;
    int events = 0;
    list.OnChange = [&](THistoryStringlist&) { ++events; };
    list.LoadFromRegistry(Store, Key);
    EXPECT_EQ(events, 1);
    EXPECT_FALSE(list.Modified());

    events = 0;
    list.SetChangeEventsSuppressed(true);
    list.LoadFromRegistry(Store, Key);
    EXPECT_EQ(events, 0);
    EXPECT_TRUE(list.ChangeEventsSuppressed());
    EXPECT_EQ(list.Count(), 2);

    // A missing key empties the list and keeps its maximum.
    list.SetMaxCount(3);
    list.SetModified(true);
    list.LoadFromRegistry(Store, QStringLiteral("History Nothing"));
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.MaxCount(), 3);
    EXPECT_FALSE(list.Modified());
}

TEST_F(HistoryStoreTest, TheApplicationKeyItselfIsNeverReplaced)
{
    ASSERT_TRUE(Store.OpenAppKey(AppRootCurrentUser, QString(), true));
    Store.WriteBool(QStringLiteral("GridLines"), false);
    Store.CloseKey();
    THistoryStringlist list;
    list.AddHistory("/a");
    EXPECT_FALSE(list.SaveToRegistry(Store, QString()));
    EXPECT_FALSE(list.SaveToRegistry(Store, QStringLiteral("\\")));
    ASSERT_TRUE(Store.OpenAppKey(AppRootCurrentUser, QString(), false));
    EXPECT_EQ(Store.GetValueNames(), QStringList{QStringLiteral("GridLines")});
    Store.CloseKey();
}

} // namespace
