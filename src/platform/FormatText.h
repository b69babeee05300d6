#pragma once

#include <QString>
#include <QStringList>

// Fills a message format: each "%s" or "%d" takes the next argument, "%%" is a percent sign.
// Formats come from language files, so a format with too few or too many placeholders is
// filled as far as it goes and never fails.
QString FormatText(const QString& format, const QStringList& arguments);
