// Runs the logon check with alerts as desktop notifications against a real notification
// server (dunst) on a private session bus and a virtual display, and reads back from the server
// what it received.
#include "platform/FileRegistryStore.h"
#include "platform/Registry.h"

#include "../app/BatchFiles.h"
#include "TestSupport.h"

#include <QDate>
#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QThread>

namespace {

using TReceived = std::pair<const QString, QString>; // message and timeout

class NotificationTest : public testing::Test {
protected:
    TTemporaryHome Home;
    QProcess Display, Bus; // the bus runs the server as its one program
    QProcessEnvironment Environment = QProcessEnvironment::systemEnvironment();

    void SetUp() override
    {
        Display.start("Xvfb", {"-displayfd", "1", "-nolisten", "tcp"});
        ASSERT_TRUE(Display.waitForReadyRead(20000)) << "Xvfb did not start";
        // The server's format puts what it made of urgency and icon in front of each message.
        Home.WriteFile(".config/dunst/dunstrc", "[global]\nformat = \"normal|%I|%s|%b\"\n"
                                                "[critical]\nmsg_urgency = critical\nformat = \"critical|%I|%s|%b\"\n");
        for (const char* name : {"WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "VEMORA_HOME"})
            Environment.remove(name);
        Environment.insert("DISPLAY", ':' + QString::fromLatin1(Display.readLine().trimmed()));
        Environment.insert("LSAN_OPTIONS", "suppressions=" VEMORA_LSAN_SUPPRESSIONS);
        Bus.setProcessEnvironment(Environment);
        // Without services started on demand, no second server races the one started here.
        Bus.start("dbus-run-session", {"--config-file=" + Home.WriteFile("bus.conf", PrivateBusConfiguration), "--", "sh",
                                       "-c", "echo \"$DBUS_SESSION_BUS_ADDRESS\"; exec dunst"});
        ASSERT_TRUE(Bus.waitForReadyRead(20000)) << "dbus-run-session or dunst is missing";
        Environment.insert("DBUS_SESSION_BUS_ADDRESS", QString::fromUtf8(Bus.readLine().trimmed()));
        for (const QDeadlineTimer deadline(20000); !Dunstctl({"count"}).contains("displayed") && !deadline.hasExpired();)
            QThread::msleep(100);
    }

    // The session ends with the server, and the bus with it; ended itself, it would leave the
    // bus running. Xvfb goes with its QProcess.
    void TearDown() override
    {
        Output("pkill", {"-P", QString::number(Bus.processId())});
        Bus.waitForFinished(5000);
    }

    QString Output(const QString& program, const QStringList& arguments)
    {
        QProcess run;
        run.setProcessEnvironment(Environment);
        run.start(program, arguments);
        run.waitForFinished(10000);
        return QString::fromUtf8(run.readAllStandardOutput()).trimmed();
    }
    QString Dunstctl(const QStringList& arguments) { return Output("dunstctl", arguments); }

    // The message of each notification closed so far, with its timeout.
    std::map<QString, QString> History()
    {
        std::map<QString, QString> closed;
        const QJsonArray history = QJsonDocument::fromJson(Dunstctl({"history"}).toUtf8())["data"][0].toArray();
        for (const QJsonValue notification : history) {
            EXPECT_EQ(notification["appname"]["data"].toString(), "Vemora");
            closed[notification["message"]["data"].toString()] = notification["timeout"]["data"].toVariant().toString();
        }
        return closed;
    }
};

TEST_F(NotificationTest, TheAlertsReachTheServerAndItsOpenStartsTheEditor)
{
    const QString file = TBatchFile().Once("missed", -1).Once("Tom & Jerry <b>today</b>", 0).WithIcon(0x30)
                             .Once("an error today", 0).WithIcon(0x10).Once("soon", 2, 3).Save(Home.FilePath("dates.vkd"));
    const QString key = "Software\\Orvalin\\Vemora\\2\\1";
    const double lastCheck = Today() - 2.5;
    TFileRegistryStore store(Home.RegistryFile());
    ASSERT_TRUE(store.CreateKey(key));
    store.WriteValue(key, "LanguageFilename", TRegistryValue::String(VEMORA_BIN_DIR "/Vemora_EN.nls"));
    store.WriteValue(key, "AlertsAsNotifications", TRegistryValue::Dword(1));
    store.WriteValue(key, "ShowMissedAlerts", TRegistryValue::Dword(1));
    store.WriteValue(key, "LastBatchRun", TRegistryValue::Binary(QByteArray(reinterpret_cast<const char*>(&lastCheck), 8)));
    QProcess check;
    check.setProcessEnvironment(Environment);
    check.start(VEMORA_BIN_DIR "/vemora", {"/r", file});
    int displayed = 0;
    for (const QDeadlineTimer shown(60000); (displayed = Dunstctl({"count", "displayed"}).toInt()) < 4 && !shown.hasExpired();)
        QThread::msleep(100);
    ASSERT_EQ(displayed, 4) << check.readAllStandardOutput().toStdString() << check.readAllStandardError().toStdString();

    Dunstctl({"action", "0"}); // the check still runs to hear it
    const QString editor = QFileInfo(VEMORA_BIN_DIR "/vemora").canonicalFilePath() + ' ' + file;
    QString editorPid;
    for (const QDeadlineTimer started(30000); (editorPid = Output("pgrep", {"-xf", editor})).isEmpty() && !started.hasExpired();)
        QThread::msleep(100);
    EXPECT_FALSE(editorPid.isEmpty()) << "Open starts the editor on the file";
    Output("kill", {"-KILL", editorPid});

    Dunstctl({"close-all"});
    ASSERT_TRUE(check.waitForFinished(30000)) << "the check ends when its notifications are closed";
    EXPECT_EQ(std::pair(check.exitCode(), check.readAllStandardOutput()), std::pair(0, QByteArray()));
    const QString caption = "vemora on " + QLocale::c().toString(QDate::currentDate(), "d MMM yyyy") + '|';
    const std::map<QString, QString> received = History();
    ASSERT_EQ(received.size(), 4u);
    auto next = received.begin();
    EXPECT_EQ(*next++, TReceived("critical|dialog-error|" + caption + "an error today", "0"));
    EXPECT_EQ(next->first, "normal|dialog-information|" + caption + "In 2 days: soon");
    EXPECT_NE(next++->second, "0") << "only the dates of today wait for the person";
    EXPECT_TRUE(next->first.startsWith("normal|dialog-information|" + caption + "Missed since the last check:\n") &&
                next->first.endsWith(" missed")) << next->first.toStdString();
    ++next;
    // The body is escaped for a server that reads markup.
    EXPECT_EQ(*next, TReceived("normal|dialog-warning|" + caption + "Tom &amp; Jerry &lt;b&gt;today&lt;/b&gt;", "0"));
}

} // namespace
