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

// A daily entry of every day with the given cache, and a one-off entry after it.
QByteArray DailyFile(const std::vector<qint32>& cache)
{
    TRecord daily;
    daily.Kind = ekDaily;
    daily.DateStart = Start;
    daily.Tail = QByteArray(1, dkAnyDay);
    daily.DisplayText = "Day $(COUNT)";
    daily.Valid = 1;
    daily.Days = cache;
    TRecord after;
    after.Number = 2;
    after.DisplayText = "after the cache";
    return Version2File({}, {daily, after});
}

class LargeCacheTest : public testing::Test {
protected:
    QTemporaryDir Directory;
    QString Path = Directory.filePath(QStringLiteral("entries.vkd"));
    TVemoraEntries List;

    TVemoraEntryBasic& Load(const QByteArray& content)
    {
        WriteFile(Path, content);
        EXPECT_TRUE(List.LoadFromFile(Path));
        EXPECT_EQ(List.Count(), 2);
        EXPECT_EQ(List.Items(1)->DisplayText(), QStringLiteral("after the cache"));
        return *List.Items(0);
    }

    static void WriteFile(const QString& path, const QByteArray& content)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(content), content.size());
    }
};

class LargeFileTest : public LargeCacheTest {
protected:
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
    for (qint32 day : probes) {
        SCOPED_TRACE(day - first);
        const auto expected = std::lower_bound(cache.begin(), cache.end(), day);
        TVemoraEntries fresh;
        WriteFile(Path, DailyFile(cache));
        ASSERT_TRUE(fresh.LoadFromFile(Path));
        int index = -1;
        EXPECT_EQ(fresh.Items(0)->MatchList().Find(day, index), expected != cache.end() && *expected == day);
        EXPECT_EQ(index, expected - cache.begin());
        EXPECT_EQ(fresh.Items(0)->MatchList().Count(), 200);
    }
    const TMatchlist& matches = Load(DailyFile(cache)).MatchList();
    EXPECT_EQ(matches.Item(0), first);
    EXPECT_EQ(matches.Item(198), cache[198]);
    EXPECT_EQ(matches.Item(199), last);
    EXPECT_EQ(matches.Item(57), cache[57]);
    EXPECT_EQ(matches.Days(), cache);
    EXPECT_TRUE(matches.Valid());
}

TEST_F(LargeCacheTest, TheWalkGoesOnFromTheLastStoredDay)
{
    TVemoraEntryBasic& entry = Load(DailyFile(EverySecondDay(200)));
    const qint32 last = entry.MatchList().Last();
    EXPECT_TRUE(entry.IsOccurrenceDay(last + 3));
    EXPECT_EQ(entry.AlertText(last + 3), QStringLiteral("Day 202"));
    EXPECT_FALSE(entry.IsOccurrenceDay(Start + 1)) << "the file's days are trusted";
    std::vector<qint32> expected = EverySecondDay(200);
    expected.insert(expected.end(), {last + 1, last + 2, last + 3});
    EXPECT_EQ(entry.MatchList().Days(), expected);
}

TEST_F(LargeCacheTest, SavingWritesTheFileBackByteForByte)
{
    const QByteArray content = DailyFile(EverySecondDay(5000));
    Load(content);
    const QString copy = Directory.filePath(QStringLiteral("copy.vkd"));
    List.SaveToFile(copy);
    EXPECT_EQ(ReadWholeFile(copy), content);
    // Saved over its own file, the list still reads what it loaded.
    List.SaveToFile(Path);
    EXPECT_EQ(ReadWholeFile(Path), content);
    List.SaveToFile(copy);
    EXPECT_EQ(ReadWholeFile(copy), content);
}

TEST_F(LargeCacheTest, AFileReplacedByAnotherProgramKeepsTheLoadedDays)
{
    const std::vector<qint32> cache = EverySecondDay(300);
    TVemoraEntryBasic& entry = Load(DailyFile(cache));
    const QString other = Directory.filePath(QStringLiteral("other.vkd"));
    WriteFile(other, DailyFile(EverySecondDay(100)));
    ASSERT_EQ(::rename(QFile::encodeName(other).constData(), QFile::encodeName(Path).constData()), 0);
    EXPECT_EQ(entry.MatchList().Days(), cache);
}

