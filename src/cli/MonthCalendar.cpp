#include "cli/MonthCalendar.h"

#include "cli/IsoDates.h"
#include "model/AlertText.h"
#include "model/VemoraEntries.h"
#include "support/DayNumbers.h"

#include <QLocale>

namespace {

constexpr int CellWidth = 4; // " 12*"
constexpr int WeekWidth = 7 * CellWidth;

// English names whatever the locale: scripts read this output.
QString DayName(int weekday)
{
    return QLocale::c().dayName(weekday, QLocale::ShortFormat);
}

QString WeekHeader()
{
    QString header;
    for (int weekday = Qt::Monday; weekday <= Qt::Sunday; ++weekday)
        header += u' ' + DayName(weekday).left(2) + u' ';
    return header;
}

QString DayCell(unsigned day, bool marked, bool terminal)
{
    const QString number = QStringLiteral("%1").arg(day, 2);
    if (marked && terminal)
        return QStringLiteral(" \x1b[1m%1\x1b[0m*").arg(number);
    return u' ' + number + (marked ? u'*' : u' ');
}

QString CalendarLines(const TMarkedMonth& month, bool terminal)
{
    const TCivilDate first = CivilFromDay(month.First);
    QString title = QLocale::c().standaloneMonthName(static_cast<int>(first.Month)) + u' ' + QString::number(first.Year);
    QString text = QString((WeekWidth - title.size()) / 2, u' ') + title + u'\n' + WeekHeader().trimmed().prepend(u' ') + u'\n';
    // Monday first: DayOfWeek counts 1 = Sunday.
    QString week = QString(CellWidth * ((DayOfWeek(month.First) + 5) % 7), u' ');
    for (std::size_t i = 0; i < month.Days.size(); ++i) {
        const qint32 day = month.First + static_cast<qint32>(i);
        week += DayCell(CivilFromDay(day).Day, !month.Days[i].Occurrences.empty(), terminal);
        if (DayOfWeek(day) == 1 || i + 1 == month.Days.size()) {
            while (week.endsWith(u' '))
                week.chop(1);
            text += week + u'\n';
            week.clear();
        }
    }
    return text;
}

QString DayLabel(qint32 day)
{
    const TCivilDate date = CivilFromDay(day);
    return QStringLiteral("%1 %2 %3")
        .arg(DayName(DayOfWeek(day) == 1 ? Qt::Sunday : DayOfWeek(day) - 1),
             QStringLiteral("%1").arg(date.Day, 2),
             QLocale::c().monthName(static_cast<int>(date.Month), QLocale::ShortFormat));
}

QByteArray IndexArray(const std::vector<int>& indexes)
{
    QByteArray array = "[";
    for (std::size_t i = 0; i < indexes.size(); ++i)
        array += (i ? ", " : "") + QByteArray::number(indexes[i]);
    return array + ']';
}

} // namespace

QString MonthCalendarText(TVemoraEntries& entries, const TMarkedMonth& month, bool terminal)
{
    QString text = CalendarLines(month, terminal);
    bool first = true;
    for (std::size_t i = 0; i < month.Days.size(); ++i) {
        const qint32 day = month.First + static_cast<qint32>(i);
        for (int index : month.Days[i].Occurrences) {
            text += (first ? QStringLiteral("\n") : QString()) + DayLabel(day) + QStringLiteral("  ") +
                    OneLine(BuildAlertMessage(*entries.Items(index), day).Text) + u'\n';
            first = false;
        }
    }
    return text;
}

// Written by hand: a day per line, and the keys in the order people read them.
QByteArray MonthCalendarJson(const TMarkedMonth& month)
{
    QByteArray json = "{\n    \"Month\": \"" + IsoDate(month.First).left(7).toLatin1() + "\",\n    \"Days\": [\n";
    for (std::size_t i = 0; i < month.Days.size(); ++i)
        json += "        {\"Date\": \"" + IsoDate(month.First + static_cast<qint32>(i)).toLatin1() +
                "\", \"Occurrences\": " + IndexArray(month.Days[i].Occurrences) +
                ", \"Warnings\": " + IndexArray(month.Days[i].Warnings) + (i + 1 < month.Days.size() ? "},\n" : "}\n");
    return json + "    ]\n}\n";
}
