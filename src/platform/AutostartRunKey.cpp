#include "platform/AutostartRunKey.h"

#include "platform/AtomicFile.h"
#include "platform/CommandLine.h"
#include "platform/TextCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace {

const QString NameKey = QStringLiteral("X-Vemora-RunValueName");
const QString DataKey = QStringLiteral("X-Vemora-RunValueData");
const QString GroupHeader = QStringLiteral("[Desktop Entry]");

// Escapes for string values of desktop entries.
QString EscapeValue(const QString& text)
{
    QString escaped;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch == u'\\')
            escaped += QStringLiteral("\\\\");
        else if (ch == u' ' && i == 0)
            escaped += QStringLiteral("\\s");
        else
            escaped += ch;
    }
    return escaped;
}

QString UnescapeValue(const QString& text)
{
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\' || i + 1 == text.size()) {
            plain += text[i];
            continue;
        }
        const QChar next = text[++i];
        switch (next.unicode()) {
        case u's': plain += u' '; break;
        case u'n': plain += u'\n'; break;
        case u't': plain += u'\t'; break;
        case u'r': plain += u'\r'; break;
        case u'\\': plain += u'\\'; break;
        default: plain += u'\\'; plain += next; break;
        }
    }
    return plain;
}

// One argument of an Exec line: quoted, with the characters that are special inside quotes
// escaped, and percent signs doubled so that none reads as a field code.
QString QuoteExecArgument(const QString& argument)
{
    QString quoted = QStringLiteral("\"");
    for (QChar ch : argument) {
        if (ch == u'"' || ch == u'`' || ch == u'$' || ch == u'\\')
            quoted += u'\\';
        if (ch == u'%')
            quoted += u'%';
        quoted += ch;
    }
    return quoted + u'"';
}

QHash<QString, QString> ReadDesktopEntry(const QString& filePath)
{
    QHash<QString, QString> entries;
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return entries;
    bool inGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(u'[')) {
            inGroup = line == GroupHeader;
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inGroup || line.startsWith(u'#') || equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed();
        if (!entries.contains(key))
            entries.insert(key, UnescapeValue(line.mid(equals + 1).trimmed()));
    }
    return entries;
}

QString Slug(const QString& name)
{
    QString slug;
    for (QChar ch : name.toLower()) {
        const bool plain = (ch >= u'a' && ch <= u'z') || (ch >= u'0' && ch <= u'9');
        if (plain)
            slug += ch;
        else if (!slug.isEmpty() && !slug.endsWith(u'-'))
            slug += u'-';
    }
    while (slug.endsWith(u'-'))
        slug.chop(1);
    return slug.isEmpty() ? QStringLiteral("value") : slug;
}

} // namespace

TAutostartRunKey::TAutostartRunKey(QString directory)
    : m_Directory(std::move(directory))
{
}

QString TAutostartRunKey::DefaultDirectory()
{
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configHome.isEmpty())
        configHome = QDir::home().filePath(QStringLiteral(".config"));
    return QDir(configHome).filePath(QStringLiteral("autostart"));
}

QString TAutostartRunKey::EntryBaseName(const QString& valueName)
{
    return QStringLiteral("vemora-") + Slug(valueName);
}

QString TAutostartRunKey::DesktopFilePath(const QString& valueName) const
{
    return QDir(m_Directory).filePath(EntryBaseName(valueName) + QStringLiteral(".desktop"));
}

std::optional<QString> TAutostartRunKey::ExecLine(const QString& commandLine)
{
    if (HasControlCharacter(commandLine))
        return std::nullopt;
    const QStringList arguments = SplitCommandLine(commandLine);
    if (arguments.isEmpty())
        return std::nullopt;
    QStringList quoted;
    for (const QString& argument : arguments)
        quoted.append(QuoteExecArgument(argument));
    return EscapeValue(quoted.join(u' '));
}

QStringList TAutostartRunKey::ValueNames() const
{
    QStringList names;
    const QStringList files = QDir(m_Directory).entryList({QStringLiteral("vemora-*.desktop")}, QDir::Files);
    for (const QString& fileName : files) {
        const QString name = ReadDesktopEntry(QDir(m_Directory).filePath(fileName)).value(NameKey);
        if (!name.isEmpty() && ReadValue(name))
            names.append(name);
    }
    return names;
}

std::optional<TRegistryValue> TAutostartRunKey::ReadValue(const QString& name) const
{
    const QHash<QString, QString> entry = ReadDesktopEntry(DesktopFilePath(name));
    // A start the user switched off in the desktop's settings is no start.
    if (entry.value(QStringLiteral("Hidden")) == u"true" ||
        entry.value(QStringLiteral("X-GNOME-Autostart-enabled")) == u"false")
        return std::nullopt;
    if (entry.value(NameKey).compare(name, Qt::CaseInsensitive) != 0 || !entry.contains(DataKey))
        return std::nullopt;
    return TRegistryValue::String(entry.value(DataKey));
}

bool TAutostartRunKey::WriteValue(const QString& name, const TRegistryValue& value) const
{
    if (!value.IsString() || HasControlCharacter(name))
        return false;
    const QString data = value.ToText();
    const std::optional<QString> exec = ExecLine(data);
    if (!exec || !QDir().mkpath(m_Directory))
        return false;
    const QString content = GroupHeader + QStringLiteral("\nType=Application\nName=Vemora\n"
                                                         "Comment=Shows the appointments due today\n"
                                                         "Exec=") +
                            *exec + QStringLiteral("\nTerminal=false\n") + NameKey + u'=' + EscapeValue(name) +
                            u'\n' + DataKey + u'=' + EscapeValue(data) + u'\n';
    return WriteFileAtomically(DesktopFilePath(name), content.toUtf8());
}

bool TAutostartRunKey::DeleteValue(const QString& name) const
{
    const QString path = DesktopFilePath(name);
    if (!QFileInfo::exists(path))
        return false;
    return QFile::remove(path);
}
