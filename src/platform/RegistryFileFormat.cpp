#include "platform/RegistryFileFormat.h"

#include "platform/RegistryBackend.h"
#include "platform/TextCodec.h"

#include <QStringList>

namespace {

const QString Header = QStringLiteral("Windows Registry Editor Version 5.00");

QString Quote(const QString& text)
{
    QString quoted = text;
    quoted.replace(u'\\', QStringLiteral("\\\\"));
    quoted.replace(u'"', QStringLiteral("\\\""));
    return u'"' + quoted + u'"';
}

QString HexBytes(const QByteArray& bytes)
{
    QStringList parts;
    parts.reserve(bytes.size());
    for (char byte : bytes)
        parts.append(QStringLiteral("%1").arg(static_cast<unsigned char>(byte), 2, 16, QChar(u'0')));
    return parts.join(u',');
}

// A string value is written as text only when it reads back to the same bytes.
bool WritableAsText(const TRegistryValue& value)
{
    if (value.Type != REG_SZ)
        return false;
    const QString text = value.ToText();
    return !HasControlCharacter(text) && TRegistryValue::String(text) == value;
}

QString FormatData(const TRegistryValue& value)
{
    if (WritableAsText(value))
        return Quote(value.ToText());
    if (value.Type == REG_DWORD && value.Data.size() == 4)
        return QStringLiteral("dword:%1").arg(value.ToDword(), 8, 16, QChar(u'0'));
    if (value.Type == REG_BINARY)
        return QStringLiteral("hex:") + HexBytes(value.Data);
    return QStringLiteral("hex(%1):").arg(value.Type, 0, 16) + HexBytes(value.Data);
}

void AppendKey(QString& out, const QString& rootName, const TRegistryTree::TKey& key)
{
    out += u'[' + rootName + (key.Path.isEmpty() ? QString() : u'\\' + key.Path) + QStringLiteral("]\n");
    for (const auto& [name, value] : key.Values)
        out += (name.isEmpty() ? QStringLiteral("@") : Quote(name)) + u'=' + FormatData(value) + u'\n';
    out += u'\n';
}

// Reads a quoted string starting at pos (which holds the opening quote); pos ends after the
// closing quote. Only \\ and \" are escapes, as in registry exports.
std::optional<QString> ReadQuoted(const QString& line, qsizetype& pos)
{
    QString text;
    for (++pos; pos < line.size(); ++pos) {
        const QChar ch = line[pos];
        if (ch == u'"') {
            ++pos;
            return text;
        }
        if (ch == u'\\' && pos + 1 < line.size() && (line[pos + 1] == u'\\' || line[pos + 1] == u'"'))
            ++pos;
        text.append(line[pos]);
    }
    return std::nullopt;
}

std::optional<QByteArray> ParseHexBytes(const QString& text)
{
    QByteArray bytes;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return bytes;
    for (const QString& part : trimmed.split(u',')) {
        bool ok = false;
        const QString digits = part.trimmed();
        const uint byte = digits.toUInt(&ok, 16);
        if (!ok || digits.size() > 2 || byte > 0xff)
            return std::nullopt;
        bytes.append(static_cast<char>(byte));
    }
    return bytes;
}

std::optional<TRegistryValue> ParseData(const QString& data)
{
    if (data.startsWith(u'"')) {
        qsizetype pos = 0;
        const auto text = ReadQuoted(data, pos);
        if (!text || pos != data.size())
            return std::nullopt;
        return TRegistryValue::String(*text);
    }
    if (data.startsWith(QStringLiteral("dword:"))) {
        bool ok = false;
        const QString digits = data.mid(6);
        const uint number = digits.toUInt(&ok, 16);
        if (!ok || digits.isEmpty() || digits.size() > 8)
            return std::nullopt;
        return TRegistryValue::Dword(number);
    }
    std::uint32_t type = REG_BINARY;
    QString bytesText;
    if (data.startsWith(QStringLiteral("hex:"))) {
        bytesText = data.mid(4);
    } else if (data.startsWith(QStringLiteral("hex("))) {
        const qsizetype close = data.indexOf(QStringLiteral("):"));
        bool ok = false;
        type = data.mid(4, close - 4).toUInt(&ok, 16);
        if (close < 0 || !ok)
            return std::nullopt;
        bytesText = data.mid(close + 2);
    } else {
        return std::nullopt;
    }
    const auto bytes = ParseHexBytes(bytesText);
    if (!bytes)
        return std::nullopt;
    return TRegistryValue{type, *bytes};
}

struct TValueLine {
    QString Name;
    TRegistryValue Value;
};

std::optional<TValueLine> ParseValueLine(const QString& line)
{
    qsizetype pos = 0;
    QString name;
    if (line.startsWith(u'@')) {
        pos = 1;
    } else if (line.startsWith(u'"')) {
        const auto quoted = ReadQuoted(line, pos);
        if (!quoted)
            return std::nullopt;
        name = *quoted;
    } else {
        return std::nullopt;
    }
    if (pos >= line.size() || line[pos] != u'=')
        return std::nullopt;
    const auto value = ParseData(line.mid(pos + 1).trimmed());
    if (!value)
        return std::nullopt;
    return TValueLine{name, *value};
}

// Lines as bytes, each read as UTF-8 on its own, so that a run of binary bytes costs its own
// line only. Lines that end with a backslash are joined: long hex values in exports continue
// that way, and no other line can end so, since string values end with their closing quote.
struct TLogicalLine {
    QString Text;
    int Number = 0; // of its first physical line
    bool Readable = true;
};

std::vector<TLogicalLine> LogicalLines(const QByteArray& content)
{
    std::vector<TLogicalLine> lines;
    bool continuing = false;
    int number = 0;
    for (QByteArray bytes : content.split('\n')) {
        ++number;
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        QString line = QString::fromUtf8(bytes);
        const bool readable = line.toUtf8() == bytes;
        if (continuing) {
            lines.back().Text += line.trimmed();
            lines.back().Readable = lines.back().Readable && readable;
        } else {
            lines.push_back({line, number, readable});
        }
        continuing = lines.back().Text.endsWith(u'\\');
        if (continuing)
            lines.back().Text.chop(1);
    }
    return lines;
}

} // namespace

