#pragma once

#include "platform/MessageService.h"

#include <QString>

#include <deque>
#include <functional>
#include <memory>
#include <set>

class TDesktopNotifications;
class TMCI;

// Alerts shown as desktop notifications. Their sounds play one after the other, each until it
// ends or its notification is closed; Open starts the editor on the entry file.
class TAlertNotifications final {
public:
    // Without an entry file the notifications offer no Open (the editor testing an entry has
    // the file open already).
    explicit TAlertNotifications(const QString& entryFile);
    ~TAlertNotifications();
    TAlertNotifications(const TAlertNotifications&) = delete;
    TAlertNotifications& operator=(const TAlertNotifications&) = delete;

    // False when the desktop has no notification service or it did not take the alert: the
    // caller shows the message box instead. Starts the toolkit on first use.
    bool Post(const TMessageRequest& request, bool dueToday, const QString& mediaFile);
    // Runs until every notification posted is closed and the sounds are over, the service
    // leaves the bus, or the day ends (the next day's check takes over then).
    void WaitUntilClosed();

private:
    void Connect();
    void PlayNext();
    void SoundEnded(const TMCI& sound);
    void NotificationClosed(quint32 id);
    void Open(const QString& actionKey);
    bool Done() const;

    QString m_EntryFile;
    std::unique_ptr<TDesktopNotifications> m_Service;
    std::set<quint32> m_Shown;
    struct TWaitingSound {
        quint32 Notification;
        QString MediaFile;
        TMessageIcon Icon; // its event sound plays when the file cannot
    };
    std::deque<TWaitingSound> m_Sounds;
    std::unique_ptr<TMCI> m_Playing; // after the service: its notices need the toolkit
    quint32 m_PlayingFor = 0;
    bool m_Starting = false; // opening a medium runs the event loop
    std::function<void()> m_Changed; // wakes the wait
};
