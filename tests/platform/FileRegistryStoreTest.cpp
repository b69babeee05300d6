#include "platform/FileRegistryStore.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <csignal>
#include <sys/resource.h>

namespace {

const QString Key = QStringLiteral("Software\\Orvalin\\Vemora\\2\\1");

class FileRegistryStoreTest : public testing::Test {
protected:
    TTemporaryHome Home;
    QString FilePath = Home.FilePath(QStringLiteral("settings/registry.reg"));
    TFileRegistryStore Store{FilePath};

    // The files beside the store, without its lock file.
    QStringList FilesBeside() const
    {
        QStringList names = QDir(QFileInfo(FilePath).path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
        names.removeIf([](const QString& name) { return name.endsWith(QStringLiteral(".lock")); });
        return names;
    }
};

TEST_F(FileRegistryStoreTest, InstancesShareTheFileAndIgnoreLetterCase)
{
    TFileRegistryStore second(FilePath);
    EXPECT_FALSE(Store.WriteValue(Key, "A", TRegistryValue::Dword(1))) << "a write needs an existing key";
    EXPECT_FALSE(QFile::exists(FilePath));
    ASSERT_TRUE(Store.CreateKey(Key));
    EXPECT_FALSE(second.ReadValue(Key, "A"));
    ASSERT_TRUE(Store.WriteValue(Key, "A", TRegistryValue::Dword(1)));
    ASSERT_TRUE(second.WriteValue(Key, "B", TRegistryValue::Dword(2)));
    EXPECT_EQ(Store.ValueNames(Key), QStringList({"A", "B"}));
    TFileRegistryStore reopened(FilePath);
    EXPECT_TRUE(reopened.KeyExists("software\\orvalin"));
    EXPECT_EQ(reopened.ReadValue(Key, "b"), TRegistryValue::Dword(2));
    EXPECT_EQ(reopened.SubKeyNames("Software\\Orvalin\\Vemora"), QStringList{"2"});

    EXPECT_TRUE(Store.DeleteValue(Key, "a"));
    EXPECT_FALSE(second.DeleteValue(Key, "a"));
    EXPECT_FALSE(Store.DeleteKey("Software\\Orvalin")) << "it has subkeys";
    EXPECT_TRUE(Store.DeleteKey(Key));
    EXPECT_FALSE(reopened.KeyExists(Key));
}

TEST_F(FileRegistryStoreTest, NamesWithControlCharactersAreRefusedButDataMayHoldThem)
{
    EXPECT_FALSE(Store.CreateKey("Software\\a\nb"));
    ASSERT_TRUE(Store.CreateKey(Key));
    EXPECT_FALSE(Store.WriteValue(Key, "a\n[HKEY_CURRENT_USER\\X]", TRegistryValue::Dword(1)));
    const TRegistryValue twoLines = TRegistryValue::String("line\nbreak");
    EXPECT_TRUE(Store.WriteValue(Key, "a b", twoLines));
    EXPECT_EQ(TFileRegistryStore(FilePath).ReadValue(Key, "a b"), twoLines);
}

TEST_F(FileRegistryStoreTest, ADamagedFileIsMovedAsideReportedAndKept)
{
    Home.WriteFile(QStringLiteral("settings/registry.reg"), "this is not a settings file\n");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(Store.KeyExists(Key));
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_NE(report.find("damaged"), std::string::npos) << report;
    const QStringList files = FilesBeside();
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(files[0].startsWith(QStringLiteral("registry.reg.damaged-")));
    EXPECT_EQ(ReadWholeFile(QFileInfo(FilePath).dir().filePath(files[0])), "this is not a settings file\n");

    ASSERT_TRUE(Store.CreateKey(Key));
    EXPECT_EQ(FilesBeside().size(), 2); // the new file and the damaged copy
}

TEST_F(FileRegistryStoreTest, AFolderInThePlaceOfTheFileIsMovedAside)
{
    QDir().mkpath(FilePath);
    testing::internal::CaptureStderr();
    EXPECT_TRUE(Store.CreateKey(Key));
    EXPECT_FALSE(testing::internal::GetCapturedStderr().empty());
    EXPECT_TRUE(QFileInfo(FilePath).isFile());
}

// A write that fails half-way (here: the file size limit) must leave the old file as it was.
TEST_F(FileRegistryStoreTest, AFailedWriteLeavesThePreviousFileIntact)
{
    ASSERT_TRUE(Store.CreateKey(Key));
    ASSERT_TRUE(Store.WriteValue(Key, "Small", TRegistryValue::Dword(1)));
    const QByteArray before = ReadWholeFile(FilePath);

    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = static_cast<rlim_t>(before.size() + 16);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const bool written = Store.WriteValue(Key, "Large", TRegistryValue::Binary(QByteArray(4096, 'x')));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(ReadWholeFile(FilePath), before);
    EXPECT_FALSE(TFileRegistryStore(FilePath).ReadValue(Key, "Large"));
    EXPECT_EQ(FilesBeside(), QStringList{"registry.reg"}) << "no temporary file is left behind";
}

TEST_F(FileRegistryStoreTest, TwoProcessesWritingAtOnceLoseNothing)
{
    const QString writer = QStringLiteral(VEMORA_BIN_DIR "/registry_writer");
    constexpr int Count = 60;
    QProcess first;
    QProcess second;
    first.start(writer, {FilePath, "first", QString::number(Count)});
    second.start(writer, {FilePath, "second", QString::number(Count)});
    for (QProcess* process : {&first, &second}) {
        ASSERT_TRUE(process->waitForFinished(60000)) << writer.toStdString();
        EXPECT_EQ(process->exitCode(), 0) << process->readAllStandardError().toStdString();
    }
    const QString key = QStringLiteral("Software\\Shared");
    EXPECT_EQ(Store.ValueNames(key).size(), 2 * Count);
    for (int i = 0; i < Count; ++i) {
        EXPECT_EQ(Store.ReadValue(key, "first" + QString::number(i)), TRegistryValue::Dword(i));
        EXPECT_EQ(Store.ReadValue(key, "second" + QString::number(i)), TRegistryValue::Dword(i));
    }
}

TEST_F(FileRegistryStoreTest, TheDefaultPathFollowsTheEnvironment)
{
    EXPECT_EQ(TFileRegistryStore::DefaultFilePath(), Home.RegistryFile());
    qputenv("VEMORA_HOME", "/tmp/vemora-home");
    EXPECT_EQ(TFileRegistryStore::DefaultFilePath(), QStringLiteral("/tmp/vemora-home/registry.reg"));
    qunsetenv("VEMORA_HOME");
}

} // namespace