QByteArray FormatRegistryFile(const TRegistryTree& tree, const QString& rootName)
{
    QString out = Header + QStringLiteral("\n\n");
    if (!tree.Root().Values.isEmpty())
        AppendKey(out, rootName, tree.Root());
    for (const TRegistryTree::TKey* key : tree.Keys())
        AppendKey(out, rootName, *key);
    return out.toUtf8();
}

TRegistryParseResult ParseRegistryFile(const QByteArray& content, const QString& rootName)
{
    TRegistryParseResult result;
    const auto drop = [&result](const TLogicalLine& line, const QString& what) {
        if (result.DamagedLines++ == 0)
            result.FirstError = QStringLiteral("line %1: %2").arg(line.Number).arg(what);
    };
    const std::vector<TLogicalLine> lines = LogicalLines(content);
    std::size_t index = 0;
    while (index < lines.size() && lines[index].Readable && lines[index].Text.trimmed().isEmpty())
        ++index;
    if (index < lines.size() && lines[index].Readable
        && (lines[index].Text.trimmed() == Header || lines[index].Text.trimmed() == u"REGEDIT4"))
        ++index;
    else if (index < lines.size())
        drop(lines[index++], QStringLiteral("not a registry file header"));

    std::optional<QString> currentKey; // none: no key yet, or the last key line was unreadable
    const QString rootPrefix = rootName + u'\\';
    for (; index < lines.size(); ++index) {
        const TLogicalLine& line = lines[index];
        const QString text = line.Text.trimmed();
        if (!line.Readable) {
            drop(line, QStringLiteral("not UTF-8 text"));
            continue;
        }
        if (text.isEmpty() || text.startsWith(u';'))
            continue;
        if (text.startsWith(u'[')) {
            // A key line cut short still names its key.
            const QString path = text.mid(1, text.endsWith(u']') ? text.size() - 2 : -1);
            if (path.compare(rootName, Qt::CaseInsensitive) == 0)
                currentKey = QString();
            else if (path.startsWith(rootPrefix, Qt::CaseInsensitive) && !path.contains(u']'))
                currentKey = NormalizeKeyPath(path.mid(rootPrefix.size()));
            else
                currentKey.reset();
            if (!currentKey)
                drop(line, QStringLiteral("a key outside %1").arg(rootName));
            else if (!text.endsWith(u']'))
                drop(line, QStringLiteral("a key line without its closing bracket"));
            if (currentKey)
                result.Tree.AddKey(*currentKey);
            continue;
        }
        const auto value = ParseValueLine(text);
        if (!value)
            drop(line, QStringLiteral("not a value line"));
        else if (!currentKey)
            drop(line, QStringLiteral("a value without a key"));
        else
            result.Tree.SetValue(*currentKey, value->Name, value->Value);
    }
    return result;
}
