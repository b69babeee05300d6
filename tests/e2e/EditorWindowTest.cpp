// Starts the built editor on a virtual X display and reads the windows it shows from the
// display, as a window manager would see them.
#include "platform/FileRegistryStore.h"
#include "platform/Registry.h"

#include "TestSupport.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>

namespace {

const QString AppKey = QStringLiteral("Software\\Orvalin\\Vemora\\2\\1");

class EditorWindowTest : public testing::Test {
protected:
    TTemporaryHome Home;
    QProcess Display;
    QProcess Editor;
    QString DisplayName;

    void SetUp() override
    {
        // The server picks a free display and writes its number to standard output.
        Display.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                                               QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                                               QStringLiteral("1280x800x24")});
        ASSERT_TRUE(Display.waitForReadyRead(20000)) << "Xvfb did not start";
        DisplayName = u':' + QString::fromLatin1(Display.readLine().trimmed());
    }

    void TearDown() override
    {
        for (QProcess* process : {&Editor, &Display}) {
            process->kill();
            process->waitForFinished(5000);
        }
    }

    void StartEditor(const QStringList& arguments)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.insert(QStringLiteral("DISPLAY"), DisplayName);
        environment.insert(QStringLiteral("LSAN_OPTIONS"), QStringLiteral("suppressions=" VEMORA_LSAN_SUPPRESSIONS));
        Editor.setProcessEnvironment(environment);
        Editor.start(QStringLiteral(VEMORA_BIN_DIR "/vemora"), arguments);
        ASSERT_TRUE(Editor.waitForStarted());
    }

    // Waits until a window of that title is on the display; false when none shows in time.
    bool WindowAppears(const QString& title)
    {
        const QDeadlineTimer deadline(30000);
        while (!deadline.hasExpired() && Editor.state() == QProcess::Running) {
            QProcess tree;
            tree.start(QStringLiteral("xwininfo"), {QStringLiteral("-display"), DisplayName, QStringLiteral("-root"),
                                                    QStringLiteral("-tree")});
            tree.waitForFinished();
            if (QString::fromUtf8(tree.readAllStandardOutput()).contains(u'"' + title + u'"'))
                return true;
            QThread::msleep(200);
        }
        return false;
    }
};

TEST_F(EditorWindowTest, AFirstStartAsksForTheLanguageFirst)
{
    StartEditor({});
    EXPECT_TRUE(WindowAppears(QStringLiteral("Language")));
}

TEST_F(EditorWindowTest, TheEditorOpensTheNamedFile)
{
    TFileRegistryStore store(Home.RegistryFile());
    ASSERT_TRUE(store.CreateKey(AppKey));
    store.WriteValue(AppKey, QStringLiteral("LanguageFilename"), TRegistryValue::String(QStringLiteral(VEMORA_BIN_DIR "/Vemora_EN.nls")));
    store.WriteValue(AppKey, QStringLiteral("CountryFilename"), TRegistryValue::String(QStringLiteral(VEMORA_BIN_DIR "/State_GB.nls")));
    const QString file = QStringLiteral(VEMORA_SOURCE_DIR "/examples/sample.vkd");
    StartEditor({file});
    EXPECT_TRUE(WindowAppears(QStringLiteral("Vemora - ") + file)) << Editor.readAllStandardError().toStdString();
}

} // namespace
