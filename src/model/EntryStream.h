#pragma once

#include "model/DayRun.h"

#include <QByteArray>
#include <QString>
#include <QtEndian>

#include <memory>
#include <vector>

class TEntrySource;
class TFileMapping;

// Reads the little-endian fields of an entry file, from memory or through a window onto the
// file: a view of the file in place where the source offers one, else a copy. Every read checks
// what remains, so a damaged file ends in EEntryFileError, never in a read past the data.
class TEntryReader {
public:
    explicit TEntryReader(QByteArray data, qsizetype position = 0);
    explicit TEntryReader(std::shared_ptr<const TEntrySource> source, qint64 position = 0);
    ~TEntryReader();
    TEntryReader(const TEntryReader&) = delete;
    TEntryReader& operator=(const TEntryReader&) = delete;

    quint8 ReadByte() { return static_cast<quint8>(*Take(1, "data")); }
    bool ReadBool() { return ReadByte() != 0; }
    quint16 ReadWord() { return qFromLittleEndian<quint16>(Take(2, "data")); }
    qint32 ReadInt() { return qFromLittleEndian<qint32>(Take(4, "data")); }
    // A length-prefixed text in Windows-1252 or UTF-8.
    QString ReadString();
    // count little-endian 32-bit numbers, appended to days in one step.
    void ReadInts(qint32 count, std::vector<qint32>& days);
    // Passes over count days (at least two), reading only the first and the last two.
    TDayBlock SkipDays(qint32 count);
    // A count of records that take at least recordSize bytes each: a negative count reads as
    // none, a count larger than the rest of the file could hold is an error.
    qint32 ReadCount(qsizetype recordSize, const char* what);

    qint64 Position() const { return m_Position; }
    qint64 Remaining() const { return m_Size - m_Position; }
    const std::shared_ptr<const TEntrySource>& Source() const { return m_Source; }
    // False when the file was cut short while it was viewed: some bytes read were zeros
    // standing in for the file's.
    bool Intact() const;

private:
    // The next size bytes; inline, since nearly every field is at hand in the window.
    const char* Take(qint64 size, const char* what)
    {
        if (size >= 0 && m_Position >= m_WindowStart && m_Position + size <= m_WindowStart + m_WindowSize) {
            const char* bytes = m_Window + (m_Position - m_WindowStart);
            m_Position += size;
            return bytes;
        }
        return TakeBeyondWindow(size, what);
    }
    const char* TakeBeyondWindow(qint64 size, const char* what);
    void FillWindow(qint64 size);
    bool ViewWindow(qint64 size);
    void EndView();

    std::shared_ptr<const TEntrySource> m_Source;
    qint64 m_Size;
    qint64 m_Position;
    // The bytes from m_WindowStart on that are at hand: all of them for a source in memory.
    const char* m_Window = nullptr;
    qint64 m_WindowStart = 0;
    qint64 m_WindowSize = 0;
    std::vector<char> m_Buffer;
    std::unique_ptr<TFileMapping> m_View;
    bool m_ViewCutShort = false;
};

class QIODevice;

// Writes the fields of an entry file into memory, or through memory into a device: a file of
// large caches is then never held whole.
class TEntryWriter {
public:
    TEntryWriter() = default;
    // Passes the bytes on to sink in large pieces; Finish writes the rest.
    explicit TEntryWriter(QIODevice* sink);

    void WriteByte(quint8 value);
    void WriteBool(bool value) { WriteByte(value ? 1 : 0); }
    void WriteWord(quint16 value);
    void WriteInt(qint32 value);
    // Days of a cache, as WriteInt would write them one by one, in one go.
    void WriteInts(const qint32* values, qsizetype count);
    void WriteString(const QString& text);
    void WriteBytes(const QByteArray& bytes);
    // Room for size bytes that the caller fills at once. Until the next write, Retract can
    // take them back.
    char* Extend(qsizetype size);
    void Retract(qsizetype size);
    // Writes what is left to the sink; false when any write to it failed.
    bool Finish();

    const QByteArray& Data() const { return m_Data; }

private:
    void Written();
    void Flush();

    QByteArray m_Data;
    QIODevice* m_Sink = nullptr;
    bool m_Failed = false;
};
