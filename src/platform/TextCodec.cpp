#include "platform/TextCodec.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>

namespace {

// Windows-1252 bytes 0x80..0x9F; the five bytes without a character map to the C1 control
// of the same value, as Windows itself does, so no byte is ever lost.
constexpr std::array<char16_t, 32> HighControlBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t Windows1252ToUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return HighControlBlock[byte - 0x80];
    return byte;
}

// The byte for a character, or -1 when Windows-1252 has none.
int UnicodeToWindows1252(char16_t ch)
{
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
        return ch;
    for (std::size_t i = 0; i < HighControlBlock.size(); ++i)
        if (HighControlBlock[i] == ch)
            return static_cast<int>(0x80 + i);
    return -1;
}

} // namespace

QString DecodeAnsiText(QByteArrayView bytes)
{
    // Plain ASCII reads the same either way and is by far the most common text.
    if (std::all_of(bytes.begin(), bytes.end(), [](char byte) { return static_cast<unsigned char>(byte) < 0x80; }))
        return QString::fromLatin1(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    text = QString(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (char byte : bytes)
        *out++ = QChar(Windows1252ToUnicode(static_cast<unsigned char>(byte)));
    return text;
}

bool FitsWindows1252(const QString& text)
{
    for (QChar ch : text)
        if (UnicodeToWindows1252(ch.unicode()) < 0)
            return false;
    return true;
}

QByteArray EncodeAnsiText(const QString& text)
{
    if (!FitsWindows1252(text))
        return text.toUtf8();
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar ch : text)
        bytes.append(static_cast<char>(UnicodeToWindows1252(ch.unicode())));
    // Windows-1252 bytes that happen to form valid UTF-8 ("Ã¤") would read back as other
    // characters; such a text is written as UTF-8 instead.
    if (DecodeAnsiText(bytes) != text)
        return text.toUtf8();
    return bytes;
}

bool HasControlCharacter(const QString& text)
{
    for (QChar ch : text)
        if (ch.unicode() < 0x20 || ch.unicode() == 0x7f)
            return true;
    return false;
}
