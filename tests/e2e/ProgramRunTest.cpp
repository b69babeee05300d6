// Runs the built program as a user would, in a temporary home, without a display, so that
// its messages arrive on standard output.
#include "app/AutoStart.h"
#include "platform/FileRegistryStore.h"
#include "platform/Registry.h"
#include "support/DayNumbers.h"

#include "../app/BatchFiles.h"
#include "RunProgram.h"
#include "TestSupport.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>

#include <cstring>

namespace {

const QString AppKey = QStringLiteral("Software\\Orvalin\\Vemora\\2\\1");

class ProgramRunTest : public testing::Test {
protected:
    TTemporaryHome Home;

    TRunResult Run(const QStringList& arguments, const QString& fakeTime = QString())
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "VEMORA_HOME"})
            environment.remove(QString::fromLatin1(name));
        environment.insert(QStringLiteral("HOME"), Home.Path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), Home.ConfigHome());
        // libfaketime is preloaded ahead of the sanitizer runtime.
        environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("verify_asan_link_order=0"));
        const QString program = QStringLiteral(VEMORA_BIN_DIR "/vemora");
        const QStringList call = fakeTime.isEmpty() ? arguments : QStringList{fakeTime, program} + arguments;
        return RunProgram(fakeTime.isEmpty() ? program : QStringLiteral("faketime"), call, environment, Home.Path());
    }

    TFileRegistryStore Store() const { return TFileRegistryStore(Home.RegistryFile()); }
    std::optional<TRegistryValue> Stored(const char* name) const { return Store().ReadValue(AppKey, QLatin1String(name)); }

    void WriteAppValues()
    {
        TFileRegistryStore store = Store();
        ASSERT_TRUE(store.CreateKey(AppKey + QStringLiteral("\\FormMain\\Font")));
        store.WriteValue(AppKey, QStringLiteral("ShowAutoRunVemora"), TRegistryValue::Dword(0));
        store.WriteValue(AppKey, QStringLiteral("LanguageFilename"), TRegistryValue::String(QStringLiteral("/l/Vemora_EN.nls")));
    }
};

// A damaged settings file is moved aside and the run goes on; the removal leaves the language.
TEST_F(ProgramRunTest, RemovalLeavesOnlyTheLanguageValues)
{
    Home.WriteFile(QStringLiteral(".config/Vemora/registry.reg"), "garbage\n");
    const TRunResult damaged = Run({QStringLiteral("/d")});
    EXPECT_TRUE(damaged.ExitCode == 0 && damaged.Errors.contains("damaged")) << damaged.Errors.toStdString();
    EXPECT_EQ(QDir(Home.FilePath(QStringLiteral(".config/Vemora"))).entryList({"registry.reg.damaged-*"}).size(), 1);
    WriteAppValues();
    const QString autostart = Home.WriteFile(QStringLiteral(".config/autostart/vemora-vemora-file-version-2.desktop"),
                                             "[Desktop Entry]\nType=Application\nExec=\"/x\" \"/r\" \"/f.vkd\"\n"
                                             "X-Vemora-RunValueName=Vemora, file version 2\n"
                                             "X-Vemora-RunValueData=\"/x\" /r \"/f.vkd\"\n");
    const TRunResult result = Run({QStringLiteral("/d"), QStringLiteral("ignored"), QStringLiteral("words")});
    EXPECT_EQ(std::pair(result.ExitCode, result.Output), std::pair(0, QString())) << result.Errors.toStdString();
    EXPECT_FALSE(QFile::exists(autostart));
    QStringList values = Store().SubKeyNames(AppKey) + Store().ValueNames(AppKey);
    values.sort();
    EXPECT_EQ(values, (QStringList{QStringLiteral("CountryFilename"), QStringLiteral("LanguageFilename")}));
    EXPECT_EQ(Stored("LanguageFilename"), TRegistryValue::String(QStringLiteral("/l/Vemora_EN.nls")));
}

