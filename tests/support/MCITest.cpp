#include "support/MCI.h"
#include "MediaFiles.h"
#include "TestSupport.h"

#include "support/NLS.h"
#include "support/VideoWindow.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QtEndian>
#include <QTimer>

#include <cmath>
#include <functional>
#include <numbers>
#include <utility>
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

template <typename Predicate>
bool RunEventsUntil(Predicate done, int limitMilliseconds = 3000)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (!done() && elapsed.elapsed() < limitMilliseconds)
        RunEvents(5);
    return done();
}

// Records every completion notice of the players it listens to.
struct TNoticeLog {
    std::vector<std::pair<const TMCI*, TMCINotifyValue>> Notices;

    void Listen(TMCI& player)
    {
        player.OnNotify = [this](TMCI& sender) { Notices.emplace_back(&sender, sender.NotifyValue()); };
    }
    std::vector<TMCINotifyValue> Values() const
    {
        std::vector<TMCINotifyValue> values;
        for (const auto& notice : Notices)
            values.push_back(notice.second);
        return values;
    }
    bool WaitFor(size_t count, int limitMilliseconds = 3000) const
    {
        return RunEventsUntil([&] { return Notices.size() >= count; }, limitMilliseconds);
    }
};

class MCITest : public testing::Test {
protected:
    static void SetUpTestSuite() { LoadLanguage(QString(), QString()); }