struct TChangedFileCase {
    const char* Name;
    std::function<void(const QString& path, const QByteArray& content)> Change;
};

class ChangedFileTest : public LargeCacheTest, public testing::WithParamInterface<TChangedFileCase> {};

// The days can no longer be trusted, so the cache is computed afresh as far as it reached,
// and later lookups agree with the entry's pattern.
TEST_P(ChangedFileTest, TheCacheIsComputedAfreshWhenLookedInto)
{
    const std::vector<qint32> cache = EverySecondDay(300);
    const QByteArray content = DailyFile(cache);
    TVemoraEntryBasic& entry = Load(content);
    GetParam().Change(Path, content);
    int index = -1;
    EXPECT_TRUE(entry.MatchList().Find(Start + 5, index));
    EXPECT_EQ(index, 5);
    EXPECT_EQ(entry.MatchList().Days(), EveryDay(Start, cache.back()));
    EXPECT_TRUE(entry.MatchList().Valid());
    EXPECT_EQ(List.Items(1)->DisplayText(), QStringLiteral("after the cache"));
}

INSTANTIATE_TEST_SUITE_P(
    Changes, ChangedFileTest,
    testing::Values(TChangedFileCase{"truncated",
                                     [](const QString& path, const QByteArray&) {
                                         ASSERT_EQ(::truncate(QFile::encodeName(path).constData(), 100), 0);
                                     }},
                    TChangedFileCase{"rewritten_in_place_with_other_days",
                                     [](const QString& path, const QByteArray&) {
                                         QFile file(path);
                                         ASSERT_TRUE(file.open(QIODevice::ReadWrite));
                                         ASSERT_TRUE(file.seek(200));
                                         ASSERT_EQ(file.write(QByteArray(64, '\x7f')), 64);
                                     }},
                    TChangedFileCase{"grown_by_an_append",
                                     [](const QString& path, const QByteArray&) {
                                         QFile file(path);
                                         ASSERT_TRUE(file.open(QIODevice::Append));
                                         ASSERT_EQ(file.write("x"), 1);
                                     }}),
    [](const testing::TestParamInfo<TChangedFileCase>& info) { return std::string(info.param.Name); });

// The first, the last two days and the count look right, so the damage shows only inside.
TEST_F(LargeCacheTest, DaysOutOfOrderInsideAreComputedAfresh)
{
    std::vector<qint32> cache = EverySecondDay(300);
    std::swap(cache[100], cache[101]);
    TVemoraEntryBasic& entry = Load(DailyFile(cache));
    EXPECT_EQ(entry.MatchList().Count(), 300) << "not known before the cache is read";
    EXPECT_EQ(entry.MatchList().Days(), EveryDay(Start, cache.back()));
}

// The cache must be computed afresh, but the entry starts before the year 1: saving keeps the
// entry and leaves its days unknown instead of failing on them.
TEST_F(LargeCacheTest, SavingKeepsAnEntryWhoseDaysCannotBeComputedAfresh)
{
    std::vector<qint32> cache = EverySecondDay(300);
    std::swap(cache[100], cache[101]);
    TRecord daily;
    daily.Kind = ekDaily;
    daily.DateStart = MinDayNumber - 10;
    daily.Tail = QByteArray(1, dkAnyDay);
    daily.DisplayText = "Before the calendar";
    daily.Valid = 1;
    daily.Days = cache;
    WriteFile(Path, Version2File({}, {daily}));
    ASSERT_TRUE(List.LoadFromFile(Path));

    const QString copy = Directory.filePath(QStringLiteral("copy.vkd"));
    ASSERT_NO_THROW(List.SaveToFile(copy));
    TVemoraEntries saved;
    ASSERT_TRUE(saved.LoadFromFile(copy));
    ASSERT_EQ(saved.Count(), 1);
    const TVemoraEntryBasic& entry = *saved.Items(0);
    EXPECT_EQ(entry.DisplayText(), QStringLiteral("Before the calendar"));
    EXPECT_EQ(entry.DateStart(), MinDayNumber - 10);
    EXPECT_FALSE(entry.MatchList().Valid());
    EXPECT_EQ(entry.MatchList().Count(), 0);
    EXPECT_THROW(saved.Items(0)->IsOccurrenceDay(Start), EDateOverflow);
}

