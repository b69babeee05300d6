// The overview's marks against the logon check's own test, asked entry by entry and day by day.
#include "model/MonthMarks.h"

#include "ModelTestSupport.h"
#include "ReminderSet.h"
#include "TestSupport.h"
#include "model/VemoraEntries.h"
#include "support/NLS.h"

#include <gtest/gtest.h>

namespace {

// What the due command lists for the day, sorted into occurrences and warnings.
TDayMarks DueOn(TVemoraEntries& entries, qint32 day)
{
    TDayMarks marks;
    for (int i = 0; i < entries.Count(); ++i) {
        TVemoraEntryBasic& entry = *entries.Items(i);
        try {
            if (!entry.Active() || !entry.IsDue(day))
                continue;
            (entry.IsOccurrenceDay(day) ? marks.Occurrences : marks.Warnings).push_back(i);
        } catch (const std::runtime_error&) {
        }
    }
    return marks;
}

void ExpectMarksOfDue(TVemoraEntries& marked, TVemoraEntries& asked, qint32 first, qint32 last)
{
    const std::vector<TDayMarks> days = MarkDays(marked, first, last);
    ASSERT_EQ(days.size(), std::size_t(last - first + 1));
    for (qint32 day = first; day <= last; ++day) {
        const TDayMarks due = DueOn(asked, day);
        const TDayMarks& mark = days[std::size_t(day - first)];
        ASSERT_EQ(mark.Occurrences, due.Occurrences) << Iso(day).toStdString();
        ASSERT_EQ(mark.Warnings, due.Warnings) << Iso(day).toStdString();
    }
}

} // namespace

// Every shape the generator makes, month by month over four years: with the caches as a file
// stores them, and computed afresh, so that neither the stored runs nor the walk go unchecked.
TEST(MonthMarksTest, EachDayHoldsExactlyTheEntriesDueThatDay)
{
    const qint32 today = Day("2026-06-15");
    const std::vector<TReminder> reminders = GenerateReminders(1'200, 3, today);
    TTemporaryHome home;
    TVemoraEntries original, loaded, fresh, asked;
    FillEntries(reminders, original);
    for (int i = 0; i < original.Count(); ++i)
        original.Items(i)->EnsureMatches(today);
    original.SaveToFile(home.FilePath(QStringLiteral("dates.vkd")));
    ASSERT_TRUE(loaded.LoadFromFile(home.FilePath(QStringLiteral("dates.vkd"))));
    FillEntries(reminders, fresh);
    FillEntries(reminders, asked);
    for (int month = 0; month < 48; ++month) {
        const qint32 first = DayFromCivil(2025 + month / 12, unsigned(month % 12 + 1), 1);
        const TCivilDate date = CivilFromDay(first);
        const qint32 last = first + qint32(DaysInMonth(date.Year, date.Month)) - 1;
        ExpectMarksOfDue(month % 2 ? loaded : fresh, asked, first, last);
    }
}

// An entry whose next days lie past the year 9999 keeps its marks before them and is reported once.
TEST(MonthMarksTest, DaysPastTheCalendarEndTheMarksOfThatEntryOnly)
{
    TVemoraEntries entries;
    auto leapDay = MakeEntry<TVemoraEntryYearly>("9997-03-01"); // the next 29 February is in 10000
    leapDay->SetMonth(2);
    leapDay->SetDay(29);
    entries.AddEntry(std::move(leapDay));
    auto daily = MakeEntry<TVemoraEntryDaily>("9999-12-20");
    daily->SetDayKind(dkAnyDay);
    daily->SetAdvanceWarn(5);
    entries.AddEntry(std::move(daily));
    std::vector<int> reported;
    const std::vector<TDayMarks> days =
        MarkDays(entries, Day("9999-12-01"), Day("9999-12-31"), [&](int index, const std::exception&) { reported.push_back(index); });
    EXPECT_EQ(reported, std::vector<int>{0});
    EXPECT_EQ(days[14].Warnings, std::vector<int>{1});
    EXPECT_EQ(days[30].Occurrences, std::vector<int>{1});
    ASSERT_NO_THROW(ExpectMarksOfDue(entries, entries, Day("9999-11-01"), Day("9999-12-31")));
}

// Occurrences first, then the warnings with their prefix; ten lines at most, then how many more.
TEST(MonthMarksTest, TheLinesOfADayAreThoseOfItsAlerts)
{
    LoadLanguage(QString(), QStringLiteral(VEMORA_SOURCE_DIR "/lang/Vemora_EN.nls"));
    TVemoraEntries entries;
    auto anna = MakeEntry<TVemoraEntryYearly>("1990-04-12");
    anna->SetMonth(4);
    anna->SetDay(12);
    anna->SetAdvanceWarn(3);
    anna->SetDisplayText(QStringLiteral("Anna turns $(COUNT)"));
    entries.AddEntry(std::move(anna));
    for (int i = 1; i <= 12; ++i) {
        auto once = MakeEntry<TVemoraEntryOnce>("2027-04-10");
        once->SetDisplayText(QStringLiteral("Errand\n%1").arg(i));
        entries.AddEntry(std::move(once));
    }
    const qint32 day = Day("2027-04-10");
    const TDayMarks marks = MarkDays(entries, day, day).front();
    const QStringList lines = DayAlertLines(entries, marks, day, 10);
    ASSERT_EQ(lines.size(), 11);
    EXPECT_EQ(lines.front(), QStringLiteral("Errand 1"));
    EXPECT_EQ(lines[9], QStringLiteral("Errand 10"));
    EXPECT_EQ(lines.back(), QStringLiteral("… and 3 more"));
    EXPECT_EQ(DayAlertLines(entries, marks, day, 13).back(), QStringLiteral("In 2 days: Anna turns 37"));
    EXPECT_EQ(DayAlertLines(entries, marks, day, 13).size(), 13);
}
