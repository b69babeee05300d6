#include "model/EntryStream.h"

#include "model/ModelErrors.h"
#include "platform/TextCodec.h"

#include <QtEndian>

TEntryReader::TEntryReader(QByteArray data, qsizetype position)
    : m_Data(std::move(data))
    , m_Position(position)
{
}

const char* TEntryReader::Take(qsizetype size, const char* what)
{
    if (size < 0 || size > Remaining())
        throw EEntryFileError(QStringLiteral("the file ends inside the %1").arg(QLatin1String(what)));
    const char* bytes = m_Data.constData() + m_Position;
    m_Position += size;
    return bytes;
}

quint8 TEntryReader::ReadByte()
{
    return static_cast<quint8>(*Take(1, "data"));
}

bool TEntryReader::ReadBool()
{
    return ReadByte() != 0;
}

quint16 TEntryReader::ReadWord()
{
    return qFromLittleEndian<quint16>(Take(2, "data"));
}

qint32 TEntryReader::ReadInt()
{
    return qFromLittleEndian<qint32>(Take(4, "data"));
}

QString TEntryReader::ReadString()
{
    const qint32 length = ReadInt();
    if (length < 0)
        throw EEntryFileError(QStringLiteral("a text has the negative length %1").arg(length));
    if (length > Remaining())
        throw EEntryFileError(QStringLiteral("a text of %1 bytes is longer than the rest of the file").arg(length));
    return DecodeAnsiText(QByteArrayView(Take(length, "text"), length));
}

void TEntryReader::ReadInts(qint32 count, std::vector<qint32>& days)
{
    if (count <= 0)
        return;
    const char* bytes = Take(static_cast<qsizetype>(count) * 4, "occurrence days");
    const std::size_t first = days.size();
    days.resize(first + static_cast<std::size_t>(count));
    for (qint32 i = 0; i < count; ++i)
        days[first + static_cast<std::size_t>(i)] = qFromLittleEndian<qint32>(bytes + 4 * static_cast<qsizetype>(i));
}

qint32 TEntryReader::ReadCount(qsizetype recordSize, const char* what)
{
    const qint32 count = ReadInt();
    if (count <= 0)
        return 0;
    if (static_cast<qsizetype>(count) > Remaining() / recordSize)
        throw EEntryFileError(
            QStringLiteral("%1 %2 cannot fit in the rest of the file").arg(count).arg(QLatin1String(what)));
    return count;
}

void TEntryWriter::WriteByte(quint8 value)
{
    m_Data.append(static_cast<char>(value));
}

void TEntryWriter::WriteWord(quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    m_Data.append(bytes, 2);
}

void TEntryWriter::WriteInt(qint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    m_Data.append(bytes, 4);
}

void TEntryWriter::WriteString(const QString& text)
{
    const QByteArray bytes = EncodeAnsiText(text);
    WriteInt(static_cast<qint32>(bytes.size()));
    m_Data.append(bytes);
}
