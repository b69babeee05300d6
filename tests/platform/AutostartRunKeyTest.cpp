#include "platform/AutostartRunKey.h"
#include "platform/Registry.h"

#include "TestSupport.h"

#include <QDir>

namespace {

const QString RunKey = QStringLiteral("\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");
const QString ValueName = QStringLiteral("Vemora, file version 2");

class AutostartRunKeyTest : public testing::Test {
protected:
    TTemporaryHome Home;
    TRegistry Registry{HKEY_CURRENT_USER};
    QString DesktopFile = QDir(Home.AutostartDirectory()).filePath("vemora-vemora-file-version-2.desktop");

    void SetUp() override { ASSERT_TRUE(Registry.OpenKey(RunKey, false)) << "the key always exists"; }

    // Writes the value and returns the desktop entry it became.
    QString Written(const QString& data)
    {
        Registry.WriteString(ValueName, data);
        EXPECT_EQ(Registry.ReadString(ValueName), data);
        return QString::fromUtf8(ReadWholeFile(DesktopFile));
    }
};

TEST_F(AutostartRunKeyTest, AValueBecomesAQuotedDesktopEntryAndDeletingItRemovesIt)
{
    Home.WriteFile(".config/autostart/other.desktop", "[Desktop Entry]\nExec=other\n");
    Home.WriteFile(".config/autostart/vemora-foreign.desktop", "[Desktop Entry]\nExec=x\n");
    EXPECT_TRUE(Registry.GetValueNames().isEmpty()) << "entries of other programs are not values";
    const QString text = Written("\"/opt/My Apps/vemora\" /r \"/h/$HOME `x` 100% \\b.vkd\"");
    EXPECT_EQ(std::pair(Registry.GetValueNames(), text.startsWith("[Desktop Entry]\nType=Application\n")),
              std::pair(QStringList{ValueName}, true));
    // Inside quotes $ ` \ are escaped and % doubled; then every backslash is escaped once more.
    EXPECT_TRUE(text.contains("\nExec=\"/opt/My Apps/vemora\" \"/r\" \"/h/\\\\$HOME \\\\`x\\\\` 100%% \\\\\\\\b.vkd\"\n"))
        << text.toStdString();
    EXPECT_EQ(std::pair(TAutostartRunKey::ExecLine("   "), TAutostartRunKey::ExecLine(" prog ")),
              std::pair(std::optional<QString>(), std::optional<QString>("\"prog\""))) << "a command needs a program";

    // Refused: what a desktop entry cannot hold, and other types.
    EXPECT_THROW(Registry.WriteString(ValueName, "\"/bin/vemora\" /r \"/tmp/a\nHidden=true.vkd\""), ERegistryException);
    EXPECT_THROW(Registry.WriteString("name\nExec=evil", "x"), ERegistryException);
    EXPECT_THROW(Registry.WriteInteger(ValueName, 1), ERegistryException);
    EXPECT_EQ(Registry.ReadString(ValueName).left(5), QStringLiteral("\"/opt"));

    EXPECT_EQ(QList({Registry.DeleteValue(ValueName), QFile::exists(DesktopFile), Registry.DeleteValue(ValueName)}),
              QList({true, false, false}));
}

TEST_F(AutostartRunKeyTest, AStartSwitchedOffOnTheDesktopCountsAsNone)
{
    for (const QByteArray line : {"Hidden=true\n", "X-GNOME-Autostart-enabled=false\n"}) {
        const QString entry = Written("\"/bin/vemora\" /r \"/f.vkd\"");
        Home.WriteFile(QDir(Home.Path()).relativeFilePath(DesktopFile), entry.toUtf8() + line);
        EXPECT_FALSE(Registry.ValueExists(ValueName)) << line.constData();
    }
}

} // namespace
