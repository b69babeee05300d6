// What the program settles without a window: the run its first argument chooses, the stored
// moment of the last logon check, the captions of its messages, the automatic start, and a
// logon check with nothing due. No application object exists here, as at the start of a run.
#include "app/AutoStart.h"
#include "app/BatchCheck.h"
#include "app/ErrorMessage.h"
#include "app/RunSelection.h"
#include "app/VemoraLibState.h"
#include "platform/CommandLine.h"
#include "platform/FormatText.h"
#include "platform/Registry.h"
#include "settings/SettingNames.h"
#include "support/NLS.h"

#include "BatchFiles.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <limits>
#include <unistd.h>

namespace {

// Whatever exists is a name, never a switch: "/run" is a folder, and even a link that leads nowhere.
TEST(RunSelectionTest, ChoosesTheRunByTheFirstArgument)
{
    const QString link = QStringLiteral("/d-vemora-test-%1").arg(getpid());
    const bool linked = QFile::link(link + QStringLiteral("-nowhere"), link);
    const std::pair<QString, TRunKind> rows[] = {
        {"/r", TRunKind::BatchCheck}, {"/rx", TRunKind::BatchCheck}, {"/d", TRunKind::Removal},
        {"/delete", TRunKind::Removal}, {"/run", TRunKind::Editor}, {"/R", TRunKind::Editor},
        {"/x", TRunKind::Editor}, {"/", TRunKind::Editor}, {"/data/x.vkd", TRunKind::Editor},
        {"/d/", TRunKind::Editor}, {"dates.vkd", TRunKind::Editor}, {link, linked ? TRunKind::Editor : TRunKind::Removal}};
    for (const auto& [argument, kind] : rows)
        EXPECT_EQ(RunKindOf(argument), kind) << argument.toStdString();
    QFile::remove(link);
}

// A first start writes nothing; a stored value that is no date counts as never.
TEST(VemoraLibStateTest, TheStoredMomentIsAdoptedAtStart)
{
    TTemporaryHome home;
    InitializeVemoraLib();
    AdoptStoredLastBatchRun();
    EXPECT_EQ(GetLastBatchRun(), 0.0);
    EXPECT_FALSE(QFileInfo::exists(home.RegistryFile()));
    const std::pair<std::function<void(TApplicationReg&)>, double> rows[] = {
        {[](TApplicationReg& r) { r.WriteInteger(SettingLastBatchRun, 45000); }, 0},
        {[](TApplicationReg& r) { r.WriteDateTime(SettingLastBatchRun, std::numeric_limits<double>::quiet_NaN()); }, 0},
        {[](TApplicationReg& r) { r.WriteDateTime(SettingLastBatchRun, 2958466); }, 0},
        {[](TApplicationReg& r) { r.WriteDateTime(SettingLastBatchRun, -5); }, 0},
        {[](TApplicationReg& r) { r.WriteDateTime(SettingLastBatchRun, 2958465); }, 2958465}}; // 9999-12-31
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        TApplicationReg registry(ApplicationName);
        ASSERT_TRUE(registry.OpenAppKey(AppRootCurrentUser, QString(), true));
        rows[i].first(registry);
        AdoptStoredLastBatchRun();
        EXPECT_EQ(GetLastBatchRun(), rows[i].second) << "row " << i;
    }
    SetLastBatchRun(0); // the moment is process-wide
    FinalizeVemoraLib();
}

TEST(MessageCaptionTest, BoxesWithoutCaptionSpeakTheLanguageLoaded)
{
    LoadLanguage(QStringLiteral(":/lang/State_DE.nls"), QStringLiteral(":/lang/Vemora_DE.nls"));
    SetDefaultCaptions(LanguageCaption);
    QStringList captions;
    for (TMessageIcon icon : {TMessageIcon::Error, TMessageIcon::Warning, TMessageIcon::Information,
                              TMessageIcon::Question, TMessageIcon::None})
        captions << DefaultMessageCaption(icon);
    EXPECT_EQ(captions, QStringList({"Fehler", "Warnung", "Information", "Bestätigen", "Vemora"}));
    SetDefaultCaptions(nullptr);
    LoadLanguage(QString(), QString());
}

const QString RunKey = QStringLiteral("\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");

class AutoStartTest : public testing::Test {
protected:
    TTemporaryHome Home;
    TRegistry Registry{HKEY_CURRENT_USER};
};

