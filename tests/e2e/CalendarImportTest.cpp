// Imports calendar texts: every rule accepted must give libical's own days, every other event
// is left out with its reason, and the fields of an event land where an entry keeps them.
#include "ReminderSet.h"
#include "cli/CalendarExport.h"
#include "cli/CalendarImport.h"
#include "cli/VCardImport.h"
#include "support/NLS.h"
#include "model/VemoraEntries.h"
#include "model/VemoraEntryBasic.h"
#include "support/DayNumbers.h"

#include <libical/ical.h>

#include <QDateTime>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

QByteArray Calendar(const QByteArray& event)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\nBEGIN:VEVENT\r\nUID:1\r\nSUMMARY:event\r\n" + event +
           "END:VEVENT\r\nEND:VCALENDAR\r\n";
}

qint32 DayOf(const icaltimetype& time)
{
    return DayFromCivil(time.year, static_cast<unsigned>(time.month), static_cast<unsigned>(time.day));
}

// The days within six years of the start, by libical and by the entry.
std::pair<std::vector<qint32>, std::vector<qint32>> BothDays(const char* start, const char* rule, TVemoraEntryBasic& entry)
{
    const icaltimetype first = icaltime_from_string(start);
    const qint32 end = DayOf(first) + 6 * 366;
    std::vector<qint32> expected, found;
    icalrecur_iterator* days = icalrecur_iterator_new(icalrecurrencetype_from_string(rule), first);
    for (icaltimetype day = icalrecur_iterator_next(days); !icaltime_is_null_time(day) && DayOf(day) <= end;
         day = icalrecur_iterator_next(days))
        expected.push_back(DayOf(day));
    icalrecur_iterator_free(days);
    for (qint32 day = DayOf(first) - 1; entry.FindOccurrence(day, day, FindNext) && day <= end;)
        found.push_back(day);
    return {expected, found};
}

struct TRuleCase {
    const char* Start;
    const char* Rule;
    const char* Refusal; // part of the reason; null when the event is imported
};

TEST(CalendarImportTest, AnAcceptedRuleHasLibicalsDaysAnyOtherIsLeftOutWithItsReason)
{
    const TRuleCase cases[] = {
        {"20240101", "FREQ=DAILY", nullptr},
        {"20240101", "FREQ=DAILY;INTERVAL=3;COUNT=40", nullptr},
        {"20240101", "FREQ=DAILY;UNTIL=20240110", nullptr},
        {"20240101", "FREQ=DAILY;BYDAY=MO,TU,WE,TH,FR", nullptr},
        {"20240101", "FREQ=WEEKLY;INTERVAL=2", nullptr},
        {"20240101", "FREQ=WEEKLY;BYDAY=MO,WE,FR;COUNT=2000000000", nullptr},
        {"20240101", "FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,TH", "several weekdays"},
        {"20240101", "FREQ=WEEKLY;BYDAY=TU", "not one of the rule's weekdays"},
        {"20240115", "FREQ=MONTHLY;INTERVAL=3", nullptr},
        {"20240131", "FREQ=MONTHLY;BYMONTHDAY=-1", nullptr},
        {"20240109", "FREQ=MONTHLY;BYDAY=2TU", nullptr},
        {"20240126", "FREQ=MONTHLY;BYDAY=-1FR;UNTIL=20251231", nullptr},
        {"20240131", "FREQ=MONTHLY", "some periods lack"},
        {"20240101", "FREQ=MONTHLY;BYDAY=2TU", nullptr}, // a start off the rule's days, which libical skips
        {"20240129", "FREQ=MONTHLY;BYDAY=5MO", "position from 1 to 4"},
        {"20240101", "FREQ=MONTHLY;BYMONTHDAY=1,15", "several BYMONTHDAY"},
        {"20240101", "FREQ=MONTHLY;BYDAY=MO;BYSETPOS=1", "BYSETPOS"},
        {"20240412", "FREQ=YEARLY", nullptr},
        {"20241128", "FREQ=YEARLY;BYMONTH=11;BYDAY=4TH", nullptr},
        {"20240229", "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=-1;INTERVAL=2", nullptr},
        {"20240229", "FREQ=YEARLY", "some periods lack"},
        {"20240101T090000", "FREQ=HOURLY", "more often than daily"},
    };
    const auto import = [](const char* start, const char* rule, TVemoraEntries& entries) {
        const QByteArray startLine = QByteArray(start).contains('T') ? "DTSTART:" : "DTSTART;VALUE=DATE:";
        return ImportCalendar(Calendar(startLine + start + "\r\nRRULE:" + rule + "\r\n"), entries);
    };
    LoadLanguage(QString(), QStringLiteral(":/lang/Vemora_EN.nls"));
    std::vector<QString> english;
    for (const auto& [start, rule, refusal] : cases) {
        TVemoraEntries entries;
        const TImportReport report = import(start, rule, entries);
        english.push_back(report.Items.at(0).Reason);
        ASSERT_EQ(report.Items.size(), 1u) << rule;
        EXPECT_EQ(entries.Count(), refusal ? 0 : 1) << rule << ": " << report.Items[0].Reason.toStdString();
        if (refusal)
            EXPECT_TRUE(report.Items[0].Reason.contains(QLatin1String(refusal))) << report.Items[0].Reason.toStdString();
        else if (entries.Count() == 1) {
            const auto [expected, found] = BothDays(start, rule, *entries.Items(0));
            EXPECT_EQ(found, expected) << rule;
        }
    }
    // Each reason has its words in the language files: none stays English in German.
    LoadLanguage(QString(), QStringLiteral(":/lang/Vemora_DE.nls"));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        TVemoraEntries entries;
        const QString reason = import(cases[i].Start, cases[i].Rule, entries).Items.at(0).Reason;
        EXPECT_TRUE(english[i].isEmpty() || reason != english[i]) << reason.toStdString();
    }
    LoadLanguage(QString(), QStringLiteral(":/lang/Vemora_EN.nls"));
}

