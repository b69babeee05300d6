#include "platform/Registry.h"

#include "TestSupport.h"

#include <QFileInfo>

#include <functional>

namespace {

class RegistryTest : public testing::Test {
protected:
    TTemporaryHome Home;
    TRegistry Registry{HKEY_CURRENT_USER};

    void SetUp() override { ASSERT_TRUE(Registry.OpenKey("\\Software\\Test", true)); }
};

std::string ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const ERegistryException& error) {
        return error.what();
    }
    return "no error";
}

TEST_F(RegistryTest, TypedValuesReadBackAsWritten)
{
    Registry.WriteString("S", "Grüße");
    Registry.WriteExpandString("E", "$HOME/x");
    Registry.WriteInteger("I", -42);
    Registry.WriteBool("B", true);
    Registry.WriteInteger("N", 7);
    Registry.WriteInteger("Z", 0);
    Registry.WriteDateTime("D", 46000.75);
    Registry.WriteCurrency("C", 12.3456);
    Registry.WriteBinaryData("Bin", QByteArray("\x01\x02\x03", 3));

    EXPECT_EQ(Registry.ReadString("S"), QStringLiteral("Grüße"));
    EXPECT_EQ(Registry.ReadString("E"), QStringLiteral("$HOME/x"));
    EXPECT_EQ(Registry.ReadInteger("I"), -42);
    EXPECT_TRUE(Registry.ReadBool("B"));
    EXPECT_TRUE(Registry.ReadBool("N")) << "any number but zero is true";
    EXPECT_FALSE(Registry.ReadBool("Z"));
    EXPECT_DOUBLE_EQ(Registry.ReadDateTime("D"), 46000.75);
    EXPECT_DOUBLE_EQ(Registry.ReadCurrency("C"), 12.3456);
    EXPECT_EQ(Registry.ReadBinaryData("Bin", 3), QByteArray("\x01\x02\x03", 3));
    EXPECT_EQ(Registry.GetDataType("D"), REG_BINARY);
    EXPECT_EQ(Registry.GetDataSize("D"), 8);
    EXPECT_EQ(Registry.GetDataSize("missing"), -1);
    EXPECT_EQ(Registry.ReadString("missing"), QString()) << "an absent string reads empty";
}

TEST_F(RegistryTest, FailuresRaiseTheMessageNamingTheValue)
{
    Registry.WriteString("S", "1");
    Registry.WriteInteger("I", 1);
    Registry.WriteBinaryData("Short", QByteArray(4, '\0'));
    const auto typeError = [](const char* name) { return "Ungültiger Datentyp für '" + std::string(name) + "'"; };
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] { Registry.ReadInteger("none"); }, "Konnte Daten für 'none' nicht holen"},
        {[&] { Registry.ReadInteger("S"); }, typeError("S")},
        {[&] { Registry.ReadString("I"); }, typeError("I")},
        {[&] { Registry.ReadDateTime("Short"); }, typeError("Short")},
        {[&] { Registry.ReadDateTime("I"); }, typeError("I")},
        {[&] { Registry.ReadBinaryData("Short", 3); }, typeError("Short")},
    };
    for (const auto& [action, message] : cases)
        EXPECT_EQ(ErrorOf(action), message);

    ASSERT_TRUE(Registry.OpenKeyReadOnly("\\Software\\Test"));
    EXPECT_EQ(ErrorOf([&] { Registry.WriteInteger("I", 1); }), "Konnte Daten für 'I' nicht setzen");
    EXPECT_FALSE(Registry.DeleteValue("I"));
}

TEST_F(RegistryTest, KeysOpenRelativelyAndReadingCreatesNone)
{
    EXPECT_FALSE(Registry.OpenKeyReadOnly("\\Software\\Absent"));
    EXPECT_FALSE(Registry.OpenKey("\\Software\\Absent", false));
    EXPECT_FALSE(Registry.KeyExists("\\Software\\Absent"));
    EXPECT_EQ(Registry.CurrentPath(), QStringLiteral("\\Software\\Test")) << "a failed open keeps the open key";

    ASSERT_TRUE(Registry.OpenKey("Child\\Grandchild", true));
    EXPECT_EQ(Registry.CurrentPath(), QStringLiteral("\\Software\\Test\\Child\\Grandchild"));
    ASSERT_TRUE(Registry.OpenKeyReadOnly("\\software\\TEST"));
    EXPECT_EQ(Registry.GetKeyNames(), QStringList{"Child"});
    EXPECT_TRUE(Registry.HasSubKeys());
}

TEST_F(RegistryTest, DeletingAKeyDeletesEverythingBelowIt)
{
    ASSERT_TRUE(Registry.OpenKey("\\Software\\Test\\A\\B", true));
    Registry.WriteInteger("I", 1);
    ASSERT_TRUE(Registry.OpenKey("\\Software\\Test\\C", true));
    EXPECT_TRUE(Registry.DeleteKey("\\Software\\Test"));
    EXPECT_FALSE(Registry.HasCurrentKey());
    EXPECT_FALSE(Registry.KeyExists("\\Software\\Test"));
    EXPECT_TRUE(Registry.KeyExists("\\Software"));
    EXPECT_FALSE(Registry.DeleteKey("\\Software\\Test"));
}

TEST(RegistryRootsTest, TheMachineRootHoldsOnlyTheMediaPath)
{
    TRegistry machine(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(machine.OpenKeyReadOnly("\\Software\\Microsoft\\Windows\\CurrentVersion"));
    EXPECT_EQ(machine.ValueExists("MediaPath"), QFileInfo(QStringLiteral("/usr/share/sounds")).isDir());
    EXPECT_FALSE(machine.OpenKey("\\Software\\New", true));
    EXPECT_TRUE(machine.KeyExists("\\Software\\Microsoft"));
    EXPECT_FALSE(machine.KeyExists("\\Software\\Other"));
}

} // namespace
