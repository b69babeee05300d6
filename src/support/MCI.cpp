#include "support/MCI.h"

#include "support/NLS.h"
#include "support/VideoWindow.h"

#include <QAudioOutput>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMediaMetaData>
#include <QMediaPlayer>
#include <QObject>
#include <QSize>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <limits>
#include <utility>

namespace {

constexpr quint32 TextNoDeviceOpen = 0x53933310;
constexpr quint32 TextUnknownError = 0x53933311;

// Loading a local file takes a few milliseconds; the limit only guards against a backend
// that never answers.
constexpr int OpenTimeLimit = 5000;
// A waiting Play may overrun the medium's length by this much before it gives up.
constexpr int PlayOverrunLimit = 5000;

bool IsLoaded(QMediaPlayer::MediaStatus status)
{
    switch (status) {
    case QMediaPlayer::LoadedMedia:
    case QMediaPlayer::StalledMedia:
    case QMediaPlayer::BufferingMedia:
    case QMediaPlayer::BufferedMedia:
    case QMediaPlayer::EndOfMedia:
        return true;
    case QMediaPlayer::NoMedia:
    case QMediaPlayer::LoadingMedia:
    case QMediaPlayer::InvalidMedia:
        return false;
    }
    return false;
}

} // namespace

EMCIDeviceError::EMCIDeviceError(const QString& message)
    : std::runtime_error(message.toStdString())
{
}

TMCI::TMCI()
    : m_NoticeReceiver(std::make_unique<QObject>())
{
}

TMCI::~TMCI()
{
    m_PlayNoticePending = false;
    ReleasePlayer();
}

void TMCI::SetWait(bool value)
{
    m_Wait = value;
    m_WaitSet = true;
}

void TMCI::SetNotify(bool value)
{
    m_Notify = value;
    m_NotifySet = true;
}

quint32 TMCI::TakeFlags(TCommand command)
{
    quint32 flags = 0;
    if (command == TCommand::cmdPlay) {
        if (!(m_NotifySet && !m_Notify))
            flags |= mciFlagNotify;
        if (m_WaitSet && m_Wait)
            flags |= mciFlagWait;
    } else {
        if (!(m_WaitSet && !m_Wait))
            flags |= mciFlagWait;
        if (m_NotifySet && m_Notify)
            flags |= mciFlagNotify;
    }
    m_WaitSet = false;
    m_NotifySet = false;
    m_Flags = flags;
    return flags;
}

void TMCI::RequireOpen() const
{
    if (!Opened())
        throw EMCIDeviceError(LanguageText(TextNoDeviceOpen));
}

void TMCI::Open()
{
    if (Opened()) {
        SettlePlayNotice(mciNotifyAborted);
        ReleasePlayer();
    }
    const quint32 flags = TakeFlags(TCommand::cmdOpenStopClose);
    m_Error = 0;
    m_ErrorText.clear();

    if (m_FileName.isEmpty()) {
        m_Error = mciErrorNoMedium;
        throw EMCIDeviceError(LanguageText(TextUnknownError));
    }

    // Qt 6.4 can deadlock when its own file source adds the decoded streams while setSource
    // still seeks. Read through a QFile, the data flows only from this thread's event loop,
    // after setSource has returned.
    m_File = std::make_unique<QFile>(m_FileName);
    if (!m_File->open(QIODevice::ReadOnly)) {
        m_Error = static_cast<int>(QMediaPlayer::ResourceError);
        m_ErrorText = m_File->errorString();
        ReleasePlayer();
        throw EMCIDeviceError(m_ErrorText);
    }
    m_AudioOutput = std::make_unique<QAudioOutput>();
    m_Player = std::make_unique<QMediaPlayer>();
    m_Player->setAudioOutput(m_AudioOutput.get());
    ConnectPlayer();
    m_Player->setSourceDevice(m_File.get(), QUrl::fromLocalFile(m_FileName));

    const bool answered = WaitUntil(
        [this] { return !m_Player || IsLoaded(m_Player->mediaStatus()) || HasFailed(); },
        OpenTimeLimit);
    if (!answered || !m_Player || HasFailed()) {
        if (!answered)
            m_Error = mciErrorTimeout;
        else if (m_Error == 0)
            m_Error = mciErrorNoMedium;
        const QString message = m_ErrorText.isEmpty() ? LanguageText(TextUnknownError) : m_ErrorText;
        ReleasePlayer();
        throw EMCIDeviceError(message);
    }

    if (m_Player->hasVideo()) {
        m_VideoWindow = std::make_unique<TVideoWindow>();
        m_VideoWindow->setWindowTitle(QFileInfo(m_FileName).fileName());
        const QSize size = m_Player->metaData().value(QMediaMetaData::Resolution).toSize();
        if (size.isValid()) {
            m_DisplayWidth = size.width();
            m_DisplayHeight = size.height();
            m_VideoWindow->resize(size);
        }
        m_Player->setVideoSink(m_VideoWindow->Sink());
    }
    if (flags & mciFlagNotify)
        PostNotice(mciNotifySuccessful);
}

