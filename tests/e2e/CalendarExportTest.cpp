// Exports entry files with the built vemora-cli, reads the calendar back and expands it with
// libical's own recurrence code: every entry must have exactly the days that `next` lists.
#include "ReminderSet.h"
#include "RunProgram.h"
#include "TestSupport.h"
#include "model/ModelTestSupport.h"
#include "model/VemoraEntries.h"

#include <libical/ical.h>

#include <QRegularExpression>

#include <set>

namespace {

using TDays = std::set<std::pair<int, qint32>>; // entry index and day
constexpr int Listed = 400; // days per entry and run of `next`: a year's, and more

struct TCalendar {
    TDays Days; // within the window
    std::set<int> Ruled;
    std::set<QString> Uids;
    QString Text, Errors;
};

TRunResult Cli(const QStringList& arguments)
{
    return RunProgram(VEMORA_BIN_DIR "/vemora-cli", arguments, QProcessEnvironment::systemEnvironment(), ".");
}

void ReadEvent(icalcomponent* event, const char* from, qint32 to, TCalendar& calendar)
{
    const QString uid = QString::fromUtf8(icalcomponent_get_uid(event));
    const auto keep = [&, first = Day(from)](const icaltimetype& time) { // false past the window
        const qint32 day = DayFromCivil(time.year, static_cast<unsigned>(time.month), static_cast<unsigned>(time.day));
        if (day >= first && day <= to)
            calendar.Days.emplace(uid.section(u'-', 0, 0).toInt(), day);
        return day <= to;
    };
    const icaltimetype start = icalcomponent_get_dtstart(event);
    keep(start);
    for (auto* day = icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY); day;
         day = icalcomponent_get_next_property(event, ICAL_RDATE_PROPERTY))
        keep(icalproperty_get_rdate(day).time);
    if (icalproperty* rule = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY)) {
        calendar.Ruled.insert(uid.section(u'-', 0, 0).toInt());
        icalrecur_iterator* days = icalrecur_iterator_new(icalproperty_get_rrule(rule), start);
        // libical skips the decades before the window, though not for a COUNT.
        if (icalproperty_get_rrule(rule).count == 0 && icaltime_compare(icaltime_from_string(from), start) > 0)
            icalrecur_iterator_set_start(days, icaltime_from_string(from));
        for (auto day = icalrecur_iterator_next(days); !icaltime_is_null_time(day) && keep(day);)
            day = icalrecur_iterator_next(days);
        icalrecur_iterator_free(days);
    }
    EXPECT_TRUE(calendar.Uids.insert(uid).second) << "UID twice: " << uid.toStdString();
}

// Compares the days of the exported calendar with those `next` lists for the active entries; a
// list of Listed days ("INDEX: YYYY-MM-DD, ..."), in order, that ends early is continued after.
TCalendar ExpectSameDays(const QString& file, const char* from, const char* to)
{
    const TRunResult exported = Cli({"export", file, "--from", from, "--to", to});
    TCalendar calendar{{}, {}, {}, exported.Output, {}};
    icalcomponent* root = icalparser_parse_string(exported.Output.toUtf8().constData());
    for (auto* event = icalcomponent_get_first_component(root, ICAL_VEVENT_COMPONENT); event;
         event = icalcomponent_get_next_component(root, ICAL_VEVENT_COMPONENT))
        ReadEvent(event, from, Day(to), calendar);
    icalcomponent_free(root);
    TVemoraEntries entries;
    EXPECT_TRUE(entries.LoadFromFile(file));
    TDays listed;
    const qint32 last = Day(to);
    for (qint32 start = Day(from), next = 0; start != 0; start = next, next = 0) {
        const TRunResult result = Cli({"next", file, "--from", Iso(start), "--count", QString::number(Listed)});
        calendar.Errors += start == Day(from) ? result.Errors : QString();
        for (const QString& line : result.Output.split(u'\n', Qt::SkipEmptyParts)) {
            const int index = line.section(u':', 0, 0).toInt();
            qint32 day = 0;
            int count = 0;
            for (qsizetype at = line.indexOf(u':') + 2;
                 at + 10 <= line.size() && (day = Day(line.mid(at, 10).toLatin1().constData())) <= last; at += 12) {
                ++count;
                if (entries.Items(index)->Active())
                    listed.emplace(index, day);
            }
            if (count == Listed)
                next = next == 0 ? day + 1 : std::min(next, day + 1);
        }
    }
    EXPECT_EQ(std::pair(exported.ExitCode, exported.Errors), std::pair(0, calendar.Errors));
    std::vector<std::pair<int, qint32>> differ;
    std::set_symmetric_difference(calendar.Days.begin(), calendar.Days.end(), listed.begin(), listed.end(),
                                  std::back_inserter(differ));
    EXPECT_TRUE(differ.empty()) << differ.size() << " differ: " << differ[0].first << ' ' << differ[0].second;
    return calendar;
}

