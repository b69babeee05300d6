// Large caches stay in the entry file after loading and are read when a lookup needs their inner
// days. What a lookup answers must not depend on whether that has happened, and a file that
// changes meanwhile must never leave wrong days behind.
#include "model/FileMapping.h"
#include "model/VemoraEntries.h"
#include "model/VemoraEntryKinds.h"

#include "EntryFileBytes.h"
#include "TestSupport.h"

#include <QFile>

#include <algorithm>
#include <functional>
#include <fcntl.h>
#include <unistd.h>

namespace {

const qint32 Start = Day(2020, 1, 1);

// Every step-th day from Start on. Every second day is not what a daily series of every day
// computes, so a test can tell the file's days from recomputed ones.
std::vector<qint32> DaysFromStart(int count, int step = 2)
{
    std::vector<qint32> days;
    for (int i = 0; i < count; ++i)
        days.push_back(Start + step * i);
    return days;
}

TRecord DailyRecord(const std::vector<qint32>& cache, qint32 start = Start)
{
    TRecord daily{ekDaily, 1, start, -1, 1, -1, 1, "note", "Day $(COUNT)"};
    daily.Tail = QByteArray(1, dkAnyDay);
    daily.Valid = 1;
    daily.Days = cache;
    return daily;
}

// A daily entry of every day with the given cache, and a one-off entry after it.
QByteArray DailyFile(const std::vector<qint32>& cache)
{
    TRecord after;
    after.Number = 2;
    after.DisplayText = "after the cache";
    return Version2File({}, {DailyRecord(cache), after});
}

class LargeCacheTest : public testing::Test {
protected:
    TTemporaryHome Home;
    QString Path = Home.FilePath(QStringLiteral("entries.vkd"));
    QString Copy = Home.FilePath(QStringLiteral("copy.vkd"));

    void WriteFile(const QByteArray& content) const { Home.WriteFile(QStringLiteral("entries.vkd"), content); }

