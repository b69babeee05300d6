#include "cli/IsoDates.h"

#include "support/DayNumbers.h"

#include <QRegularExpression>

std::optional<qint32> ParseIsoDay(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int year = match.captured(1).toInt();
    const auto month = match.captured(2).toUInt();
    const auto day = match.captured(3).toUInt();
    if (year < 1 || !IsValidDate(year, month, day))
        return std::nullopt;
    return DayFromCivil(year, month, day);
}

QString IsoDate(qint32 day)
{
    const TCivilDate date = CivilFromDay(day);
    return QStringLiteral("%1-%2-%3")
        .arg(date.Year, 4, 10, QChar(u'0'))
        .arg(date.Month, 2, 10, QChar(u'0'))
        .arg(date.Day, 2, 10, QChar(u'0'));
}

std::optional<qint32> ParseIsoMonth(const QString& text)
{
    return text.size() == 7 ? ParseIsoDay(text + QStringLiteral("-01")) : std::nullopt;
}
