#pragma once

#include <QByteArray>
#include <QtEndian>

#include <cmath>
#include <numbers>

// Small media files written by the tests themselves.

template <typename... Values>
QByteArray LittleEndian(Values... values)
{
    QByteArray bytes;
    const auto append = [&bytes](auto value) {
        value = qToLittleEndian(value);
        bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
    };
    (append(values), ...);
    return bytes;
}

// A RIFF chunk, padded to an even length.
inline QByteArray Chunk(const char* id, const QByteArray& body)
{
    QByteArray chunk = QByteArray(id, 4) + LittleEndian(quint32(body.size())) + body;
    if (body.size() % 2 != 0)
        chunk.append('\0');
    return chunk;
}

// 8 kHz mono 16-bit PCM, a 440 Hz tone.
inline QByteArray Wave(int milliseconds)
{
    constexpr int rate = 8000;
    QByteArray samples;
    for (int i = 0; i < rate * milliseconds / 1000; ++i)
        samples += LittleEndian(qint16(8000 * std::sin(2 * std::numbers::pi * 440 * i / rate)));
    const QByteArray format = LittleEndian(quint16(1), quint16(1), quint32(rate), quint32(rate * 2),
                                           quint16(2), quint16(16));
    return Chunk("RIFF", QByteArray("WAVE") + Chunk("fmt ", format) + Chunk("data", samples));
}
