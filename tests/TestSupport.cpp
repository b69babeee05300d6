#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdlib>

TTemporaryHome::TTemporaryHome()
{
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "VEMORA_HOME", "XDG_RUNTIME_DIR", "DISPLAY", "DBUS_SESSION_BUS_ADDRESS"})
        m_Saved.emplace_back(name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
    qputenv("HOME", QFile::encodeName(Path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(ConfigHome()));
    qunsetenv("VEMORA_HOME");
    qunsetenv("XDG_RUNTIME_DIR");
}

TTemporaryHome::~TTemporaryHome()
{
    for (const auto& [name, value] : m_Saved) {
        if (value)
            qputenv(name, *value);
        else
            qunsetenv(name);
    }
}

QString TTemporaryHome::ConfigHome() const
{
    return FilePath(QStringLiteral(".config"));
}

QString TTemporaryHome::RegistryFile() const
{
    return FilePath(QStringLiteral(".config/Vemora/registry.reg"));
}

QString TTemporaryHome::AutostartDirectory() const
{
    return FilePath(QStringLiteral(".config/autostart"));
}

QString TTemporaryHome::FilePath(const QString& name) const
{
    return QDir(Path()).filePath(name);
}

QString TTemporaryHome::WriteFile(const QString& name, const QByteArray& content) const
{
    const QString path = FilePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        ADD_FAILURE() << "cannot write " << path.toStdString();
    return path;
}

TMessageResult TScriptedMessageService::Show(const TMessageRequest& request)
{
    Shown.push_back(request);
    if (OnShow)
        OnShow(request);
    if (Answers.empty())
        return FirstButtonResult(request.Buttons);
    const TMessageResult answer = Answers.front();
    Answers.pop_front();
    return answer;
}

TScriptedMessages::TScriptedMessages()
{
    auto service = std::make_unique<TScriptedMessageService>();
    m_Service = service.get();
    m_Previous = SetMessageService(std::move(service));
}

TScriptedMessages::~TScriptedMessages()
{
    SetMessageService(std::move(m_Previous));
}

QByteArray ReadWholeFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}
