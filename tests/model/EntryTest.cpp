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

// Mondays from 2026-03-02 to the stop day 2026-03-23; nullptr: none found.
TEST(FindOccurrenceTest, FindsTheOccurrenceAround)
{
    const std::tuple<const char*, int, const char*> cases[] = {
        {"2026-02-01", FindNext, "2026-03-02"},       {"2026-03-09", FindNext, "2026-03-16"},
        {"2026-03-23", FindNext, nullptr},            {"2026-03-01", FindOnOrBefore, nullptr},
        {"2026-03-09", FindOnOrBefore, "2026-03-09"}, {"2026-03-12", FindOnOrBefore, "2026-03-09"},
        {"2027-01-01", FindOnOrBefore, "2026-03-23"},
    };
    for (const auto& [day, direction, expected] : cases) {
        SCOPED_TRACE(testing::Message() << day << " direction " << direction);
        auto entry = MondaysFrom("2026-03-02");
        entry->SetDateStop(Day("2026-03-23"));
        qint32 found = 0;
        ASSERT_EQ(entry->FindOccurrence(Day(day), found, direction), expected != nullptr);
        EXPECT_EQ(expected ? Iso(found) : QString(), QString::fromLatin1(expected));
    }
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

TEST(EntryTest, AssignCopiesTextsCacheAndPatternButNotTheDates)
{
    auto source = MondaysFrom("2026-03-02");
    source->SetDisplayText(QStringLiteral("Gym"));
    source->SetMediafile(QStringLiteral("/sounds/Bell.wav"));
    source->SetMediafile(QStringLiteral("/sounds/bell.wav")); // file names differ in letter case here
    source->SetIcon(0x30);
    source->SetCategory(4);
    source->SetWeekdays(WeekdayBits({2, 4}));
    source->EnsureMatches(Day("2026-04-01"));
    TVemoraEntryWeekly copy;
    copy.Assign(*source);
    EXPECT_EQ(std::tuple(copy.DisplayText(), copy.Mediafile(), copy.Icon(), copy.Weekdays(), copy.DateStart(),
                         copy.Category()),
              std::tuple(QStringLiteral("Gym"), QStringLiteral("/sounds/bell.wav"), 0x30, WeekdayBits({2, 4}), 0, 0));
    EXPECT_EQ(copy.MatchList().Days(), source->MatchList().Days());
    TVemoraEntryDaily other;
    other.Assign(*source);
    EXPECT_EQ(other.DayKind(), dkWorkingDay) << "a pattern of another kind is not taken";
}

// Mode 0 compares identities; mode 1 the fields, the kind's pattern last.
TEST(CompareTest, FieldsDecide)
{
    auto a = MondaysFrom("2026-03-02");
    auto b = MondaysFrom("2026-03-02");
    EXPECT_EQ(std::tuple(a->Compare(*b, 1), a->Compare(*a, 0), a->Compare(*b, 0) != 0), std::tuple(0, 0, true));
    b->SetWeekdays(WeekdayBits({1, 2}));
    EXPECT_EQ(a->Compare(*b, 1), 1) << "at Sunday only b has the weekday, so b sorts first";
    a->SetDateStop(Day("2026-12-31"));
    EXPECT_EQ(a->Compare(*b, 1), -1) << "a stop day sorts before none, and before the weekdays";
    auto c = MakeEntry<TVemoraEntryYearly>("2026-03-02");
    auto d = MakeEntry<TVemoraEntryYearly>("2026-03-02");
    d->SetMonth(2);
    c->SetDay(2);
    EXPECT_EQ(c->Compare(*d, 1), 1) << "the day spec decides before the month";
    auto e = MakeEntry<TVemoraEntryDaily>("2026-03-02");
    e->SetDayKind(dkWeekend);
    EXPECT_NE(e->Compare(*MakeEntry<TVemoraEntryDaily>("2026-03-02"), 1), 0);
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
