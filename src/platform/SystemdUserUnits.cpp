#include "platform/SystemdUserUnits.h"

#include "platform/AtomicFile.h"
#include "platform/AutostartRunKey.h"
#include "platform/CommandLine.h"
#include "platform/TextCodec.h"
#include "platform/UserServiceManager.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const char* const TimerVariable = "VEMORA_DAILY_CHECK";

// What a desktop session's alert windows need; desktops import the same at login.
const char* const DisplayVariables[] = {"DISPLAY", "WAYLAND_DISPLAY", "XAUTHORITY"};

// Inside double quotes a backslash and a quote are escaped; "%" starts a specifier and "$"
// a variable anywhere in ExecStart, so both are doubled.
QString QuoteUnitArgument(const QString& argument)
{
    QString quoted = QStringLiteral("\"");
    for (QChar ch : argument) {
        if (ch == u'"' || ch == u'\\')
            quoted += u'\\';
        else if (ch == u'%' || ch == u'$')
            quoted += ch;
        quoted += ch;
    }
    return quoted + u'"';
}

QString ServiceContent(const QString& execStart)
{
    // The timer's catch-up at login runs beside the logon start: the wait lets that one store
    // its moment first, so the day is not shown twice.
    return QStringLiteral("[Unit]\n"
                          "Description=Vemora: the alerts of the day while the session runs\n\n"
                          "[Service]\n"
                          "Type=oneshot\n"
                          "Environment=%1=1\n"
                          "ExecStartPre=/bin/sleep 60\n"
                          "ExecStart=%2\n")
        .arg(QLatin1String(TimerVariable), execStart);
}

// Persistent catches up a midnight slept or switched off through, at resume or login.
QString TimerContent(const QString& serviceName)
{
    return QStringLiteral("[Unit]\n"
                          "Description=Vemora: the daily check of the appointments\n\n"
                          "[Timer]\n"
                          "OnCalendar=*-*-* 00:01:00\n"
                          "Persistent=true\n"
                          "Unit=%1\n\n"
                          "[Install]\n"
                          "WantedBy=timers.target\n")
        .arg(serviceName);
}

bool RemoveIfThere(const QString& path)
{
    const QFileInfo file(path);
    return (!file.exists() && !file.isSymLink()) || QFile::remove(path);
}

} // namespace

TSystemdUserUnits::TSystemdUserUnits(QString directory)
    : m_Directory(std::move(directory))
{
}

// The configuration folder that holds the autostart folder.
QString TSystemdUserUnits::DefaultDirectory()
{
    return QFileInfo(TAutostartRunKey::DefaultDirectory()).dir().filePath(QStringLiteral("systemd/user"));
}

bool TSystemdUserUnits::StartedByTimer()
{
    return qEnvironmentVariable(TimerVariable) == u"1";
}

QString TSystemdUserUnits::ServicePath(const QString& baseName) const
{
    return QDir(m_Directory).filePath(baseName + QStringLiteral(".service"));
}

QString TSystemdUserUnits::TimerPath(const QString& baseName) const
{
    return QDir(m_Directory).filePath(baseName + QStringLiteral(".timer"));
}

QString TSystemdUserUnits::LinkPath(const QString& baseName) const
{
    return QDir(m_Directory).filePath(QStringLiteral("timers.target.wants/") + baseName + QStringLiteral(".timer"));
}

std::optional<QString> TSystemdUserUnits::ExecStartLine(const QString& commandLine)
{
    const QStringList arguments = SplitCommandLine(commandLine);
    // The manager runs only absolute program paths.
    if (HasControlCharacter(commandLine) || arguments.isEmpty() || !QDir::isAbsolutePath(arguments.first()))
        return std::nullopt;
    QStringList quoted;
    for (const QString& argument : arguments)
        quoted.append(QuoteUnitArgument(argument));
    return quoted.join(u' ');
}

bool TSystemdUserUnits::Write(const QString& baseName, const QString& commandLine) const
{
    const std::optional<QString> execStart = ExecStartLine(commandLine);
    const QString link = LinkPath(baseName);
    if (!execStart || !QDir().mkpath(QFileInfo(link).path()))
        return false;
    const QString service = QFileInfo(ServicePath(baseName)).fileName();
    if (!WriteFileAtomically(ServicePath(baseName), ServiceContent(*execStart).toUtf8()) ||
        !WriteFileAtomically(TimerPath(baseName), TimerContent(service).toUtf8()))
        return false;
    if (!RemoveIfThere(link) || !QFile::link(TimerPath(baseName), link))
        return false;
    UserServiceManager().Request({QStringLiteral("daemon-reload")});
    ShareSessionEnvironment(baseName);
    UserServiceManager().Request({QStringLiteral("start"), QFileInfo(link).fileName()});
    return true;
}

bool TSystemdUserUnits::Remove(const QString& baseName) const
{
    const bool hadTimer = QFileInfo::exists(TimerPath(baseName));
    if (hadTimer)
        UserServiceManager().Request({QStringLiteral("stop"), QFileInfo(TimerPath(baseName)).fileName()});
    // Each goes on its own: a file that stays keeps none of the others.
    bool removed = true;
    for (const QString& path : {LinkPath(baseName), TimerPath(baseName), ServicePath(baseName)})
        removed = RemoveIfThere(path) && removed;
    if (hadTimer)
        UserServiceManager().Request({QStringLiteral("daemon-reload")});
    return removed;
}

void TSystemdUserUnits::ShareSessionEnvironment(const QString& baseName) const
{
    QStringList names;
    for (const char* name : DisplayVariables) {
        if (!qEnvironmentVariableIsEmpty(name))
            names.append(QLatin1String(name));
    }
    if (!names.isEmpty() && QFileInfo::exists(TimerPath(baseName)))
        UserServiceManager().Request(QStringList{QStringLiteral("import-environment")} + names);
}