// A path or an existing folder is never the removal or batch switch: it is named as a file.
// Without a display the editor says what works there instead of letting the toolkit abort.
TEST_F(ProgramRunTest, ARejectedFileOrNoDisplayIsSaidAndTheProgramEndsTouchingNoSetting)
{
    WriteAppValues();
    const QString newer = Home.WriteFile(QStringLiteral("new.vkd"), QByteArray("Vemora configure file\x1a\x03", 23));
    const std::pair<QString, QString> rows[] = {{newer, newer + " was saved by a newer"},
                                                {"/data/x.vkd", "/data/x.vkd is not a valid"},
                                                {VEMORA_SOURCE_DIR "/examples/sample.vkd", "graphical session"}};
    for (const auto& [argument, said] : rows) {
        const TRunResult result = Run({argument});
        EXPECT_EQ(result.ExitCode, 0) << result.Errors.toStdString();
        EXPECT_TRUE(result.Output.contains(said)) << result.Output.toStdString();
        EXPECT_EQ(Stored("ShowAutoRunVemora"), TRegistryValue::Dword(0));
        EXPECT_FALSE(Stored("LastBatchRun"));
    }
}

// The moment is stored first, also when the file turns out to be missing. (The alerts a logon
// check prints are those of the scenario test's run.)
TEST_F(ProgramRunTest, TheLogonCheckStoresTheMomentBeforeLookingAtTheFile)
{
    if (QStandardPaths::findExecutable(QStringLiteral("faketime")).isEmpty())
        GTEST_SKIP() << "faketime is not installed";
    const TRunResult result = Run({"/rx", Home.FilePath(QStringLiteral("missing.vkd"))}, "2026-03-14 06:00:00");
    EXPECT_TRUE(result.ExitCode == 0 && result.Output.contains("missing.vkd")) << result.Output.toStdString();
    const auto stored = Stored("LastBatchRun");
    ASSERT_TRUE(stored && stored->Type == REG_BINARY && stored->Data.size() == 8);
    double moment = 0;
    std::memcpy(&moment, stored->Data.constData(), 8);
    EXPECT_NEAR(moment, DayFromCivil(2026, 3, 14) + 0.25, 1.0 / 24 / 60);
}

// Three days away: the logon check shows the date of the day between first, then today's; the
// next check on the same day has nothing missed to show.
TEST_F(ProgramRunTest, AfterDaysAwayTheMissedDatesComeFirst)
{
    if (QStandardPaths::findExecutable(QStringLiteral("faketime")).isEmpty())
        GTEST_SKIP() << "faketime is not installed";
    const QString file = TBatchFile().Once("on day 1", 1).Once("on day 3", 3).Save(Home.FilePath("dates.vkd"));
    const double lastCheck = Today() + 0.3;
    ASSERT_TRUE(Store().CreateKey(AppKey));
    Store().WriteValue(AppKey, QStringLiteral("ShowMissedAlerts"), TRegistryValue::Dword(1));
    Store().WriteValue(AppKey, QStringLiteral("LastBatchRun"),
                       TRegistryValue::Binary(QByteArray(reinterpret_cast<const char*>(&lastCheck), 8)));
    for (const bool first : {true, false}) {
        const QString output = Run({"/r", file}, "3 days").Output;
        const qsizetype missed = output.indexOf("on day 1"), due = output.indexOf("on day 3");
        EXPECT_TRUE(due >= 0 && (first ? missed >= 0 && missed < due : missed < 0)) << output.toStdString();
    }
}

// The timer's service command shows a day once; the logon check shows it as always.
TEST_F(ProgramRunTest, TheDailyTimerShowsEachDayOnce)
{
    const QString program = QStringLiteral(VEMORA_BIN_DIR "/vemora");
    ASSERT_TRUE(SetAutoStart(TBatchFile().DailySince("every day", 1).Save(Home.FilePath("daily.vkd")), program));
    const QStringList service = QString::fromUtf8(ReadWholeFile(Home.FilePath(".config/systemd/user/vemora-vemora-file-version-2.service"))).split('\n');
    const QByteArray variable = service.filter(QRegularExpression("^Environment=")).value(0).mid(12).toLatin1();
    const QStringList command = service.filter(QRegularExpression("^ExecStart=")).value(0).mid(11).chopped(1).split("\" \"");
    ASSERT_EQ(command.value(0), program);
    const QDate today = QDate::currentDate();
    const std::tuple<QDate, const char*, bool, int> runs[] = {
        {today, "08:00", true, 1}, {today, "20:00", true, 0}, {today, "21:00", false, 1}, {today.addDays(1), "00:01", true, 1}};
    for (const auto& [day, time, byTimer, alerts] : runs) {
        qputenv(variable.split('=').value(0), byTimer ? variable.split('=').value(1) : QByteArray());
        const TRunResult result = Run(command.mid(1), day.toString(Qt::ISODate) + ' ' + time);
        EXPECT_EQ(result.Output.count("every day"), alerts) << time << result.Output.toStdString();
    }
    qunsetenv(variable.split('=').value(0));
}

} // namespace
