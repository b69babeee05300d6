// Large caches stay in the entry file after loading and are read when a lookup needs their inner
// days. What a lookup answers must not depend on whether that has happened, and a file that
// changes meanwhile must never leave wrong days behind.
#include "model/EntryStream.h"
#include "model/FileMapping.h"
#include "model/ModelErrors.h"
#include "model/VemoraEntries.h"
#include "model/VemoraEntryKinds.h"

#include "EntryFileBytes.h"
#include "TestSupport.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>
#include <fcntl.h>
#include <unistd.h>

namespace {

const qint32 Start = Day(2020, 1, 1);

// Every second day for count days: strictly ascending, but not what a daily series of every
// day would compute, so a test can tell the file's days from recomputed ones.
std::vector<qint32> EverySecondDay(int count)
{
    std::vector<qint32> days;
    for (int i = 0; i < count; ++i)
        days.push_back(Start + 2 * i);
    return days;
}

std::vector<qint32> EveryDay(qint32 first, qint32 last)
{
    std::vector<qint32> days;
    for (qint32 day = first; day <= last; ++day)
        days.push_back(day);
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

void WriteFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(content), content.size());
}

class LargeCacheTest : public testing::Test {
protected:
    QTemporaryDir Directory;
    QString Path = Directory.filePath(QStringLiteral("entries.vkd"));
    QString Copy = Directory.filePath(QStringLiteral("copy.vkd"));
    TVemoraEntries List;

    TVemoraEntryBasic& Load(const QByteArray& content)
    {
        WriteFile(Path, content);
        EXPECT_TRUE(List.LoadFromFile(Path));
        EXPECT_EQ(List.Count(), 2);
        EXPECT_EQ(List.Items(1)->DisplayText(), QStringLiteral("after the cache"));
        return *List.Items(0);
    }

    // Texts and caches that cross the edges of the reader's window or view, and one text larger
    // than either.
    void LoadsBackExactly();
};

TEST_F(LargeCacheTest, LookupsAnswerFromTheFileBeforeAndAfterReadingIt)
{
    const std::vector<qint32> cache = EverySecondDay(200);
    const qint32 first = cache.front();
    const qint32 last = cache.back();
    // The days around the first and the last two are answered without reading the cache, the
    // others need it: every day once on a freshly loaded list, then all again on the same list.
    std::vector<qint32> probes = {first - 1, first, first + 1, last - 3, last - 2, last - 1, last, last + 1};
    for (qint32 day = first + 2; day < last - 3; day += 37)
        probes.push_back(day);
    WriteFile(Path, DailyFile(cache));
    for (qint32 day : probes) {
        SCOPED_TRACE(day - first);
        const auto expected = std::lower_bound(cache.begin(), cache.end(), day);
        TVemoraEntries fresh;
        ASSERT_TRUE(fresh.LoadFromFile(Path));
        int index = -1;
        EXPECT_EQ(fresh.Items(0)->MatchList().Find(day, index), expected != cache.end() && *expected == day);
        EXPECT_EQ(index, expected - cache.begin());
        EXPECT_EQ(fresh.Items(0)->MatchList().Count(), 200);
    }
    const TMatchlist& matches = Load(DailyFile(cache)).MatchList();
    for (int i : {0, 198, 199, 57})
        EXPECT_EQ(matches.Item(i), cache[i]);
    EXPECT_EQ(matches.Days(), cache);
    EXPECT_TRUE(matches.Valid());
}

// The file's days are trusted, and the walk goes on from the last stored day.
TEST_F(LargeCacheTest, TheWalkGoesOnFromTheLastStoredDay)
{
    TVemoraEntryBasic& entry = Load(DailyFile(EverySecondDay(200)));
    const qint32 last = entry.MatchList().Last();
    EXPECT_TRUE(entry.IsOccurrenceDay(last + 3));
    EXPECT_EQ(entry.AlertText(last + 3), QStringLiteral("Day 202"));
    EXPECT_FALSE(entry.IsOccurrenceDay(Start + 1));
    std::vector<qint32> expected = EverySecondDay(200);
    expected.insert(expected.end(), {last + 1, last + 2, last + 3});
    EXPECT_EQ(entry.MatchList().Days(), expected);
}

