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
#include <vector>

namespace {

constexpr int SoundLength = 250; // milliseconds
// Playback runs in real time; a notice that comes sooner than this did not play the medium.
constexpr qint64 PlayedThrough = SoundLength - 50;

QByteArray List(const char* type, const QByteArray& body)
{
    return Chunk("LIST", QByteArray(type, 4) + body);
}

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
    const QByteArray headers = List("hdrl", Chunk("avih", mainHeader)
                                                + List("strl", Chunk("strh", streamHeader)
                                                                   + Chunk("strf", bitmapHeader)));
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
    QString Sound(const QString& name = QStringLiteral("tone.wav"), int length = SoundLength) const
    {
        return Write(name, Wave(length));
    }
    // Opens fileName in the player, whose notices are recorded from then on.
    void Open(TMCI& player, const QString& fileName)
    {
        player.OnNotify = [this](TMCI& sender) {
            Notices.push_back(sender.NotifyValue());
            Senders.push_back(&sender);
        };
        player.SetFileName(fileName);
        player.Open();
    }
    bool WaitForNotices(size_t count) const
    {
        QElapsedTimer elapsed;
        elapsed.start();
        while (Notices.size() < count && elapsed.elapsed() < 3000)
            RunEvents(5);
        return Notices.size() >= count;
    }

    std::vector<TMCINotifyValue> Notices;
    std::vector<const TMCI*> Senders;

private:
    QTemporaryDir m_Directory;
};

// The second Play starts at the end of the medium.
TEST_F(MCITest, PlayReturnsAtOnceAnnouncesTheEndAndRewindsOnlyWithAutoRewind)
{
    for (bool autoRewind : {true, false}) {
        SCOPED_TRACE(autoRewind ? "auto rewind" : "no auto rewind");
        Notices.clear();
        TMCI player;
        player.SetAutoRewind(autoRewind);
        Open(player, Sound());
        EXPECT_EQ(player.Flags(), mciFlagWait);
        EXPECT_EQ(player.Mode(), mciModeStopped);
        EXPECT_NEAR(player.Length(), SoundLength, 5);
        EXPECT_FALSE(player.HasVideo());

        QElapsedTimer elapsed;
        elapsed.start();
        EXPECT_EQ(player.Play(), 0);
        EXPECT_EQ(player.Flags(), mciFlagNotify);
        EXPECT_EQ(player.Mode(), mciModePlaying);
        EXPECT_LT(elapsed.elapsed(), PlayedThrough);
        EXPECT_TRUE(Notices.empty()); // never inside the command, and none for Open
        ASSERT_TRUE(WaitForNotices(1));
        EXPECT_GE(elapsed.elapsed(), PlayedThrough);
        EXPECT_EQ(player.Mode(), mciModeStopped);
        EXPECT_EQ(player.Position(), player.Length());

        elapsed.restart();
        EXPECT_EQ(player.Play(), 0);
        EXPECT_EQ(player.Mode(), autoRewind ? mciModePlaying : mciModeStopped);
        ASSERT_TRUE(WaitForNotices(2));
        EXPECT_EQ(Notices, (std::vector{mciNotifySuccessful, mciNotifySuccessful}));
        // Without rewinding there is nothing left to play.
        EXPECT_EQ(elapsed.elapsed() >= PlayedThrough, autoRewind);
    }
}

TEST_F(MCITest, StopHaltsWherePlaybackStandsAndPlayGoesOn)
{
    TMCI player;
    // Long enough that the silent sink does not hold the whole medium when paused.
    Open(player, Sound(QStringLiteral("long.wav"), SoundLength * 2));
    player.Play();
    RunEvents(100);

    EXPECT_EQ(player.Stop(), 0);
    EXPECT_EQ(player.Mode(), mciModeStopped);
    const qint64 stoppedAt = player.Position();
    EXPECT_GT(stoppedAt, 0);
    RunEvents(150);
    EXPECT_EQ(player.Position(), stoppedAt);
    EXPECT_EQ(Notices, std::vector{mciNotifyAborted});

    player.Play();
    EXPECT_GE(player.Position(), stoppedAt);
    EXPECT_EQ(player.Mode(), mciModePlaying);
}

// Close and a second Open both end a running playback, whose end then never comes.
TEST_F(MCITest, CloseOrOpenWhilePlayingAbortsThePlayback)
{
    const QString longSound = Sound(QStringLiteral("long.wav"), SoundLength * 2);
    for (bool reopen : {false, true}) {
        SCOPED_TRACE(reopen ? "open again" : "close");
        Notices.clear();
        TMCI player;
        Open(player, Sound());
        player.Play();
        RunEvents(50);
        ASSERT_EQ(player.Mode(), mciModePlaying);

        if (reopen)
            Open(player, longSound);
        else
            player.Close();
        EXPECT_EQ(player.Opened(), reopen);
        EXPECT_EQ(player.Mode(), reopen ? mciModeStopped : mciModeNotReady);
        EXPECT_NEAR(player.Opened() ? player.Length() : 0, reopen ? SoundLength * 2 : 0, 5);
        RunEvents(SoundLength + 100);
        EXPECT_EQ(Notices, std::vector{mciNotifyAborted});
    }
}