TEST(CalendarImportTest, TheFieldsOfAnEventBecomeTheEntrysAndWhatIsLeftOutIsReported)
{
    const QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:a\r\nDTSTART:20270301T093000Z\r\n"
        "SUMMARY:Dentist\r\nDESCRIPTION:Bring the card\r\nCATEGORIES:Health,Work\r\n"
        "BEGIN:VALARM\r\nTRIGGER:-P2D\r\nEND:VALARM\r\nBEGIN:VALARM\r\nTRIGGER:-P1W\r\nEND:VALARM\r\n"
        "BEGIN:VALARM\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\nBEGIN:VALARM\r\nTRIGGER;RELATED=END:-P9D\r\nEND:VALARM\r\n"
        "END:VEVENT\r\nBEGIN:VEVENT\r\nUID:b\r\nDTSTART;VALUE=DATE:20270412\r\nSUMMARY:Anna\r\nRRULE:FREQ=YEARLY\r\n"
        "EXDATE;VALUE=DATE:20280412\r\nEND:VEVENT\r\nBEGIN:VTODO\r\nUID:c\r\nSUMMARY:Taxes\r\nEND:VTODO\r\n"
        "BEGIN:VEVENT\r\nUID:d\r\nDTSTART;TZID=Nowhere/Else:20270501T080000\r\nSUMMARY:Choir\r\n"
        "CATEGORIES:Family\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    for (const QString& category : {QString(), QStringLiteral("Imported")}) {
        TVemoraEntries entries;
        entries.Categories().AddCategory("Family", 7);
        const TImportReport report = ImportCalendar(text, entries, category);
        QStringList reported;
        for (const TImportedItem& item : report.Items)
            reported << item.Name + ' ' + item.Date + ' ' + item.Reason;
        EXPECT_EQ(reported.mid(1), (QStringList{"Anna 2027-04-12 EXDATE has no exact equal", "Taxes  a to-do, not an event",
                                                "Choir 2027-05-01 "}));
        ASSERT_EQ(entries.Count(), 2);
        // A zone the file does not define counts as local time; UTC becomes the local day and time.
        const QDateTime dentist = QDateTime(QDate(2027, 3, 1), QTime(9, 30), Qt::UTC).toLocalTime();
        TVemoraEntryBasic& first = *entries.Items(0);
        EXPECT_EQ(std::tuple(first.DateStart(), first.DisplayText(), first.Comment(), first.AdvanceWarn()),
                  std::tuple(DayFromCivil(dentist.date().year(), dentist.date().month(), dentist.date().day()),
                             dentist.toString("HH:mm") + " Dentist", QString("Bring the card"), quint8(7)));
        EXPECT_EQ(entries.Items(1)->DisplayText(), "08:00 Choir");
        QString firstCategory, secondCategory;
        entries.Categories().NameOfId(first.Category(), firstCategory);
        entries.Categories().NameOfId(entries.Items(1)->Category(), secondCategory);
        EXPECT_EQ(std::pair(firstCategory, secondCategory),
                  category.isEmpty() ? std::pair(QString("Health"), QString("Family")) : std::pair(category, category));
        EXPECT_EQ(entries.Items(1)->Category() == 7, category.isEmpty()) << "an existing category is used";
    }
    TVemoraEntries untouched;
    for (const QByteArray& garbage : {QByteArray("\x7f\x01ELF\0\0garbage"), QByteArray("BEGIN:VEVENT\r\nEND:VEVENT\r\n")})
        EXPECT_THROW(ImportCalendar(garbage, untouched), EImportError);
    EXPECT_EQ(untouched.Count(), 0);
}

