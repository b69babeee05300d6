#include "platform/UserServiceManager.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

std::unique_ptr<TUserServiceManager>& InstalledManager()
{
    static std::unique_ptr<TUserServiceManager> manager = std::make_unique<TSystemctlUserManager>();
    return manager;
}

QString SystemctlPath()
{
    return QStandardPaths::findExecutable(QStringLiteral("systemctl"));
}

} // namespace

bool TSystemctlUserManager::Running()
{
    const QString runtimeDirectory = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtimeDirectory.isEmpty() || SystemctlPath().isEmpty())
        return false;
    return QFileInfo::exists(QDir(runtimeDirectory).filePath(QStringLiteral("systemd/private")));
}

void TSystemctlUserManager::Request(const QStringList& arguments)
{
    if (!Running())
        return;
    QProcess systemctl;
    systemctl.setStandardOutputFile(QProcess::nullDevice());
    systemctl.setStandardErrorFile(QProcess::nullDevice());
    systemctl.start(SystemctlPath(), QStringList{QStringLiteral("--user"), QStringLiteral("--no-ask-password")} + arguments);
    // A manager that hangs must not keep the alerts or the editor waiting.
    if (systemctl.waitForStarted() && !systemctl.waitForFinished(10000)) {
        systemctl.kill();
        systemctl.waitForFinished();
    }
}

TUserServiceManager& UserServiceManager()
{
    return *InstalledManager();
}

std::unique_ptr<TUserServiceManager> SetUserServiceManager(std::unique_ptr<TUserServiceManager> manager)
{
    if (!manager)
        manager = std::make_unique<TSystemctlUserManager>();
    InstalledManager().swap(manager);
    return manager;
}
