#include "settings/RegFunc.h"

#include "TestSupport.h"

#include <QFileInfo>

#include <cstring>

namespace {

TEST(KeyPathTest, CombinesWithOneBackslashAndDropsTheLastName)
{
    const struct {
        const char* Base;
        const char* Sub;
        const char* Combined;
    } cases[] = {
        {"\\A\\", "\\B\\", "\\A\\B"}, {"\\A", "", "\\A"}, {"\\A", "B", "\\A\\B"}, {"", "B\\", "B"}, {"", "", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(CombineKeyPath(c.Base, c.Sub), QString::fromUtf8(c.Combined)) << c.Base << " + " << c.Sub;
    EXPECT_EQ(ParentKeyPath("\\Software\\Orvalin"), QStringLiteral("\\Software"));
    EXPECT_EQ(ParentKeyPath("\\Software"), QString());
    EXPECT_EQ(ParentKeyPath("Software"), QString());
}

class ApplicationRegTest : public testing::Test {
protected:
    TTemporaryHome Home;
    TApplicationReg Registry{QStringLiteral("Vemora")};
    TRegistry Other{HKEY_CURRENT_USER};
};

TEST_F(ApplicationRegTest, TheKeyPathCarriesMakerNameAndVersion)
{
    EXPECT_EQ(Registry.VersionText(), QStringLiteral("2.1"));
    EXPECT_EQ(Registry.RootPath(), QStringLiteral("\\Software\\Orvalin\\Vemora\\2\\1"));
    Registry.SetAppName("Other");
    EXPECT_EQ(Registry.RootPath(), QStringLiteral("\\Software\\Orvalin\\Other\\2\\1"));
    EXPECT_EQ(TApplicationReg("X", "?.?.?.?").RootPath(), QStringLiteral("\\Software\\Orvalin\\X\\?\\?\\?\\?"));
}

TEST_F(ApplicationRegTest, OpeningForReadingCreatesNothingAndAnotherVersionFindsNothing)
{
    EXPECT_FALSE(Registry.OpenAppKey(AppRootCurrentUser, QString(), false));
    EXPECT_FALSE(QFileInfo::exists(Home.RegistryFile()));
    ASSERT_TRUE(Registry.OpenAppKey(AppRootCurrentUser, "FormMain\\Font", true));
    EXPECT_EQ(Registry.CurrentPath(), QStringLiteral("\\Software\\Orvalin\\Vemora\\2\\1\\FormMain\\Font"));
    EXPECT_TRUE(Registry.OpenAppKey(AppRootCurrentUser, "\\FormMain", false));
    EXPECT_FALSE(TApplicationReg("Vemora", "2.2").OpenAppKey(AppRootCurrentUser, QString(), false));
}

TEST_F(ApplicationRegTest, DeletingTheAppKeyRemovesParentsWhileEmpty)
{
    ASSERT_TRUE(Registry.OpenAppKey(AppRootCurrentUser, "FormMain\\Font", true));
    Registry.WriteInteger("Size", 9);
    ASSERT_TRUE(Other.OpenKey("\\Software\\Keep", true));
    EXPECT_TRUE(Registry.DeleteAppKey());
    EXPECT_FALSE(Other.KeyExists("\\Software\\Orvalin"));
    EXPECT_TRUE(Other.KeyExists("\\Software\\Keep"));
    EXPECT_FALSE(Registry.HasCurrentKey());
    EXPECT_FALSE(Registry.DeleteAppKey());
}

TEST_F(ApplicationRegTest, DeletingStopsAtAParentThatHoldsMore)
{
    ASSERT_TRUE(Registry.OpenAppKey(AppRootCurrentUser, QString(), true));
    ASSERT_TRUE(Other.OpenKey("\\Software\\Orvalin\\Vemora", true));
    Other.WriteString("Note", "keep me");
    ASSERT_TRUE(Other.OpenKey("\\Software\\Orvalin\\Vemora\\1\\9", true));
    EXPECT_TRUE(Registry.DeleteAppKey());
    EXPECT_FALSE(Other.KeyExists("\\Software\\Orvalin\\Vemora\\2"));
    EXPECT_TRUE(Other.KeyExists("\\Software\\Orvalin\\Vemora\\1\\9"));
}

QByteArray DoubleBytes(double value)
{
    QByteArray bytes(8, '\0');
    std::memcpy(bytes.data(), &value, 8);
    return bytes;
}

TEST_F(ApplicationRegTest, ReadValueReadsByTypeCodeAndLeavesTheTargetWhenItFails)
{
    const struct {
        int Code;
        TRegistryValue Stored;
        QVariant Expected; // invalid: the read fails and the target keeps its value
    } cases[] = {
        {vtInteger, TRegistryValue::Dword(0xffffffff), QVariant(-1)},
        {vtSmallint, TRegistryValue::Dword(0x12345), QVariant::fromValue<qint16>(0x2345)},
        {vtByte, TRegistryValue::Dword(0x1ff), QVariant::fromValue<quint8>(0xff)},
        {vtBoolean, TRegistryValue::Dword(2), QVariant(true)},
        {vtString, TRegistryValue::String("text"), QVariant("text")},
        {vtDate, TRegistryValue::Binary(DoubleBytes(45000.5)), QVariant(45000.5)},
        {vtDouble, TRegistryValue::Binary(DoubleBytes(-2.25)), QVariant(-2.25)},
        {vtSingle, TRegistryValue::Binary(DoubleBytes(1.5)), QVariant(1.5f)},
        {8, TRegistryValue::Dword(1), QVariant("unchanged")}, // another code reads nothing but succeeds
        {vtInteger, TRegistryValue::String("1"), QVariant()},
        {vtDate, TRegistryValue::Binary(QByteArray(4, '\0')), QVariant()},
        {vtString, TRegistryValue::Dword(1), QVariant()},
    };
    ASSERT_TRUE(Registry.OpenKey("\\Software\\T", true));
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << c.Code << ", type " << c.Stored.Type);
        if (c.Stored.Type == REG_DWORD)
            Registry.WriteInteger("V", static_cast<int>(c.Stored.ToDword()));
        else if (c.Stored.Type == REG_SZ)
            Registry.WriteString("V", c.Stored.ToText());
        else
            Registry.WriteBinaryData("V", c.Stored.Data);
        QVariant target = QStringLiteral("unchanged");
        EXPECT_EQ(Registry.ReadValue("V", target, c.Code), c.Expected.isValid());
        EXPECT_EQ(target, c.Expected.isValid() ? c.Expected : QVariant("unchanged"));
        QVariant absent = 5;
        EXPECT_FALSE(Registry.ReadValue("Absent", absent, c.Code));
        EXPECT_EQ(absent, QVariant(5));
    }
}

TEST(GetMediaPathTest, IsTheSystemSoundFolder)
{
    const bool present = QFileInfo(QStringLiteral("/usr/share/sounds")).isDir();
    EXPECT_EQ(GetMediaPath(), present ? QStringLiteral("/usr/share/sounds") : QString());
}

} // namespace