TEST_F(MCITest, TwoPlayersPlayAtTheSameTime)
{
    TMCI first, second;
    Open(first, Sound(QStringLiteral("first.wav")));
    Open(second, Sound(QStringLiteral("second.wav"), SoundLength * 2));

    first.Play();
    second.Play();
    // Both advance together, not one after the other.
    RunEvents(100);
    EXPECT_GT(first.Position(), 0);
    EXPECT_GT(second.Position(), 0);
    EXPECT_EQ(second.Mode(), mciModePlaying);
    ASSERT_TRUE(WaitForNotices(2));
    EXPECT_EQ(Notices, (std::vector{mciNotifySuccessful, mciNotifySuccessful}));
    EXPECT_EQ(Senders, (std::vector<const TMCI*>{&first, &second}));
}

TEST_F(MCITest, OneShotSettingsApplyToTheNextCommandOnly)
{
    TMCI player;
    player.SetNotify(true);
    player.SetWait(false);
    Open(player, Sound());
    EXPECT_EQ(player.Flags(), mciFlagNotify);
    EXPECT_FALSE(player.NotifySet());
    EXPECT_FALSE(player.WaitSet());
    ASSERT_TRUE(WaitForNotices(1));

    // A waiting Play returns at the end; its notice still follows through the event loop.
    QElapsedTimer elapsed;
    elapsed.start();
    player.SetWait(true);
    player.Play();
    EXPECT_EQ(player.Flags(), mciFlagNotify | mciFlagWait);
    EXPECT_GE(elapsed.elapsed(), PlayedThrough);
    EXPECT_EQ(player.Mode(), mciModeStopped);
    EXPECT_EQ(Notices.size(), 1u);
    ASSERT_TRUE(WaitForNotices(2));

    player.SetNotify(false);
    player.Play();
    EXPECT_EQ(player.Flags(), 0u);
    RunEvents(SoundLength + 100);
    EXPECT_EQ(Notices.size(), 2u);

    player.Play(); // notifies again
    player.Play(); // takes over the running one's notice
    ASSERT_TRUE(WaitForNotices(4));
    EXPECT_EQ(Notices, (std::vector{mciNotifySuccessful, mciNotifySuccessful,
                                         mciNotifySuperseded, mciNotifySuccessful}));
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
        EXPECT_FALSE(player.Opened());
        EXPECT_NE(player.Error(), 0);
        EXPECT_EQ(player.Mode(), mciModeNotReady);

        Open(player, Sound());
        EXPECT_TRUE(player.Opened());
    }
}

TEST_F(MCITest, CommandsThatNeedAMediumRaiseWhenClosed)
{
    TMCI player;
    const QString message = LanguageText(0x53933310);
    EXPECT_EQ(ErrorOf([&] { player.Play(); }), message);
    EXPECT_EQ(ErrorOf([&] { player.Stop(); }), message);
    EXPECT_EQ(ErrorOf([&] { player.Rewind(); }), message);
    EXPECT_EQ(ErrorOf([&] { player.Length(); }), message);
    player.Close();
    EXPECT_EQ(player.Position(), 0);
    EXPECT_EQ(player.Mode(), mciModeNotReady);
}

TEST_F(MCITest, VideoPlaysInItsOwnWindow)
{
    TMCI player;
    Open(player, Write(QStringLiteral("clip.avi"), Video(5)));

    TVideoWindow* window = player.VideoWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(player.HasVideo());
    EXPECT_EQ(QSize(player.DisplayWidth(), player.DisplayHeight()), QSize(32, 24));
    EXPECT_FALSE(window->isVisible());

    player.Play();
    EXPECT_TRUE(window->isVisible());
    ASSERT_TRUE(WaitForNotices(1));
    EXPECT_EQ(Notices, std::vector{mciNotifySuccessful});
    // The last frame is grey 160 throughout.
    const QImage frame = window->Frame();
    ASSERT_EQ(frame.size(), QSize(32, 24));
    EXPECT_EQ(frame.pixelColor(0, 0), QColor(160, 160, 160));
    EXPECT_EQ(frame.pixelColor(31, 23), QColor(160, 160, 160));

    player.Close();
    EXPECT_FALSE(player.HasVideo());
    EXPECT_EQ(player.VideoWindow(), nullptr);
}

TEST_F(MCITest, QueuedNoticesDieWithThePlayer)
{
    {
        TMCI player;
        Open(player, Sound());
        player.Play();
        player.Stop(); // queues an aborted notice
    }
    RunEvents(50);
    EXPECT_TRUE(Notices.empty());
}

} // namespace
