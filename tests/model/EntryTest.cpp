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

// Find gives the position of the day or of the next later one; a copy is never complete.
TEST(MatchlistTest, FindAndAssign)
{
    TMatchlist list;
    for (qint32 day : {10, 20, 30})
        list.Add(day);
    list.SetValid(true);
    list.SetComplete(true);
    const std::tuple<int, bool, int> finds[] = {{20, true, 1}, {25, false, 2}, {5, false, 0}, {31, false, 3}};
    for (const auto& [day, found, position] : finds) {
        int index = -1;
        EXPECT_EQ(list.Find(day, index), found) << day;
        EXPECT_EQ(index, position) << day;
    }
    EXPECT_EQ(list.Last(), 30);
    TMatchlist copy;
    copy.Assign(list);
    EXPECT_TRUE(copy.Valid());
    EXPECT_FALSE(copy.Complete());
    EXPECT_EQ(copy.Days(), list.Days());
    list.SetValid(false);
    EXPECT_EQ(list.Count(), 0) << "an invalid list holds nothing";
    EXPECT_EQ(list.Last(), 0);
}

// Mondays from 2026-03-02 to the stop day 2026-03-23; nullptr: none found.
TEST(FindOccurrenceTest, FindsTheOccurrenceAround)
{
    const std::tuple<const char*, int, const char*> cases[] = {
        {"2026-02-01", FindNext, "2026-03-02"},       {"2026-03-09", FindNext, "2026-03-16"},
        {"2026-03-11", FindNext, "2026-03-16"},       {"2026-03-23", FindNext, nullptr},
        {"2026-04-01", FindNext, nullptr},            {"2026-03-01", FindOnOrBefore, nullptr},
        {"2026-03-09", FindOnOrBefore, "2026-03-09"}, {"2026-03-12", FindOnOrBefore, "2026-03-09"},
        {"2027-01-01", FindOnOrBefore, "2026-03-23"},
    };
    for (const auto& [day, direction, expected] : cases) {
        SCOPED_TRACE(testing::Message() << day << " direction " << direction);
        auto entry = MondaysFrom("2026-03-02");
        entry->SetDateStop(Day("2026-03-23"));
        qint32 found = 0;
        ASSERT_EQ(entry->FindOccurrence(Day(day), found, direction), expected != nullptr);
        if (expected) {
            EXPECT_EQ(Iso(found), QString::fromLatin1(expected));
        }
    }
}