// The value holds the quoted program, the switch and the quoted file; only this program's
// registration with that switch counts.
TEST_F(AutoStartTest, TheValueIsReadBackOnlyForThisProgramAndSwitch)
{
    EXPECT_EQ(GetAutoStartFile(), QString()) << "no registration is an empty file";
    ASSERT_TRUE(SetAutoStart(QStringLiteral("/d/f.vkd"), QStringLiteral("/P/x")) && Registry.OpenKey(RunKey, true));
    EXPECT_EQ(Registry.ReadString(RunValueName()), QStringLiteral("\"/P/x\" /r \"/d/f.vkd\""));
    EXPECT_EQ(GetAutoStartFile(), QString()) << "another program";
    ASSERT_TRUE(SetAutoStart(QStringLiteral("/home/u/My Dates.vkd"), ProgramFilePath()));
    EXPECT_EQ(GetAutoStartFile(), QStringLiteral("/home/u/My Dates.vkd"));
    Registry.WriteString(RunValueName(), u'"' + ProgramFilePath() + QStringLiteral("\" /R \"/f.vkd\""));
    EXPECT_EQ(GetAutoStartFile(), QString()) << "another switch";
}

// Also when the desktop's settings had switched the start off: it is ours, and goes.
TEST_F(AutoStartTest, AnEmptyFileRemovesTheValueInAnyState)
{
    const QDir autostart(Home.AutostartDirectory());
    for (const QByteArray& switchedOff : {QByteArray(), QByteArray("Hidden=true\n"),
                                          QByteArray("X-GNOME-Autostart-enabled=false\n")}) {
        ASSERT_TRUE(SetAutoStart(QStringLiteral("/f.vkd"), ProgramFilePath()));
        QFile entry(autostart.filePath(autostart.entryList(QDir::Files).value(0)));
        ASSERT_TRUE(entry.open(QIODevice::Append) && entry.write(switchedOff) >= 0 && entry.flush());
        EXPECT_TRUE(SetAutoStart(QString(), QString())) << switchedOff.constData();
        EXPECT_TRUE(autostart.entryList(QDir::Files).isEmpty()) << switchedOff.constData();
    }
    EXPECT_TRUE(SetAutoStart(QString(), QString())) << "removing what is not there succeeds";
}

// Names that could not be read back are refused; applying says why, or names the key path.
TEST_F(AutoStartTest, UnquotableNamesAndFailuresAreRefusedAndReported)
{
    EXPECT_FALSE(SetAutoStart(QStringLiteral("/tmp/a\nExec=x.vkd"), ProgramFilePath()));
    EXPECT_FALSE(SetAutoStart(QStringLiteral("/f.vkd"), QStringLiteral("/bin/\"x")));
    EXPECT_FALSE(Registry.OpenKeyReadOnly(RunKey) && Registry.ValueExists(RunValueName()));

    LoadLanguage(QString(), QString());
    TScriptedMessages messages;
    const QString name = QStringLiteral("/tmp/say \"hi\".vkd");
    ApplyAutoStart(name);
    Home.WriteFile(QStringLiteral(".config/autostart"), "a file where the folder belongs");
    ApplyAutoStart(QStringLiteral("/tmp/dates.vkd"));
    ASSERT_EQ(messages.Shown().size(), 2u);
    EXPECT_EQ(std::pair(messages.Shown()[0].Text, messages.Shown()[1].Text),
              std::pair(FormatText(LanguageText(0x4D20B7E2), {name}),
                        FormatText(LanguageText(0x6A028AA1),
                                   {"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Vemora, file version 2"})));
    EXPECT_EQ(GetAutoStartFile(), QString());
    EXPECT_FALSE(QFile::exists(Home.FilePath(".config/systemd/user/vemora-vemora-file-version-2.timer"))) << "nor a timer";
}

TEST(BatchCheckNoGuiTest, NothingDueShowsNothingAndStartsNoToolkit)
{
    TTemporaryHome home;
    TScriptedMessages messages;
    qputenv("QT_QPA_PLATFORM", "offscreen"); // a display is there, and still nothing starts
    LoadLanguage(QString(), QString());
    RunBatchCheck(TBatchFile()
                      .Once(QStringLiteral("next week"), 7)
                      .Once(QStringLiteral("yesterday"), -1)
                      .Once(QStringLiteral("inactive"), 0, 0, false)
                      .Save(home.FilePath(QStringLiteral("dates.vkd"))));
    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_EQ(QCoreApplication::instance(), nullptr);
    qunsetenv("QT_QPA_PLATFORM");
}

} // namespace
