#pragma once

#include <QStringList>

#include <memory>

// The user's systemd manager, asked through `systemctl --user`. Where none runs (a minimal
// session, a container) every request is dropped: the unit files work from the next login on.
class TUserServiceManager {
public:
    virtual ~TUserServiceManager() = default;
    // Runs `systemctl --user` with the arguments; the outcome is never an error of ours.
    virtual void Request(const QStringList& arguments) = 0;
};

// The manager of this session: systemctl, only when the manager's socket is there.
class TSystemctlUserManager final : public TUserServiceManager {
public:
    void Request(const QStringList& arguments) override;
    // $XDG_RUNTIME_DIR/systemd/private exists and systemctl is installed.
    static bool Running();
};

TUserServiceManager& UserServiceManager();
// Installs the manager that requests go to (tests record them here); null brings back
// systemctl. Returns the previous one.
std::unique_ptr<TUserServiceManager> SetUserServiceManager(std::unique_ptr<TUserServiceManager> manager);
