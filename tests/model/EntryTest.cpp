#include "ModelTestSupport.h"
#include "TestSupport.h"

#include "model/EntryFactory.h"
#include "model/ListRow.h"
#include "model/VemoraEntries.h"
#include "support/DateFormat.h"
#include "support/NLS.h"

namespace {

std::unique_ptr<TVemoraEntryWeekly> MondaysFrom(const char* start)
{
    auto entry = MakeEntry<TVemoraEntryWeekly>(start);
    entry->SetWeekdays(WeekdayBits({2}));
    return entry;
}

TEST(MatchlistTest, FindGivesThePositionOfTheDayOrTheNextLaterOne)
{
    TMatchlist list;
    for (qint32 day : {10, 20, 30})
        list.Add(day);
    list.SetValid(true);
    int index = -1;
    EXPECT_TRUE(list.Find(20, index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(list.Find(25, index));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(list.Find(5, index));
    EXPECT_EQ(index, 0);
    EXPECT_FALSE(list.Find(31, index));
    EXPECT_EQ(index, 3);
    EXPECT_EQ(list.Last(), 30);
    list.SetValid(false);
    EXPECT_EQ(list.Count(), 0) << "an invalid list holds nothing";
    EXPECT_EQ(list.Last(), 0);
}

TEST(MatchlistTest, ACopyIsNeverComplete)
{
    TMatchlist source;
    source.Add(1);
    source.SetValid(true);
    source.SetComplete(true);
    TMatchlist copy;
    copy.Assign(source);
    EXPECT_TRUE(copy.Valid());
    EXPECT_FALSE(copy.Complete());
    EXPECT_EQ(copy.Days(), source.Days());
}

struct TFindCase {
    const char* Name;
    const char* Day;
    int Direction;
    const char* Found; // nullptr: none
};

class FindOccurrenceTest : public testing::TestWithParam<TFindCase> {};

// Mondays from 2026-03-02 to the stop day 2026-03-23.
TEST_P(FindOccurrenceTest, FindsTheOccurrenceAround)
{
    auto entry = MondaysFrom("2026-03-02");
    entry->SetDateStop(Day("2026-03-23"));
    qint32 found = 0;
    const bool result = entry->FindOccurrence(Day(GetParam().Day), found, GetParam().Direction);
    ASSERT_EQ(result, GetParam().Found != nullptr);
    if (result) {
        EXPECT_EQ(Iso(found), QString::fromLatin1(GetParam().Found));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindOccurrenceTest,
    testing::Values(TFindCase{"next_before_the_start_is_the_first", "2026-02-01", FindNext, "2026-03-02"},
                    TFindCase{"next_from_an_occurrence_is_the_one_after", "2026-03-09", FindNext, "2026-03-16"},
                    TFindCase{"next_between_two", "2026-03-11", FindNext, "2026-03-16"},
                    TFindCase{"next_after_the_last", "2026-03-23", FindNext, nullptr},
                    TFindCase{"next_after_the_stop_day", "2026-04-01", FindNext, nullptr},
                    TFindCase{"previous_before_the_start", "2026-03-01", FindOnOrBefore, nullptr},
                    TFindCase{"previous_on_an_occurrence", "2026-03-09", FindOnOrBefore, "2026-03-09"},
                    TFindCase{"previous_between_two", "2026-03-12", FindOnOrBefore, "2026-03-09"},
                    TFindCase{"previous_long_after_the_end", "2027-01-01", FindOnOrBefore, "2026-03-23"}),
    [](const testing::TestParamInfo<TFindCase>& info) { return std::string(info.param.Name); });

TEST(AdvanceWarningTest, CoversTheDaysBeforeEachOccurrence)
{
    auto entry = MondaysFrom("2026-03-02");
    entry->SetAdvanceWarn(3);
    const QStringList expected{"2026-03-06", "2026-03-07", "2026-03-08"};
    QStringList warned;
    for (qint32 day = Day("2026-03-03"); day <= Day("2026-03-09"); ++day)
        if (entry->IsInAdvanceWarning(day))
            warned.append(Iso(day));
    EXPECT_EQ(warned, expected);
    EXPECT_TRUE(entry->IsOccurrenceDay(Day("2026-03-09")));
}

TEST(AdvanceWarningTest, NeverOnAnOccurrenceDayOrWithoutAPeriod)
{
    auto daily = MakeEntry<TVemoraEntryDaily>("2026-03-02");
    daily->SetDayKind(dkAnyDay);
    daily->SetAdvanceWarn(5);
    EXPECT_FALSE(daily->IsInAdvanceWarning(Day("2026-03-04"))) << "the next one is near, but today is one";
    auto mondays = MondaysFrom("2026-03-02");
    EXPECT_FALSE(mondays->IsInAdvanceWarning(Day("2026-03-08")));
}

TEST(AlertTextTest, CountsTheOccurrencesBefore)
{
    auto birthday = MakeEntry<TVemoraEntryYearly>("2000-03-14");
    birthday->SetMonth(3);
    birthday->SetDay(14);
    birthday->SetAdvanceWarn(2);
    birthday->SetDisplayText(QStringLiteral("Anna turns $(COUNT), $(COUNT)"));
    std::optional<quint32> count;
    ASSERT_TRUE(birthday->IsOccurrenceDay(Day("2026-03-14")));
    EXPECT_EQ(birthday->AlertText(Day("2026-03-14"), &count), QStringLiteral("Anna turns 26, $(COUNT)"));
    EXPECT_EQ(count, 26u);
    EXPECT_EQ(birthday->DaysAhead(Day("2026-03-14")), 0);

    ASSERT_TRUE(birthday->IsInAdvanceWarning(Day("2026-03-12")));
    EXPECT_EQ(birthday->AlertText(Day("2026-03-12")), QStringLiteral("Anna turns 26, $(COUNT)"));
    EXPECT_EQ(birthday->DaysAhead(Day("2026-03-12")), 2);
    EXPECT_EQ(birthday->AlertText(Day("2000-03-14")), QStringLiteral("Anna turns 0, $(COUNT)"));
}

TEST(AlertTextTest, ATextWithoutPlaceholderHasNoCount)
{
    auto entry = MondaysFrom("2026-03-02");
    entry->SetDisplayText(QStringLiteral("Team meeting"));
    std::optional<quint32> count = 5u;
    EXPECT_EQ(entry->AlertText(Day("2026-03-02"), &count), QStringLiteral("Team meeting"));
    EXPECT_FALSE(count.has_value());
}

TEST(EntryTest, ANewStartDayOrPatternDropsTheCache)
{
    auto monthly = MakeEntry<TVemoraEntryMonthly>("2026-01-01");
    monthly->EnsureMatches(Day("2026-06-01"));
    ASSERT_TRUE(monthly->MatchList().Valid());
    monthly->SetDay(1);
    EXPECT_TRUE(monthly->MatchList().Valid()) << "an unchanged value keeps the cache";
    monthly->SetDayCycle(dcLast);
    EXPECT_FALSE(monthly->MatchList().Valid());
    monthly->EnsureMatches(Day("2026-06-01"));
    monthly->SetDateStart(Day("2026-02-01"));
    EXPECT_FALSE(monthly->MatchList().Valid());
    monthly->EnsureMatches(Day("2026-06-01"));
    monthly->SetDateStop(Day("2026-03-01"));
    EXPECT_TRUE(monthly->MatchList().Valid()) << "limits are the caller's to clear";
}

TEST(EntryTest, MediaFileNamesKeepTheirLetterCase)
{
    auto entry = MondaysFrom("2026-03-02");
    entry->SetMediafile(QStringLiteral("/sounds/Bell.wav"));
    entry->SetMediafile(QStringLiteral("/sounds/bell.wav"));
    EXPECT_EQ(entry->Mediafile(), QStringLiteral("/sounds/bell.wav")) << "file names differ in letter case here";
}

TEST(EntryTest, AssignCopiesTextsCacheAndPatternButNotTheDates)
{
    auto source = MondaysFrom("2026-03-02");
    source->SetDisplayText(QStringLiteral("Gym"));
    source->SetComment(QStringLiteral("bring shoes"));
    source->SetMediafile(QStringLiteral("/s.wav"));
    source->SetAdvanceWarn(2);
    source->SetIcon(0x30);
    source->SetCategory(4);
    source->SetActive(false);
    source->SetWeekdays(WeekdayBits({2, 4}));
    source->EnsureMatches(Day("2026-04-01"));

    TVemoraEntryWeekly copy;
    copy.SetRepetition(7);
    copy.Assign(*source);
    EXPECT_EQ(copy.DisplayText(), QStringLiteral("Gym"));
    EXPECT_EQ(copy.Comment(), QStringLiteral("bring shoes"));
    EXPECT_EQ(copy.Mediafile(), QStringLiteral("/s.wav"));
    EXPECT_EQ(copy.AdvanceWarn(), 2);
    EXPECT_EQ(copy.Icon(), 0x30);
    EXPECT_FALSE(copy.Active());
    EXPECT_EQ(copy.Weekdays(), WeekdayBits({2, 4}));
    EXPECT_EQ(copy.MatchList().Days(), source->MatchList().Days());
    EXPECT_EQ(copy.DateStart(), 0);
    EXPECT_EQ(copy.Category(), 0);
    EXPECT_EQ(copy.Repetition(), 7);

    TVemoraEntryDaily other;
    other.Assign(*source);
    EXPECT_EQ(other.DayKind(), dkWorkingDay) << "a pattern of another kind is not taken";
}

TEST(CompareTest, FieldsDecideInTheirOrder)
{
    const auto pair = [] { return std::pair{MondaysFrom("2026-03-02"), MondaysFrom("2026-03-02")}; };
    {
        auto [a, b] = pair();
        EXPECT_EQ(a->Compare(*b, 1), 0);
        EXPECT_NE(a->Compare(*b, 0), 0) << "mode 0 compares identities";
        EXPECT_EQ(a->Compare(*a, 0), 0);
    }
    {
        auto [a, b] = pair();
        b->SetDateStart(Day("2026-03-09"));
        a->SetDisplayText(QStringLiteral("z"));
        EXPECT_EQ(a->Compare(*b, 1), -1) << "the start day comes before the text";
    }
    {
        auto [a, b] = pair();
        a->SetMaxCount(5);
        EXPECT_EQ(a->Compare(*b, 1), -1) << "a limit sorts before none";
        b->SetMaxCount(3);
        EXPECT_EQ(a->Compare(*b, 1), 1);
    }
    {
        auto [a, b] = pair();
        a->SetDateStop(Day("2026-12-31"));
        EXPECT_EQ(a->Compare(*b, 1), -1) << "a stop day sorts before none";
    }
    {
        auto [a, b] = pair();
        a->SetWeekdays(WeekdayBits({2}));
        b->SetWeekdays(WeekdayBits({1, 2}));
        EXPECT_EQ(a->Compare(*b, 1), 1) << "at Sunday only b has the weekday, so b sorts first";
    }
    {
        auto a = MakeEntry<TVemoraEntryYearly>("2026-03-02");
        auto b = MakeEntry<TVemoraEntryYearly>("2026-03-02");
        b->SetMonth(2);
        EXPECT_EQ(a->Compare(*b, 1), -1);
        a->SetDay(2);
        EXPECT_EQ(a->Compare(*b, 1), 1) << "the day spec decides before the month";
    }
}

TEST(CreateEntryTest, MakesEachKindCleared)
{
    for (int kind = ekOnce; kind <= ekYearly; ++kind) {
        auto entry = CreateEntry(kind);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->Kind(), kind);
        EXPECT_EQ(entry->Icon(), IconInformation);
        EXPECT_TRUE(entry->Active());
        EXPECT_EQ(entry->MaxCount(), 0);
        EXPECT_FALSE(entry->MatchList().Valid());
    }
    EXPECT_EQ(CreateEntry(5), nullptr);
    EXPECT_EQ(CreateEntry(-1), nullptr);
    EXPECT_EQ(CreateEntry(ekMonthly)->ProbeStep(), 28);
    EXPECT_EQ(CreateEntry(ekYearly)->ProbeStep(), 365);
}

class TRecordingRow final : public TListRow {
public:
    void SetEntry(TVemoraEntryBasic* entry) override { Entry = entry; }
    void SetChecked(bool checked) override { Checked = checked; }
    void SetImageIndex(int index) override { Image = index; }
    void SetOccurrences(std::optional<qint32> last, std::optional<qint32> next) override
    {
        Last = last;
        Next = next;
    }

    TVemoraEntryBasic* Entry = nullptr;
    bool Checked = false;
    int Image = -2;
    std::optional<qint32> Last;
    std::optional<qint32> Next;
};

TEST(ListRowTest, AnEntryFillsItsRowAndTwelveColumns)
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
    EXPECT_EQ(row.Entry, entry);
    EXPECT_TRUE(row.Checked);
    EXPECT_EQ(row.Image, RowImageOccurrence);
    EXPECT_EQ(row.Last, Today());
    EXPECT_EQ(row.Next, Today() + 1);
    const QStringList expected = {QString(), DateToStr(Day("2020-01-01")), QStringLiteral("Water the plants"),
                                  DateToStr(Today()), DateToStr(Today() + 1), QStringLiteral("4"),
                                  QStringLiteral("Family"), QString(), KindName(ekDaily), QStringLiteral("1"),
                                  u'(' + LanguageText(0x3796806F) + u')', u'(' + LanguageText(0x266BD381) + u')'};
    for (int column = 0; column < EntryListColumnCount; ++column)
        EXPECT_EQ(entry->ListColumnText(column), expected[column]) << "column " << column;

    entry->SetCategory(9);
    EXPECT_EQ(entry->ListColumnText(6), QString()) << "an id without a category shows nothing";
}

TEST(ListRowTest, AnEntryWarnedOfOrWithoutDatesIsMarkedSo)
{
    auto warned = MakeEntry<TVemoraEntryOnce>("2020-01-01");
    warned->SetDateStart(Today() + 2);
    warned->SetAdvanceWarn(3);
    auto ended = MakeEntry<TVemoraEntryOnce>("2020-01-01");
    TRecordingRow row;
    warned->FillListItem(row, Today());
    EXPECT_EQ(row.Image, RowImageAdvanceWarning);
    EXPECT_EQ(row.Last, std::nullopt);
    ended->FillListItem(row, Today());
    EXPECT_EQ(row.Image, RowImageNone);
    EXPECT_EQ(row.Next, std::nullopt);
    EXPECT_EQ(ended->ListColumnText(4), u'(' + LanguageText(0x6B969439) + u')');
}

TEST(EntriesTest, DueEntriesAreTheActiveOnesOccurringOrWarned)
{
    TVemoraEntries list;
    const qint32 day = Day("2026-03-09"); // a Monday
    auto mondays = MondaysFrom("2026-03-02");
    auto inactive = MondaysFrom("2026-03-02");
    inactive->SetActive(false);
    auto warned = MakeEntry<TVemoraEntryOnce>("2026-03-11");
    warned->SetAdvanceWarn(2);
    auto later = MakeEntry<TVemoraEntryOnce>("2026-03-12");
    later->SetAdvanceWarn(2);
    TVemoraEntryBasic* expectedFirst = mondays.get();
    TVemoraEntryBasic* expectedSecond = warned.get();
    TVemoraEntryBasic* inactiveEntry = inactive.get();
    list.AddEntry(std::move(mondays));
    list.AddEntry(std::move(inactive));
    list.AddEntry(std::move(later));
    list.AddEntry(std::move(warned));

    EXPECT_EQ(list.GetDueEntries(day), (std::vector<TVemoraEntryBasic*>{expectedFirst, expectedSecond}));
    EXPECT_GE(inactiveEntry->MatchList().Last(), day) << "inactive entries are still computed";
}

TEST(EntriesTest, AddingTheSameEntryTwiceKeepsOneItem)
{
    TVemoraEntries list;
    auto* entry = CreateEntry(ekOnce).release();
    EXPECT_EQ(list.AddEntry(entry), 0);
    EXPECT_EQ(list.AddEntry(entry), 0);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(entry->Owner(), &list);
    EXPECT_EQ(entry->IndexInOwner(), 0);
    EXPECT_TRUE(list.GetFlag(flagModified));
}

TEST(EntriesTest, FindByTextIgnoresAsciiCaseAndTheExcludedEntry)
{
    TVemoraEntries list;
    for (const char* text : {"Dentist", "dentist", "Zahnärztin"}) {
        auto entry = CreateEntry(ekOnce);
        entry->SetDisplayText(QString::fromUtf8(text));
        list.AddEntry(std::move(entry));
    }
    int index = -1;
    EXPECT_TRUE(list.FindByText(QStringLiteral("DENTIST"), index));
    EXPECT_EQ(index, 0);
    EXPECT_TRUE(list.FindByText(QStringLiteral("DENTIST"), index, list.Items(0)));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(list.FindByText(QStringLiteral("ZAHNÄRZTIN"), index)) << "only ASCII letters fold";
    EXPECT_TRUE(list.IsCategoryUsed(0));
    EXPECT_FALSE(list.IsCategoryUsed(1));
}

TEST(EntriesTest, SerialsKeepCountingAcrossClear)
{
    TVemoraEntries list;
    list.AddEntry(CreateEntry(ekOnce));
    list.AddEntry(CreateEntry(ekOnce));
    EXPECT_EQ(list.Items(1)->Number(), 2);
    list.Clear();
    EXPECT_FALSE(list.GetFlag(flagModified));
    list.AddEntry(CreateEntry(ekOnce));
    EXPECT_EQ(list.Items(0)->Number(), 3);
}

} // namespace
