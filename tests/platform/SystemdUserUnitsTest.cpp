#include "platform/Registry.h"
#include "platform/SystemdUserUnits.h"
#include "platform/UserServiceManager.h"

#include "TestSupport.h"

#include <QFileInfo>
#include <QProcess>

namespace {

const QString ValueName = QStringLiteral("Vemora, file version 2");
const QString BaseName = QStringLiteral("vemora-vemora-file-version-2");

std::vector<QStringList> Requests;
struct TRecordingManager final : TUserServiceManager {
    void Request(const QStringList& arguments) override { Requests.push_back(arguments); }
};

class SystemdUserUnitsTest : public testing::Test {
protected:
    TTemporaryHome Home;
    TSystemdUserUnits Units{Home.FilePath(".config/systemd/user")};
    TRegistry Registry{HKEY_CURRENT_USER};

    void SetUp() override { ASSERT_TRUE(Registry.OpenKey("\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", false)); }
    bool ServiceRuns(const char* execStart) const { return ReadWholeFile(Units.ServicePath(BaseName)).contains(execStart); }
};

// The service runs the Run value's command; rewritten with it, removed and stopped with it.
TEST_F(SystemdUserUnitsTest, TheRunValueBringsItsTimerAlongAndTakesItAway)
{
    SetUserServiceManager(std::make_unique<TRecordingManager>());
    qputenv("DISPLAY", ":7");
    Registry.WriteString(ValueName, "\"/opt/My 100% Apps/vemora\" /r \"/h/$HOME \\b.vkd\"");
    EXPECT_TRUE(ServiceRuns("\nExecStart=\"/opt/My 100%% Apps/vemora\" \"/r\" \"/h/$$HOME \\\\b.vkd\"\n"));
    EXPECT_EQ(QFileInfo(Units.LinkPath(BaseName)).canonicalFilePath(), Units.TimerPath(BaseName));
    Registry.WriteString(ValueName, "\"/bin/vemora\" /r \"/other.vkd\"");
    EXPECT_THROW(Registry.WriteString(ValueName, "vemora /r \"/relative-program.vkd\""), ERegistryException);
    EXPECT_TRUE(ServiceRuns("\nExecStart=\"/bin/vemora\" \"/r\" \"/other.vkd\"\n")) << "rewritten, not refused";

    QFile::remove(Home.AutostartDirectory() + "/" + BaseName + ".desktop");
    EXPECT_FALSE(Registry.DeleteValue(ValueName)) << "the entry was gone already";
    for (const QString& path : {Units.ServicePath(BaseName), Units.TimerPath(BaseName), Units.LinkPath(BaseName)})
        EXPECT_FALSE(QFileInfo(path).exists() || QFileInfo(path).isSymLink()) << path.toStdString();
    const QStringList reload{"daemon-reload"}, share{"import-environment", "DISPLAY"}, start{"start", BaseName + ".timer"};
    EXPECT_EQ(Requests, (std::vector<QStringList>{reload, share, start, reload, share, start, {"stop", BaseName + ".timer"}, reload}));
    SetUserServiceManager(nullptr);
}

// No manager, or none reachable: written all the same, silently; systemd's own check passes.
TEST_F(SystemdUserUnitsTest, WithoutAManagerTheUnitsAreWrittenSilentlyAndVerify)
{
    const QString program = Home.WriteFile("My 100% Apps/vemora", "#!/bin/sh\n");
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(Home.Path()));
    qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    for (const bool socketFile : {false, true}) {
        if (socketFile)
            Home.WriteFile("systemd/private", "");
        EXPECT_EQ(TSystemctlUserManager::Running(), socketFile);
        testing::internal::CaptureStderr();
        Registry.WriteString(ValueName, '"' + program + "\" /r \"/f.vkd\"");
        EXPECT_TRUE(Registry.DeleteValue(ValueName) && !QFile::exists(Units.TimerPath(BaseName)));
        Registry.WriteString(ValueName, '"' + program + "\" /r \"/f.vkd\"");
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    }
    QProcess verify;
    verify.setProcessChannelMode(QProcess::MergedChannels);
    verify.start("systemd-analyze", {"--user", "verify", Units.ServicePath(BaseName), Units.TimerPath(BaseName)});
    ASSERT_TRUE(verify.waitForFinished(60000)) << "systemd-analyze comes with the systemd package";
    EXPECT_EQ(std::pair(verify.exitCode(), QString::fromUtf8(verify.readAll())), std::pair(0, QString()));
}

} // namespace
