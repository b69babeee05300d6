#include "support/HotKeys.h"

#include <bitset>
#include <vector>

namespace {

bool IsAsciiLetterOrDigit(QChar ch)
{
    const char16_t code = ch.unicode();
    return (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z')
        || (code >= 'a' && code <= 'z');
}

char16_t AsciiUpper(QChar ch)
{
    const char16_t code = ch.unicode();
    return code >= 'a' && code <= 'z' ? code - ('a' - 'A') : code;
}

// Removes every single "&"; each "&&" stays as it is. "&" itself never qualifies as a
// letter, so the kept pairs need no further protection.
QString RemoveMarkers(const QString& caption)
{
    QStringList parts = caption.split(QStringLiteral("&&"));
    for (QString& part : parts)
        part.remove(u'&');
    return parts.join(QStringLiteral("&&"));
}

// Positions in the order they are tried: the first character, the first character of each
// later word, then every character from the second on.
std::vector<qsizetype> CandidatePositions(const QString& caption)
{
    std::vector<qsizetype> positions;
    if (caption.isEmpty())
        return positions;
    positions.push_back(0);
    for (qsizetype i = 1; i < caption.size(); ++i)
        if (caption[i - 1] == u' ')
            positions.push_back(i);
    for (qsizetype i = 1; i < caption.size(); ++i)
        positions.push_back(i);
    return positions;
}

} // namespace

QStringList AssignHotKeys(const QStringList& captions)
{
    std::bitset<128> taken;
    QStringList result;
    result.reserve(captions.size());
    for (const QString& caption : captions) {
        QString text = RemoveMarkers(caption);
        for (const qsizetype position : CandidatePositions(text)) {
            const QChar ch = text[position];
            if (!IsAsciiLetterOrDigit(ch) || taken.test(AsciiUpper(ch)))
                continue;
            taken.set(AsciiUpper(ch));
            text.insert(position, u'&');
            break;
        }
        result.append(text);
    }
    return result;
}
