// The day-by-day walk of FillMatches is the reference for each kind's date rules; the cache is
// usually filled by arithmetic instead (EnsureMatches: weekday runs, one occurrence per month or
// year), which must agree with the walk day for day, in completeness and in the errors it
// raises, also when resumed from a partly filled cache.
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
    QStringList Expected; // the first occurrences; fewer than asked for means the series ends
    bool Complete;
};

void PrintTo(const TRecurrenceCase& row, std::ostream* out) { *out << row.Name; }

class RecurrenceTest : public testing::TestWithParam<TRecurrenceCase> {};

TEST_P(RecurrenceTest, WalksTheSeries)
{
    auto entry = Make(GetParam().Entry);
    const int wanted = static_cast<int>(GetParam().Expected.size()) + (GetParam().Complete ? 1 : 0);
    EXPECT_EQ(Occurrences(*entry, wanted), GetParam().Expected);
    EXPECT_EQ(entry->MatchList().IsComplete(), GetParam().Complete);
}

// A walk or a computed fill resumed from the cache, step by step, finds what one long walk finds.
TEST_P(RecurrenceTest, ResumingFromTheCacheGivesTheSameDays)
{
    auto whole = Make(GetParam().Entry);
    auto stepwise = Make(GetParam().Entry);
    auto computed = Make(GetParam().Entry);
    const QStringList expected = Occurrences(*whole, 40);
    for (int count = 1; count <= 40; ++count)
        Occurrences(*stepwise, count);
    EXPECT_EQ(Occurrences(*stepwise, 40), expected);
    const qint32 last = expected.isEmpty() ? GetParam().Entry.Start : Day(expected.last().toLatin1().constData());
    for (qint32 limit = GetParam().Entry.Start - 40; limit < last; limit += 29)
        computed->EnsureMatches(limit);
    computed->EnsureMatches(last);
    EXPECT_EQ(Occurrences(*computed, 40), expected);
}

const qint32 NoStop = NoDateStop;

