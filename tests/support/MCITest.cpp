#include "support/MCI.h"
#include "MediaFiles.h"
#include "TestSupport.h"

#include "support/NLS.h"
#include "support/VideoWindow.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QDir>
#include <QFile>
#include <QTimer>

#include <functional>
#include <tuple>
#include <vector>

namespace {

constexpr int SoundLength = 250; // milliseconds
// Playback runs in real time; a notice that comes sooner than this did not play the medium.
constexpr qint64 PlayedThrough = SoundLength - 50;

// Uncompressed 24-bit frames of 32 x 24 pixels at 20 frames a second, without sound; frame i
// is grey i * 40.
QByteArray Video(int frames)
{
    constexpr quint32 width = 32, height = 24, rate = 20, frameSize = width * 3 * height;
    const QByteArray mainHeader = LittleEndian(quint32(1000000 / rate), frameSize * rate, 0u,
                                               0x10u /* has index */, quint32(frames), 0u, 1u,
                                               frameSize, width, height, 0u, 0u, 0u, 0u);
    const QByteArray streamHeader = QByteArray("vidsDIB ")
        + LittleEndian(0u, quint16(0), quint16(0), 0u, 1u, rate, 0u, quint32(frames), frameSize,
                       0xFFFFFFFFu, 0u, qint16(0), qint16(0), qint16(width), qint16(height));
    const QByteArray bitmapHeader = LittleEndian(40u, width, height, quint16(1), quint16(24), 0u,
                                                 frameSize, 0u, 0u, 0u, 0u);
    QByteArray movie("movi"), index;
    for (int i = 0; i < frames; ++i) {
        index += QByteArray("00db") + LittleEndian(0x10u, quint32(movie.size()), frameSize);
        movie += Chunk("00db", QByteArray(frameSize, char(i * 40)));
    }
    const QByteArray streams = Chunk("LIST", "strl" + Chunk("strh", streamHeader) + Chunk("strf", bitmapHeader));
    const QByteArray headers = Chunk("LIST", "hdrl" + Chunk("avih", mainHeader) + streams);
    return Chunk("RIFF", QByteArray("AVI ") + headers + Chunk("LIST", movie) + Chunk("idx1", index));
}

void RunEvents(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// The text of the device error that action raises.
QString ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const EMCIDeviceError& error) {
        return error.Message();
    }
    return QStringLiteral("no error");
}

class MCITest : public testing::Test {
protected:
    static void SetUpTestSuite() { LoadLanguage(QString(), QString()); }

