#include "ModelTestSupport.h"
#include "TestSupport.h"

#include "model/EntryFactory.h"
#include "model/ListRow.h"
#include "model/VemoraEntries.h"
#include "support/DateFormat.h"
#include "support/NLS.h"

#include <functional>

namespace {

std::unique_ptr<TVemoraEntryWeekly> MondaysFrom(const char* start)
{
    auto entry = MakeEntry<TVemoraEntryWeekly>(start);
    entry->SetWeekdays(WeekdayBits({2}));
    return entry;
}

// Never on an occurrence day, and never without a period.
TEST(AdvanceWarningTest, CoversTheDaysBeforeEachOccurrence)
{
    auto entry = MondaysFrom("2026-03-02");
    entry->SetAdvanceWarn(3);
    QStringList warned;
    for (qint32 day = Day("2026-03-03"); day <= Day("2026-03-09"); ++day)
        if (entry->IsInAdvanceWarning(day))
            warned.append(Iso(day));
    EXPECT_EQ(warned, (QStringList{"2026-03-06", "2026-03-07", "2026-03-08"}));
    EXPECT_FALSE(MondaysFrom("2026-03-02")->IsInAdvanceWarning(Day("2026-03-08")));
}

// A series turned into a one-off keeps its stop day and count in the record; they must not
// hide the one day from the warnings, the next date and the list.
TEST(OneOffTest, ItsStartIsItsOnlyDayWhateverLimitsItsRecordHolds)
{
    auto once = MakeEntry<TVemoraEntryOnce>("2027-03-10");
    once->SetDateStop(Day("2026-05-01"));
    once->SetMaxCount(0);
    once->SetAdvanceWarn(2);
    EXPECT_EQ(std::tuple(once->IsDue(Day("2027-03-07")), once->IsDue(Day("2027-03-08")), once->IsDue(Day("2027-03-10")),
                         once->ListColumnText(4), once->ListColumnText(10), once->ListColumnText(11)),
              std::tuple(false, true, true, DateToStr(Day("2027-03-10")), u'(' + LanguageText(0x3796806F) + u')',
                         u'(' + LanguageText(0x266BD381) + u')'));
}

TEST(EntryTest, ANewStartDayOrPatternDropsTheCache)
{
    auto monthly = MakeEntry<TVemoraEntryMonthly>("2026-01-01");
    const auto validAfter = [&monthly](const std::function<void()>& change) {
        monthly->EnsureMatches(Day("2026-06-01"));
        change();
        return monthly->MatchList().Valid();
    };
    EXPECT_TRUE(validAfter([&] { monthly->SetDay(1); })) << "an unchanged value keeps the cache";
    EXPECT_FALSE(validAfter([&] { monthly->SetDayCycle(dcLast); }));
    EXPECT_FALSE(validAfter([&] { monthly->SetDateStart(Day("2026-02-01")); }));
    EXPECT_TRUE(validAfter([&] { monthly->SetDateStop(Day("2026-03-01")); })) << "limits are the caller's to clear";
}

// Keeps what an entry fills into its row of the list.
class TRecordingRow final : public TListRow {
public:
    void SetEntry(TVemoraEntryBasic* entry) override { Entry = entry; }
    void SetChecked(bool checked) override { Checked = checked; }
    void SetImageIndex(int index) override { Image = index; }
    void SetOccurrences(std::optional<qint32> last, std::optional<qint32> next) override { Days = {last, next}; }