// Saved over its own file, or with the file replaced by another program, the list still has
// what it loaded.
TEST_F(LargeCacheTest, SavingWritesTheLoadedDaysBackByteForByte)
{
    const QByteArray content = DailyFile(EverySecondDay(5000));
    TVemoraEntryBasic& entry = Load(content);
    List.SaveToFile(Copy);
    EXPECT_EQ(ReadWholeFile(Copy), content);
    List.SaveToFile(Path);
    EXPECT_EQ(ReadWholeFile(Path), content);
    List.SaveToFile(Copy);
    EXPECT_EQ(ReadWholeFile(Copy), content);

    const QString other = Directory.filePath(QStringLiteral("other.vkd"));
    WriteFile(other, DailyFile(EverySecondDay(100)));
    ASSERT_EQ(::rename(QFile::encodeName(other).constData(), QFile::encodeName(Path).constData()), 0);
    EXPECT_EQ(entry.MatchList().Days(), EverySecondDay(5000));
}

// Days that can no longer be trusted are computed afresh as far as the cache reached, and later
// lookups agree with the entry's pattern. Days out of order inside look right at loading: the
// first, the last two days and the count fit, so the damage shows only inside.
TEST_F(LargeCacheTest, TheCacheIsComputedAfreshWhenTheFileChangesOrIsDamagedInside)
{
    struct TChange {
        const char* Name;
        bool OutOfOrderInside;
        std::function<void(const QString& path)> Change;
    };
    const TChange changes[] = {
        {"days_out_of_order_inside", true, [](const QString&) {}},
        {"truncated", false,
         [](const QString& path) { ASSERT_EQ(::truncate(QFile::encodeName(path).constData(), 100), 0); }},
        {"rewritten_in_place_with_other_days", false,
         [](const QString& path) {
             QFile file(path);
             ASSERT_TRUE(file.open(QIODevice::ReadWrite));
             ASSERT_TRUE(file.seek(200));
             ASSERT_EQ(file.write(QByteArray(64, '\x7f')), 64);
         }},
        {"grown_by_an_append", false,
         [](const QString& path) {
             QFile file(path);
             ASSERT_TRUE(file.open(QIODevice::Append));
             ASSERT_EQ(file.write("x"), 1);
         }},
    };
    for (const TChange& change : changes) {
        SCOPED_TRACE(change.Name);
        std::vector<qint32> cache = EverySecondDay(300);
        if (change.OutOfOrderInside)
            std::swap(cache[100], cache[101]);
        TVemoraEntries list;
        WriteFile(Path, DailyFile(cache));
        ASSERT_TRUE(list.LoadFromFile(Path));
        change.Change(Path);
        int index = -1;
        EXPECT_TRUE(list.Items(0)->MatchList().Find(Start + 5, index));
        EXPECT_EQ(index, 5);
        EXPECT_EQ(list.Items(0)->MatchList().Days(), EveryDay(Start, cache.back()));
        EXPECT_TRUE(list.Items(0)->MatchList().Valid());
        EXPECT_EQ(list.Items(1)->DisplayText(), QStringLiteral("after the cache"));
    }
}

// The cache must be computed afresh, but the entry starts before the year 1: saving keeps the
// entry and leaves its days unknown instead of failing on them.
TEST_F(LargeCacheTest, SavingKeepsAnEntryWhoseDaysCannotBeComputedAfresh)
{
    std::vector<qint32> cache = EverySecondDay(300);
    std::swap(cache[100], cache[101]);
    WriteFile(Path, Version2File({}, {DailyRecord(cache, MinDayNumber - 10)}));
    ASSERT_TRUE(List.LoadFromFile(Path));

    ASSERT_NO_THROW(List.SaveToFile(Copy));
    TVemoraEntries saved;
    ASSERT_TRUE(saved.LoadFromFile(Copy));
    ASSERT_EQ(saved.Count(), 1);
    const TVemoraEntryBasic& entry = *saved.Items(0);
    EXPECT_EQ(entry.DisplayText(), QStringLiteral("Day $(COUNT)"));
    EXPECT_EQ(entry.DateStart(), MinDayNumber - 10);
    EXPECT_FALSE(entry.MatchList().Valid());
    EXPECT_EQ(entry.MatchList().Count(), 0);
    EXPECT_THROW(saved.Items(0)->IsOccurrenceDay(Start), EDateOverflow);
}

