#include "platform/RegistryValue.h"

#include <QtEndian>

TRegistryValue TRegistryValue::String(const QString& text, std::uint32_t type)
{
    QByteArray bytes;
    bytes.reserve((text.size() + 1) * 2);
    for (QChar ch : text) {
        const char16_t c = ch.unicode();
        bytes.append(static_cast<char>(c & 0xff));
        bytes.append(static_cast<char>(c >> 8));
    }
    bytes.append(2, '\0');
    return {type, bytes};
}

TRegistryValue TRegistryValue::Dword(std::uint32_t value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return {REG_DWORD, bytes};
}

TRegistryValue TRegistryValue::Binary(const QByteArray& bytes)
{
    return {REG_BINARY, bytes};
}

QString TRegistryValue::ToText() const
{
    QString text;
    text.reserve(Data.size() / 2);
    for (qsizetype i = 0; i + 1 < Data.size(); i += 2) {
        const auto c = static_cast<char16_t>(static_cast<unsigned char>(Data[i]) |
                                             (static_cast<unsigned char>(Data[i + 1]) << 8));
        if (c == 0)
            break;
        text.append(QChar(c));
    }
    return text;
}

std::uint32_t TRegistryValue::ToDword() const
{
    if (Data.size() < 4)
        return 0;
    return qFromLittleEndian<std::uint32_t>(Data.constData());
}
