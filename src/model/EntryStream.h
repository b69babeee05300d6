#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// Reads the little-endian fields of an entry file from memory. Every read checks what
// remains, so a damaged file ends in EEntryFileError, never in a read past the data.
class TEntryReader {
public:
    explicit TEntryReader(QByteArray data, qsizetype position = 0);

    quint8 ReadByte();
    bool ReadBool();
    quint16 ReadWord();
    qint32 ReadInt();
    // A length-prefixed text in Windows-1252 or UTF-8.
    QString ReadString();
    // count little-endian 32-bit numbers, appended to days in one step.
    void ReadInts(qint32 count, std::vector<qint32>& days);
    // A count of records that take at least recordSize bytes each: a negative count reads as
    // none, a count larger than the rest of the file could hold is an error.
    qint32 ReadCount(qsizetype recordSize, const char* what);

    qsizetype Position() const { return m_Position; }
    qsizetype Remaining() const { return m_Data.size() - m_Position; }

private:
    const char* Take(qsizetype size, const char* what);

    QByteArray m_Data;
    qsizetype m_Position;
};

// Writes the fields of an entry file into memory.
class TEntryWriter {
public:
    void WriteByte(quint8 value);
    void WriteBool(bool value) { WriteByte(value ? 1 : 0); }
    void WriteWord(quint16 value);
    void WriteInt(qint32 value);
    void WriteString(const QString& text);
    void WriteBytes(const QByteArray& bytes) { m_Data.append(bytes); }

    const QByteArray& Data() const { return m_Data; }

private:
    QByteArray m_Data;
};
