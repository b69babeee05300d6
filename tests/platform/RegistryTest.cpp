#include "platform/FileRegistryStore.h"
#include "platform/Registry.h"
#include "platform/RegistryFileFormat.h"

#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QVariant>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString StoreKey = QStringLiteral("Software\\Test");

class RegistryTest : public testing::Test {
protected:
    TTemporaryHome Home;
    TRegistry Registry{HKEY_CURRENT_USER};
    QString FilePath = Home.RegistryFile();

    void SetUp() override { ASSERT_TRUE(Registry.OpenKey("\\Software\\Test", true)); }

    // The files beside the store, without its lock file.
    QStringList FilesBeside() const
    {
        QStringList names = QDir(QFileInfo(FilePath).path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
        names.removeIf([](const QString& name) { return name.endsWith(QStringLiteral(".lock")); });
        return names;
    }
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

TEST_F(RegistryTest, EveryValueTypeGoesIntoTheFileAsTextAndReadsBack)
{
    Registry.WriteString("S", "say \"hi\" C:\\x ä €");
    Registry.WriteString("", "8");
    Registry.WriteString("Two Lines", "a\nb");
    Registry.WriteExpandString("E", "%H");
    Registry.WriteInteger("I", -2);
    Registry.WriteBool("B", true);
    Registry.WriteDateTime("D", 46000.75);
    Registry.WriteCurrency("C", 12.3456);
    Registry.WriteBinaryData("Bin", QByteArray("\x00\x01\xff", 3));
    Registry.WriteBinaryData("Empty", QByteArray());
    ASSERT_TRUE(Registry.OpenKey("\\Software\\Empty Key", true));
    TFileRegistryStore store(FilePath);
    ASSERT_TRUE(store.WriteValue(StoreKey, "Odd", TRegistryValue{REG_SZ, QByteArray("x", 1)}));

    EXPECT_EQ(QString::fromUtf8(ReadWholeFile(FilePath)).split(u'\n'),
              QStringList({"Windows Registry Editor Version 5.00", "", "[HKEY_CURRENT_USER\\Software]", "",
                           "[HKEY_CURRENT_USER\\Software\\Empty Key]", "", "[HKEY_CURRENT_USER\\Software\\Test]",
                           "\"S\"=\"say \\\"hi\\\" C:\\\\x ä €\"", "@=\"8\"",
                           "\"Two Lines\"=hex(1):61,00,0a,00,62,00,00,00", "\"E\"=hex(2):25,00,48,00,00,00",
                           "\"I\"=dword:fffffffe", "\"B\"=dword:00000001", "\"D\"=hex:00,00,00,00,18,76,e6,40",
                           "\"C\"=hex:40,e2,01,00,00,00,00,00", "\"Bin\"=hex:00,01,ff", "\"Empty\"=hex:",
                           "\"Odd\"=hex(1):78", "", ""}));

    TRegistry reread(HKEY_CURRENT_USER);
    ASSERT_TRUE(reread.OpenKeyReadOnly("\\software\\TEST"));
    EXPECT_EQ(QVariantList({reread.ReadString("S"), reread.ReadString(""), reread.ReadString("two lines"),
                            reread.ReadString("E"), reread.ReadInteger("I"), reread.ReadBool("B"),
                            reread.ReadDateTime("D"), reread.ReadCurrency("C"), reread.ReadBinaryData("Bin", 3),
                            reread.ReadString("missing"), reread.GetDataSize("missing")}),
              QVariantList({"say \"hi\" C:\\x ä €", "8", "a\nb", "%H", -2, true, 46000.75, 12.3456,
                            QByteArray("\x00\x01\xff", 3), QString(), -1}));
    EXPECT_EQ(reread.GetDataType("D"), REG_BINARY);
    EXPECT_EQ(store.ReadValue(StoreKey, "Odd"), (TRegistryValue{REG_SZ, QByteArray("x", 1)}));
}

TEST(RegistryFileFormatTest, ReadsExportsWithContinuedHexLinesAndComments)
{
    const TRegistryParseResult parsed = ParseRegistryFile("Windows Registry Editor Version 5.00\r\n\r\n"
                                                          "; written by hand\r\n[HKEY_CURRENT_USER\\A\\B]\r\n"
                                                          "\"Order\"=hex:00,00,00,00,01,00,\\\r\n  00,00\r\n",
                                                          "HKEY_CURRENT_USER");
    ASSERT_EQ(parsed.DamagedLines, 0) << parsed.FirstError.toStdString();
    ASSERT_NE(parsed.Tree.FindValue("a\\b", "ORDER"), nullptr);
    EXPECT_EQ(parsed.Tree.FindValue("A\\B", "Order")->Data, QByteArray("\x00\x00\x00\x00\x01\x00\x00\x00", 8));
}

// A damaged line costs that line only: the damaged file is kept beside as it was, every other
// value stays, and standard error says how many lines were damaged (each file also has a value
// before any key).
TEST_F(RegistryTest, ADamagedLineCostsThatLineOnly)
{
    const QByteArray header = "Windows Registry Editor Version 5.00\n";
    const std::pair<const char*, QByteArray> cases[] = {
        {"a line cut short", "\"a\"=\"b\n"},           {"a bad escape", "\"a\"=\"b\\\"\n"},
        {"a run of binary bytes", "\xff\xfe\x01\x80\n"}, {"bad hex", "\"a\"=hex:0g\n"},
        {"a key without its bracket", "[HKEY_CURRENT_USER\\C\n"},
    };
    for (const auto& [name, damage] : cases) {
        SCOPED_TRACE(name);
        QDir(QFileInfo(FilePath).path()).removeRecursively();
        const QByteArray content = header + "\"lost\"=\"before any key\"\n[HKEY_CURRENT_USER\\A]\n\"x\"=\"1\"\n" + damage
                                   + "\"y\"=dword:00000002\n[HKEY_CURRENT_USER\\B]\n\"z\"=\"3\"\n";
        Home.WriteFile(QDir(Home.Path()).relativeFilePath(FilePath), content);
        TFileRegistryStore store(FilePath);
        testing::internal::CaptureStderr();
        const bool underA = store.ReadValue("A", "y").has_value() || store.ReadValue("C", "y").has_value();
        EXPECT_EQ(std::tuple(store.ReadValue("A", "x").has_value(), underA, store.ReadValue("B", "z").has_value()),
                  std::tuple(true, true, true));
        EXPECT_NE(testing::internal::GetCapturedStderr().find("2 damaged line(s)"), std::string::npos);
        const QStringList files = FilesBeside();
        ASSERT_EQ(files.size(), 2);
        EXPECT_EQ(ReadWholeFile(QFileInfo(FilePath).dir().filePath(files[1])), content) << "kept beside as it was";
        ASSERT_TRUE(store.CreateKey("D"));
        EXPECT_TRUE(TFileRegistryStore(FilePath).ReadValue("B", "z").has_value()) << "written back with the rest";
    }

    QDir(QFileInfo(FilePath).path()).removeRecursively();
    QDir().mkpath(FilePath); // a folder in the place of the file
    testing::internal::CaptureStderr();
    EXPECT_TRUE(TFileRegistryStore(FilePath).CreateKey("A"));
    EXPECT_FALSE(testing::internal::GetCapturedStderr().empty());
    EXPECT_TRUE(QFileInfo(FilePath).isFile());
}

TEST_F(RegistryTest, FailuresRaiseTheMessageNamingTheValue)
{
    Registry.WriteString("S", "1");
    Registry.WriteInteger("I", 1);
    Registry.WriteBinaryData("Short", QByteArray(4, '\0'));
    const auto typeError = [](const char* name) { return "Ungültiger Datentyp für '" + std::string(name) + "'"; };
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] { Registry.ReadInteger("none"); }, "Konnte Daten für 'none' nicht holen"},
        {[&] { Registry.ReadInteger("S"); }, typeError("S")}, {[&] { Registry.ReadString("I"); }, typeError("I")},
        {[&] { Registry.ReadDateTime("Short"); }, typeError("Short")},
        {[&] { Registry.ReadBinaryData("Short", 3); }, typeError("Short")},
        {[&] { Registry.WriteString("a\nb", "x"); }, "Konnte Daten für 'a\nb' nicht setzen"},
    };
    for (const auto& [action, message] : cases)
        EXPECT_EQ(ErrorOf(action), message);

    ASSERT_TRUE(Registry.OpenKeyReadOnly("\\Software\\Test"));
    EXPECT_EQ(ErrorOf([&] { Registry.WriteInteger("I", 1); }) + (Registry.DeleteValue("I") ? " deleted" : ""),
              "Konnte Daten für 'I' nicht setzen");
}