INSTANTIATE_TEST_SUITE_P(
    Kinds, RecurrenceTest,
    testing::Values(
        TRecurrenceCase{"once_ignores_its_limits", Limited(Once("2026-03-14"), Day("2020-01-01"), 0), {"2026-03-14"},
                        true},
        TRecurrenceCase{"working_days_from_a_saturday_start_monday", Daily("2026-03-14", dkWorkingDay),
                        {"2026-03-16", "2026-03-17", "2026-03-18", "2026-03-19", "2026-03-20", "2026-03-23"}, false},
        TRecurrenceCase{"every_second_working_day_from_a_monday", Daily("2026-03-16", dkWorkingDay, 2),
                        {"2026-03-16", "2026-03-18", "2026-03-20", "2026-03-24", "2026-03-26"}, false},
        TRecurrenceCase{"weekend_days", Daily("2026-03-12", dkWeekend),
                        {"2026-03-14", "2026-03-15", "2026-03-21", "2026-03-22"}, false},
        TRecurrenceCase{"every_fourteenth_day", Daily("2025-12-25", dkAnyDay, 14),
                        {"2025-12-25", "2026-01-08", "2026-01-22", "2026-02-05"}, false},
        TRecurrenceCase{"repetition_zero_takes_every_day", Daily("2026-02-27", dkAnyDay, 0),
                        {"2026-02-27", "2026-02-28", "2026-03-01"}, false},
        TRecurrenceCase{"daily_walk_ends_at_the_last_day_of_the_calendar", Daily("9999-12-29", dkAnyDay),
                        {"9999-12-29", "9999-12-30", "9999-12-31"}, true},
        TRecurrenceCase{"monday_and_thursday_from_a_wednesday", Weekly("2026-03-18", {2, 5}),
                        {"2026-03-19", "2026-03-23", "2026-03-26", "2026-03-30"}, false},
        TRecurrenceCase{"every_second_matching_weekday", Weekly("2026-03-16", {2, 5}, 2),
                        {"2026-03-16", "2026-03-23", "2026-03-30", "2026-04-06"}, false},
        TRecurrenceCase{"every_fifth_of_three_weekdays", Weekly("2001-01-01", {2, 4, 6}, 5),
                        {"2001-01-01", "2001-01-12", "2001-01-24", "2001-02-05", "2001-02-16"}, false},
        TRecurrenceCase{"monthly_15th_from_the_20th", Monthly("2026-01-20", dcNone, 15),
                        {"2026-02-15", "2026-03-15", "2026-04-15"}, false},
        TRecurrenceCase{"monthly_20th_from_the_20th", Monthly("2026-01-20", dcNone, 20),
                        {"2026-01-20", "2026-02-20", "2026-03-20"}, false},
        TRecurrenceCase{"every_third_month_from_january", Monthly("2026-01-01", dcNone, 10, 3),
                        {"2026-01-10", "2026-04-10", "2026-07-10", "2026-10-10", "2027-01-10"}, false},
        TRecurrenceCase{"last_working_day_when_the_month_ends_on_saturday", Monthly("2025-05-01", dcLast, dkWorkingDay),
                        {"2025-05-30", "2025-06-30", "2025-07-31", "2025-08-29"}, false},
        TRecurrenceCase{"first_monday_of_a_month_that_begins_on_monday", Monthly("2025-09-01", dcFirst, dkMonday),
                        {"2025-09-01", "2025-10-06", "2025-11-03", "2025-12-01"}, false},
        TRecurrenceCase{"fourth_day_of_any_kind", Monthly("2026-01-05", dcFourth, dkAnyDay),
                        {"2026-02-04", "2026-03-04", "2026-04-04"}, false},
        TRecurrenceCase{"second_weekend_day", Monthly("2026-03-01", dcSecond, dkWeekend),
                        {"2026-03-07", "2026-04-05", "2026-05-03"}, false},
        TRecurrenceCase{"third_working_day", Monthly("2026-02-01", dcThird, dkWorkingDay),
                        {"2026-02-04", "2026-03-04", "2026-04-03"}, false},
        TRecurrenceCase{"leap_day_every_four_years", Yearly("2024-02-29", 2, dcNone, 29),
                        {"2024-02-29", "2028-02-29", "2032-02-29"}, false},
        TRecurrenceCase{"leap_day_from_a_common_year", Yearly("2025-01-01", 2, dcNone, 29),
                        {"2028-02-29", "2032-02-29"}, false},
        TRecurrenceCase{"last_sunday_of_january", Yearly("2026-01-01", 1, dcLast, dkSunday),
                        {"2026-01-25", "2027-01-31", "2028-01-30"}, false},
        TRecurrenceCase{"fourth_thursday_of_november", Yearly("2026-01-01", 11, dcFourth, dkThursday),
                        {"2026-11-26", "2027-11-25", "2028-11-23"}, false},
        TRecurrenceCase{"birthday_every_second_year", Yearly("2000-03-14", 3, dcNone, 14, 2),
                        {"2000-03-14", "2002-03-14", "2004-03-14"}, false},
        TRecurrenceCase{"stop_day_ends_the_series", Limited(Daily("2026-03-01", dkAnyDay), Day("2026-03-03")),
                        {"2026-03-01", "2026-03-02", "2026-03-03"}, true},
        TRecurrenceCase{"maximum_count_ends_the_series", Limited(Weekly("2026-03-01", {2}), NoStop, 2),
                        {"2026-03-02", "2026-03-09"}, true},
        TRecurrenceCase{"maximum_count_zero_never_occurs", Limited(Monthly("2026-03-01", dcNone, 1), NoStop, 0), {},
                        true},
        TRecurrenceCase{"stop_day_before_the_start_never_occurs",
                        Limited(Yearly("2026-03-01", 3, dcNone, 1), Day("2026-02-01")), {}, true},
        TRecurrenceCase{"damaged_daily_weekday_kind_never_occurs", Daily("2026-03-01", dkTuesday), {}, true},
        TRecurrenceCase{"damaged_weekly_without_weekdays_never_occurs", Weekly("2026-03-01", {}), {}, true},
        TRecurrenceCase{"damaged_cycle_six_never_occurs", Monthly("2026-03-01", 6, dkMonday), {}, true},
        TRecurrenceCase{"damaged_day_kind_twelve_never_occurs", Monthly("2026-03-01", dcFirst, 12), {}, true},
        TRecurrenceCase{"damaged_month_zero_never_occurs", Yearly("2026-03-01", 0, dcNone, 1), {}, true}),
    [](const testing::TestParamInfo<TRecurrenceCase>& info) { return std::string(info.param.Name); });

TEST(FirstDateTest, DependsOnTheKind)
{
    EXPECT_EQ(Iso(Make(Daily("2026-03-16", dkWorkingDay))->FirstDate()), "2026-03-17") << "daily: after the start";
    EXPECT_EQ(Iso(Make(Weekly("2026-03-16", {2}))->FirstDate()), "2026-03-16");
    EXPECT_EQ(Iso(Make(Weekly("2026-03-17", {2}))->FirstDate()), "2026-03-23");
    EXPECT_EQ(Iso(Make(Monthly("2026-03-15", dcNone, 15))->FirstDate()), "2026-04-15");
    EXPECT_EQ(Iso(Make(Yearly("2026-03-14", 3, dcNone, 20))->FirstDate()), "2026-03-20");
    EXPECT_EQ(Iso(Make(Once("2026-03-14"))->FirstDate()), "2026-03-14");
}

