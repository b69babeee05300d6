// The cache is usually filled by arithmetic (weekday runs, one occurrence per month or year);
// the day-by-day walk of FillMatches is the reference it must agree with, day for day, in
// completeness and in the errors it raises, also when resumed from a partly filled cache.
#include "ModelTestSupport.h"
#include "TestSupport.h"

#include "model/ModelErrors.h"

#include <array>
#include <random>

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
    std::unique_ptr<TVemoraEntryBasic> entry;
    switch (p.Kind) {
    case ekDaily: {
        auto daily = std::make_unique<TVemoraEntryDaily>();
        daily->SetDayKind(p.Pattern);
        entry = std::move(daily);
        break;
    }
    case ekWeekly: {
        auto weekly = std::make_unique<TVemoraEntryWeekly>();
        weekly->SetWeekdays(p.Pattern);
        entry = std::move(weekly);
        break;
    }
    case ekMonthly: {
        auto monthly = std::make_unique<TVemoraEntryMonthly>();
        monthly->SetDaySpec(p.Pattern);
        entry = std::move(monthly);
        break;
    }
    default: {
        auto yearly = std::make_unique<TVemoraEntryYearly>();
        yearly->SetMonth(p.Month);
        yearly->SetDaySpec(p.Pattern);
        entry = std::move(yearly);
        break;
    }
    }
    entry->SetDateStart(p.Start);
    entry->SetDateStop(p.DateStop);
    entry->SetMaxCount(p.MaxCount);
    entry->SetRepetition(p.Repetition);
    return entry;
}

class TParameterSource {
public:
    explicit TParameterSource(unsigned seed)
        : m_Random(seed)
    {
    }

    TEntryParameters Next()
    {
        TEntryParameters p{};
        p.Kind = Pick(ekDaily, ekYearly);
        // Mostly from the last decades; some near the end of the calendar.
        p.Start = Pick(0, 9) == 0 ? Day("9990-01-01") + Pick(0, 3600) : Day("1990-01-01") + Pick(0, 15000);
        p.Repetition = Pick(0, 3) == 0 ? Pick(-1, 12) : 1;
        p.DateStop = Pick(0, 2) == 0 ? p.Start + Pick(-10, 5000) : NoDateStop;
        p.MaxCount = Pick(0, 3) == 0 ? Pick(-2, 60) : NoMaxCount;
        switch (p.Kind) {
        case ekDaily: p.Pattern = static_cast<quint8>(Pick(0, 4) == 0 ? Pick(0, 12) : std::array{0, 8, 9}[Pick(0, 2)]); break;
        case ekWeekly: p.Pattern = static_cast<quint8>(Pick(0, 255)); break;
        default:
            p.Month = static_cast<quint8>(Pick(0, 9) == 0 ? Pick(0, 13) : Pick(1, 12));
            p.Pattern = static_cast<quint8>(Pick(0, 1) == 0 ? Pick(1, p.Kind == ekMonthly ? 28 : 31)
                                                            : (Pick(1, 5) << 5) | Pick(0, 9));
            if (Pick(0, 19) == 0)
                p.Pattern = static_cast<quint8>(Pick(0, 255));
            break;
        }
        return p;
    }

    qint32 Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_Random); }

private:
    std::mt19937 m_Random;
};

// The outcome of one request: the days, and whether a date error was raised.
struct TOutcome {
    std::vector<qint32> Days;
    bool Valid;
    bool Complete;
    bool Overflow;
    bool InvalidDate;

    bool operator==(const TOutcome&) const = default;
};

void PrintTo(const TOutcome& outcome, std::ostream* out)
{
    *out << outcome.Days.size() << " days";
    if (!outcome.Days.empty())
        *out << " from " << Iso(outcome.Days.front()).toStdString() << " to " << Iso(outcome.Days.back()).toStdString();
    *out << (outcome.Valid ? ", valid" : "") << (outcome.Complete ? ", complete" : "")
         << (outcome.Overflow ? ", date overflow" : "") << (outcome.InvalidDate ? ", invalid date" : "");
}

template <typename Fill>
TOutcome Request(TVemoraEntryBasic& entry, Fill fill)
{
    bool overflow = false;
    bool invalidDate = false;
    try {
        fill();
    } catch (const EDateOverflow&) {
        overflow = true;
    } catch (const EInvalidDate&) {
        invalidDate = true;
    }
    const TMatchlist& matches = entry.MatchList();
    return {matches.Days(), matches.Valid(), matches.IsComplete(), overflow, invalidDate};
}

TEST(DirectFillTest, AgreesWithTheWalkForRandomEntriesAndLimits)
{
    TParameterSource source(20261206);
    for (int round = 0; round < 2000; ++round) {
        const TEntryParameters parameters = source.Next();
        auto computed = Make(parameters);
        auto walked = Make(parameters);
        qint32 limit = parameters.Start + source.Pick(-30, 400);
        for (int request = 0; request < 3; ++request) {
            SCOPED_TRACE(testing::Message() << "round " << round << ", kind " << parameters.Kind << ", start "
                                            << Iso(parameters.Start).toStdString() << ", pattern "
                                            << int(parameters.Pattern) << ", month " << int(parameters.Month)
                                            << ", repetition " << parameters.Repetition << ", stop "
                                            << parameters.DateStop << ", count " << parameters.MaxCount
                                            << ", limit " << limit);
            const TOutcome expected = Request(*walked, [&] {
                walked->FillMatches(limit, [](const TMatchlist& matches, qint32 wanted) { return matches.Last() >= wanted; });
            });
            ASSERT_EQ(Request(*computed, [&] { computed->EnsureMatches(limit); }), expected);
            limit = std::min(MaxDayNumber, limit + source.Pick(0, 8000));
        }
    }
}

// A request of the list view may walk on from a cache that another request left; both orders
// of small and large requests give the same days as one request.
TEST(DirectFillTest, ResumedRunsGiveTheDaysOfOneRun)
{
    const auto make = [] {
        auto entry = MakeEntry<TVemoraEntryWeekly>("2001-01-01", 5); // a Monday
        entry->SetWeekdays(WeekdayBits({2, 4, 6}));                  // Monday, Wednesday, Friday
        return entry;
    };
    auto stepwise = make();
    auto whole = make();
    for (qint32 limit = Day("2001-01-01"); limit < Day("2031-01-01"); limit += 97)
        stepwise->EnsureMatches(limit);
    whole->EnsureMatches(Day("2031-01-01"));
    stepwise->EnsureMatches(Day("2031-01-01"));
    EXPECT_EQ(stepwise->MatchList().Days(), whole->MatchList().Days());
    // Every fifth match: 1, 12 and 24 January, 5 and 16 February.
    int index = -1;
    ASSERT_TRUE(whole->MatchList().Find(Day("2001-01-01"), index));
    EXPECT_EQ(index, 0);
    ASSERT_TRUE(whole->MatchList().Find(Day("2001-02-05"), index));
    EXPECT_EQ(index, 3);
    EXPECT_FALSE(whole->MatchList().Find(Day("2001-02-07"), index));
    EXPECT_EQ(index, 4);
    EXPECT_EQ(Iso(whole->MatchList().Item(4)), "2001-02-16");
}

} // namespace