TEST_F(RegistryTest, KeysOpenRelativelyIgnoreLetterCaseAndDeleteWithEverythingBelow)
{
    EXPECT_EQ(QList({Registry.OpenKeyReadOnly("\\Software\\Absent"), Registry.OpenKey("\\Software\\Absent", false),
                     Registry.KeyExists("\\Software\\Absent"), Registry.OpenKey("\\Software\\a\nb", true)}),
              QList({false, false, false, false}));
    EXPECT_EQ(Registry.CurrentPath(), QStringLiteral("\\Software\\Test")) << "a failed open keeps the open key";

    ASSERT_TRUE(Registry.OpenKey("Child\\Grandchild", true));
    EXPECT_EQ(Registry.CurrentPath(), QStringLiteral("\\Software\\Test\\Child\\Grandchild"));
    Registry.WriteInteger("I", 1);
    ASSERT_TRUE(Registry.OpenKeyReadOnly("\\software\\TEST"));
    EXPECT_EQ(std::pair(Registry.GetKeyNames(), Registry.HasSubKeys()), std::pair(QStringList{"Child"}, true));
    EXPECT_FALSE(TFileRegistryStore(FilePath).DeleteKey("Software\\Test")) << "it has subkeys";

    EXPECT_TRUE(Registry.DeleteKey("\\Software\\Test"));
    EXPECT_EQ(QList({Registry.HasCurrentKey(), Registry.KeyExists("\\Software\\Test"), Registry.KeyExists("\\Software"),
                     Registry.DeleteKey("\\Software\\Test")}),
              QList({false, false, true, false}));

    EXPECT_FALSE(TRegistry(HKEY_LOCAL_MACHINE).OpenKey("\\Software\\New", true));
    qputenv("VEMORA_HOME", "/tmp/vemora-home"); // the fixture's home restores it
    EXPECT_EQ(TFileRegistryStore::DefaultFilePath(), QStringLiteral("/tmp/vemora-home/registry.reg"));
}

