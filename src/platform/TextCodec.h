#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Text in entry and language files: read as UTF-8 when the bytes are valid UTF-8, else as
// Windows-1252; written as Windows-1252 when every character fits, else as UTF-8.
QString DecodeAnsiText(QByteArrayView bytes);
QByteArray EncodeAnsiText(const QString& text);

// Whether every character of the text has a Windows-1252 byte.
bool FitsWindows1252(const QString& text);

// Whether the text holds a control character (below U+0020, or DEL): such text cannot stand
// in a line-based file without breaking its lines.
bool HasControlCharacter(const QString& text);
