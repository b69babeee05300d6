#include "cli/ImportTexts.h"

#include "support/NLS.h"

#include <cstring>
#include <utility>

namespace {

const std::pair<const char*, quint32> Texts[] = {
    {"repeats more often than daily", 0x5D41A740},
    {"a rule without FREQ", 0x5D41A741},
    {"BYSETPOS has no exact equal", 0x5D41A742},
    {"BYYEARDAY and BYWEEKNO have no exact equal", 0x5D41A743},
    {"BYHOUR, BYMINUTE and BYSECOND have no exact equal", 0x5D41A744},
    {"several BYMONTHDAY values have no exact equal", 0x5D41A745},
    {"several BYMONTH values have no exact equal", 0x5D41A746},
    {"RSCALE has no exact equal", 0x5D41A747},
    {"BYDAY with a position in a daily or weekly rule has no exact equal", 0x5D41A748},
    {"the start is not one of the rule's weekdays", 0x5D41A749},
    {"every n-th week on several weekdays has no exact equal", 0x5D41A74A},
    {"BYMONTHDAY with BYDAY has no exact equal", 0x5D41A74B},
    {"several BYDAY values in a monthly or yearly rule have no exact equal", 0x5D41A74C},
    {"BYDAY needs a position from 1 to 4 or -1 here", 0x5D41A74D},
    {"a day of the month that some periods lack has no exact equal", 0x5D41A74E},
    {"BYMONTH in a monthly rule has no exact equal", 0x5D41A74F},
    {"a month outside 1 to 12", 0x5D41A750},
    {"BYMONTHDAY or BYMONTH in a daily rule has no exact equal", 0x5D41A751},
    {"every n-th day on some weekdays has no exact equal", 0x5D41A752},
    {"BYMONTHDAY or BYMONTH in a weekly rule has no exact equal", 0x5D41A753},
    {"a to-do, not an event", 0x5D41A754},
    {"a journal entry, not an event", 0x5D41A755},
    {"it changes one day of a series (RECURRENCE-ID)", 0x5D41A756},
    {"RDATE has no exact equal", 0x5D41A757},
    {"EXDATE has no exact equal", 0x5D41A758},
    {"several RRULEs have no exact equal", 0x5D41A759},
    {"other events change some of its days (RECURRENCE-ID)", 0x5D41A75A},
    {"no start date within the years 1 to 9999", 0x5D41A75B},
    {"its days fall on other days in the local time zone", 0x5D41A75C},
    {"no entry repeats on the rule's days", 0x5D41A75D},
    {", and it has no day between %s and %s", 0x5D41A75E},
    {"a card without a name", 0x5D41A75F},
    {"'%s' is no day of a year", 0x5D41A760},
    {"not an iCalendar file, or one cut short", 0x5D41A761},
    {"no VCALENDAR in the file", 0x5D41A762},
    {"no vCard in the file, or one cut short", 0x5D41A763},
};

} // namespace

QString ImportText(const char* english)
{
    for (const auto& [text, id] : Texts)
        if (std::strcmp(text, english) == 0)
            return LanguageText(id, QString::fromUtf8(english));
    return QString::fromUtf8(english);
}
