#pragma once

#include "support/DateFormat.h"

#include <QChar>
#include <QLocale>
#include <QString>

// Converts a Qt date or time format (QLocale::dateFormat and friends) into our format language.
// Every unquoted `separator` becomes `separatorToken` ("/" or ":"), so a changed separator
// applies. Parts without an equivalent (AM/PM, milliseconds, time zone) are dropped, hours are
// always 0..23.
QString FromQtFormat(const QString& qtFormat, QChar separator = {}, QChar separatorToken = {});

// The first character of a Qt format that is neither a letter nor quoted, or a null QChar.
QChar FirstQtSeparator(const QString& qtFormat);

TFormatSettings MakeFormatSettings(const QLocale& locale);