// Beyond the year 9999 or before the year 1 a walk fails instead of wrapping; the days found
// before stay. A start far before the year 1 must not walk billions of steps up to today.
TEST(DateOverflowTest, WalksOutOfTheCalendarFail)
{
    TEntryParameters farBefore = Daily("2026-01-01", dkAnyDay);
    farBefore.Start = -2000000000;
    TEntryParameters justBefore = Monthly("2026-01-01", dcNone, 1);
    justBefore.Start = MinDayNumber - 400;
    const std::tuple<const char*, TEntryParameters, int> cases[] = {
        {"yearly_past_the_year_9999", Yearly("9997-06-01", 6, dcNone, 1), 3},
        {"leap_day_moved_beyond_the_year_9999", Yearly("9997-01-01", 2, dcNone, 29), 0},
        {"monthly_start_before_the_year_1", justBefore, 0},
        {"daily_start_far_before_the_year_1", farBefore, 0},
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

// Every candidate of the walk is checked against the calendar, independently computed.
TEST(RecurrenceCrossCheckTest, MonthlyCyclesAgreeWithTheCalendar)
{
    for (int kind = dkWorkingDay; kind <= dkAnyDay; ++kind) {
        for (int cycle = dcFirst; cycle <= dcLast; ++cycle) {
            auto entry = Make(Monthly("2023-12-31", cycle, kind));
            const QStringList days = Occurrences(*entry, 30);
            ASSERT_EQ(days.size(), 30);
            const auto fits = [kind](const QDate& d) {
                const int weekday = d.dayOfWeek() % 7 + 1; // Qt: Monday 1 .. Sunday 7
                const bool working = weekday != 1 && weekday != 7;
                if (kind == dkWorkingDay || kind == dkWeekend)
                    return working == (kind == dkWorkingDay);
                return kind == dkAnyDay || weekday == kind;
            };
            for (const QString& iso : days) {
                const QDate date = QDate::fromString(iso, Qt::ISODate);
                ASSERT_TRUE(fits(date)) << iso.toStdString();
                int before = 0;
                for (QDate d(date.year(), date.month(), 1); d < date; d = d.addDays(1))
                    before += fits(d);
                int after = 0;
                for (QDate d = date.addDays(1); d.month() == date.month(); d = d.addDays(1))
                    after += fits(d);
                if (cycle == dcLast)
                    EXPECT_EQ(after, 0) << iso.toStdString();
                else
                    EXPECT_EQ(before, cycle - dcFirst) << iso.toStdString() << " kind " << kind;
            }
        }
    }
}

// Random entries and limits, also damaged ones, mostly from the last decades and some near the
// end of the calendar.
class TParameterSource {
public:
    explicit TParameterSource(unsigned seed) : m_Random(seed) {}

    TEntryParameters Next()
    {
        TEntryParameters p{};
        p.Kind = Pick(ekDaily, ekYearly);
        p.Start = Pick(0, 9) == 0 ? Day("9990-01-01") + Pick(0, 3600) : Day("1990-01-01") + Pick(0, 15000);
        p.Repetition = Pick(0, 3) == 0 ? Pick(-1, 12) : 1;
        p.DateStop = Pick(0, 2) == 0 ? p.Start + Pick(-10, 5000) : NoDateStop;
        p.MaxCount = Pick(0, 3) == 0 ? Pick(-2, 60) : NoMaxCount;
        if (p.Kind == ekDaily)
            p.Pattern = static_cast<quint8>(Pick(0, 4) == 0 ? Pick(0, 12) : std::array{0, 8, 9}[Pick(0, 2)]);
        else if (p.Kind == ekWeekly)
            p.Pattern = static_cast<quint8>(Pick(0, 255));
        else {
            p.Month = static_cast<quint8>(Pick(0, 9) == 0 ? Pick(0, 13) : Pick(1, 12));
            p.Pattern = static_cast<quint8>(Pick(0, 1) == 0 ? Pick(1, p.Kind == ekMonthly ? 28 : 31)
                                                            : (Pick(1, 5) << 5) | Pick(0, 9));
            if (Pick(0, 19) == 0)
                p.Pattern = static_cast<quint8>(Pick(0, 255));
        }
        return p;
    }

    qint32 Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_Random); }

private:
    std::mt19937 m_Random;
};

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

TEST(DirectFillTest, AgreesWithTheWalkForRandomEntriesAndLimits)
{
    TParameterSource source(20261206);
    for (int round = 0; round < 2000; ++round) {
        const TEntryParameters p = source.Next();
        auto computed = Make(p);
        auto walked = Make(p);
        qint32 limit = p.Start + source.Pick(-30, 400);
        for (int request = 0; request < 3; ++request) {
            SCOPED_TRACE(testing::Message() << "round " << round << ", kind " << p.Kind << ", start "
                                            << Iso(p.Start).toStdString() << ", pattern " << int(p.Pattern)
                                            << ", month " << int(p.Month) << ", repetition " << p.Repetition
                                            << ", stop " << p.DateStop << ", count " << p.MaxCount << ", limit "
                                            << limit);
            const auto expected = Request(*walked, [&] {
                walked->FillMatches(limit, [](const TMatchlist& days, qint32 wanted) { return days.Last() >= wanted; });
            });
            ASSERT_EQ(Request(*computed, [&] { computed->EnsureMatches(limit); }), expected);
            limit = std::min(MaxDayNumber, limit + source.Pick(0, 8000));
        }
    }
}

} // namespace
