#include "settings/HistoryStringlist.h"
#include "settings/RegFunc.h"

#include "TestSupport.h"

#include <QFileInfo>
#include <QVariant>

namespace {

const QString Key = QStringLiteral("History Openfiles");

class SettingsStoreTest : public testing::Test {
protected:
    TTemporaryHome Home;
    TApplicationReg Registry{QStringLiteral("Vemora")};
    TRegistry Other{HKEY_CURRENT_USER};

    // Opens the history list's key for writing; the caller closes it.
    TApplicationReg& Open()
    {
        EXPECT_TRUE(Registry.OpenAppKey(AppRootCurrentUser, Key, true));
        return Registry;
    }
};

TEST_F(SettingsStoreTest, TheKeyPathCarriesMakerNameAndVersionAndReadingCreatesNothing)
{
    EXPECT_EQ(Registry.VersionText(), QStringLiteral("2.1"));
    EXPECT_EQ(std::pair(CombineKeyPath("\\A\\", "\\B\\"), CombineKeyPath("", "B\\")),
              std::pair(QStringLiteral("\\A\\B"), QStringLiteral("B")));
    EXPECT_EQ(TApplicationReg("X", "?.?.?.?").RootPath(), QStringLiteral("\\Software\\Orvalin\\X\\?\\?\\?\\?"));
    EXPECT_EQ(std::pair(Registry.OpenAppKey(AppRootCurrentUser, QString(), false), QFileInfo::exists(Home.RegistryFile())),
              std::pair(false, false));
    ASSERT_TRUE(Registry.OpenAppKey(AppRootCurrentUser, "FormMain\\Font", true));
    EXPECT_EQ(Registry.CurrentPath(), QStringLiteral("\\Software\\Orvalin\\Vemora\\2\\1\\FormMain\\Font"));
    EXPECT_TRUE(Registry.OpenAppKey(AppRootCurrentUser, "\\FormMain", false));
    EXPECT_FALSE(TApplicationReg("Vemora", "2.2").OpenAppKey(AppRootCurrentUser, QString(), false));
}

TEST_F(SettingsStoreTest, DeletingTheAppKeyRemovesParentsWhileEmpty)
{
    ASSERT_TRUE(Registry.OpenAppKey(AppRootCurrentUser, "FormMain\\Font", true));
    ASSERT_TRUE(Other.OpenKey("\\Software\\Orvalin\\Vemora\\1\\9", true));
    EXPECT_TRUE(Registry.DeleteAppKey());
    // A parent that holds more stays.
    EXPECT_EQ(QList({Registry.HasCurrentKey(), Other.KeyExists("\\Software\\Orvalin\\Vemora\\2"),
                     Other.KeyExists("\\Software\\Orvalin\\Vemora\\1\\9")}), QList({false, false, true}));
    ASSERT_TRUE(Other.DeleteKey("\\Software\\Orvalin\\Vemora\\1"));
    ASSERT_TRUE(Other.OpenKey("\\Software\\Keep", true));

    ASSERT_TRUE(Registry.OpenAppKey(AppRootCurrentUser, QString(), true));
    EXPECT_EQ(QList({Registry.DeleteAppKey(), Other.KeyExists("\\Software\\Orvalin"),
                     Other.KeyExists("\\Software\\Keep"), Registry.DeleteAppKey()}), QList({true, false, true, false}));
}

TEST_F(SettingsStoreTest, ReadValueReadsByTypeCodeAndLeavesTheTargetWhenItFails)
{
    ASSERT_TRUE(Registry.OpenKey("\\Software\\T", true));
    const auto integer = [&](int value) { return [this, value] { Registry.WriteInteger("V", value); }; };
    const auto real = [&](double value) { return [this, value] { Registry.WriteFloat("V", value); }; };
    const std::tuple<int, std::function<void()>, QVariant> cases[] = {
        {vtInteger, integer(-1), QVariant(-1)}, {vtSmallint, integer(0x12345), QVariant::fromValue<qint16>(0x2345)},
        {vtByte, integer(0x1ff), QVariant::fromValue<quint8>(0xff)}, {vtBoolean, integer(2), QVariant(true)},
        {vtString, [&] { Registry.WriteString("V", "text"); }, QVariant("text")},
        {vtDate, real(45000.5), QVariant(45000.5)}, {vtSingle, real(1.5), QVariant(1.5f)},
        {vtCurrency, [&] { Registry.WriteCurrency("V", 2.5); }, QVariant(2.5)},
        {8, integer(1), QVariant("unchanged")}, // another code reads nothing but succeeds
        {vtInteger, [&] { Registry.WriteString("V", "1"); }, QVariant()}, // fails: the target keeps its value
    };
    for (const auto& [code, write, expected] : cases) {
        write();
        QVariant target = QStringLiteral("unchanged");
        EXPECT_EQ(Registry.ReadValue("V", target, code), expected.isValid()) << code;
        EXPECT_EQ(target, expected.isValid() ? expected : QVariant("unchanged")) << code;
    }
    QVariant absent = 5;
    EXPECT_EQ(std::pair(Registry.ReadValue("Absent", absent, vtInteger), absent), std::pair(false, QVariant(5)));
    const bool present = QFileInfo(QStringLiteral("/usr/share/sounds")).isDir();
    EXPECT_EQ(GetMediaPath(), present ? QStringLiteral("/usr/share/sounds") : QString());
}

TEST(HistoryStringlistTest, KeepsTheLatestSpellingInFrontAndAtMostMaxCountStrings)
{
    THistoryStringlist list;
    for (int i = 1; i <= 9; ++i)
        list.AddHistory(QStringLiteral("/f%1.vkd").arg(i));
    EXPECT_EQ(list.AddHistory("/F5.VKD"), 0);
    EXPECT_EQ(list.Strings(), QStringList({"/F5.VKD", "/f9.vkd", "/f8.vkd", "/f7.vkd", "/f6.vkd", "/f4.vkd",
                                           "/f3.vkd", "/f2.vkd"})); // the ninth file dropped the first
    // Only A-Z fold: other letters that differ in case are different names.
    list.AddHistory("/Äpfel.vkd");
    list.AddHistory("/äpfel.vkd");
    list.SetMaxCount(2);
    list.SetMaxCount(-1);
    EXPECT_EQ(list.Strings(), QStringList({"/äpfel.vkd", "/Äpfel.vkd"}));
    EXPECT_TRUE(list.Insert(9, "x")); // the index is clamped, then the list trimmed
    EXPECT_TRUE(list.Insert(1, "/ÄPFEL.vkd"));
    EXPECT_EQ(list.Strings(), QStringList({"/äpfel.vkd", "/ÄPFEL.vkd"}));
    list.SetMaxCount(0);
    EXPECT_EQ(std::pair(list.AddHistory("x"), list.Count()), std::pair(0, 0)); // taken, then trimmed away at once
}

TEST(HistoryStringlistTest, OnAddingAndEmptyStringsDecideAdmission)
{
    for (const auto& [text, rejected, result] :
         {std::tuple{"/new.vkd", false, 0}, {"/KEPT.vkd", true, -1}, {"", false, -1}}) {
        THistoryStringlist list;
        list.AddHistory("/kept.vkd");
        list.SetModified(false);
        QStringList asked;
        list.OnAdding = [&](THistoryStringlist& sender, const QString& added, bool& reject) {
            asked << (&sender == &list ? added : QStringLiteral("another list"));
            reject = rejected;
        };
        EXPECT_EQ(list.AddHistory(text), result) << text;
        // A refused copy of a listed string leaves the listed one where it is.
        EXPECT_EQ(std::tuple(asked, list.Modified(), list.Strings().last(), list.Count()),
                  std::tuple(QStringList{text}, result == 0, QStringLiteral("/kept.vkd"), result == 0 ? 2 : 1))
            << text;
    }
}

TEST_F(SettingsStoreTest, SavedListsLoadBackAndShorterOnesLeaveNoStaleValues)
{
    THistoryStringlist saved;
    saved.SetMaxCount(5);
    for (const char* text : {"/a.vkd", "/B.vkd", "/home/u/Straße.vkd"})
        saved.AddHistory(text);
    ASSERT_TRUE(saved.SaveToRegistry(Registry, Key));
    THistoryStringlist loaded;
    int events = 0;
    loaded.OnChange = [&](THistoryStringlist&) { ++events; };
    loaded.LoadFromRegistry(Registry, Key);
    EXPECT_EQ(std::tuple(loaded.Strings(), loaded.MaxCount(), events, loaded.Modified()),
              std::tuple(saved.Strings(), 5, 1, false)); // a load is one change

    saved.SetMaxCount(1);
    saved.SetMaxCount(5); // one string left under the same maximum: no stale "1" and "2" may load
    ASSERT_TRUE(saved.SaveToRegistry(Registry, Key));
    loaded.SetChangeEventsSuppressed(true);
    loaded.LoadFromRegistry(Registry, Key);
    EXPECT_EQ(std::tuple(loaded.Count(), events, loaded.ChangeEventsSuppressed()), std::tuple(1, 1, true));

    // A missing key empties the list and keeps its maximum.
    loaded.SetMaxCount(3);
    loaded.LoadFromRegistry(Registry, "History Nothing");
    EXPECT_EQ(std::tuple(loaded.Count(), loaded.MaxCount(), loaded.Modified()), std::tuple(0, 3, false));
}

TEST_F(SettingsStoreTest, OnlyNumberedStringsLoadInNumericOrderAndOnlyAPositiveDecimalSetsTheMaximum)
{
    for (const auto& [name, text] : {std::pair{"10", "/ten"}, {"5", "/five"}, {"0", "/zero"}, {"3", "/ZERO"},
                                     {"4", ""}, {" ", "/blank"}, {"-1", "/negative"}, {"99999999999", "/huge"}})
        Open().WriteString(name, text);
    Registry.WriteInteger("2", 7); // not a string
    const QStringList all{"/zero", "/five", "/ten"};
    const std::tuple<QVariant, int, QStringList> cases[] = {
        {"2", 2, {"/zero", "/five"}}, {"0", 8, all}, {"-2", 8, all}, {"4294967299", 8, all}, {3, 8, all}};
    for (const auto& [stored, maxCount, strings] : cases) {
        if (stored.typeId() == QMetaType::Int)
            Open().WriteInteger(QString(), stored.toInt());
        else
            Open().WriteString(QString(), stored.toString());
        Registry.CloseKey();
        THistoryStringlist list;
        list.LoadFromRegistry(Registry, Key);
        EXPECT_EQ(std::pair(list.MaxCount(), list.Strings()), std::pair(maxCount, strings))
            << stored.toString().toStdString();
    }

    // The application key itself is never replaced.
    ASSERT_TRUE(Registry.OpenAppKey(AppRootCurrentUser, QString(), true));
    Registry.WriteBool("GridLines", false);
    THistoryStringlist list;
    list.AddHistory("/a");
    EXPECT_FALSE(list.SaveToRegistry(Registry, QString()) || list.SaveToRegistry(Registry, "\\"));
    ASSERT_TRUE(Registry.OpenAppKey(AppRootCurrentUser, QString(), false));
    EXPECT_EQ(Registry.GetValueNames(), QStringList{"GridLines"});
}

} // namespace
