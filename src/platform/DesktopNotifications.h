#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

// A notification as the desktop's notification service takes it.
struct TDesktopNotification {
    QString Summary;
    QString Body;     // plain text; escaped here for a service that reads markup
    QString IconName; // a freedesktop icon name
    bool Critical = false;
    bool Persistent = false;   // waits for the person instead of expiring
    bool SuppressSound = false; // the program sounds it itself
    QStringList Actions;       // key and label, in turn
};

// The notification service (org.freedesktop.Notifications) on the session bus that the
// environment names at the moment of construction.
class TDesktopNotifications final : public QObject {
    Q_OBJECT
public:
    TDesktopNotifications();
    ~TDesktopNotifications() override;

    // The notification's id; none when there is no service or it did not take the call. After
    // one failure every later call fails at once, so that a missing service costs one wait.
    std::optional<quint32> Show(const TDesktopNotification& notification);

signals:
    void ActionInvoked(quint32 id, const QString& actionKey);
    void Closed(quint32 id);
    // The service left the bus: what it showed is gone with it.
    void ServiceGone();

private slots:
    void OnActionInvoked(quint32 id, const QString& actionKey);
    void OnNotificationClosed(quint32 id, quint32 reason);

private:
    bool Connect();

    QDBusConnection m_Bus;
    std::optional<bool> m_ReadsMarkup; // asked once the first notification goes out
    bool m_Failed = false;
};
