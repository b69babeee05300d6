#include "app/AutoStart.h"

#include "platform/CommandLine.h"
#include "platform/FormatText.h"
#include "platform/Registry.h"
#include "support/NLS.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>

namespace {

const QString RunKey = QStringLiteral("\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");

class AutoStartTest : public testing::Test {
protected:
    TTemporaryHome Home;

    static void WriteRunValue(const QString& data)
    {
        TRegistry registry(HKEY_CURRENT_USER);
        ASSERT_TRUE(registry.OpenKey(RunKey, true));
        registry.WriteString(RunValueName(), data);
    }
    static QString ReadRunValue()
    {
        TRegistry registry(HKEY_CURRENT_USER);
        return registry.OpenKeyReadOnly(RunKey) ? registry.ReadString(RunValueName()) : QString();
    }
};

TEST_F(AutoStartTest, TheValueHoldsTheQuotedProgramTheSwitchAndTheQuotedFile)
{
    EXPECT_EQ(GetAutoStartFile(), QString()) << "no registration is an empty file";
    EXPECT_EQ(RunValueName(), QStringLiteral("Vemora, file version 2"));
    ASSERT_TRUE(SetAutoStart(QStringLiteral("/d/f.vkd"), QStringLiteral("/P/x")));
    EXPECT_EQ(ReadRunValue(), QStringLiteral("\"/P/x\" /r \"/d/f.vkd\""));
    ASSERT_TRUE(SetAutoStart(QStringLiteral("/home/u/My Dates.vkd"), ProgramFilePath()));
    EXPECT_EQ(GetAutoStartFile(), QStringLiteral("/home/u/My Dates.vkd")) << "read back for this program";
}

TEST_F(AutoStartTest, ARegistrationOfAnotherProgramOrSwitchCountsAsNone)
{
    const QString program = ProgramFilePath();
    const QStringList foreign{u'"' + program.toUpper() + QStringLiteral("\" /r \"/f.vkd\""),
                              u'"' + program + QStringLiteral("\" /R \"/f.vkd\""),
                              u'"' + program + QStringLiteral("-other\" /r \"/f.vkd\""),
                              u'"' + program + u'"'};
    for (const QString& data : foreign) {
        WriteRunValue(data);
        EXPECT_EQ(GetAutoStartFile(), QString()) << data.toStdString();
    }
}

// Also when the desktop's settings had switched the start off: it is ours, and goes.
TEST_F(AutoStartTest, AnEmptyFileRemovesTheValueInAnyState)
{
    const QDir autostart(Home.AutostartDirectory());
    for (const QByteArray& switchedOff : {QByteArray(), QByteArray("Hidden=true\n"),
                                          QByteArray("X-GNOME-Autostart-enabled=false\n")}) {
        ASSERT_TRUE(SetAutoStart(QStringLiteral("/f.vkd"), ProgramFilePath()));
        QFile entry(autostart.filePath(autostart.entryList(QDir::Files).value(0)));
        ASSERT_TRUE(entry.open(QIODevice::Append));
        entry.write(switchedOff);
        entry.close();
        EXPECT_TRUE(SetAutoStart(QString(), QString())) << switchedOff.constData();
        EXPECT_TRUE(autostart.entryList(QDir::Files).isEmpty()) << switchedOff.constData();
    }
    EXPECT_TRUE(SetAutoStart(QString(), QString())) << "removing what is not there succeeds";
}

TEST_F(AutoStartTest, NamesThatCannotBeReadBackAreRefused)
{
    for (const QString& file : {QStringLiteral("/tmp/a\"b.vkd"), QStringLiteral("/tmp/a\nExec=x.vkd"),
                                QStringLiteral("/tmp/tab\t.vkd")}) {
        EXPECT_FALSE(SetAutoStart(file, ProgramFilePath())) << file.toStdString();
    }
    EXPECT_FALSE(SetAutoStart(QStringLiteral("/f.vkd"), QStringLiteral("/bin/\"x")));
    EXPECT_EQ(ReadRunValue(), QString());
}

TEST_F(AutoStartTest, AFailureIsReportedWithTheKeyPathAndAnUnquotableNameAsSuch)
{
    LoadLanguage(QString(), QString());
    TScriptedMessages messages;
    const QString name = QStringLiteral("/tmp/say \"hi\".vkd");
    ApplyAutoStart(name);
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].Text, FormatText(LanguageText(0x4D20B7E2), {name}));
    EXPECT_EQ(GetAutoStartFile(), QString());

    Home.WriteFile(QStringLiteral(".config/autostart"), "a file where the folder belongs");
    ApplyAutoStart(QStringLiteral("/tmp/dates.vkd"));
    ASSERT_EQ(messages.Shown().size(), 2u);
    EXPECT_EQ(messages.Shown()[1].Icon, TMessageIcon::Error);
    EXPECT_EQ(messages.Shown()[1].Text, FormatText(LanguageText(0x6A028AA1), {QStringLiteral(
        "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Vemora, file version 2")}));
}

TEST_F(AutoStartTest, ASuccessShowsNothing)
{
    TScriptedMessages messages;
    ApplyAutoStart(QStringLiteral("/home/u/dates.vkd"));
    EXPECT_EQ(GetAutoStartFile(), QStringLiteral("/home/u/dates.vkd"));
    ApplyAutoStart(QString());
    EXPECT_EQ(GetAutoStartFile(), QString());
    EXPECT_TRUE(messages.Shown().empty());
}

} // namespace
