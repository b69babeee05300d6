#include "platform/DesktopNotifications.h"

#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QVariantMap>

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString ObjectPath = QStringLiteral("/org/freedesktop/Notifications");
const QString Interface = QStringLiteral("org.freedesktop.Notifications");
// Long enough for a service that the bus starts on the first call.
constexpr int CallTimeoutMilliseconds = 10000;

// The address is read at every connection, so that a session bus started later is found.
// Connections stay for the process: libdbus aborts when the connection manager lets one go.
QDBusConnection ConnectToSessionBus()
{
    const QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    const QString name = QStringLiteral("vemora-notifications ") + address;
    return address.isEmpty() ? QDBusConnection::connectToBus(QDBusConnection::SessionBus, name)
                             : QDBusConnection::connectToBus(address, name);
}

QDBusMessage NotificationCall(const QString& method)
{
    return QDBusMessage::createMethodCall(Service, ObjectPath, Interface, method);
}

QVariantMap Hints(const TDesktopNotification& notification)
{
    constexpr uchar Normal = 1;
    constexpr uchar Critical = 2;
    QVariantMap hints;
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(notification.Critical ? Critical : Normal));
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("vemora"));
    if (notification.SuppressSound)
        hints.insert(QStringLiteral("suppress-sound"), true);
    return hints;
}

} // namespace

TDesktopNotifications::TDesktopNotifications()
    : m_Bus(ConnectToSessionBus())
{
    if (!m_Bus.isConnected())
        return;
    m_Bus.connect(Service, ObjectPath, Interface, QStringLiteral("ActionInvoked"), this,
                  SLOT(OnActionInvoked(quint32, QString)));
    m_Bus.connect(Service, ObjectPath, Interface, QStringLiteral("NotificationClosed"), this,
                  SLOT(OnNotificationClosed(quint32, quint32)));
    auto* watcher = new QDBusServiceWatcher(Service, m_Bus, QDBusServiceWatcher::WatchForUnregistration, this);
    connect(watcher, &QDBusServiceWatcher::serviceUnregistered, this, &TDesktopNotifications::ServiceGone);
}

TDesktopNotifications::~TDesktopNotifications()
{
    m_Bus.disconnect(Service, ObjectPath, Interface, QStringLiteral("ActionInvoked"), this,
                     SLOT(OnActionInvoked(quint32, QString)));
    m_Bus.disconnect(Service, ObjectPath, Interface, QStringLiteral("NotificationClosed"), this,
                     SLOT(OnNotificationClosed(quint32, quint32)));
}

bool TDesktopNotifications::Connect()
{
    if (m_Failed)
        return false;
    if (m_ReadsMarkup)
        return true;
    if (!m_Bus.isConnected()) {
        m_Failed = true;
        return false;
    }
    const QDBusMessage reply =
        m_Bus.call(NotificationCall(QStringLiteral("GetCapabilities")), QDBus::Block, CallTimeoutMilliseconds);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        m_Failed = true;
        return false;
    }
    m_ReadsMarkup = reply.arguments().constFirst().toStringList().contains(QStringLiteral("body-markup"));
    return true;
}

std::optional<quint32> TDesktopNotifications::Show(const TDesktopNotification& notification)
{
    if (!Connect())
        return std::nullopt;
    // A service that reads markup would take "<" and "&" of a plain text for tags.
    const QString body = *m_ReadsMarkup ? notification.Body.toHtmlEscaped() : notification.Body;
    QDBusMessage call = NotificationCall(QStringLiteral("Notify"));
    call << QStringLiteral("Vemora") << quint32(0) << notification.IconName << notification.Summary << body
         << notification.Actions << Hints(notification) << qint32(notification.Persistent ? 0 : -1);
    const QDBusMessage reply = m_Bus.call(call, QDBus::Block, CallTimeoutMilliseconds);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        m_Failed = true;
        return std::nullopt;
    }
    return reply.arguments().constFirst().toUInt();
}

void TDesktopNotifications::OnActionInvoked(quint32 id, const QString& actionKey)
{
    emit ActionInvoked(id, actionKey);
}

void TDesktopNotifications::OnNotificationClosed(quint32 id, quint32)
{
    emit Closed(id);
}
