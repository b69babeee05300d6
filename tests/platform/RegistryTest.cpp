#include "platform/Registry.h"

#include "TestSupport.h"

#include <QFileInfo>

#include <functional>

namespace {

class RegistryTest : public testing::Test {
protected:
    TTemporaryHome Home;
    TRegistry Registry{HKEY_CURRENT_USER};

    void SetUp() override { ASSERT_TRUE(Registry.OpenKey(QStringLiteral("\\Software\\Test"), true)); }

    std::string ErrorOf(const std::function<void()>& action)
    {
        try {
            action();
        } catch (const ERegistryException& error) {
            return error.what();
        }
        return "no error";
    }
};

TEST_F(RegistryTest, TypedValuesReadBackAsWritten)
{
    Registry.WriteString(QStringLiteral("S"), QStringLiteral("Grüße"));
    Registry.WriteExpandString(QStringLiteral("E"), QStringLiteral("$HOME/x"));
    Registry.WriteInteger(QStringLiteral("I"), -42);
    Registry.WriteBool(QStringLiteral("B"), true);
    Registry.WriteDateTime(QStringLiteral("D"), 46000.75);
    Registry.WriteCurrency(QStringLiteral("C"), 12.3456);
    Registry.WriteBinaryData(QStringLiteral("Bin"), QByteArray("\x01\x02\x03", 3));

    EXPECT_EQ(Registry.ReadString(QStringLiteral("S")), QStringLiteral("Grüße"));
    EXPECT_EQ(Registry.ReadString(QStringLiteral("E")), QStringLiteral("$HOME/x"));
    EXPECT_EQ(Registry.ReadInteger(QStringLiteral("I")), -42);
    EXPECT_TRUE(Registry.ReadBool(QStringLiteral("B")));
    EXPECT_DOUBLE_EQ(Registry.ReadDateTime(QStringLiteral("D")), 46000.75);
    EXPECT_DOUBLE_EQ(Registry.ReadCurrency(QStringLiteral("C")), 12.3456);
    EXPECT_EQ(Registry.ReadBinaryData(QStringLiteral("Bin"), 3), QByteArray("\x01\x02\x03", 3));
    EXPECT_EQ(Registry.GetDataType(QStringLiteral("D")), REG_BINARY);
    EXPECT_EQ(Registry.GetDataSize(QStringLiteral("D")), 8);
    EXPECT_EQ(Registry.GetDataSize(QStringLiteral("missing")), -1);
}

TEST_F(RegistryTest, AnyNonZeroNumberReadsAsTrue)
{
    Registry.WriteInteger(QStringLiteral("B"), 7);
    EXPECT_TRUE(Registry.ReadBool(QStringLiteral("B")));
    Registry.WriteInteger(QStringLiteral("B"), 0);
    EXPECT_FALSE(Registry.ReadBool(QStringLiteral("B")));
}

TEST_F(RegistryTest, AnAbsentStringReadsEmptyButOtherKindsFail)
{
    EXPECT_EQ(Registry.ReadString(QStringLiteral("none")), QString());
    EXPECT_EQ(ErrorOf([&] { Registry.ReadInteger(QStringLiteral("none")); }), "Konnte Daten für 'none' nicht holen");
}

TEST_F(RegistryTest, WrongTypesAndSizesRaiseTheTypeError)
{
    Registry.WriteString(QStringLiteral("S"), QStringLiteral("1"));
    Registry.WriteInteger(QStringLiteral("I"), 1);
    Registry.WriteBinaryData(QStringLiteral("Short"), QByteArray(4, '\0'));
    const std::string typeError = "Ungültiger Datentyp für '%1'";
    const auto expected = [&](const char* name) { return QString::fromStdString(typeError).arg(QLatin1String(name)).toStdString(); };
    EXPECT_EQ(ErrorOf([&] { Registry.ReadInteger(QStringLiteral("S")); }), expected("S"));
    EXPECT_EQ(ErrorOf([&] { Registry.ReadString(QStringLiteral("I")); }), expected("I"));
    EXPECT_EQ(ErrorOf([&] { Registry.ReadDateTime(QStringLiteral("Short")); }), expected("Short"));
    EXPECT_EQ(ErrorOf([&] { Registry.ReadDateTime(QStringLiteral("I")); }), expected("I"));
    EXPECT_EQ(ErrorOf([&] { Registry.ReadBinaryData(QStringLiteral("Short"), 3); }), expected("Short"));
}

TEST_F(RegistryTest, AKeyOpenedForReadingCannotBeWritten)
{
    ASSERT_TRUE(Registry.OpenKeyReadOnly(QStringLiteral("\\Software\\Test")));
    EXPECT_EQ(ErrorOf([&] { Registry.WriteInteger(QStringLiteral("I"), 1); }), "Konnte Daten für 'I' nicht setzen");
    EXPECT_FALSE(Registry.DeleteValue(QStringLiteral("I")));
}

TEST_F(RegistryTest, ReadingDoesNotCreateKeys)
{
    EXPECT_FALSE(Registry.OpenKeyReadOnly(QStringLiteral("\\Software\\Absent")));
    EXPECT_FALSE(Registry.OpenKey(QStringLiteral("\\Software\\Absent"), false));
    EXPECT_FALSE(Registry.KeyExists(QStringLiteral("\\Software\\Absent")));
    EXPECT_EQ(Registry.CurrentPath(), QStringLiteral("\\Software\\Test")) << "a failed open keeps the open key";
}

TEST_F(RegistryTest, RelativeKeysOpenBelowTheCurrentKey)
{
    ASSERT_TRUE(Registry.OpenKey(QStringLiteral("Child\\Grandchild"), true));
    EXPECT_EQ(Registry.CurrentPath(), QStringLiteral("\\Software\\Test\\Child\\Grandchild"));
    ASSERT_TRUE(Registry.OpenKeyReadOnly(QStringLiteral("\\software\\TEST")));
    EXPECT_EQ(Registry.GetKeyNames(), QStringList{QStringLiteral("Child")});
    EXPECT_TRUE(Registry.HasSubKeys());
}

TEST_F(RegistryTest, DeletingAKeyDeletesEverythingBelowIt)
{
    ASSERT_TRUE(Registry.OpenKey(QStringLiteral("\\Software\\Test\\A\\B"), true));
    Registry.WriteInteger(QStringLiteral("I"), 1);
    ASSERT_TRUE(Registry.OpenKey(QStringLiteral("\\Software\\Test\\C"), true));
    EXPECT_TRUE(Registry.DeleteKey(QStringLiteral("\\Software\\Test")));
    EXPECT_FALSE(Registry.HasCurrentKey());
    EXPECT_FALSE(Registry.KeyExists(QStringLiteral("\\Software\\Test")));
    EXPECT_TRUE(Registry.KeyExists(QStringLiteral("\\Software")));
    EXPECT_FALSE(Registry.DeleteKey(QStringLiteral("\\Software\\Test")));
}

TEST(RegistryRootsTest, TheMachineRootHoldsOnlyTheMediaPath)
{
    TRegistry machine(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(machine.OpenKeyReadOnly(QStringLiteral("\\Software\\Microsoft\\Windows\\CurrentVersion")));
    EXPECT_EQ(machine.ValueExists(QStringLiteral("MediaPath")), QFileInfo(QStringLiteral("/usr/share/sounds")).isDir());
    EXPECT_FALSE(machine.OpenKey(QStringLiteral("\\Software\\New"), true));
    EXPECT_TRUE(machine.KeyExists(QStringLiteral("\\Software\\Microsoft")));
    EXPECT_FALSE(machine.KeyExists(QStringLiteral("\\Software\\Other")));
}

} // namespace
