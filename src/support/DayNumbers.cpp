#include "support/DayNumbers.h"

#include <QDateTime>
#include <QTime>

namespace {

// Julian day number of day 0, 1899-12-30.
constexpr qint64 JulianDayOfDayZero = 2415019;
constexpr double MillisecondsPerDay = 86400000.0;

} // namespace

int QDateToDay(QDate date)
{
    if (!date.isValid())
        return 0;
    return static_cast<int>(date.toJulianDay() - JulianDayOfDayZero);
}

QDate DayToQDate(int dayNumber)
{
    return QDate::fromJulianDay(dayNumber + JulianDayOfDayZero);
}

int Today()
{
    return QDateToDay(QDate::currentDate());
}

double Now()
{
    const QDateTime now = QDateTime::currentDateTime();
    return QDateToDay(now.date()) + now.time().msecsSinceStartOfDay() / MillisecondsPerDay;
}