struct TImplausibleCase {
    const char* Name;
    std::function<void(std::vector<qint32>&)> Damage;
};

class ImplausibleCacheTest : public LargeCacheTest, public testing::WithParamInterface<TImplausibleCase> {};

TEST_P(ImplausibleCacheTest, IsDroppedWhenLoaded)
{
    std::vector<qint32> cache = EverySecondDay(300);
    GetParam().Damage(cache);
    TVemoraEntryBasic& entry = Load(DailyFile(cache));
    EXPECT_FALSE(entry.MatchList().Valid());
    EXPECT_EQ(entry.MatchList().Count(), 0);
    EXPECT_TRUE(entry.IsOccurrenceDay(Start + 1)) << "computed from the pattern";
}

INSTANTIATE_TEST_SUITE_P(
    Damages, ImplausibleCacheTest,
    testing::Values(TImplausibleCase{"last_two_in_the_wrong_order", [](auto& days) { std::swap(days[298], days[299]); }},
                    TImplausibleCase{"more_days_than_the_span_holds",
                                     [](auto& days) {
                                         days[298] = days.front() + 296;
                                         days[299] = days.front() + 297;
                                     }},
                    TImplausibleCase{"first_day_before_the_start", [](auto& days) { days.front() = Start - 1; }}),
    [](const testing::TestParamInfo<TImplausibleCase>& info) { return std::string(info.param.Name); });

// Texts and caches that cross the edges of the reader's window or view, and one text larger
// than either.
void LargeFileTest::LoadsBackExactly()
{
    std::vector<TRecord> records;
    for (int i = 0; i < 3000; ++i) {
        TRecord record;
        record.Kind = ekDaily;
        record.Number = static_cast<quint16>(i + 1);
        record.DateStart = Start;
        record.Tail = QByteArray(1, dkAnyDay);
        record.DisplayText = QByteArray(i % 97, static_cast<char>('a' + i % 26));
        record.Comment = i == 1500 ? QByteArray(5 << 20, 'c') : QByteArray();
        record.Valid = 1;
        record.Days = EveryDay(Start, Start + i % 150);
        records.push_back(record);
    }
    const QByteArray content = Version2File({}, records);
    ASSERT_GT(content.size(), 6 << 20);
    WriteFile(Path, content);
    ASSERT_TRUE(List.LoadFromFile(Path));
    ASSERT_EQ(List.Count(), 3000);
    EXPECT_EQ(List.Items(1500)->Comment().size(), 5 << 20);
    EXPECT_EQ(List.Items(2999)->MatchList().Count(), 2999 % 150 + 1);
    const QString copy = Directory.filePath(QStringLiteral("copy.vkd"));
    List.SaveToFile(copy);
    EXPECT_EQ(ReadWholeFile(copy), content);
}

TEST_F(LargeFileTest, AFileViewedInPlaceReadsBackExactly)
{
    LoadsBackExactly();
}

// With every view of files in use, the file is read through the window instead.
TEST_F(LargeFileTest, AFileLargerThanTheReadWindowReadsBackExactly)
{
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
    EXPECT_EQ(block.Offset, 0);
    EXPECT_EQ(block.Count, 10);
    EXPECT_EQ(block.First, Start);
    EXPECT_EQ(block.BeforeLast, Start + 16);
    EXPECT_EQ(block.Last, Start + 18);
    EXPECT_EQ(reader.ReadByte(), 0x5a);
    TEntryReader shortReader(bytes.Data().left(20));
    EXPECT_THROW(shortReader.SkipDays(10), EEntryFileError);
}

} // namespace
