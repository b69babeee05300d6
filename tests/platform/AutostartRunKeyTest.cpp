#include "platform/AutostartRunKey.h"
#include "platform/Registry.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>

namespace {

const QString RunKey = QStringLiteral("\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");
const QString ValueName = QStringLiteral("Vemora, file version 2");

class AutostartRunKeyTest : public testing::Test {
protected:
    TTemporaryHome Home;
    TRegistry Registry{HKEY_CURRENT_USER};
    QString DesktopFile = QDir(Home.AutostartDirectory()).filePath("vemora-vemora-file-version-2.desktop");

    void SetUp() override { ASSERT_TRUE(Registry.OpenKey(RunKey, true)); }

    // Writes the value and returns the desktop entry it became.
    QString Written(const QString& data)
    {
        Registry.WriteString(ValueName, data);
        EXPECT_EQ(Registry.ReadString(ValueName), data);
        return QString::fromUtf8(ReadWholeFile(DesktopFile));
    }
};

TEST_F(AutostartRunKeyTest, AValueBecomesADesktopEntryAndDeletingItRemovesIt)
{
    EXPECT_TRUE(TRegistry(HKEY_CURRENT_USER).OpenKeyReadOnly(RunKey)) << "the key always exists";
    EXPECT_TRUE(Registry.GetValueNames().isEmpty());
    const QString text = Written("\"/opt/My Apps/vemora\" /r \"/home/u/Termine.vkd\"");
    EXPECT_EQ(Registry.GetValueNames(), QStringList{ValueName});
    EXPECT_TRUE(text.startsWith("[Desktop Entry]\nType=Application\n"));
    EXPECT_TRUE(text.contains("\nExec=\"/opt/My Apps/vemora\" \"/r\" \"/home/u/Termine.vkd\"\n"));

    EXPECT_TRUE(Registry.DeleteValue(ValueName));
    EXPECT_FALSE(QFile::exists(DesktopFile));
    EXPECT_FALSE(Registry.DeleteValue(ValueName));
}

TEST_F(AutostartRunKeyTest, SpecialCharactersAreQuotedByTheDesktopEntryRules)
{
    const QString text = Written("\"/bin/vemora\" /r \"/h/$HOME `x` 100% \\b.vkd\"");
    // Inside quotes $ ` \ are escaped and % doubled; then every backslash is escaped once more.
    EXPECT_TRUE(text.contains("\nExec=\"/bin/vemora\" \"/r\" \"/h/\\\\$HOME \\\\`x\\\\` 100%% \\\\\\\\b.vkd\"\n"))
        << text.toStdString();
    EXPECT_FALSE(TAutostartRunKey::ExecLine("   ")) << "a command needs a program";
    EXPECT_EQ(TAutostartRunKey::ExecLine(" prog "), QStringLiteral("\"prog\""));
}

TEST_F(AutostartRunKeyTest, ControlCharactersAndOtherTypesAreRefused)
{
    EXPECT_THROW(Registry.WriteString(ValueName, "\"/bin/vemora\" /r \"/tmp/a\nHidden=true.vkd\""), ERegistryException);
    EXPECT_THROW(Registry.WriteString(ValueName, "\"/bin/vemora\" /r \"/tmp/a\rb.vkd\""), ERegistryException);
    EXPECT_THROW(Registry.WriteString("name\nExec=evil", "x"), ERegistryException);
    EXPECT_THROW(Registry.WriteInteger(ValueName, 1), ERegistryException);
    EXPECT_TRUE(QDir(Home.AutostartDirectory()).entryList(QDir::Files).isEmpty());
}

TEST_F(AutostartRunKeyTest, AStartSwitchedOffOnTheDesktopCountsAsNone)
{
    for (const QByteArray line : {"Hidden=true\n", "X-GNOME-Autostart-enabled=false\n"}) {
        Written("\"/bin/vemora\" /r \"/f.vkd\"");
        QFile file(DesktopFile);
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write(line);
        file.close();
        EXPECT_FALSE(Registry.ValueExists(ValueName)) << line.constData();
    }
}

TEST_F(AutostartRunKeyTest, EntriesOfOtherProgramsAreNotValues)
{
    Home.WriteFile(".config/autostart/other.desktop", "[Desktop Entry]\nExec=other\n");
    Home.WriteFile(".config/autostart/vemora-foreign.desktop", "[Desktop Entry]\nExec=x\n");
    EXPECT_TRUE(Registry.GetValueNames().isEmpty());
}

} // namespace
