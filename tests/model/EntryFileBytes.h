#pragma once

// Entry files built byte by byte, apart from the program's writer, so that a fault in the
// reader or in the writer shows up against bytes that neither of them produced.
#include "model/EntryTypes.h"
#include "support/DayNumbers.h"

#include <QByteArray>

#include <vector>

inline qint32 Day(int year, unsigned month, unsigned day)
{
    return DayFromCivil(year, month, day);
}

// Little-endian fields, as the file holds them.
class TBytes {
public:
    TBytes& Byte(unsigned value)
    {
        m_Data.append(static_cast<char>(value & 0xff));
        return *this;
    }
    TBytes& Word(quint16 value) { return Byte(value).Byte(value >> 8); }
    TBytes& Int(qint32 value) { return Word(static_cast<quint16>(value)).Word(static_cast<quint32>(value) >> 16); }
    TBytes& Raw(const QByteArray& bytes)
    {
        m_Data.append(bytes);
        return *this;
    }
    TBytes& String(const QByteArray& bytes) { return Int(static_cast<qint32>(bytes.size())).Raw(bytes); }
    const QByteArray& Data() const { return m_Data; }

private:
    QByteArray m_Data;
};

inline QByteArray Header(int version)
{
    return QByteArray("Vemora configure file\x1a", 22) + static_cast<char>(version);
}

// One version-2 entry record; the defaults describe a plain one-off entry.
struct TRecord {
    quint8 Kind = ekOnce;
    quint16 Number = 1;
    qint32 DateStart = Day(2024, 3, 1);
    qint32 DateStop = -1;
    qint32 Repetition = 1;
    qint32 MaxCount = -1;
    quint8 Active = 1;
    QByteArray Comment = "note";
    QByteArray DisplayText = "Dentist";
    QByteArray Mediafile{};
    quint8 AdvanceWarn = 0;
    quint8 Icon = 0x40;
    quint8 Category = 0;
    quint8 Valid = 0;
    std::vector<qint32> Days{}; // written whatever Valid says
    quint8 Complete = 0;
    QByteArray Tail{};
};

inline void AppendRecord(TBytes& bytes, const TRecord& record)
{
    bytes.Byte(record.Kind).Word(record.Number).Int(record.DateStart).Int(record.DateStop);
    bytes.Int(record.Repetition).Int(record.MaxCount).Byte(record.Active);
    bytes.String(record.Comment).String(record.DisplayText).String(record.Mediafile);
    bytes.Byte(record.AdvanceWarn).Byte(record.Icon).Byte(record.Category);
    bytes.Byte(record.Valid).Int(static_cast<qint32>(record.Days.size()));
    for (qint32 day : record.Days)
        bytes.Int(day);
    bytes.Byte(record.Complete).Raw(record.Tail);
}

// Categories as name and id.
inline QByteArray Version2File(const std::vector<std::pair<QByteArray, quint8>>& categories,
                               const std::vector<TRecord>& records)
{
    TBytes bytes;
    bytes.Raw(Header(2)).Byte(static_cast<unsigned>(categories.size()));
    for (const auto& [name, id] : categories)
        bytes.String(name).Byte(id);
    bytes.Int(static_cast<qint32>(records.size()));
    for (const TRecord& record : records)
        AppendRecord(bytes, record);
    return bytes.Data();
}

