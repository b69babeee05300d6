#pragma once

#include <QString>

#include <optional>

// The daily check while the session runs: a systemd user timer and its service, named like the
// autostart entry, and the link in timers.target.wants that enabling the timer makes, so that
// every login starts it even where no manager could be asked now.
class TSystemdUserUnits {
public:
    explicit TSystemdUserUnits(QString directory);

    // $XDG_CONFIG_HOME/systemd/user, else ~/.config/systemd/user.
    static QString DefaultDirectory();
    // Set by the service: the run is the timer's, not the logon's.
    static bool StartedByTimer();

    QString ServicePath(const QString& baseName) const;
    QString TimerPath(const QString& baseName) const;
    QString LinkPath(const QString& baseName) const;

    // Writes the units for a command line ("program" /r "file"), replacing earlier ones, and asks
    // a running manager to reload, take the session's display and start the timer.
    bool Write(const QString& baseName, const QString& commandLine) const;
    // Stops the timer where a manager runs, then removes the units and the link. True when
    // none of them is left.
    bool Remove(const QString& baseName) const;
    // Hands the session's display to a running manager, when the timer is set up: the alerts of
    // its runs then appear on this session.
    void ShareSessionEnvironment(const QString& baseName) const;

    // The ExecStart value for a command line, every argument quoted by the unit file rules;
    // empty when the command cannot be written safely.
    static std::optional<QString> ExecStartLine(const QString& commandLine);

private:
    QString m_Directory;
};