    TVemoraEntryBasic* Entry = nullptr;
    bool Checked = false;
    int Image = -2;
    std::pair<std::optional<qint32>, std::optional<qint32>> Days; // the last and the next
};

TEST(ListRowTest, AnEntryFillsItsRowAndColumns)
{
    LoadLanguage(QString(), QString());
    TVemoraEntries list;
    list.Categories().AddCategory(QStringLiteral("Family"), 3);
    auto daily = MakeEntry<TVemoraEntryDaily>("2020-01-01");
    daily->SetDayKind(dkAnyDay);
    daily->SetDisplayText(QStringLiteral("Water the plants"));
    daily->SetCategory(3);
    daily->SetAdvanceWarn(4);
    TVemoraEntryBasic* entry = daily.get();
    list.AddEntry(std::move(daily));

    TRecordingRow row;
    entry->FillListItem(row, Today());
    EXPECT_EQ(std::tuple(row.Entry, row.Checked, row.Image, row.Days.first, row.Days.second),
              std::tuple(entry, true, RowImageOccurrence, std::optional(Today()), std::optional(Today() + 1)));
    QStringList columns;
    for (int column = 0; column < EntryListColumnCount; ++column)
        columns.append(entry->ListColumnText(column));
    EXPECT_EQ(columns, (QStringList{QString(), DateToStr(Day("2020-01-01")), QStringLiteral("Water the plants"),
                                    DateToStr(Today()), DateToStr(Today() + 1), QStringLiteral("4"),
                                    QStringLiteral("Family"), QString(), KindName(ekDaily), QStringLiteral("1"),
                                    u'(' + LanguageText(0x3796806F) + u')', u'(' + LanguageText(0x266BD381) + u')'}));
    entry->SetCategory(9);
    EXPECT_EQ(entry->ListColumnText(6), QString()) << "an id without a category shows nothing";

    auto warned = MakeEntry<TVemoraEntryOnce>("2020-01-01");
    warned->SetDateStart(Today() + 2);
    warned->SetAdvanceWarn(3);
    warned->FillListItem(row, Today());
    EXPECT_EQ(std::tuple(row.Image, row.Days.first), std::tuple(RowImageAdvanceWarning, std::optional<qint32>()));
    auto ended = MakeEntry<TVemoraEntryOnce>("2020-01-01");
    ended->FillListItem(row, Today());
    EXPECT_EQ(std::tuple(row.Image, row.Days.second), std::tuple(RowImageNone, std::optional<qint32>()));
    EXPECT_EQ(ended->ListColumnText(4), u'(' + LanguageText(0x6B969439) + u')');
}

// Inactive entries are not due, but still computed. Adding an entry twice keeps one item.
TEST(EntriesTest, DueEntriesAreTheActiveOnesOccurringOrWarned)
{
    TVemoraEntries list;
    auto& mondays = *list.Items(list.AddEntry(MondaysFrom("2026-03-02")));
    auto& inactive = *list.Items(list.AddEntry(MondaysFrom("2026-03-02")));
    inactive.SetActive(false);
    TVemoraEntryBasic* warned = nullptr;
    for (const char* start : {"2026-03-12", "2026-03-11"}) {
        warned = list.Items(list.AddEntry(MakeEntry<TVemoraEntryOnce>(start)));
        warned->SetAdvanceWarn(2);
    }
    const qint32 monday = Day("2026-03-09");
    EXPECT_EQ(list.GetDueEntries(monday), (std::vector<TVemoraEntryBasic*>{&mondays, warned}));
    EXPECT_GE(inactive.MatchList().Last(), monday);
    EXPECT_EQ(std::tuple(list.AddEntry(warned), list.Count(), warned->IndexInOwner()), std::tuple(3, 4, 3));
}

// Serial numbers keep counting across Clear.
TEST(EntriesTest, FindByTextIgnoresAsciiCaseAndTheExcludedEntryAndSerialsGoOn)
{
    TVemoraEntries list;
    for (const char* text : {"Dentist", "dentist", "Zahnärztin"})
        list.Items(list.AddEntry(CreateEntry(ekOnce)))->SetDisplayText(QString::fromUtf8(text));
    int index = -1;
    EXPECT_TRUE(list.FindByText(QStringLiteral("DENTIST"), index, list.Items(0)));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(list.FindByText(QStringLiteral("ZAHNÄRZTIN"), index)) << "only ASCII letters fold";
    EXPECT_EQ(std::tuple(list.IsCategoryUsed(0), list.IsCategoryUsed(1)), std::tuple(true, false));
    list.Clear();
    EXPECT_FALSE(list.GetFlag(flagModified));
    list.AddEntry(CreateEntry(ekOnce));
    EXPECT_EQ(list.Items(0)->Number(), 4);
}

} // namespace
