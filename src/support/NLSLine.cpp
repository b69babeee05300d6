#include "support/NLSLine.h"

#include "platform/TextCodec.h"

#include <array>
#include <utility>

namespace {

bool IsBlank(QChar ch)
{
    return ch == u' ' || ch == u'\t';
}

QStringView TrimBlanks(QStringView text)
{
    while (!text.isEmpty() && IsBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && IsBlank(text.back()))
        text.chop(1);
    return text;
}

QStringView Unquote(QStringView value)
{
    const bool quoted = value.size() >= 2 && value.front() == value.back()
        && (value.front() == u'"' || value.front() == u'\'');
    return quoted ? value.sliced(1, value.size() - 2) : value;
}

// The content of a line ends at the first "#" outside double quotes.
QStringView StripComment(QStringView line)
{
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == u'"')
            quoted = !quoted;
        else if (line[i] == u'#' && !quoted)
            return line.first(i);
    }
    return line;
}

std::optional<QChar> NamedEscape(QChar letter)
{
    switch (letter.unicode()) {
    case u'a': return QChar(7);
    case u'b': return QChar(8);
    case u'f': return QChar(12);
    case u'n': return QChar(10);
    case u'r': return QChar(13);
    case u't': return QChar(9);
    case u'v': return QChar(11);
    case u'\\':
    case u'e': return QChar(u'\\');
    default: return std::nullopt;
    }
}

int HexDigitValue(QChar ch)
{
    const char16_t code = ch.unicode();
    if (code >= '0' && code <= '9')
        return code - '0';
    if (code >= 'a' && code <= 'f')
        return code - 'a' + 10;
    if (code >= 'A' && code <= 'F')
        return code - 'A' + 10;
    return -1;
}

// The character of \xHH at `escape`, if the two hex digits are there.
std::optional<QString> HexEscape(QStringView value, qsizetype escape)
{
    if (escape + 3 >= value.size() || value[escape + 1] != u'x')
        return std::nullopt;
    const int high = HexDigitValue(value[escape + 2]);
    const int low = HexDigitValue(value[escape + 3]);
    if (high < 0 || low < 0)
        return std::nullopt;
    const char byte = static_cast<char>(high * 16 + low);
    return DecodeAnsiText(QByteArrayView(&byte, 1));
}

} // namespace

std::optional<TNLSLine> SplitNLSLine(QStringView line)
{
    while (!line.isEmpty() && IsBlank(line.front()))
        line = line.sliced(1);
    const QStringView content = StripComment(line);
    const qsizetype equals = content.indexOf(u'=');
    if (equals < 1)
        return std::nullopt;
    const QStringView key = TrimBlanks(content.first(equals));
    if (key.isEmpty())
        return std::nullopt;
    return TNLSLine{key.toString(), Unquote(TrimBlanks(content.sliced(equals + 1))).toString()};
}

QString DecodeEscapes(QStringView value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != u'\\' || i + 1 == value.size()) {
            out += value[i];
        } else if (const std::optional<QChar> named = NamedEscape(value[i + 1])) {
            out += *named;
            ++i;
        } else if (const std::optional<QString> coded = HexEscape(value, i)) {
            out += *coded;
            i += 3;
        } else {
            out += value.sliced(i, 2);
            ++i;
        }
    }
    return out;
}

QString DecodeEntities(QString value)
{
    static const std::array<std::pair<QString, QString>, 8> Entities = {{
        {QStringLiteral("&auml;"), QStringLiteral("\u00E4")},
        {QStringLiteral("&Auml;"), QStringLiteral("\u00C4")},
        {QStringLiteral("&uuml;"), QStringLiteral("\u00FC")},
        {QStringLiteral("&Uuml;"), QStringLiteral("\u00DC")},
        {QStringLiteral("&ouml;"), QStringLiteral("\u00F6")},
        {QStringLiteral("&Ouml;"), QStringLiteral("\u00D6")},
        {QStringLiteral("&szlig;"), QStringLiteral("\u00DF")},
        {QStringLiteral("&amp;"), QStringLiteral("&")},
    }};
    for (const auto& [entity, character] : Entities)
        value.replace(entity, character);
    return value;
}

QString DecodeNLSValue(QStringView value)
{
    return DecodeEntities(DecodeEscapes(value));
}

std::optional<quint32> ParseTextId(QStringView key)
{
    if (key.isEmpty())
        return std::nullopt;
    quint32 id = 0;
    for (const QChar ch : key) {
        const int digit = HexDigitValue(ch);
        if (digit < 0)
            return std::nullopt;
        id = (id << 4) | static_cast<quint32>(digit); // Leading digits shift out of the id.
    }
    return id;
}