// An evening in New York ends on the next UTC date: the entry stops on the local day.
TEST(CalendarImportTest, AnEndGivenInUtcIsTheLocalDay)
{
    const QByteArray zone = qgetenv("TZ");
    qputenv("TZ", "America/New_York");
    TVemoraEntries entries;
    ImportCalendar(Calendar("DTSTART;TZID=America/New_York:20270301T210000\r\nRRULE:FREQ=DAILY;UNTIL=20270306T020000Z\r\n"),
                   entries);
    zone.isNull() ? qunsetenv("TZ") : qputenv("TZ", zone);
    ASSERT_EQ(entries.Count(), 1);
    EXPECT_EQ(std::tuple(entries.Items(0)->DateStart(), entries.Items(0)->DateStop(), entries.Items(0)->DisplayText()),
              std::tuple(DayFromCivil(2027, 3, 1), DayFromCivil(2027, 3, 5), QString("21:00 event")));
}

// Versions 3.0 and 4.0, folded lines, groups, escapes; the texts are the built-in English ones.
TEST(CalendarImportTest, BirthdaysAndAnniversariesOfAnAddressBookBecomeYearlyEntries)
{
    LoadLanguage(QString(), QStringLiteral(":/lang/Vemora_EN.nls"));
    const QByteArray cards = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Anna Smith\r\nN:Smith;Anna;;;\r\nBDAY:1990-04-12\r\n"
        "END:VCARD\r\nBEGIN:VCARD\r\nVERSION:4.0\r\nN:Jones;Ben;;;\r\nBDAY:--1130\r\nANNIVERSARY:20150620T120000Z\r\n"
        "END:VCARD\r\nBEGIN:VCARD\r\nVERSION:4.0\r\nFN:Carl\r\n \\, Jr.\r\nBDAY;VALUE=text:circa 1800\r\n"
        "item1.X-ANNIVERSARY:--02-29\r\nEND:VCARD\r\nBEGIN:VCARD\r\nBDAY:2001-02-03\r\nEND:VCARD\r\n";
    TVemoraEntries entries;
    const TImportReport report = ImportVCards(cards, entries, "Family", DayFromCivil(2026, 12, 7));
    QStringList reported;
    for (const TImportedItem& item : report.Items)
        reported << item.Date + ' ' + item.Name + ' ' + item.Reason;
    EXPECT_EQ(reported, (QStringList{"1990-04-12 Anna Smith turns $(COUNT) ", "2026-11-30 Ben Jones's birthday ",
                                     "2015-06-20 Ben Jones: $(COUNT) years married ",
                                     " Carl, Jr. 'circa 1800' is no day of a year", "2028-02-29 Carl, Jr.: wedding anniversary ",
                                     "  a card without a name"}));
    ASSERT_EQ(entries.Count(), 4);
    ASSERT_TRUE(entries.Items(0)->IsOccurrenceDay(DayFromCivil(2027, 4, 12))); // counts the years up to it
    EXPECT_EQ(entries.Items(0)->AlertText(DayFromCivil(2027, 4, 12)), "Anna Smith turns 37");
    EXPECT_TRUE(entries.Items(1)->IsOccurrenceDay(DayFromCivil(2030, 11, 30)));
    int family = -1;
    EXPECT_TRUE(entries.Categories().FindName("Family", family) && entries.Items(3)->Category() == entries.Categories().IdAt(family));
    EXPECT_THROW(ImportVCards("BEGIN:VCARD\r\nFN:cut short\r\n", entries, {}, 0), EImportError);
}

