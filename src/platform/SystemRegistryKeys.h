#pragma once

#include "platform/AutostartRunKey.h"
#include "platform/FileRegistryStore.h"
#include "platform/RegistryBackend.h"
#include "platform/SystemdUserUnits.h"

#include <memory>

// Where the current user's keys live: the settings file, except the logon Run key, whose
// values are autostart entries, each with the daily timer that runs it while the session runs.
class TCurrentUserRegistry final : public TRegistryBackend {
public:
    TCurrentUserRegistry(QString storeFile, QString autostartDirectory, QString unitDirectory);
    TCurrentUserRegistry();

    bool KeyExists(const QString& path) override;
    bool CreateKey(const QString& path) override;
    bool DeleteKey(const QString& path) override;
    QStringList SubKeyNames(const QString& path) override;
    QStringList ValueNames(const QString& path) override;
    std::optional<TRegistryValue> ReadValue(const QString& path, const QString& name) override;
    bool WriteValue(const QString& path, const QString& name, const TRegistryValue& value) override;
    bool DeleteValue(const QString& path, const QString& name) override;

private:
    TFileRegistryStore m_Store;
    TAutostartRunKey m_RunKey;
    TSystemdUserUnits m_DailyUnits;
};

// The machine-wide keys the program reads: only "MediaPath", the folder of system sounds.
class TLocalMachineRegistry final : public TRegistryBackend {
public:
    bool KeyExists(const QString& path) override;
    bool CreateKey(const QString&) override { return false; }
    bool DeleteKey(const QString&) override { return false; }
    QStringList SubKeyNames(const QString& path) override;
    QStringList ValueNames(const QString& path) override;
    std::optional<TRegistryValue> ReadValue(const QString& path, const QString& name) override;
    bool WriteValue(const QString&, const QString&, const TRegistryValue&) override { return false; }
    bool DeleteValue(const QString&, const QString&) override { return false; }

    static QString SystemSoundFolder();
};

extern const QString RunKeyPath;            // Software\Microsoft\Windows\CurrentVersion\Run
extern const QString CurrentVersionKeyPath; // Software\Microsoft\Windows\CurrentVersion