    // The first entry of the file, loaded into list.
    TVemoraEntryBasic& Load(TVemoraEntries& list, const QByteArray& content)
    {
        WriteFile(content);
        EXPECT_TRUE(list.LoadFromFile(Path));
        EXPECT_EQ(list.Items(list.Count() - 1)->DisplayText(), QStringLiteral("after the cache"));
        return *list.Items(0);
    }
};

// The days around the first and the last two are answered without reading the cache, the others
// need it: each day once on a freshly loaded list. The walk goes on from the last stored day.
TEST_F(LargeCacheTest, LookupsAnswerFromTheFileBeforeAndAfterReadingIt)
{
    const std::vector<qint32> cache = DaysFromStart(200);
    const qint32 first = cache.front();
    const qint32 last = cache.back();
    for (qint32 day : {first - 1, first, last - 3, last - 2, last - 1, last, last + 1, first + 100, first + 101}) {
        SCOPED_TRACE(day - first);
        const auto expected = std::lower_bound(cache.begin(), cache.end(), day);
        TVemoraEntries fresh;
        int index = -1;
        EXPECT_EQ(Load(fresh, DailyFile(cache)).MatchList().Find(day, index),
                  expected != cache.end() && *expected == day);
        EXPECT_EQ(index, expected - cache.begin());
    }
    TVemoraEntries list;
    TVemoraEntryBasic& entry = Load(list, DailyFile(cache));
    EXPECT_EQ(entry.MatchList().Item(57), cache[57]);
    EXPECT_TRUE(entry.IsOccurrenceDay(last + 3));
    EXPECT_EQ(entry.AlertText(last + 3), QStringLiteral("Day 202"));
    std::vector<qint32> expected = cache;
    expected.insert(expected.end(), {last + 1, last + 2, last + 3});
    EXPECT_EQ(entry.MatchList().Days(), expected);
}

// Saved over its own file, or with the file replaced by another program, the list still has
// what it loaded.
TEST_F(LargeCacheTest, SavingWritesTheLoadedDaysBackByteForByte)
{
    const QByteArray content = DailyFile(DaysFromStart(5000));
    TVemoraEntries list;
    TVemoraEntryBasic& entry = Load(list, content);
    list.SaveToFile(Path);
    EXPECT_EQ(ReadWholeFile(Path), content);

    const QString other = Home.WriteFile(QStringLiteral("other.vkd"), DailyFile(DaysFromStart(100)));
    ASSERT_EQ(::rename(QFile::encodeName(other).constData(), QFile::encodeName(Path).constData()), 0);
    EXPECT_EQ(entry.MatchList().Days(), DaysFromStart(5000));
}

// Days that cannot be trusted are computed afresh: dropped at loading when the ends of the cache
// are implausible, else as far as it reached once the file changed or days inside are disordered.
TEST_F(LargeCacheTest, DaysThatCannotBeTrustedAreComputedAfresh)
{
    struct TDistrustCase {
        const char* Name;
        std::function<void(std::vector<qint32>& days)> Damage;
        std::function<void(const QString& path)> Change; // after loading
        bool DroppedAtLoading;
    };
    const TDistrustCase cases[] = {
        {"days_out_of_order_inside", [](auto& days) { std::swap(days[100], days[101]); }, nullptr, false},
        {"last_two_in_the_wrong_order", [](auto& days) { std::swap(days[298], days[299]); }, nullptr, true},
        {"more_days_than_the_span_holds", [](auto& days) { days[298] = days[0] + 296; days[299] = days[0] + 297; },
         nullptr, true},
        {"first_day_before_the_start", [](auto& days) { days.front() = Start - 1; }, nullptr, true},
        {"file_truncated", nullptr, [](const QString& path) { ASSERT_TRUE(QFile::resize(path, 100)); }, false},
        {"file_rewritten_in_place_with_other_days", nullptr,
         [](const QString& path) {
             QFile file(path);
             ASSERT_TRUE(file.open(QIODevice::ReadWrite) && file.seek(200));
             ASSERT_EQ(file.write(QByteArray(64, '\x7f')), 64);
         },
         false},
    };
    for (const TDistrustCase& row : cases) {
        SCOPED_TRACE(row.Name);
        std::vector<qint32> cache = DaysFromStart(300);
        if (row.Damage)
            row.Damage(cache);
        TVemoraEntries list;
        TVemoraEntryBasic& entry = Load(list, DailyFile(cache));
        EXPECT_EQ(entry.MatchList().Valid(), !row.DroppedAtLoading);
        if (row.Change)
            row.Change(Path);
        const std::vector<qint32> afresh = DaysFromStart(cache.back() - Start + 1, 1);
        if (!row.DroppedAtLoading) {
            // Saving before any lookup finds out itself, and writes the count of the days it writes.
            list.SaveToFile(Copy);
            TVemoraEntries saved;
            ASSERT_TRUE(saved.LoadFromFile(Copy));
            EXPECT_EQ(saved.Items(0)->MatchList().Days(), afresh);
            EXPECT_EQ(saved.Items(1)->DisplayText(), QStringLiteral("after the cache"));
        }
        EXPECT_TRUE(entry.IsOccurrenceDay(Start + 5));
        EXPECT_EQ(entry.MatchList().Days(), row.DroppedAtLoading ? DaysFromStart(6, 1) : afresh);
    }
}

// A look at the last days of a long cache reads them alone, in their places: the count a text
// shows is that of the whole cache. Days out of order further back are noticed once a look
// reaches them, and the cache is computed afresh then.
TEST_F(LargeCacheTest, ALookAtTheLastDaysReadsOnlyThem)
{
    std::vector<qint32> cache = DaysFromStart(3000);
    std::swap(cache[100], cache[101]);
    TVemoraEntries list;
    TVemoraEntryBasic& entry = Load(list, DailyFile(cache));
    const qint32 late = cache[2990];
    EXPECT_TRUE(entry.IsOccurrenceDay(late));
    EXPECT_FALSE(entry.IsOccurrenceDay(late + 1)) << "the file's days: every second one";
    EXPECT_EQ(entry.AlertText(late), QStringLiteral("Day 2990"));
    EXPECT_TRUE(entry.IsOccurrenceDay(Start + 5));
    EXPECT_EQ(entry.MatchList().Days(), DaysFromStart(cache.back() - Start + 1, 1));
}

// The cache must be computed afresh, but the entry starts before the year 1: saving keeps the
// entry and leaves its days unknown instead of failing on them.
TEST_F(LargeCacheTest, SavingKeepsAnEntryWhoseDaysCannotBeComputedAfresh)
{
    std::vector<qint32> cache = DaysFromStart(300);
    std::swap(cache[100], cache[101]);
    WriteFile(Version2File({}, {DailyRecord(cache, MinDayNumber - 10)}));
    TVemoraEntries list;
    ASSERT_TRUE(list.LoadFromFile(Path));
    ASSERT_NO_THROW(list.SaveToFile(Copy));
    TVemoraEntries saved;
    ASSERT_TRUE(saved.LoadFromFile(Copy));
    ASSERT_EQ(saved.Count(), 1);
    const TVemoraEntryBasic& entry = *saved.Items(0);
    EXPECT_EQ(std::tuple(entry.DisplayText(), entry.DateStart(), entry.MatchList().Valid()),
              std::tuple(QStringLiteral("Day $(COUNT)"), MinDayNumber - 10, false));
}

// Texts and caches that cross the edges of the reader's window or view, and one text larger than
// either: viewed in place, and with every view of files in use read through the window instead.
TEST_F(LargeCacheTest, ALargeFileReadsBackExactly)
{
    std::vector<TRecord> records;
    for (int i = 0; i < 3000; ++i) {
        records.push_back(DailyRecord(DaysFromStart(i % 150 + 1, 1)));
        records.back().Number = static_cast<quint16>(i + 1);
        records.back().DisplayText = QByteArray(i % 97, static_cast<char>('a' + i % 26));
        records.back().Comment = i == 1500 ? QByteArray(5 << 20, 'c') : QByteArray();
    }
    const QByteArray content = Version2File({}, records);
    WriteFile(content);
    const int descriptor = ::open("/dev/zero", O_RDONLY);
    std::vector<std::unique_ptr<TFileMapping>> views;
    for (const char* pass : {"viewed in place", "read through the window, with every view in use"}) {
        SCOPED_TRACE(pass);
        TVemoraEntries list;
        ASSERT_TRUE(list.LoadFromFile(Path));
        list.SaveToFile(Copy);
        EXPECT_EQ(ReadWholeFile(Copy), content);
        while (std::unique_ptr<TFileMapping> view = TFileMapping::Map(descriptor, 0, 4096)) {
            views.push_back(std::move(view));
            ASSERT_LT(views.size(), 1000u);
        }
    }
    views.clear();
    ::close(descriptor);
}

} // namespace