// What the export writes comes back with the same days in its window, entry by entry (the
// generator ends each text with " #<index>"); events that list their days, with --expand.
TEST(CalendarImportTest, ExportedEntriesComeBackWithTheirDays)
{
    TVemoraEntries original, imported;
    FillEntries(GenerateReminders(2'000, 7, DayFromCivil(2026, 6, 15)), original);
    const TExportWindow window{DayFromCivil(2025, 6, 15), DayFromCivil(2028, 6, 15)};
    const TImportReport report = ImportCalendar(ExportCalendar(original, "/g.vkd", window, [](int, const auto&, const auto&) {}),
                                                imported, {}, TImportWindow{window.From, window.To});
    EXPECT_EQ(report.LeftOut(), 0);
    std::map<QString, std::set<qint32>> days; // by index
    const auto addDays = [&](TVemoraEntryBasic& entry, const QString& index) {
        for (qint32 day = window.From - 1; entry.FindOccurrence(day, day, FindNext) && day <= window.To;)
            days[index].insert(day);
    };
    for (int i = 0; i < imported.Count(); ++i)
        addDays(*imported.Items(i), imported.Items(i)->DisplayText().section('#', -1));
    int compared = 0;
    for (int i = 0; i < original.Count(); ++i) {
        const QString index = QString::number(i);
        if (!original.Items(i)->Active())
            continue;
        const std::set<qint32> imported = days[index];
        days.erase(index);
        addDays(*original.Items(i), index);
        EXPECT_EQ(imported, days[index]) << original.Items(i)->DisplayText().toStdString();
        compared += !imported.empty();
    }
    EXPECT_GT(compared, 1'500);
}

// Expanded: the series' days less its EXDATE and the day a change moves, the changed day itself.
TEST(CalendarImportTest, ExpandingKeepsExceptionsAndChangedDays)
{
    const QByteArray text = "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:s\r\nDTSTART;VALUE=DATE:20270301\r\nSUMMARY:s\r\n"
        "RRULE:FREQ=DAILY;COUNT=6\r\nEXDATE;VALUE=DATE:20270302\r\nEND:VEVENT\r\nBEGIN:VEVENT\r\nUID:s\r\n"
        "RECURRENCE-ID;VALUE=DATE:20270304\r\nDTSTART;VALUE=DATE:20270310\r\nSUMMARY:s\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    TVemoraEntries entries;
    const TImportReport report = ImportCalendar(text, entries, {}, TImportWindow{DayFromCivil(2027, 3, 1), DayFromCivil(2027, 3, 31)});
    std::vector<qint32> days;
    for (int i = 0; i < entries.Count(); ++i)
        days.push_back(entries.Items(i)->DateStart());
    const qint32 march = DayFromCivil(2027, 3, 1) - 1;
    EXPECT_EQ(days, (std::vector<qint32>{march + 1, march + 3, march + 5, march + 6, march + 10}));
    EXPECT_EQ(std::pair(report.Items.at(0).Days, report.Items.at(1).Days), std::pair(4, 1));
}

} // namespace
