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

    QString DesktopFile() const
    {
        return QDir(Home.AutostartDirectory()).filePath(QStringLiteral("vemora-vemora-file-version-2.desktop"));
    }
    QString DesktopText() const { return QString::fromUtf8(ReadWholeFile(DesktopFile())); }
};

TEST_F(AutostartRunKeyTest, TheRunKeyAlwaysExists)
{
    EXPECT_TRUE(Registry.OpenKeyReadOnly(RunKey));
    EXPECT_TRUE(Registry.GetValueNames().isEmpty());
    EXPECT_FALSE(Registry.ValueExists(ValueName));
}

TEST_F(AutostartRunKeyTest, AValueBecomesADesktopEntryAndReadsBackExactly)
{
    const QString data = QStringLiteral("\"/opt/My Apps/vemora\" /r \"/home/u/Termine.vkd\"");
    ASSERT_TRUE(Registry.OpenKey(RunKey, true));
    Registry.WriteString(ValueName, data);

    EXPECT_EQ(Registry.ReadString(ValueName), data);
    EXPECT_EQ(Registry.GetValueNames(), QStringList{ValueName});
    const QString text = DesktopText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("[Desktop Entry]\nType=Application\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nExec=\"/opt/My Apps/vemora\" \"/r\" \"/home/u/Termine.vkd\"\n")));
    EXPECT_TRUE(TRegistry(HKEY_CURRENT_USER).OpenKeyReadOnly(RunKey));
}

TEST_F(AutostartRunKeyTest, SpecialCharactersAreQuotedByTheDesktopEntryRules)
{
    const QString data = QStringLiteral("\"/bin/vemora\" /r \"/h/$HOME `x` 100% \\b.vkd\"");
    ASSERT_TRUE(Registry.OpenKey(RunKey, true));
    Registry.WriteString(ValueName, data);
    // Inside quotes $ ` \ are escaped and % doubled; then every backslash is escaped once more.
    EXPECT_TRUE(DesktopText().contains(
        QStringLiteral("\nExec=\"/bin/vemora\" \"/r\" \"/h/\\\\$HOME \\\\`x\\\\` 100%% \\\\\\\\b.vkd\"\n")))
        << DesktopText().toStdString();
    EXPECT_EQ(Registry.ReadString(ValueName), data);
}

TEST_F(AutostartRunKeyTest, ControlCharactersAreRefused)
{
    ASSERT_TRUE(Registry.OpenKey(RunKey, true));
    for (const QString& data : {QStringLiteral("\"/bin/vemora\" /r \"/tmp/a\nHidden=true.vkd\""),
                                QStringLiteral("\"/bin/vemora\" /r \"/tmp/a\rb.vkd\"")}) {
        EXPECT_THROW(Registry.WriteString(ValueName, data), ERegistryException);
    }
    EXPECT_THROW(Registry.WriteString(QStringLiteral("name\nExec=evil"), QStringLiteral("x")), ERegistryException);
    EXPECT_FALSE(QDir(Home.AutostartDirectory()).exists() &&
                 !QDir(Home.AutostartDirectory()).entryList(QDir::Files).isEmpty());
}

TEST_F(AutostartRunKeyTest, OnlyStringsCanBeWritten)
{
    ASSERT_TRUE(Registry.OpenKey(RunKey, true));
    EXPECT_THROW(Registry.WriteInteger(ValueName, 1), ERegistryException);
}

TEST_F(AutostartRunKeyTest, AStartSwitchedOffOnTheDesktopCountsAsNone)
{
    ASSERT_TRUE(Registry.OpenKey(RunKey, true));
    Registry.WriteString(ValueName, QStringLiteral("\"/bin/vemora\" /r \"/f.vkd\""));
    QFile file(DesktopFile());
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("Hidden=true\n");
    file.close();
    EXPECT_FALSE(Registry.ValueExists(ValueName));
}

TEST_F(AutostartRunKeyTest, DeletingTheValueRemovesTheEntry)
{
    ASSERT_TRUE(Registry.OpenKey(RunKey, true));
    Registry.WriteString(ValueName, QStringLiteral("\"/bin/vemora\" /r \"/f.vkd\""));
    EXPECT_TRUE(Registry.DeleteValue(ValueName));
    EXPECT_FALSE(QFile::exists(DesktopFile()));
    EXPECT_FALSE(Registry.DeleteValue(ValueName));
}

TEST_F(AutostartRunKeyTest, EntriesOfOtherProgramsAreNotValues)
{
    Home.WriteFile(QStringLiteral(".config/autostart/other.desktop"), "[Desktop Entry]\nExec=other\n");
    Home.WriteFile(QStringLiteral(".config/autostart/vemora-foreign.desktop"), "[Desktop Entry]\nExec=x\n");
    ASSERT_TRUE(Registry.OpenKeyReadOnly(RunKey));
    EXPECT_TRUE(Registry.GetValueNames().isEmpty());
}

TEST(AutostartExecLineTest, NeedsAProgram)
{
    EXPECT_FALSE(TAutostartRunKey::ExecLine(QStringLiteral("   ")));
    EXPECT_EQ(TAutostartRunKey::ExecLine(QStringLiteral(" prog ")), QStringLiteral("\"prog\""));
}

} // namespace
