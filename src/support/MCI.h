#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>
#include <stdexcept>

class QAudioOutput;
class QEventLoop;
class QFile;
class QMediaPlayer;
class QObject;
class TVideoWindow;

// A media file that cannot be opened, or a command that needs an open medium.
class EMCIDeviceError : public std::runtime_error {
public:
    explicit EMCIDeviceError(const QString& message);
    QString Message() const { return QString::fromUtf8(what()); }
};

// What Mode answers. Recording, seeking, paused and open (a drive's door) never occur with
// media files, but the numbers stay reserved so callers can compare with them.
enum TMCIMode : int {
    mciModeNotReady = 0,
    mciModeStopped = 1,
    mciModePlaying = 2,
    mciModeRecording = 3,
    mciModeSeeking = 4,
    mciModePaused = 5,
    mciModeOpen = 6,
};

// The outcome carried by a completion notice.
enum TMCINotifyValue : quint8 {
    mciNotifySuccessful = 0,
    mciNotifySuperseded = 1, // a later command took over the notice
    mciNotifyAborted = 2,    // stopped or closed before it completed
    mciNotifyFailure = 3,
};

// Bits of Flags.
inline constexpr quint32 mciFlagNotify = 1;
inline constexpr quint32 mciFlagWait = 2;

// Result codes of the commands: 0 for success, else the backend's error number
// (QMediaPlayer::Error) or one of these.
inline constexpr int mciErrorNoMedium = 100;  // no file name, or the backend found no medium
inline constexpr int mciErrorTimeout = 101;   // the backend did not answer in time

// Plays one media file (sound or video) without blocking the caller. Completion notices are
// delivered through the event loop, so OnNotify runs whenever a loop runs (a modal message box
// included), never inside the command that caused it. Several objects play independently.
class TMCI {
public:
    using TNotifyEvent = std::function<void(TMCI& sender)>;

    TMCI();
    // Closes an open medium; notices still queued for this object are dropped.
    ~TMCI();
    TMCI(const TMCI&) = delete;
    TMCI& operator=(const TMCI&) = delete;

    // Called on each completion notice, after NotifyValue is stored.
    TNotifyEvent OnNotify;

    QString FileName() const { return m_FileName; }
    void SetFileName(const QString& fileName) { m_FileName = fileName; }
    // True at creation: Play first rewinds a medium that stands at its end.
    bool AutoRewind() const { return m_AutoRewind; }
    void SetAutoRewind(bool value) { m_AutoRewind = value; }

    // One-shot settings for the next command. By default Open, Stop and Close complete before
    // they return without a notice; Play returns at once and sends a notice when it ends. A
    // Play still owed its notice gets it as aborted from Stop, Close and Open, and as
    // superseded from the next Play.
    bool Wait() const { return m_Wait; }
    void SetWait(bool value);
    bool WaitSet() const { return m_WaitSet; }
    bool Notify() const { return m_Notify; }
    void SetNotify(bool value);
    bool NotifySet() const { return m_NotifySet; }

    // Closes first when open, then waits until the medium of FileName is loaded or has failed,
    // whatever the wait setting says: only loading tells whether the file can be played.
    // Raises EMCIDeviceError with the backend's text and stays closed on failure.
    void Open();
    // Starts playing and returns the result code; playback errors are not raised. Raises
    // EMCIDeviceError when nothing is open.
    int Play();
    // Halts playback where it stands; Play resumes from there. Raises when nothing is open.
    int Stop();
    // Stops a playback that still runs and releases the medium; does nothing when closed.
    void Close();

    // A TMCIMode value; not ready when nothing is open.
    int Mode() const;
    // Length and position of the medium in milliseconds. Length raises when nothing is open;
    // Position answers 0 then.
    qint64 Length() const;
    qint64 Position() const;
    // Seeks to the start. Raises when nothing is open.
    void Rewind();

    bool Opened() const { return m_Player != nullptr; }
    bool HasVideo() const { return m_VideoWindow != nullptr; }
    // The window that shows the video of an open medium that has one, else null. It appears
    // when playing starts and goes with Close.
    TVideoWindow* VideoWindow() const { return m_VideoWindow.get(); }
    // Size of the video source, 0 without video.
    int DisplayWidth() const { return m_DisplayWidth; }
    int DisplayHeight() const { return m_DisplayHeight; }

    // Result code of the last command, and the backend's text for it when it gave one.
    int Error() const { return m_Error; }
    QString ErrorText() const { return m_ErrorText; }
    // The wait and notify bits the last command was given.
    quint32 Flags() const { return m_Flags; }
    TMCINotifyValue NotifyValue() const { return m_NotifyValue; }

private:
    enum class TCommand { cmdOpenStopClose, cmdPlay };

    quint32 TakeFlags(TCommand command);
    void RequireOpen() const;
    void ConnectPlayer();
    void ReleasePlayer();
    bool AtEnd() const;
    bool HasFailed() const;
    void PostNotice(TMCINotifyValue value);
    void SettlePlayNotice(TMCINotifyValue value);
    void DeliverNotice(TMCINotifyValue value);
    bool WaitUntil(const std::function<bool()>& done, int limitMilliseconds);
    void WakeWaiter();

    QString m_FileName;
    bool m_AutoRewind = true;
    bool m_Wait = false;
    bool m_WaitSet = false;
    bool m_Notify = false;
    bool m_NotifySet = false;
    int m_Error = 0;
    QString m_ErrorText;
    quint32 m_Flags = 0;
    TMCINotifyValue m_NotifyValue = mciNotifySuccessful;
    int m_DisplayWidth = 0;
    int m_DisplayHeight = 0;
    bool m_PlayNoticePending = false;

    // Receives the queued notices; they die with it, so none reaches a destroyed object.
    std::unique_ptr<QObject> m_NoticeReceiver;
    QEventLoop* m_Waiter = nullptr;
    // Declared so that the player goes before the file it reads and the outputs it renders to.
    std::unique_ptr<QFile> m_File;
    std::unique_ptr<QAudioOutput> m_AudioOutput;
    std::unique_ptr<TVideoWindow> m_VideoWindow;
    std::unique_ptr<QMediaPlayer> m_Player;
};