// Pattern: the day kind of daily entries, the weekday bits of weekly ones, else the DaySpec.
struct TRow {
    const char* Name;
    bool Rule;
    TEntryKind Kind;
    const char* Start;
    int Repetition;
    quint8 Pattern, Month = 0;
    const char* Stop = nullptr;
    int Count = NoMaxCount;
};

} // namespace

// The generated entries of the other test cover the common shapes; these are the rarer ones.
TEST(CalendarExportTest, EveryKindHasTheDaysOfTheModel)
{
    const TRow rows[] = {
        {"Anna turns $(COUNT)", false, ekYearly, "1990-04-12", 1, 12, 4},
        {"every day", true, ekDaily, "2025-07-01", 1, dkAnyDay},
        {"every third day, ten times", true, ekDaily, "2026-02-10", 3, dkAnyDay, 0, nullptr, 10},
        {"every second working day", false, ekDaily, "2026-01-01", 2, dkWorkingDay},
        {"every fifth working day", true, ekDaily, "2026-01-01", 5, dkWorkingDay},
        {"weekend days from a Wednesday", true, ekDaily, "2026-01-07", 1, dkWeekend},
        {"Monday and Thursday until a stop day", true, ekWeekly, "2026-01-04", 1, 0x24, 0, "2027-06-30"},
        {"every second Monday, Wednesday or Friday", false, ekWeekly, "2026-01-01", 2, 0x54},
        {"every fourth Monday or Wednesday", true, ekWeekly, "2026-01-01", 4, 0x14},
        {"the 15th, ended by the count", true, ekMonthly, "2026-01-20", 2, 15, 0, "2028-06-30", 8},
        {"the 15th, ended by the stop day", true, ekMonthly, "2026-01-20", 2, 15, 0, "2027-01-31", 8},
        {"the 31st", false, ekMonthly, "2026-01-31", 1, 31},
        {"the 29th", false, ekMonthly, "2026-01-01", 1, 29},
        {"the last Friday, every third month", true, ekMonthly, "2026-02-01", 3, DaySpecOf(dcLast, dkFriday)},
        {"the fourth day", true, ekMonthly, "2026-01-01", 1, DaySpecOf(dcFourth, dkAnyDay)},
        {"29 February", false, ekYearly, "2024-02-29", 1, 29, 2},
        {"the last Monday of May, every second year", true, ekYearly, "2025-01-01", 2, DaySpecOf(dcLast, dkMonday), 5},
        {"the first working day of the year", false, ekYearly, "2020-01-01", 1, DaySpecOf(dcFirst, dkWorkingDay), 1},
        {"a one-off that was a series", false, ekOnce, "2027-03-10", 1, 0, 0, "2026-05-01", 0},
    };
    std::vector<TReminder> reminders;
    for (const TRow& row : rows) // each kind reads only its own pattern field
        reminders.push_back({row.Kind, Day(row.Start), row.Stop ? Day(row.Stop) : NoDateStop, row.Repetition, 0,
                             row.Pattern, row.Pattern, row.Pattern, row.Month, true, 0, row.Name, {}, {}});
    reminders[0].AdvanceWarn = 3;
    TVemoraEntries list;
    FillEntries(reminders, list);
    for (std::size_t i = 0; i < std::size(rows); ++i)
        list.Items(static_cast<int>(i))->SetMaxCount(rows[i].Count);
    TTemporaryHome home;
    list.SaveToFile(home.FilePath(QStringLiteral("kinds.vkd")));
    const TCalendar calendar = ExpectSameDays(home.FilePath(QStringLiteral("kinds.vkd")), "2026-01-01", "2028-12-31");
    for (std::size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(calendar.Ruled.contains(static_cast<int>(i)), rows[i].Rule) << rows[i].Name;
    EXPECT_TRUE(calendar.Errors.contains("entry 11 (the 31st)")) << calendar.Errors.toStdString();
    EXPECT_TRUE(calendar.Days.contains({18, Day("2027-03-10")})) << "a one-off's stop day and count do not hide it";
    // One event per day for a text with $(COUNT), each with its own count, and warned ahead.
    EXPECT_TRUE(calendar.Text.contains(QRegularExpression("UID:0-20270412-.*\r\n(.*\r\n){1,3}SUMMARY:Anna turns 37\r")) &&
                calendar.Text.contains("TRIGGER;RELATED=START:-P3D")) << calendar.Text.left(600).toStdString();
}

// One year: one run of `next` covers it. 4,000 entries hold every shape the generator makes,
// and stay within the test's time on a busy machine under the sanitizers.
TEST(CalendarExportTest, TheSampleAndFourThousandGeneratedEntriesHaveTheDaysOfTheModel)
{
    ExpectSameDays(VEMORA_SOURCE_DIR "/examples/sample.vkd", "2026-01-01", "2027-12-31");
    TTemporaryHome home;
    TVemoraEntries generated;
    FillEntries(GenerateReminders(4'000, 1, Day("2026-06-15")), generated);
    generated.SaveToFile(home.FilePath(QStringLiteral("generated.vkd")));
    ExpectSameDays(home.FilePath(QStringLiteral("generated.vkd")), "2026-01-01", "2026-12-31");
}
