// Starts the built editor on a virtual X display and reads the windows it shows from the
// display, as a window manager would see them.
#include "platform/FileRegistryStore.h"
#include "platform/Registry.h"

#include "TestSupport.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>

namespace {

class EditorWindowTest : public testing::Test {
protected:
    TTemporaryHome Home;
    QProcess Display;
    QProcess Editor;
    QString DisplayName;

    void SetUp() override
    {
        // The server picks a free display and writes its number to standard output.
        Display.start(QStringLiteral("Xvfb"), QStringList{"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "1280x800x24"});
        ASSERT_TRUE(Display.waitForReadyRead(20000)) << "Xvfb did not start";
        DisplayName = u':' + QString::fromLatin1(Display.readLine().trimmed());
    }

    void TearDown() override { Stop(Editor); Stop(Display); }

    static void Stop(QProcess& process) { process.kill(); process.waitForFinished(5000); }

    // Starts the editor and waits until a window of that title is on the display; false when
    // none shows in time.
    bool WindowAppears(const QStringList& arguments, const QString& title)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY"})
            environment.remove(QString::fromLatin1(name));
        environment.insert(QStringLiteral("DISPLAY"), DisplayName);
        environment.insert(QStringLiteral("LSAN_OPTIONS"), QStringLiteral("suppressions=" VEMORA_LSAN_SUPPRESSIONS));
        Editor.setProcessEnvironment(environment);
        Editor.start(QStringLiteral(VEMORA_BIN_DIR "/vemora"), arguments);
        const QDeadlineTimer deadline(30000);
        while (Editor.waitForStarted() && !deadline.hasExpired() && Editor.state() == QProcess::Running) {
            QProcess tree;
            tree.start(QStringLiteral("xwininfo"), QStringList{"-display", DisplayName, "-root", "-tree"});
            tree.waitForFinished();
            if (QString::fromUtf8(tree.readAllStandardOutput()).contains(u'"' + title + u'"'))
                return true;
            QThread::msleep(200);
        }
        return false;
    }
};

TEST_F(EditorWindowTest, AFirstStartAsksForTheLanguageAndALaterOneOpensTheNamedFile)
{
    EXPECT_TRUE(WindowAppears({}, QStringLiteral("Language")));
    Stop(Editor); // before it could write the settings below
    const QString key = QStringLiteral("Software\\Orvalin\\Vemora\\2\\1");
    TFileRegistryStore store(Home.RegistryFile());
    ASSERT_TRUE(store.CreateKey(key));
    store.WriteValue(key, QStringLiteral("LanguageFilename"), TRegistryValue::String(VEMORA_BIN_DIR "/Vemora_EN.nls"));
    store.WriteValue(key, QStringLiteral("CountryFilename"), TRegistryValue::String(VEMORA_BIN_DIR "/State_GB.nls"));
    const QString file = QStringLiteral(VEMORA_SOURCE_DIR "/examples/sample.vkd");
    EXPECT_TRUE(WindowAppears({file}, QStringLiteral("Vemora - ") + file)) << Editor.readAllStandardError().toStdString();
}

} // namespace
