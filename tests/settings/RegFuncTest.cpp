#include "settings/RegFunc.h"

#include "TestSupport.h"

#include <QFileInfo>

namespace {

struct TPathCase {
    const char* Name;
    const char* Base;
    const char* Sub;
    const char* Combined;
};

class CombineKeyPathTest : public testing::TestWithParam<TPathCase> {};

TEST_P(CombineKeyPathTest, JoinsWithOneBackslash)
{
    EXPECT_EQ(CombineKeyPath(QString::fromUtf8(GetParam().Base), QString::fromUtf8(GetParam().Sub)),
              QString::fromUtf8(GetParam().Combined));
}

INSTANTIATE_TEST_SUITE_P(Cases, CombineKeyPathTest,
                         testing::Values(TPathCase{"both_with_backslashes", "\\A\\", "\\B\\", "\\A\\B"},
                                         TPathCase{"empty_sub", "\\A", "", "\\A"},
                                         TPathCase{"plain_names", "\\A", "B", "\\A\\B"},
                                         TPathCase{"empty_base", "", "B\\", "B"},
                                         TPathCase{"both_empty", "", "", ""}),
                         [](const testing::TestParamInfo<TPathCase>& info) { return std::string(info.param.Name); });

TEST(ParentKeyPathTest, DropsTheLastName)
{
    EXPECT_EQ(ParentKeyPath(QStringLiteral("\\Software\\Orvalin")), QStringLiteral("\\Software"));
    EXPECT_EQ(ParentKeyPath(QStringLiteral("\\Software")), QString());
    EXPECT_EQ(ParentKeyPath(QStringLiteral("Software")), QString());
}

class ApplicationRegTest : public testing::Test {
protected:
    TTemporaryHome Home;
};

TEST_F(ApplicationRegTest, TheKeyPathCarriesMakerNameAndVersion)
{
    TApplicationReg registry(QStringLiteral("Vemora"));
    EXPECT_EQ(registry.VersionText(), QStringLiteral("2.1"));
    EXPECT_EQ(registry.RootPath(), QStringLiteral("\\Software\\Orvalin\\Vemora\\2\\1"));
    registry.SetAppName(QStringLiteral("Other"));
    EXPECT_EQ(registry.RootPath(), QStringLiteral("\\Software\\Orvalin\\Other\\2\\1"));
    EXPECT_EQ(TApplicationReg(QStringLiteral("X"), QStringLiteral("?.?.?.?")).RootPath(),
              QStringLiteral("\\Software\\Orvalin\\X\\?\\?\\?\\?"));
}

TEST_F(ApplicationRegTest, OpeningForReadingCreatesNothing)
{
    TApplicationReg registry(QStringLiteral("Vemora"));
    EXPECT_FALSE(registry.OpenAppKey(AppRootCurrentUser, QString(), false));
    EXPECT_FALSE(QFileInfo::exists(Home.RegistryFile()));
    ASSERT_TRUE(registry.OpenAppKey(AppRootCurrentUser, QStringLiteral("FormMain\\Font"), true));
    EXPECT_EQ(registry.CurrentPath(), QStringLiteral("\\Software\\Orvalin\\Vemora\\2\\1\\FormMain\\Font"));
    EXPECT_TRUE(registry.OpenAppKey(AppRootCurrentUser, QStringLiteral("\\FormMain"), false));
}

TEST_F(ApplicationRegTest, AnotherVersionFindsNothing)
{
    TApplicationReg current(QStringLiteral("Vemora"), QStringLiteral("2.1"));
    ASSERT_TRUE(current.OpenAppKey(AppRootCurrentUser, QString(), true));
    current.WriteInteger(QStringLiteral("Value"), 1);
    TApplicationReg next(QStringLiteral("Vemora"), QStringLiteral("2.2"));
    EXPECT_FALSE(next.OpenAppKey(AppRootCurrentUser, QString(), false));
}

TEST_F(ApplicationRegTest, DeletingTheAppKeyRemovesParentsWhileEmpty)
{
    TApplicationReg registry(QStringLiteral("Vemora"));
    ASSERT_TRUE(registry.OpenAppKey(AppRootCurrentUser, QStringLiteral("FormMain\\Font"), true));
    registry.WriteInteger(QStringLiteral("Size"), 9);
    TRegistry other(HKEY_CURRENT_USER);
    ASSERT_TRUE(other.OpenKey(QStringLiteral("\\Software\\Keep"), true));

    EXPECT_TRUE(registry.DeleteAppKey());
    EXPECT_FALSE(other.KeyExists(QStringLiteral("\\Software\\Orvalin")));
    EXPECT_TRUE(other.KeyExists(QStringLiteral("\\Software\\Keep")));
    EXPECT_FALSE(registry.HasCurrentKey());
    EXPECT_FALSE(registry.DeleteAppKey());
}

TEST_F(ApplicationRegTest, DeletingStopsAtAParentThatHoldsMore)
{
    TApplicationReg registry(QStringLiteral("Vemora"));
    ASSERT_TRUE(registry.OpenAppKey(AppRootCurrentUser, QString(), true));
    TRegistry other(HKEY_CURRENT_USER);
    ASSERT_TRUE(other.OpenKey(QStringLiteral("\\Software\\Orvalin\\Vemora"), true));
    other.WriteString(QStringLiteral("Note"), QStringLiteral("keep me"));
    ASSERT_TRUE(other.OpenKey(QStringLiteral("\\Software\\Orvalin\\Vemora\\1\\9"), true));

    EXPECT_TRUE(registry.DeleteAppKey());
    EXPECT_FALSE(other.KeyExists(QStringLiteral("\\Software\\Orvalin\\Vemora\\2")));
    EXPECT_TRUE(other.KeyExists(QStringLiteral("\\Software\\Orvalin\\Vemora\\1\\9")));
}

struct TReadCase {
    const char* Name;
    int Code;
    TRegistryValue Stored;
    QVariant Expected; // invalid: the read fails and the target keeps its value
};

class ReadValueTest : public testing::TestWithParam<TReadCase> {};

QByteArray DoubleBytes(double value)
{
    QByteArray bytes(8, '\0');
    std::memcpy(bytes.data(), &value, 8);
    return bytes;
}

TEST_P(ReadValueTest, ReadsByTypeCode)
{
    TTemporaryHome home;
    TCustomRegistry registry(HKEY_CURRENT_USER);
    ASSERT_TRUE(registry.OpenKey(QStringLiteral("\\Software\\T"), true));
    TRegistry raw(HKEY_CURRENT_USER);
    ASSERT_TRUE(raw.OpenKey(QStringLiteral("\\Software\\T"), true));
    const TReadCase& c = GetParam();
    if (c.Stored.Type == REG_DWORD)
        raw.WriteInteger(QStringLiteral("V"), static_cast<int>(c.Stored.ToDword()));
    else if (c.Stored.Type == REG_SZ)
        raw.WriteString(QStringLiteral("V"), c.Stored.ToText());
    else
        raw.WriteBinaryData(QStringLiteral("V"), c.Stored.Data);

    QVariant target = QStringLiteral("unchanged");
    const bool read = registry.ReadValue(QStringLiteral("V"), target, c.Code);
    if (!c.Expected.isValid()) {
        EXPECT_FALSE(read);
        EXPECT_EQ(target, QVariant(QStringLiteral("unchanged")));
    } else {
        EXPECT_TRUE(read);
        EXPECT_EQ(target, c.Expected);
    }
    QVariant absent = 5;
    EXPECT_FALSE(registry.ReadValue(QStringLiteral("Absent"), absent, c.Code));
    EXPECT_EQ(absent, QVariant(5));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadValueTest,
    testing::Values(
        TReadCase{"integer", vtInteger, TRegistryValue::Dword(0xffffffff), QVariant(-1)},
        TReadCase{"small_integer_is_cut_to_16_bits", vtSmallint, TRegistryValue::Dword(0x12345), QVariant::fromValue<qint16>(0x2345)},
        TReadCase{"byte_is_cut_to_8_bits", vtByte, TRegistryValue::Dword(0x1ff), QVariant::fromValue<quint8>(0xff)},
        TReadCase{"boolean", vtBoolean, TRegistryValue::Dword(2), QVariant(true)},
        TReadCase{"string", vtString, TRegistryValue::String(QStringLiteral("text")), QVariant(QStringLiteral("text"))},
        TReadCase{"date_time", vtDate, TRegistryValue::Binary(DoubleBytes(45000.5)), QVariant(45000.5)},
        TReadCase{"double", vtDouble, TRegistryValue::Binary(DoubleBytes(-2.25)), QVariant(-2.25)},
        TReadCase{"single", vtSingle, TRegistryValue::Binary(DoubleBytes(1.5)), QVariant(1.5f)},
        TReadCase{"other_code_reads_nothing_but_succeeds", 8, TRegistryValue::Dword(1), QVariant(QStringLiteral("unchanged"))},
        TReadCase{"integer_from_a_string_fails", vtInteger, TRegistryValue::String(QStringLiteral("1")), QVariant()},
        TReadCase{"date_from_four_bytes_fails", vtDate, TRegistryValue::Binary(QByteArray(4, '\0')), QVariant()},
        TReadCase{"string_from_a_number_fails", vtString, TRegistryValue::Dword(1), QVariant()}),
    [](const testing::TestParamInfo<TReadCase>& info) { return std::string(info.param.Name); });

TEST(GetMediaPathTest, IsTheSystemSoundFolder)
{
    const bool present = QFileInfo(QStringLiteral("/usr/share/sounds")).isDir();
    EXPECT_EQ(GetMediaPath(), present ? QStringLiteral("/usr/share/sounds") : QString());
}

} // namespace
