#pragma once

#include "platform/MessageService.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <vector>

// Failed comparisons of texts print the texts.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

// A temporary home for one test: HOME and XDG_CONFIG_HOME point into it, VEMORA_HOME and
// XDG_RUNTIME_DIR are unset, so no test touches the real settings, autostart entries and
// timers or reaches the user's service manager. The variables are restored at the end.
class TTemporaryHome {
public:
    TTemporaryHome();
    ~TTemporaryHome();
    TTemporaryHome(const TTemporaryHome&) = delete;
    TTemporaryHome& operator=(const TTemporaryHome&) = delete;

    QString Path() const { return m_Directory.path(); }
    QString ConfigHome() const;
    QString RegistryFile() const;
    QString AutostartDirectory() const;
    QString FilePath(const QString& name) const;
    // Writes a file below the home and returns its path.
    QString WriteFile(const QString& name, const QByteArray& content) const;

private:
    QTemporaryDir m_Directory;
    std::vector<std::pair<const char*, std::optional<QByteArray>>> m_Saved;
};

// Answers messages from a script and records every message shown.
class TScriptedMessageService final : public TMessageService {
public:
    TMessageResult Show(const TMessageRequest& request) override;

    std::vector<TMessageRequest> Shown;
    std::deque<TMessageResult> Answers; // first-button answer when empty
    std::function<void(const TMessageRequest&)> OnShow; // runs while the message is "open"
};

// Installs a scripted message service for the lifetime of the object.
class TScriptedMessages {
public:
    TScriptedMessages();
    ~TScriptedMessages();
    TScriptedMessages(const TScriptedMessages&) = delete;
    TScriptedMessages& operator=(const TScriptedMessages&) = delete;

    TScriptedMessageService& Service() { return *m_Service; }
    const std::vector<TMessageRequest>& Shown() const { return m_Service->Shown; }

private:
    TScriptedMessageService* m_Service;
    std::unique_ptr<TMessageService> m_Previous;
};

QByteArray ReadWholeFile(const QString& path);

// A session bus (dbus-daemon --config-file) that starts no service on demand.
inline const QByteArray PrivateBusConfiguration =
    "<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen><auth>EXTERNAL</auth><policy context=\"default\">"
    "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>";
