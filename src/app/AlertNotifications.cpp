#include "app/AlertNotifications.h"

#include "app/AlertSound.h"
#include "platform/CommandLine.h"
#include "platform/DesktopNotifications.h"
#include "platform/EventSound.h"
#include "platform/GuiApplication.h"
#include "support/MCI.h"
#include "support/NLS.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

namespace {

const QString OpenAction = QStringLiteral("open");
const QString DefaultAction = QStringLiteral("default"); // a click on the notification itself

// The sound theme names the sounds of the dialog icons as the icon theme names the icons.
QString NotificationIconName(TMessageIcon icon)
{
    return icon == TMessageIcon::None ? QStringLiteral("vemora") : EventSoundId(icon);
}

int MillisecondsToMidnight()
{
    const QDateTime now = QDateTime::currentDateTime();
    return static_cast<int>(now.msecsTo(now.date().addDays(1).startOfDay())) + 1000;
}

// What an alert becomes as a desktop notification: the box's caption and text, its icon by
// the freedesktop name, critical for an error, waiting for the person when the date is today.
// The program sounds it itself, as it does for its boxes. With an open label an action of
// that label (also the default one) offers to open the entry file.
TDesktopNotification AlertNotification(const TMessageRequest& request, bool dueToday, const QString& openLabel)
{
    TDesktopNotification notification;
    notification.Summary = request.Caption;
    notification.Body = request.Text;
    notification.IconName = NotificationIconName(request.Icon);
    notification.Critical = request.Icon == TMessageIcon::Error;
    notification.Persistent = dueToday;
    notification.SuppressSound = true;
    if (!openLabel.isEmpty())
        notification.Actions = {DefaultAction, openLabel, OpenAction, openLabel};
    return notification;
}

} // namespace

TAlertNotifications::TAlertNotifications(const QString& entryFile)
    : m_EntryFile(entryFile.isEmpty() ? QString() : QFileInfo(entryFile).absoluteFilePath())
{
}

TAlertNotifications::~TAlertNotifications() = default;

void TAlertNotifications::Connect()
{
    if (m_Service)
        return;
    EnsureGuiApplication();
    m_Service = std::make_unique<TDesktopNotifications>();
    TDesktopNotifications* service = m_Service.get();
    QObject::connect(service, &TDesktopNotifications::Closed, service, [this](quint32 id) { NotificationClosed(id); });
    QObject::connect(service, &TDesktopNotifications::ActionInvoked, service, [this](quint32 id, const QString& key) {
        if (m_Shown.count(id))
            Open(key);
    });
    QObject::connect(service, &TDesktopNotifications::ServiceGone, service, [this] {
        m_Shown.clear();
        m_Sounds.clear();
        m_Playing.reset();
        if (m_Changed)
            m_Changed();
    });
}

bool TAlertNotifications::Post(const TMessageRequest& request, bool dueToday, const QString& mediaFile)
{
    Connect();
    const QString openLabel = m_EntryFile.isEmpty() ? QString() : LanguageText(0x13571950, QStringLiteral("Open"));
    const std::optional<quint32> id = m_Service->Show(AlertNotification(request, dueToday, openLabel));
    if (!id)
        return false;
    m_Shown.insert(*id);
    if (!mediaFile.isEmpty()) {
        m_Sounds.push_back({*id, mediaFile, request.Icon});
        if (!m_Playing)
            PlayNext();
    } else if (request.EventSound) {
        PlayEventSound(EventSoundId(request.Icon));
    }
    return true;
}

void TAlertNotifications::PlayNext()
{
    m_Playing.reset();
    while (!m_Playing && !m_Sounds.empty()) {
        const TWaitingSound next = m_Sounds.front();
        m_Sounds.pop_front();
        if (!m_Shown.count(next.Notification))
            continue; // closed before its turn
        m_PlayingFor = next.Notification;
        m_Starting = true;
        m_Playing = StartAlertSound(next.MediaFile, [this](TMCI& sound) { SoundEnded(sound); });
        m_Starting = false;
        if (!m_Playing)
            PlayEventSound(EventSoundId(next.Icon));
        else if (!m_Shown.count(next.Notification))
            m_Playing.reset(); // closed while the medium was opened
    }
    if (m_Changed)
        m_Changed();
}

// The player is not destroyed inside its own notice.
void TAlertNotifications::SoundEnded(const TMCI& sound)
{
    if (&sound == m_Playing.get())
        QTimer::singleShot(0, m_Service.get(), [this] { PlayNext(); });
}

void TAlertNotifications::NotificationClosed(quint32 id)
{
    if (!m_Shown.erase(id))
        return; // another program's
    if (id == m_PlayingFor && m_Playing && !m_Starting)
        PlayNext();
    else if (m_Changed)
        m_Changed();
}

void TAlertNotifications::Open(const QString& actionKey)
{
    if (actionKey == OpenAction || actionKey == DefaultAction)
        QProcess::startDetached(ProgramFilePath(), {m_EntryFile});
}

bool TAlertNotifications::Done() const
{
    return m_Shown.empty() && m_Sounds.empty() && !m_Playing;
}

void TAlertNotifications::WaitUntilClosed()
{
    if (!m_Service || Done())
        return;
    QEventLoop loop;
    QTimer midnight;
    midnight.setSingleShot(true);
    QObject::connect(&midnight, &QTimer::timeout, &loop, &QEventLoop::quit);
    midnight.start(MillisecondsToMidnight());
    m_Changed = [&] {
        if (Done())
            loop.quit();
    };
    loop.exec();
    m_Changed = nullptr;
    m_Sounds.clear();
    m_Playing.reset();
}