    QString Write(const QString& name, const QByteArray& content) const
    {
        QFile file(m_Directory.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return file.fileName();
    }
    QString Sound(int length = SoundLength) const { return Write(QStringLiteral("%1.wav").arg(length), Wave(length)); }
    // Opens fileName in the player, whose notices are recorded from then on.
    void Open(TMCI& player, const QString& fileName)
    {
        player.OnNotify = [this](TMCI& sender) { Notices.push_back(sender.NotifyValue()); };
        player.SetFileName(fileName);
        player.Open();
    }
    bool WaitForNotices(size_t count) const
    {
        QElapsedTimer elapsed;
        elapsed.start();
        // Generous: a loaded machine decodes slowly, and the wait ends with the notice anyway.
        while (Notices.size() < count && elapsed.elapsed() < 10000)
            RunEvents(5);
        return Notices.size() >= count;
    }

    std::vector<TMCINotifyValue> Notices;

private:
    QTemporaryDir m_Directory;
};

// Stop halts where playback stands and Play goes on from there; Close and a second Open end
// the playback too. The end of the medium then never comes.
TEST_F(MCITest, StopCloseAndASecondOpenAbortThePlayback)
{
    // Long enough that the silent sink does not hold the whole medium when paused.
    const QString longSound = Sound(SoundLength * 2);
    for (const std::string action : {"stop", "close", "open"}) {
        SCOPED_TRACE(action);
        Notices.clear();
        TMCI player;
        Open(player, longSound);
        player.Play();
        RunEvents(100);
        ASSERT_EQ(player.Mode(), mciModePlaying);
        if (action == "stop")
            EXPECT_EQ(player.Stop(), 0);
        else if (action == "close")
            player.Close();
        else
            Open(player, Sound());
        const qint64 stoppedAt = player.Position();
        const bool stop = action == "stop", close = action == "close";
        EXPECT_EQ(std::tuple(player.Mode(), player.Opened(), stoppedAt > 0),
                  std::tuple(close ? mciModeNotReady : mciModeStopped, !close, stop));
        RunEvents(SoundLength * 2);
        EXPECT_EQ(std::tuple(player.Position(), Notices), std::tuple(stoppedAt, std::vector{mciNotifyAborted}));
        if (stop) {
            player.Play();
            EXPECT_EQ(std::tuple(player.Position() >= stoppedAt, player.Mode()), std::tuple(true, mciModePlaying));
            player.Stop(); // its queued notice dies with the player: the next round sees none
        }
    }
}

// Play returns at once unless told to wait and announces the end through the event loop; at the
// end only auto rewind plays again. One-shot settings apply to the next command only.
TEST_F(MCITest, PlayAnnouncesTheEndAndOneShotSettingsApplyToTheNextCommandOnly)
{
    TMCI player;
    player.SetNotify(true);
    Open(player, Sound());
    EXPECT_NEAR(player.Length(), SoundLength, 5);
    ASSERT_TRUE(WaitForNotices(1));
    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_EQ(player.Play(), 0);
    EXPECT_EQ(std::tuple(player.Flags(), player.Mode(), elapsed.elapsed() < PlayedThrough, Notices.size()),
              std::tuple(mciFlagNotify, mciModePlaying, true, 1u));
    ASSERT_TRUE(WaitForNotices(2));
    EXPECT_EQ(std::tuple(elapsed.elapsed() >= PlayedThrough, player.Mode(), player.Position()),
              std::tuple(true, mciModeStopped, player.Length()));
    elapsed.restart();
    player.SetWait(true);
    player.Play();
    EXPECT_EQ(std::tuple(player.Flags(), elapsed.elapsed() >= PlayedThrough, Notices.size()),
              std::tuple(mciFlagNotify | mciFlagWait, true, 2u));
    ASSERT_TRUE(WaitForNotices(3));
    player.SetAutoRewind(false);
    elapsed.restart();
    player.Play();
    ASSERT_TRUE(WaitForNotices(4));
    EXPECT_LT(elapsed.elapsed(), PlayedThrough) << "nothing is left to play";
    player.SetAutoRewind(true);
    player.SetNotify(false);
    player.Play();
    EXPECT_EQ(player.Flags(), 0u);
    RunEvents(SoundLength + 100);
    player.Play(); // notifies again
    player.Play(); // takes over the running one's notice
    ASSERT_TRUE(WaitForNotices(6));
    EXPECT_EQ(Notices, (std::vector{mciNotifySuccessful, mciNotifySuccessful, mciNotifySuccessful,
                                    mciNotifySuccessful, mciNotifySuperseded, mciNotifySuccessful}));
    player.Stop();
    EXPECT_EQ(player.Flags(), mciFlagWait);
}

TEST_F(MCITest, FailedOpenRaisesTheBackendTextAndLeavesThePlayerUsable)
{
    QFile missing(QDir::temp().filePath(QStringLiteral("MCITest-missing.wav")));
    ASSERT_FALSE(missing.open(QIODevice::ReadOnly));
    const struct {
        const char* Case;
        QString FileName;
        QString Message;
    } cases[] = {
        {"missing file", missing.fileName(), missing.errorString()},
        {"text named .wav", Write(QStringLiteral("text.wav"), "no sound in here\n"),
         QStringLiteral("Could not determine type of stream.")},
        {"no file name", QString(), LanguageText(0x53933311)},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.Case);
        TMCI player;
        player.SetFileName(row.FileName);
        EXPECT_EQ(ErrorOf([&] { player.Open(); }), row.Message);
        EXPECT_EQ(std::tuple(player.Opened(), player.Error() != 0, player.Mode()),
                  std::tuple(false, true, mciModeNotReady));
        Open(player, Sound());
        EXPECT_TRUE(player.Opened());
    }
    TMCI closed;
    closed.Close();
    for (const std::function<void()>& command : std::initializer_list<std::function<void()>>{
             [&] { closed.Play(); }, [&] { closed.Stop(); }, [&] { closed.Rewind(); }, [&] { closed.Length(); }})
        EXPECT_EQ(ErrorOf(command), LanguageText(0x53933310));
    EXPECT_EQ(closed.Position(), 0);
}

TEST_F(MCITest, VideoPlaysInItsOwnWindow)
{
    TMCI player;
    Open(player, Write(QStringLiteral("clip.avi"), Video(5)));
    TVideoWindow* window = player.VideoWindow();
    ASSERT_NE(window, nullptr);
    player.Play();
    EXPECT_EQ(std::tuple(player.DisplayWidth(), player.DisplayHeight(), window->isVisible()), std::tuple(32, 24, true));
    ASSERT_TRUE(WaitForNotices(1));
    EXPECT_EQ(window->Frame().pixelColor(31, 23), QColor(160, 160, 160)) << "the last frame";
    player.Close();
    EXPECT_FALSE(player.HasVideo());
}

} // namespace