    QString Path(const QString& name) const { return m_Directory.filePath(name); }
    QString Write(const QString& name, const QByteArray& content) const
    {
        QFile file(Path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return file.fileName();
    }
    QString Sound(const QString& name = QStringLiteral("tone.wav"), int length = SoundLength) const
    {
        return Write(name, Wave(length));
    }
    void Open(TMCI& player, const QString& fileName) const
    {
        player.SetFileName(fileName);
        player.Open();
    }

private:
    QTemporaryDir m_Directory;
};

TEST_F(MCITest, PlayReturnsAtOnceAndAnnouncesTheEnd)
{
    TMCI player;
    TNoticeLog log;
    log.Listen(player);
    Open(player, Sound());
    EXPECT_EQ(player.Flags(), mciFlagWait);
    EXPECT_EQ(player.Mode(), mciModeStopped);
    EXPECT_NEAR(player.Length(), SoundLength, 5);
    EXPECT_EQ(player.Position(), 0);
    EXPECT_FALSE(player.HasVideo());

    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_EQ(player.Play(), 0);
    EXPECT_EQ(player.Flags(), mciFlagNotify);
    EXPECT_EQ(player.Mode(), mciModePlaying);
    EXPECT_LT(elapsed.elapsed(), PlayedThrough);
    EXPECT_TRUE(log.Notices.empty()); // never inside the command, and none for Open

    ASSERT_TRUE(log.WaitFor(1));
    EXPECT_GE(elapsed.elapsed(), PlayedThrough);
    EXPECT_EQ(log.Notices[0].first, &player);
    EXPECT_EQ(log.Values(), std::vector{mciNotifySuccessful});
    EXPECT_EQ(player.Mode(), mciModeStopped);
    EXPECT_EQ(player.Position(), player.Length());
}

TEST_F(MCITest, PlayAtTheEndRewindsOnlyWithAutoRewind)
{
    for (bool autoRewind : {true, false}) {
        SCOPED_TRACE(autoRewind ? "auto rewind" : "no auto rewind");
        TMCI player;
        TNoticeLog log;
        log.Listen(player);
        player.SetAutoRewind(autoRewind);
        Open(player, Sound());
        player.Play();
        ASSERT_TRUE(log.WaitFor(1));

        QElapsedTimer elapsed;
        elapsed.start();
        EXPECT_EQ(player.Play(), 0);
        EXPECT_EQ(player.Mode(), autoRewind ? mciModePlaying : mciModeStopped);
        ASSERT_TRUE(log.WaitFor(2));
        EXPECT_EQ(log.Values(), (std::vector{mciNotifySuccessful, mciNotifySuccessful}));
        if (autoRewind)
            EXPECT_GE(elapsed.elapsed(), PlayedThrough);
        else
            EXPECT_LT(elapsed.elapsed(), PlayedThrough); // nothing left to play
    }
}

TEST_F(MCITest, StopHaltsWherePlaybackStandsAndPlayGoesOn)
{
    TMCI player;
    TNoticeLog log;
    log.Listen(player);
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
    EXPECT_EQ(log.Values(), std::vector{mciNotifyAborted});

    player.Play();
    EXPECT_GE(player.Position(), stoppedAt);
    EXPECT_EQ(player.Mode(), mciModePlaying);
}

TEST_F(MCITest, CloseWhilePlayingStopsTheSound)
{
    TMCI player;
    TNoticeLog log;
    log.Listen(player);
    Open(player, Sound());
    player.Play();
    RunEvents(50);
    ASSERT_EQ(player.Mode(), mciModePlaying);

    player.Close();
    EXPECT_FALSE(player.Opened());
    EXPECT_EQ(player.Mode(), mciModeNotReady);
    RunEvents(SoundLength + 100);
    EXPECT_EQ(log.Values(), std::vector{mciNotifyAborted}); // the end never came
}

TEST_F(MCITest, TwoPlayersPlayAtTheSameTime)
{
    TMCI first, second;
    TNoticeLog log;
    log.Listen(first);
    log.Listen(second);
    Open(first, Sound(QStringLiteral("first.wav")));
    Open(second, Sound(QStringLiteral("second.wav"), SoundLength * 2));

    first.Play();
    second.Play();
    // Both advance together, not one after the other.
    EXPECT_TRUE(RunEventsUntil([&] { return first.Position() > 0 && second.Position() > 0; }));
    EXPECT_EQ(first.Mode(), mciModePlaying);
    EXPECT_EQ(second.Mode(), mciModePlaying);
    ASSERT_TRUE(log.WaitFor(2));
    EXPECT_EQ(log.Notices[0], std::pair(static_cast<const TMCI*>(&first), mciNotifySuccessful));
    EXPECT_EQ(log.Notices[1], std::pair(static_cast<const TMCI*>(&second), mciNotifySuccessful));
}

TEST_F(MCITest, OneShotSettingsApplyToTheNextCommandOnly)
{
    TMCI player;
    TNoticeLog log;
    log.Listen(player);

    player.SetFileName(Sound());
    player.SetNotify(true);
    player.SetWait(false);
    player.Open();
    EXPECT_EQ(player.Flags(), mciFlagNotify);
    EXPECT_FALSE(player.NotifySet());
    EXPECT_FALSE(player.WaitSet());
    ASSERT_TRUE(log.WaitFor(1));

    // A waiting Play returns at the end; its notice still follows through the event loop.
    QElapsedTimer elapsed;
    elapsed.start();
    player.SetWait(true);
    player.Play();
    EXPECT_EQ(player.Flags(), mciFlagNotify | mciFlagWait);
    EXPECT_GE(elapsed.elapsed(), PlayedThrough);
    EXPECT_EQ(player.Mode(), mciModeStopped);
    EXPECT_EQ(log.Notices.size(), 1u);
    ASSERT_TRUE(log.WaitFor(2));

    player.SetNotify(false);
    player.Play();
    EXPECT_EQ(player.Flags(), 0u);
    RunEvents(SoundLength + 100);
    EXPECT_EQ(log.Notices.size(), 2u);

    player.Play(); // notifies again
    player.Play(); // takes over the running one's notice
    ASSERT_TRUE(log.WaitFor(4));
    EXPECT_EQ(log.Values(), (std::vector{mciNotifySuccessful, mciNotifySuccessful,
                                         mciNotifySuperseded, mciNotifySuccessful}));
}

TEST_F(MCITest, OpenAgainClosesTheFirstMedium)
{
    TMCI player;
    TNoticeLog log;
    log.Listen(player);
    Open(player, Sound());
    player.Play();

    Open(player, Sound(QStringLiteral("long.wav"), SoundLength * 2));
    EXPECT_EQ(player.Mode(), mciModeStopped);
    EXPECT_NEAR(player.Length(), SoundLength * 2, 5);
    ASSERT_TRUE(log.WaitFor(1));
    EXPECT_EQ(log.Values(), std::vector{mciNotifyAborted});
}

TEST_F(MCITest, FailedOpenRaisesTheBackendTextAndLeavesThePlayerUsable)
{
    const QString missing = Path(QStringLiteral("missing.wav"));
    QFile missingFile(missing);
    ASSERT_FALSE(missingFile.open(QIODevice::ReadOnly));
    const struct {
        const char* Case;
        QString FileName;
        QString Message;
    } cases[] = {
        {"missing file", missing, missingFile.errorString()},
        {"text named .wav", Write(QStringLiteral("text.wav"), "no sound in here\n"),
         QStringLiteral("Could not determine type of stream.")},
        {"no file name", QString(), LanguageText(0x53933311)},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.Case);
        TMCI player;
        player.SetFileName(row.FileName);
        try {
            player.Open();
            ADD_FAILURE() << "no error raised";
        } catch (const EMCIDeviceError& error) {
            EXPECT_EQ(error.Message(), row.Message);
        }
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
    for (const auto& [name, command] : std::initializer_list<std::pair<const char*, std::function<void()>>>{
             {"Play", [&] { player.Play(); }},
             {"Stop", [&] { player.Stop(); }},
             {"Rewind", [&] { player.Rewind(); }},
             {"Length", [&] { player.Length(); }}}) {
        SCOPED_TRACE(name);
        try {
            command();
            ADD_FAILURE() << "no error raised";
        } catch (const EMCIDeviceError& error) {
            EXPECT_EQ(error.Message(), message);
        }
    }
    player.Close();
    EXPECT_EQ(player.Position(), 0);
    EXPECT_EQ(player.Mode(), mciModeNotReady);
}

TEST_F(MCITest, VideoPlaysInItsOwnWindow)
{
    TMCI player;
    TNoticeLog log;
    log.Listen(player);
    Open(player, Write(QStringLiteral("clip.avi"), Video(5)));

    ASSERT_TRUE(player.HasVideo());
    TVideoWindow* window = player.VideoWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(player.DisplayWidth(), 32);
    EXPECT_EQ(player.DisplayHeight(), 24);
    EXPECT_FALSE(window->isVisible());

    player.Play();
    EXPECT_TRUE(window->isVisible());
    ASSERT_TRUE(log.WaitFor(1));
    EXPECT_EQ(log.Values(), std::vector{mciNotifySuccessful});
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
    bool notified = false;
    {
        TMCI player;
        player.OnNotify = [&](TMCI&) { notified = true; };
        Open(player, Sound());
        player.Play();
        player.Stop(); // queues an aborted notice
    }
    RunEvents(50);
    EXPECT_FALSE(notified);
}

} // namespace
