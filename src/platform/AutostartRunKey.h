#pragma once

#include "platform/RegistryValue.h"

#include <QString>
#include <QStringList>

#include <optional>

// The values of the logon Run key, each kept as a desktop entry in the XDG autostart folder,
// so that desktops really start the command at logon. The entry also holds the value's exact
// name and data, which is what reading it back returns.
class TAutostartRunKey {
public:
    explicit TAutostartRunKey(QString directory);

    // $XDG_CONFIG_HOME/autostart, else ~/.config/autostart.
    static QString DefaultDirectory();

    QStringList ValueNames() const;
    std::optional<TRegistryValue> ReadValue(const QString& name) const;
    // Only strings without control characters can be written: such characters could break
    // the entry's line structure.
    bool WriteValue(const QString& name, const TRegistryValue& value) const;
    bool DeleteValue(const QString& name) const;

    // The entry's file name without ".desktop"; the daily timer's units take it too.
    static QString EntryBaseName(const QString& valueName);
    QString DesktopFilePath(const QString& valueName) const;
    // The Exec line for a command given as a command line (quoted program, arguments), with
    // every argument quoted by the desktop entry rules; empty when the command cannot be
    // written safely.
    static std::optional<QString> ExecLine(const QString& commandLine);

private:
    QString m_Directory;
};