// Never on an occurrence day, even when the next one is near, and never without a period.
TEST(AdvanceWarningTest, CoversTheDaysBeforeEachOccurrence)
{
    auto entry = MondaysFrom("2026-03-02");
    entry->SetAdvanceWarn(3);
    QStringList warned;
    for (qint32 day = Day("2026-03-03"); day <= Day("2026-03-09"); ++day)
        if (entry->IsInAdvanceWarning(day))
            warned.append(Iso(day));
    EXPECT_EQ(warned, (QStringList{"2026-03-06", "2026-03-07", "2026-03-08"}));

    auto daily = MakeEntry<TVemoraEntryDaily>("2026-03-02");
    daily->SetDayKind(dkAnyDay);
    daily->SetAdvanceWarn(5);
    EXPECT_FALSE(daily->IsInAdvanceWarning(Day("2026-03-04")));
    EXPECT_FALSE(MondaysFrom("2026-03-02")->IsInAdvanceWarning(Day("2026-03-08")));
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

TEST(EntryTest, AssignCopiesTextsCacheAndPatternButNotTheDates)
{
    auto source = MondaysFrom("2026-03-02");
    source->SetDisplayText(QStringLiteral("Gym"));
    source->SetComment(QStringLiteral("bring shoes"));
    source->SetMediafile(QStringLiteral("/sounds/Bell.wav"));
    source->SetMediafile(QStringLiteral("/sounds/bell.wav")); // file names differ in letter case here
    source->SetAdvanceWarn(2);
    source->SetIcon(0x30);
    source->SetCategory(4);
    source->SetActive(false);
    source->SetWeekdays(WeekdayBits({2, 4}));
    source->EnsureMatches(Day("2026-04-01"));

    TVemoraEntryWeekly copy;
    copy.SetRepetition(7);
    copy.Assign(*source);
    EXPECT_EQ(QStringList({copy.DisplayText(), copy.Comment(), copy.Mediafile()}),
              QStringList({"Gym", "bring shoes", "/sounds/bell.wav"}));
    EXPECT_EQ(std::tuple(copy.AdvanceWarn(), copy.Icon(), copy.Active(), copy.Weekdays()),
              std::tuple(2, 0x30, false, WeekdayBits({2, 4})));
    EXPECT_EQ(copy.MatchList().Days(), source->MatchList().Days());
    EXPECT_EQ(std::tuple(copy.DateStart(), copy.Category(), copy.Repetition()), std::tuple(0, 0, 7));

    TVemoraEntryDaily other;
    other.Assign(*source);
    EXPECT_EQ(other.DayKind(), dkWorkingDay) << "a pattern of another kind is not taken";
}

TEST(CompareTest, FieldsDecideInTheirOrder)
{
    auto a = MondaysFrom("2026-03-02");
    auto b = MondaysFrom("2026-03-02");
    EXPECT_EQ(a->Compare(*b, 1), 0);
    EXPECT_NE(a->Compare(*b, 0), 0) << "mode 0 compares identities";
    EXPECT_EQ(a->Compare(*a, 0), 0);
    a->SetWeekdays(WeekdayBits({2}));
    b->SetWeekdays(WeekdayBits({1, 2}));
    EXPECT_EQ(a->Compare(*b, 1), 1) << "at Sunday only b has the weekday, so b sorts first";
    a->SetDateStop(Day("2026-12-31"));
    EXPECT_EQ(a->Compare(*b, 1), -1) << "a stop day sorts before none, and before the weekdays";
    a->SetMaxCount(5);
    b->SetMaxCount(3);
    EXPECT_EQ(a->Compare(*b, 1), 1);
    b->SetMaxCount(NoMaxCount);
    EXPECT_EQ(a->Compare(*b, 1), -1) << "a limit sorts before none";
    b->SetDateStart(Day("2026-03-09"));
    a->SetDisplayText(QStringLiteral("z"));
    EXPECT_EQ(a->Compare(*b, 1), -1) << "the start day comes before the text";

    auto c = MakeEntry<TVemoraEntryYearly>("2026-03-02");
    auto d = MakeEntry<TVemoraEntryYearly>("2026-03-02");
    d->SetMonth(2);
    EXPECT_EQ(c->Compare(*d, 1), -1);
    c->SetDay(2);
    EXPECT_EQ(c->Compare(*d, 1), 1) << "the day spec decides before the month";
}

TEST(CreateEntryTest, MakesEachKindCleared)
{
    for (int kind = ekOnce; kind <= ekYearly; ++kind) {
        auto entry = CreateEntry(kind);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(std::tuple(int(entry->Kind()), entry->Icon(), entry->Active(), entry->MaxCount()),
                  std::tuple(kind, IconInformation, true, 0));
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

// Inactive entries are not due, but still computed.
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

// Serial numbers keep counting across Clear.
TEST(EntriesTest, FindByTextIgnoresAsciiCaseAndTheExcludedEntryAndSerialsGoOn)
{
    TVemoraEntries list;
    for (const char* text : {"Dentist", "dentist", "Zahnärztin"})
        list.Items(list.AddEntry(CreateEntry(ekOnce)))->SetDisplayText(QString::fromUtf8(text));
    int index = -1;
    EXPECT_TRUE(list.FindByText(QStringLiteral("DENTIST"), index));
    EXPECT_EQ(index, 0);
    EXPECT_TRUE(list.FindByText(QStringLiteral("DENTIST"), index, list.Items(0)));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(list.FindByText(QStringLiteral("ZAHNÄRZTIN"), index)) << "only ASCII letters fold";
    EXPECT_TRUE(list.IsCategoryUsed(0));
    EXPECT_FALSE(list.IsCategoryUsed(1));
    EXPECT_EQ(list.Items(2)->Number(), 3);
    list.Clear();
    EXPECT_FALSE(list.GetFlag(flagModified));
    list.AddEntry(CreateEntry(ekOnce));
    EXPECT_EQ(list.Items(0)->Number(), 4);
}

} // namespace
