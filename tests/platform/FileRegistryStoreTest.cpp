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

    QStringList FilesBeside() const
    {
        QStringList names =
            QDir(Home.FilePath(QStringLiteral("settings"))).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
        names.removeIf([](const QString& name) { return name.endsWith(QStringLiteral(".lock")); });
        return names;
    }
};

TEST_F(FileRegistryStoreTest, KeepsValuesAcrossInstances)
{
    {
        TFileRegistryStore store(FilePath);
        ASSERT_TRUE(store.CreateKey(Key));
        ASSERT_TRUE(store.WriteValue(Key, QStringLiteral("Count"), TRegistryValue::Dword(3)));
    }
    TFileRegistryStore reopened(FilePath);
    EXPECT_TRUE(reopened.KeyExists(QStringLiteral("software\\orvalin")));
    EXPECT_EQ(reopened.ReadValue(Key, QStringLiteral("count")), TRegistryValue::Dword(3));
    EXPECT_EQ(reopened.SubKeyNames(QStringLiteral("Software\\Orvalin\\Vemora")), QStringList{QStringLiteral("2")});
}

TEST_F(FileRegistryStoreTest, SeesWhatAnotherInstanceWrote)
{
    TFileRegistryStore first(FilePath);
    TFileRegistryStore second(FilePath);
    ASSERT_TRUE(first.CreateKey(Key));
    EXPECT_FALSE(second.ReadValue(Key, QStringLiteral("A")));
    ASSERT_TRUE(first.WriteValue(Key, QStringLiteral("A"), TRegistryValue::Dword(1)));
    ASSERT_TRUE(second.WriteValue(Key, QStringLiteral("B"), TRegistryValue::Dword(2)));
    EXPECT_EQ(first.ValueNames(Key), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
}

TEST_F(FileRegistryStoreTest, WritesNeedAnExistingKey)
{
    TFileRegistryStore store(FilePath);
    EXPECT_FALSE(store.WriteValue(Key, QStringLiteral("A"), TRegistryValue::Dword(1)));
    EXPECT_FALSE(store.DeleteValue(Key, QStringLiteral("A")));
    EXPECT_FALSE(QFile::exists(FilePath));
}

TEST_F(FileRegistryStoreTest, RefusesNamesWithControlCharacters)
{
    TFileRegistryStore store(FilePath);
    EXPECT_FALSE(store.CreateKey(QStringLiteral("Software\\a\nb")));
    ASSERT_TRUE(store.CreateKey(Key));
    EXPECT_FALSE(store.WriteValue(Key, QStringLiteral("a\n[HKEY_CURRENT_USER\\X]"), TRegistryValue::Dword(1)));
    EXPECT_TRUE(store.WriteValue(Key, QStringLiteral("a b"), TRegistryValue::String(QStringLiteral("line\nbreak"))));
    EXPECT_EQ(TFileRegistryStore(FilePath).ReadValue(Key, QStringLiteral("a b")),
              TRegistryValue::String(QStringLiteral("line\nbreak")));
}

TEST_F(FileRegistryStoreTest, DeletesValuesAndEmptyKeys)
{
    TFileRegistryStore store(FilePath);
    ASSERT_TRUE(store.CreateKey(Key));
    ASSERT_TRUE(store.WriteValue(Key, QStringLiteral("A"), TRegistryValue::Dword(1)));
    EXPECT_TRUE(store.DeleteValue(Key, QStringLiteral("a")));
    EXPECT_FALSE(store.DeleteValue(Key, QStringLiteral("a")));
    EXPECT_FALSE(store.DeleteKey(QStringLiteral("Software\\Orvalin")));
    EXPECT_TRUE(store.DeleteKey(Key));
    EXPECT_FALSE(TFileRegistryStore(FilePath).KeyExists(Key));
}

TEST_F(FileRegistryStoreTest, MovesADamagedFileAsideAndStartsEmpty)
{
    Home.WriteFile(QStringLiteral("settings/registry.reg"), "this is not a settings file\n");
    TFileRegistryStore store(FilePath);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(store.KeyExists(Key));
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_NE(report.find("damaged"), std::string::npos) << report;
    const QStringList files = FilesBeside();
    ASSERT_EQ(files.size(), 1) << files.join(u' ').toStdString();
    EXPECT_TRUE(files[0].startsWith(QStringLiteral("registry.reg.damaged-")));
    EXPECT_EQ(ReadWholeFile(Home.FilePath(QStringLiteral("settings/") + files[0])),
              QByteArray("this is not a settings file\n"));

    ASSERT_TRUE(store.CreateKey(Key));
    EXPECT_TRUE(QFile::exists(FilePath));
    EXPECT_EQ(FilesBeside().size(), 2); // the new file and the damaged copy
}

TEST_F(FileRegistryStoreTest, MovesAnUnreadableStoreAside)
{
    QDir().mkpath(FilePath); // a folder where the file should be
    TFileRegistryStore store(FilePath);
    testing::internal::CaptureStderr();
    EXPECT_TRUE(store.CreateKey(Key));
    EXPECT_FALSE(testing::internal::GetCapturedStderr().empty());
    EXPECT_TRUE(QFileInfo(FilePath).isFile());
}

// A write that fails half-way (here: the file size limit) must leave the old file as it was.
TEST_F(FileRegistryStoreTest, AFailedWriteLeavesThePreviousFileIntact)
{
    TFileRegistryStore store(FilePath);
    ASSERT_TRUE(store.CreateKey(Key));
    ASSERT_TRUE(store.WriteValue(Key, QStringLiteral("Small"), TRegistryValue::Dword(1)));
    const QByteArray before = ReadWholeFile(FilePath);

    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = static_cast<rlim_t>(before.size() + 16);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const bool written = store.WriteValue(Key, QStringLiteral("Large"), TRegistryValue::Binary(QByteArray(4096, 'x')));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(ReadWholeFile(FilePath), before);
    EXPECT_FALSE(TFileRegistryStore(FilePath).ReadValue(Key, QStringLiteral("Large")));
    for (const QString& name : FilesBeside())
        EXPECT_EQ(name, QStringLiteral("registry.reg"));
}

TEST_F(FileRegistryStoreTest, TwoProcessesWritingAtOnceLoseNothing)
{
    const QString writer = QStringLiteral(VEMORA_BIN_DIR) + QStringLiteral("/registry_writer");
    ASSERT_TRUE(QFile::exists(writer)) << writer.toStdString();
    constexpr int Count = 60;
    QProcess first;
    QProcess second;
    first.start(writer, {FilePath, QStringLiteral("first"), QString::number(Count)});
    second.start(writer, {FilePath, QStringLiteral("second"), QString::number(Count)});
    ASSERT_TRUE(first.waitForFinished(60000));
    ASSERT_TRUE(second.waitForFinished(60000));
    EXPECT_EQ(first.exitCode(), 0) << first.readAllStandardError().toStdString();
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();

    TFileRegistryStore store(FilePath);
    const QString key = QStringLiteral("Software\\Shared");
    EXPECT_EQ(store.ValueNames(key).size(), 2 * Count);
    for (int i = 0; i < Count; ++i) {
        EXPECT_EQ(store.ReadValue(key, QStringLiteral("first") + QString::number(i)), TRegistryValue::Dword(i));
        EXPECT_EQ(store.ReadValue(key, QStringLiteral("second") + QString::number(i)), TRegistryValue::Dword(i));
    }
}

TEST(FileRegistryStorePathTest, FollowsTheEnvironment)
{
    TTemporaryHome home;
    EXPECT_EQ(TFileRegistryStore::DefaultFilePath(), home.RegistryFile());
    qputenv("VEMORA_HOME", "/tmp/vemora-home");
    EXPECT_EQ(TFileRegistryStore::DefaultFilePath(), QStringLiteral("/tmp/vemora-home/registry.reg"));
    qunsetenv("VEMORA_HOME");
}

} // namespace
