#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The line syntax shared by language and country files.

struct TNLSLine {
    QString Key;
    QString Value; // trimmed and unquoted, escapes and entities not yet decoded
};

// Skips blanks, drops the comment, splits at the first "=" (which must not be the first
// character), trims key and value, and removes a pair of matching quotes around the value.
// Returns nothing for a line without a key.
std::optional<TNLSLine> SplitNLSLine(QStringView line);

// Backslash escapes: \a \b \f \n \r \t \v, "\\" and \e (both a backslash), and \xHH with
// exactly two hex digits for a Windows-1252 character code. Any other pair, and a final lone
// backslash, stay as they are.
QString DecodeEscapes(QStringView value);

// &auml; &Auml; &uuml; &Uuml; &ouml; &Ouml;, then &szlig;, then &amp;, in this order.
QString DecodeEntities(QString value);

// Both decoding steps, escapes first.
QString DecodeNLSValue(QStringView value);

// A key of hexadecimal digits only is a text id; only its last eight digits count.
std::optional<quint32> ParseTextId(QStringView key);