TEST_F(LargeCacheTest, AnImplausibleCacheIsDroppedWhenLoaded)
{
    const std::pair<const char*, std::function<void(std::vector<qint32>&)>> damages[] = {
        {"last_two_in_the_wrong_order", [](auto& days) { std::swap(days[298], days[299]); }},
        {"more_days_than_the_span_holds", [](auto& days) { days[298] = days[0] + 296; days[299] = days[0] + 297; }},
        {"first_day_before_the_start", [](auto& days) { days.front() = Start - 1; }},
    };
    for (const auto& [name, damage] : damages) {
        SCOPED_TRACE(name);
        std::vector<qint32> cache = EverySecondDay(300);
        damage(cache);
        TVemoraEntries list;
        WriteFile(Path, DailyFile(cache));
        ASSERT_TRUE(list.LoadFromFile(Path));
        EXPECT_FALSE(list.Items(0)->MatchList().Valid());
        EXPECT_EQ(list.Items(0)->MatchList().Count(), 0);
        EXPECT_TRUE(list.Items(0)->IsOccurrenceDay(Start + 1)) << "computed from the pattern";
    }
}

void LargeCacheTest::LoadsBackExactly()
{
    std::vector<TRecord> records;
    for (int i = 0; i < 3000; ++i) {
        TRecord record = DailyRecord(EveryDay(Start, Start + i % 150));
        record.Number = static_cast<quint16>(i + 1);
        record.DisplayText = QByteArray(i % 97, static_cast<char>('a' + i % 26));
        record.Comment = i == 1500 ? QByteArray(5 << 20, 'c') : QByteArray();
        records.push_back(record);
    }
    const QByteArray content = Version2File({}, records);
    ASSERT_GT(content.size(), 6 << 20);
    WriteFile(Path, content);
    TVemoraEntries list;
    ASSERT_TRUE(list.LoadFromFile(Path));
    ASSERT_EQ(list.Count(), 3000);
    EXPECT_EQ(list.Items(1500)->Comment().size(), 5 << 20);
    EXPECT_EQ(list.Items(2999)->MatchList().Count(), 2999 % 150 + 1);
    list.SaveToFile(Copy);
    EXPECT_EQ(ReadWholeFile(Copy), content);
}

// Viewed in place, and with every view of files in use read through the window instead.
TEST_F(LargeCacheTest, ALargeFileReadsBackExactly)
{
    LoadsBackExactly();
    const int descriptor = ::open("/dev/zero", O_RDONLY);
    std::vector<std::unique_ptr<TFileMapping>> views;
    while (std::unique_ptr<TFileMapping> view = TFileMapping::Map(descriptor, 0, 4096)) {
        views.push_back(std::move(view));
        ASSERT_LT(views.size(), 1000u);
    }
    LoadsBackExactly();
    views.clear();
    ::close(descriptor);
}

TEST_F(LargeCacheTest, EveryTruncationInsideALargeCacheIsRejected)
{
    const QByteArray content = DailyFile(EverySecondDay(100));
    const qsizetype cacheStart = content.indexOf(QByteArray("\x01\x64\x00\x00\x00", 5));
    ASSERT_GT(cacheStart, 0);
    for (qsizetype length = cacheStart; length < content.size(); length += 3) {
        SCOPED_TRACE(length);
        WriteFile(Path, content.left(length));
        TVemoraEntries list;
        EXPECT_THROW(list.LoadFromFile(Path), EEntryFileError);
    }
}

// The in-memory reader passes over large caches in the same way.
TEST(EntryReaderTest, SkippingDaysReadsOnlyTheirEnds)
{
    TBytes bytes;
    for (qint32 day : EverySecondDay(10))
        bytes.Int(day);
    bytes.Byte(0x5a);
    TEntryReader reader(bytes.Data());
    const TDayBlock block = reader.SkipDays(10);
    EXPECT_EQ(std::tuple(block.Offset, block.Count, block.First, block.BeforeLast, block.Last),
              std::tuple(0, 10, Start, Start + 16, Start + 18));
    EXPECT_EQ(reader.ReadByte(), 0x5a);
    TEntryReader shortReader(bytes.Data().left(20));
    EXPECT_THROW(shortReader.SkipDays(10), EEntryFileError);
}

} // namespace