// A write that fails half-way (here: the file size limit) must leave the old file as it was.
TEST_F(RegistryTest, AFailedWriteLeavesThePreviousFileIntact)
{
    Registry.WriteInteger("Small", 1);
    const QByteArray before = ReadWholeFile(FilePath);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limited{static_cast<rlim_t>(before.size() + 16), saved.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const std::string error = ErrorOf([&] { Registry.WriteBinaryData("Large", QByteArray(4096, 'x')); });
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_NE(error, "no error");
    EXPECT_EQ(ReadWholeFile(FilePath), before);
    EXPECT_EQ(FilesBeside(), QStringList{"registry.reg"}) << "no temporary file is left behind";
}

TEST_F(RegistryTest, TwoProcessesWritingAtOnceLoseNothing)
{
    constexpr int Count = 60;
    pid_t children[2];
    for (int child = 0; child < 2; ++child) {
        children[child] = fork();
        ASSERT_GE(children[child], 0);
        if (children[child] == 0) {
            TFileRegistryStore store(FilePath);
            for (int i = 0; i < Count; ++i)
                if (!store.WriteValue(StoreKey, QStringLiteral("%1-%2").arg(child).arg(i), TRegistryValue::Dword(i)))
                    _exit(1);
            _exit(0);
        }
    }
    for (int status = -1; const pid_t child : children)
        EXPECT_TRUE(waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0);
    TFileRegistryStore store(FilePath);
    EXPECT_EQ(store.ValueNames(StoreKey).size(), 2 * Count);
    EXPECT_EQ(store.ReadValue(StoreKey, QStringLiteral("0-%1").arg(Count - 1)), TRegistryValue::Dword(Count - 1));
}

} // namespace
