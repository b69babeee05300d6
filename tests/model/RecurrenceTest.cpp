// The day-by-day walk of FillMatches is the reference for each kind's date rules; the arithmetic
// fill of EnsureMatches must agree with it day for day, in completeness and in the errors raised.
#include "ModelTestSupport.h"
#include "TestSupport.h"

#include "model/EntryFactory.h"
#include "model/ModelErrors.h"

#include <array>
#include <functional>
#include <random>
#include <tuple>

namespace {

struct TEntryParameters {
    int Kind;
    qint32 Start;
    qint32 Repetition;
    qint32 DateStop;
    qint32 MaxCount;
    quint8 Pattern; // daily day kind, weekday bits or DaySpec
    quint8 Month;
};

std::unique_ptr<TVemoraEntryBasic> Make(const TEntryParameters& p)
{
    std::unique_ptr<TVemoraEntryBasic> entry = CreateEntry(p.Kind);
    if (auto* daily = dynamic_cast<TVemoraEntryDaily*>(entry.get()))
        daily->SetDayKind(p.Pattern);
    if (auto* weekly = dynamic_cast<TVemoraEntryWeekly*>(entry.get()))
        weekly->SetWeekdays(p.Pattern);
    if (auto* yearly = dynamic_cast<TVemoraEntryYearly*>(entry.get()))
        yearly->SetMonth(p.Month);
    if (auto* monthRelated = dynamic_cast<TVemoraEntryMonthRelated*>(entry.get()))
        monthRelated->SetDaySpec(p.Pattern);
    entry->SetDateStart(p.Start);
    entry->SetDateStop(p.DateStop);
    entry->SetMaxCount(p.MaxCount);
    entry->SetRepetition(p.Repetition);
    return entry;
}

TEntryParameters Once(const char* start) { return {ekOnce, Day(start), 1, NoDateStop, NoMaxCount, 0, 0}; }

TEntryParameters Daily(const char* start, int kind, int repetition = 1)
{
    return {ekDaily, Day(start), repetition, NoDateStop, NoMaxCount, static_cast<quint8>(kind), 0};
}

TEntryParameters Weekly(const char* start, std::initializer_list<int> weekdays, int repetition = 1)
{
    return {ekWeekly, Day(start), repetition, NoDateStop, NoMaxCount, WeekdayBits(weekdays), 0};
}

TEntryParameters Monthly(const char* start, int cycle, int dayOrKind, int repetition = 1)
{
    return {ekMonthly, Day(start), repetition, NoDateStop, NoMaxCount, DaySpecOf(cycle, dayOrKind), 0};
}

TEntryParameters Yearly(const char* start, int month, int cycle, int dayOrKind, int repetition = 1)
{
    return {ekYearly, Day(start), repetition, NoDateStop, NoMaxCount, DaySpecOf(cycle, dayOrKind),
            static_cast<quint8>(month)};
}

TEntryParameters Limited(TEntryParameters p, qint32 dateStop, qint32 maxCount = NoMaxCount)
{
    p.DateStop = dateStop;
    p.MaxCount = maxCount;
    return p;
}

struct TRecurrenceCase {
    const char* Name;
    TEntryParameters Entry;
    const char* Expected; // the first occurrences; fewer than asked for means the series ends
    bool Complete;
};

void PrintTo(const TRecurrenceCase& row, std::ostream* out) { *out << row.Name; }

class RecurrenceTest : public testing::TestWithParam<TRecurrenceCase> {};

TEST_P(RecurrenceTest, WalksTheSeries)
{
    auto entry = Make(GetParam().Entry);
    const QStringList expected = QString::fromLatin1(GetParam().Expected).split(u' ', Qt::SkipEmptyParts);
    EXPECT_EQ(Occurrences(*entry, static_cast<int>(expected.size()) + (GetParam().Complete ? 1 : 0)), expected);
    EXPECT_EQ(entry->MatchList().IsComplete(), GetParam().Complete);
}

const TRecurrenceCase RecurrenceCases[] = {
    {"once_ignores_its_limits", Limited(Once("2026-03-14"), Day("2020-01-01"), 0), "2026-03-14", true},
    {"working_days_from_a_saturday_start_monday", Daily("2026-03-14", dkWorkingDay), "2026-03-16 2026-03-17", false},
    {"every_second_working_day_from_a_monday", Daily("2026-03-16", dkWorkingDay, 2),
     "2026-03-16 2026-03-18 2026-03-20 2026-03-24 2026-03-26", false},
    {"weekend_days", Daily("2026-03-12", dkWeekend), "2026-03-14 2026-03-15 2026-03-21", false},
    {"every_fourteenth_day", Daily("2025-12-25", dkAnyDay, 14), "2025-12-25 2026-01-08 2026-01-22", false},
    {"repetition_zero_takes_every_day", Daily("2026-02-27", dkAnyDay, 0), "2026-02-27 2026-02-28 2026-03-01", false},
    {"daily_walk_ends_at_the_last_day_of_the_calendar", Daily("9999-12-29", dkAnyDay),
     "9999-12-29 9999-12-30 9999-12-31", true},
    {"monday_and_thursday_from_a_wednesday", Weekly("2026-03-18", {2, 5}), "2026-03-19 2026-03-23 2026-03-26", false},
    {"every_fifth_of_three_weekdays", Weekly("2001-01-01", {2, 4, 6}, 5),
     "2001-01-01 2001-01-12 2001-01-24 2001-02-05 2001-02-16", false},
    {"monthly_15th_from_the_20th", Monthly("2026-01-20", dcNone, 15), "2026-02-15 2026-03-15", false},
    {"monthly_20th_from_the_20th", Monthly("2026-01-20", dcNone, 20), "2026-01-20 2026-02-20", false},
    {"every_third_month_from_january", Monthly("2026-01-01", dcNone, 10, 3),
     "2026-01-10 2026-04-10 2026-07-10 2026-10-10 2027-01-10", false},
    {"last_working_day_when_the_month_ends_on_saturday", Monthly("2025-05-01", dcLast, dkWorkingDay),
     "2025-05-30 2025-06-30 2025-07-31 2025-08-29", false},
    {"first_monday_of_a_month_that_begins_on_monday", Monthly("2025-09-01", dcFirst, dkMonday),
     "2025-09-01 2025-10-06 2025-11-03 2025-12-01", false},
    {"fourth_day_of_any_kind", Monthly("2026-01-05", dcFourth, dkAnyDay), "2026-02-04 2026-03-04", false},
    {"second_weekend_day", Monthly("2026-03-01", dcSecond, dkWeekend), "2026-03-07 2026-04-05 2026-05-03", false},
    {"third_working_day", Monthly("2026-02-01", dcThird, dkWorkingDay), "2026-02-04 2026-03-04 2026-04-03", false},
    {"leap_day_from_a_common_year", Yearly("2025-01-01", 2, dcNone, 29), "2028-02-29 2032-02-29", false},
    {"last_sunday_of_january", Yearly("2026-01-01", 1, dcLast, dkSunday), "2026-01-25 2027-01-31 2028-01-30", false},
    {"fourth_thursday_of_november", Yearly("2026-01-01", 11, dcFourth, dkThursday),
     "2026-11-26 2027-11-25 2028-11-23", false},
    {"birthday_every_second_year", Yearly("2000-03-14", 3, dcNone, 14, 2), "2000-03-14 2002-03-14", false},
    {"stop_day_ends_the_series", Limited(Daily("2026-03-01", dkAnyDay), Day("2026-03-03")),
     "2026-03-01 2026-03-02 2026-03-03", true},
    {"maximum_count_ends_the_series", Limited(Weekly("2026-03-01", {2}), NoDateStop, 2), "2026-03-02 2026-03-09", true},
    {"maximum_count_zero_never_occurs", Limited(Monthly("2026-03-01", dcNone, 1), NoDateStop, 0), "", true},
    {"stop_day_before_the_start_never_occurs", Limited(Yearly("2026-03-01", 3, dcNone, 1), Day("2026-02-01")), "",
     true},
    {"damaged_daily_weekday_kind_never_occurs", Daily("2026-03-01", dkTuesday), "", true},
    {"damaged_weekly_without_weekdays_never_occurs", Weekly("2026-03-01", {}), "", true},
    {"damaged_cycle_six_never_occurs", Monthly("2026-03-01", 6, dkMonday), "", true},
    {"damaged_day_kind_twelve_never_occurs", Monthly("2026-03-01", dcFirst, 12), "", true},
    {"damaged_month_zero_never_occurs", Yearly("2026-03-01", 0, dcNone, 1), "", true},
};

INSTANTIATE_TEST_SUITE_P(Kinds, RecurrenceTest, testing::ValuesIn(RecurrenceCases),
                         [](const auto& info) { return std::string(info.param.Name); });

// Beyond the year 9999 or before the year 1 a walk fails instead of wrapping; the days found
// before stay. A start far before the year 1 must not walk billions of steps up to today.
TEST(DateOverflowTest, WalksOutOfTheCalendarFail)
{
    const std::tuple<const char*, TEntryParameters, int> cases[] = {
        {"yearly_past_the_year_9999", Yearly("9997-06-01", 6, dcNone, 1), 3},
        {"leap_day_moved_beyond_the_year_9999", Yearly("9997-01-01", 2, dcNone, 29), 0},
        {"monthly_start_before_the_year_1", {ekMonthly, MinDayNumber - 400, 1, NoDateStop, NoMaxCount, 1, 0}, 0},
        {"daily_start_far_before_the_year_1", {ekDaily, -2000000000, 1, NoDateStop, NoMaxCount, dkAnyDay, 0}, 0},
    };
    for (const auto& [name, parameters, kept] : cases) {
        SCOPED_TRACE(name);
        auto walked = Make(parameters);
        EXPECT_THROW(Occurrences(*walked, 5), EDateOverflow);
        EXPECT_EQ(walked->MatchList().Count(), kept);
        EXPECT_FALSE(walked->MatchList().IsComplete());
        EXPECT_THROW(Make(parameters)->IsOccurrenceDay(Day("9999-12-31")), EDateOverflow);
    }
}

// Random entries and limits, also damaged ones, mostly from the last decades and some near the
// end of the calendar.
TEntryParameters RandomParameters(const std::function<int(int, int)>& pick)
{
    TEntryParameters p{};
    p.Kind = pick(ekDaily, ekYearly);
    p.Start = pick(0, 9) == 0 ? Day("9990-01-01") + pick(0, 3600) : Day("1990-01-01") + pick(0, 15000);
    p.Repetition = pick(0, 3) == 0 ? pick(-1, 12) : 1;
    p.DateStop = pick(0, 2) == 0 ? p.Start + pick(-10, 5000) : NoDateStop;
    p.MaxCount = pick(0, 3) == 0 ? pick(-2, 60) : NoMaxCount;
    if (p.Kind == ekDaily)
        p.Pattern = static_cast<quint8>(pick(0, 4) == 0 ? pick(0, 12) : std::array{0, 8, 9}[pick(0, 2)]);
    else if (p.Kind == ekWeekly)
        p.Pattern = static_cast<quint8>(pick(0, 255));
    else {
        p.Month = static_cast<quint8>(pick(0, 9) == 0 ? pick(0, 13) : pick(1, 12));
        p.Pattern = static_cast<quint8>(pick(0, 1) == 0 ? pick(1, p.Kind == ekMonthly ? 28 : 31)
                                                        : (pick(1, 5) << 5) | pick(0, 9));
        if (pick(0, 19) == 0)
            p.Pattern = static_cast<quint8>(pick(0, 255));
    }
    return p;
}

// The outcome of one request: the days, and which date error was raised.
std::pair<std::vector<qint32>, std::string> Request(TVemoraEntryBasic& entry, const std::function<void()>& fill)
{
    std::string state;
    try {
        fill();
    } catch (const EDateOverflow&) {
        state = "date overflow, ";
    } catch (const EInvalidDate&) {
        state = "invalid date, ";
    }
    const TMatchlist& matches = entry.MatchList();
    return {matches.Days(), state + (matches.Valid() ? "valid, " : "") + (matches.IsComplete() ? "complete" : "")};
}

// The entries of the table above first, then random ones; each filled in three steps.
TEST(DirectFillTest, AgreesWithTheWalkForTheTableAndRandomEntriesAndLimits)
{
    std::mt19937 random(20261206);
    const auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const int tableRows = static_cast<int>(std::size(RecurrenceCases));
    for (int round = 0; round < tableRows + 2000; ++round) {
        const TEntryParameters p = round < tableRows ? RecurrenceCases[round].Entry : RandomParameters(pick);
        auto computed = Make(p);
        auto walked = Make(p);
        qint32 limit = p.Start + pick(-30, 400);
        for (int request = 0; request < 3; ++request) {
            SCOPED_TRACE(testing::Message() << "round " << round << ", limit " << limit);
            const auto expected = Request(*walked, [&] {
                walked->FillMatches(limit, [](const TMatchlist& days, qint32 wanted) { return days.Last() >= wanted; });
            });
            ASSERT_EQ(Request(*computed, [&] { computed->EnsureMatches(limit); }), expected);
            limit = std::min(MaxDayNumber, limit + pick(0, 8000));
        }
    }
}

} // namespace