int TMCI::Play()
{
    RequireOpen();
    const quint32 flags = TakeFlags(TCommand::cmdPlay);
    SettlePlayNotice(mciNotifySuperseded);

    // Read before play(): playing an invalid medium clears the backend's error.
    if (HasFailed()) {
        if (m_Error == 0)
            m_Error = mciErrorNoMedium;
        if (flags & mciFlagNotify)
            PostNotice(mciNotifyFailure);
        return m_Error;
    }
    m_Error = 0;
    m_ErrorText.clear();
    if (AtEnd()) {
        if (!m_AutoRewind) {
            // Nothing is left to play: done at once.
            if (flags & mciFlagNotify)
                PostNotice(mciNotifySuccessful);
            return m_Error;
        }
        Rewind();
    }

    if (m_VideoWindow)
        m_VideoWindow->show();
    m_PlayNoticePending = (flags & mciFlagNotify) != 0;
    m_Player->play();

    if (flags & mciFlagWait) {
        const qint64 limit = std::clamp<qint64>(Length() - Position() + PlayOverrunLimit, 0,
                                                std::numeric_limits<int>::max());
        WaitUntil([this] { return !m_Player || m_Player->playbackState() != QMediaPlayer::PlayingState; },
                  static_cast<int>(limit));
    }
    return m_Error;
}

int TMCI::Stop()
{
    RequireOpen();
    const quint32 flags = TakeFlags(TCommand::cmdOpenStopClose);
    SettlePlayNotice(mciNotifyAborted);
    // Pausing keeps the position, so a later Play goes on from here; the backend's stop
    // would rewind.
    if (m_Player->playbackState() == QMediaPlayer::PlayingState)
        m_Player->pause();
    m_Error = 0;
    m_ErrorText.clear();
    if (flags & mciFlagNotify)
        PostNotice(mciNotifySuccessful);
    return m_Error;
}

void TMCI::Close()
{
    if (!Opened())
        return;
    const quint32 flags = TakeFlags(TCommand::cmdOpenStopClose);
    SettlePlayNotice(mciNotifyAborted);
    ReleasePlayer();
    m_Error = 0;
    m_ErrorText.clear();
    if (flags & mciFlagNotify)
        PostNotice(mciNotifySuccessful);
}

int TMCI::Mode() const
{
    if (!Opened() || !IsLoaded(m_Player->mediaStatus()))
        return mciModeNotReady;
    // Stop pauses the backend, so its paused state is this object's stopped one.
    return m_Player->playbackState() == QMediaPlayer::PlayingState ? mciModePlaying : mciModeStopped;
}

qint64 TMCI::Length() const
{
    RequireOpen();
    return m_Player->duration();
}

qint64 TMCI::Position() const
{
    return Opened() ? m_Player->position() : 0;
}

void TMCI::Rewind()
{
    RequireOpen();
    m_Player->setPosition(0);
}

void TMCI::ConnectPlayer()
{
    QMediaPlayer* player = m_Player.get();
    QObject::connect(player, &QMediaPlayer::mediaStatusChanged, player,
                     [this](QMediaPlayer::MediaStatus status) {
                         if (status == QMediaPlayer::EndOfMedia)
                             SettlePlayNotice(mciNotifySuccessful);
                         WakeWaiter();
                     });
    QObject::connect(player, &QMediaPlayer::playbackStateChanged, player, [this] { WakeWaiter(); });
    QObject::connect(player, &QMediaPlayer::errorOccurred, player,
                     [this](QMediaPlayer::Error error, const QString& text) {
                         m_Error = static_cast<int>(error);
                         // A failed medium is followed by more general errors; the first one
                         // says what went wrong.
                         if (m_ErrorText.isEmpty())
                             m_ErrorText = text;
                         SettlePlayNotice(mciNotifyFailure);
                         WakeWaiter();
                     });
}

void TMCI::ReleasePlayer()
{
    if (m_Player) {
        m_Player->stop();
        // Qt 6.4's GStreamer backend deletes its video output among the player's children,
        // after the player itself is gone; taking that output out of the pipeline removes the
        // decoder's pads, whose handler then runs on the half-destroyed player (a crash now and
        // then, seen under load). An empty source takes the decoder out while the player is whole.
        m_Player->setSourceDevice(nullptr);
    }
    m_Player.reset();
    m_VideoWindow.reset();
    m_AudioOutput.reset();
    m_File.reset();
    m_DisplayWidth = 0;
    m_DisplayHeight = 0;
    WakeWaiter();
}

bool TMCI::AtEnd() const
{
    const qint64 length = m_Player->duration();
    return m_Player->mediaStatus() == QMediaPlayer::EndOfMedia
        || (length > 0 && m_Player->position() >= length);
}

bool TMCI::HasFailed() const
{
    return m_Player->mediaStatus() == QMediaPlayer::InvalidMedia
        || m_Player->error() != QMediaPlayer::NoError;
}

void TMCI::PostNotice(TMCINotifyValue value)
{
    QMetaObject::invokeMethod(
        m_NoticeReceiver.get(), [this, value] { DeliverNotice(value); }, Qt::QueuedConnection);
}

// Sends the notice a running Play still owes, if any.
void TMCI::SettlePlayNotice(TMCINotifyValue value)
{
    if (!m_PlayNoticePending)
        return;
    m_PlayNoticePending = false;
    PostNotice(value);
}

void TMCI::DeliverNotice(TMCINotifyValue value)
{
    m_NotifyValue = value;
    if (OnNotify)
        OnNotify(*this);
}

// Runs the event loop until done() holds; false when the time limit passed first.
bool TMCI::WaitUntil(const std::function<bool()>& done, int limitMilliseconds)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (!done()) {
        const qint64 left = limitMilliseconds - elapsed.elapsed();
        if (left <= 0)
            return false;
        QEventLoop loop;
        QTimer::singleShot(static_cast<int>(left), &loop, &QEventLoop::quit);
        QEventLoop* outer = std::exchange(m_Waiter, &loop);
        // The person's keys and clicks wait until the backend has answered: a command run in
        // here could free what the caller of this wait is working on.
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        m_Waiter = outer;
    }
    return true;
}

void TMCI::WakeWaiter()
{
    if (m_Waiter)
        m_Waiter->quit();
}
