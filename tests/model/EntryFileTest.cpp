// Entry files are built byte by byte here, apart from the program's writer, so that a fault in
// the reader or in the writer shows up against bytes that neither of them produced.
#include "model/EntryFactory.h"
#include "model/EntryStream.h"
#include "model/ModelErrors.h"
#include "model/VemoraEntries.h"
#include "model/VemoraEntryKinds.h"
#include "model/VemoraEntryMonthRelated.h"
#include "support/DayNumbers.h"

#include "EntryFileBytes.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <csignal>
#include <functional>
#include <tuple>
#include <vector>

namespace {

// A record of versions 0 and 1: a yearly date by day and month; the icon only in version 1.
struct TOldRecord {
    quint8 DayOfMonth = 24;
    quint8 Month = 12;
    QByteArray DisplayText = "Christmas Eve";
    quint8 Active = 1;
    quint8 AdvanceWarn = 3;
};

QByteArray OldFile(int version, const std::vector<TOldRecord>& records)
{
    TBytes bytes;
    bytes.Raw(Header(version)).Int(static_cast<qint32>(records.size()));
    for (const TOldRecord& record : records) {
        bytes.Byte(record.DayOfMonth).Byte(record.Month).String("old").String(record.DisplayText);
        bytes.Byte(record.Active).Byte(record.AdvanceWarn).String("bells.wav");
        if (version == 1)
            bytes.Byte(0x30);
    }
    return bytes.Data();
}

// A new entry of the kind with a series that has no end; Clear leaves limits of 0.
TVemoraEntryBasic& AddEntry(TVemoraEntries& list, TEntryKind kind, qint32 start, const QString& text)
{
    std::unique_ptr<TVemoraEntryBasic> entry = CreateEntry(kind);
    entry->SetDateStart(start);
    entry->SetDateStop(NoDateStop);
    entry->SetMaxCount(NoMaxCount);
    entry->SetRepetition(1);
    entry->SetDisplayText(text);
    return *list.Items(list.AddEntry(std::move(entry)));
}

// One entry of every kind with most fields away from their defaults, and computed caches.
void FillSample(TVemoraEntries& list)
{
    list.Categories().AddCategory(QStringLiteral("Family"), 1);
    list.Categories().AddCategory(QStringLiteral("Bär"), 3);

    TVemoraEntryBasic& once = AddEntry(list, ekOnce, Day(2024, 5, 17), QStringLiteral("Dentist"));
    once.SetCategory(3);
    once.SetComment(QStringLiteral("bring the card"));

    auto& daily = static_cast<TVemoraEntryDaily&>(AddEntry(list, ekDaily, Day(2024, 1, 6), "Stand-up"));
    daily.SetDayKind(dkWorkingDay);
    daily.SetDateStop(Day(2024, 2, 1));
    daily.SetRepetition(2);

    auto& weekly = static_cast<TVemoraEntryWeekly&>(AddEntry(list, ekWeekly, Day(2024, 1, 1), "Choir"));
    weekly.SetWeekdays((1 << 2) | (1 << 5)); // Monday, Thursday
    weekly.SetMaxCount(10);
    weekly.SetAdvanceWarn(2);
    weekly.SetActive(false);
    weekly.SetComment(QStringLiteral("€ and Ł"));

    auto& monthly = static_cast<TVemoraEntryMonthly&>(AddEntry(list, ekMonthly, Day(2023, 11, 2), "Pay the rent"));
    monthly.SetDayCycle(dcLast);
    monthly.SetDayKind(dkFriday);
    monthly.SetRepetition(3);
    monthly.SetCategory(1);

    auto& yearly = static_cast<TVemoraEntryYearly&>(AddEntry(list, ekYearly, Day(1980, 2, 29), "Anna turns $(COUNT)"));
    yearly.SetMonth(2);
    yearly.SetDay(29);
    yearly.SetMediafile(QStringLiteral("/sounds/bell.wav"));
    yearly.SetIcon(0x10);
    yearly.SetAdvanceWarn(7);

    list.GetDueEntries(Day(2024, 6, 1));
}

class EntryFileTest : public testing::Test {
protected:
    QTemporaryDir Directory;

    QString PathOf(const QString& name) const { return Directory.filePath(name); }

    QString Write(const QByteArray& content, const QString& name = QStringLiteral("file.vkd")) const
    {
        const QString path = PathOf(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size())
            ADD_FAILURE() << "cannot write " << path.toStdString();
        return path;
    }

    bool Load(TVemoraEntries& list, const QByteArray& content) const { return list.LoadFromFile(Write(content)); }

    // What SaveToFile writes, without its trip to the disk, for tests that write thousands.
    static QByteArray Written(const TVemoraEntries& list)
    {
        TEntryWriter writer;
        list.SaveToStream(writer);
        return Header(2) + writer.Data();
    }

    QByteArray Saved(const TVemoraEntries& list) const
    {
        const QString path = PathOf(QStringLiteral("saved.vkd"));
        list.SaveToFile(path);
        return ReadWholeFile(path);
    }

    QStringList FolderContent() const
    {
        return QDir(Directory.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
};

TEST_F(EntryFileTest, SmallestVersionTwoFileIsAnEmptyList)
{
    const QByteArray file = Header(2) + QByteArray(5, '\0');
    ASSERT_EQ(file.size(), 28);
    TVemoraEntries list;
    ASSERT_TRUE(Load(list, file));
    EXPECT_EQ(list.Count() + list.Categories().Count(), 0);
    EXPECT_EQ(list.FileVersion(), 2);
    EXPECT_FALSE(list.GetFlag(flagModified));
    EXPECT_EQ(Saved(list), file);
    // A negative entry count reads as none.
    ASSERT_TRUE(Load(list, TBytes().Raw(Header(2)).Byte(0).Int(-5).Data()));
    EXPECT_EQ(list.Count(), 0);
}

// The kind's pattern fields as the reader understood them.
std::vector<int> PatternOf(const TVemoraEntryBasic& entry)
{
    if (auto* daily = dynamic_cast<const TVemoraEntryDaily*>(&entry))
        return {daily->DayKind()};
    if (auto* weekly = dynamic_cast<const TVemoraEntryWeekly*>(&entry))
        return {weekly->Weekdays(), weekly->HasWeekday(2), weekly->HasWeekday(3), weekly->HasWeekday(4)};
    if (auto* yearly = dynamic_cast<const TVemoraEntryYearly*>(&entry))
        return {yearly->DayCycle(), yearly->Day(), yearly->Month()};
    if (auto* monthly = dynamic_cast<const TVemoraEntryMonthly*>(&entry))
        return {monthly->DayCycle(), monthly->DayKind()};
    return {dynamic_cast<const TVemoraEntryOnce*>(&entry) != nullptr};
}

// A second record follows each, so a tail read with the wrong length spoils it.
TEST_F(EntryFileTest, ReadsEveryFieldOfEachKindAndWritesTheSameBytes)
{
    struct TKindCase {
        TEntryKind Kind;
        QByteArray Tail;
        std::vector<int> Pattern;
    };
    const TKindCase cases[] = {
        {ekOnce, QByteArray(), {1}},
        {ekDaily, QByteArray(1, dkAnyDay), {dkAnyDay}},
        {ekWeekly, QByteArray(1, 0x54), {0x54, 1, 0, 1}},
        {ekMonthly, QByteArray(1, static_cast<char>((dcLast << 5) | dkFriday)), {dcLast, dkFriday}},
        {ekYearly, QByteArray("\x1d\x02", 2), {dcNone, 29, 2}}, // day spec, then month
    };
    for (const TKindCase& kind : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << kind.Kind);
        TRecord record{kind.Kind, 1, Day(2024, 2, 5), Day(2026, 12, 31), 3, 12, 0, "a remark", "the alert",
                       "/media/gong.ogg", 5, 0x30, 2};
        record.Tail = kind.Tail;
        TRecord second;
        second.Number = 2;
        second.DisplayText = "second";
        const QByteArray file = Version2File({{"Work", 2}}, {record, second});

        TVemoraEntries list;
        ASSERT_TRUE(Load(list, file));
        ASSERT_EQ(list.Count(), 2);
        const TVemoraEntryBasic& entry = *list.Items(0);
        EXPECT_EQ(std::tuple(entry.Kind(), entry.Number(), entry.DateStart(), entry.DateStop(), entry.Repetition(),
                             entry.MaxCount(), entry.Active(), entry.AdvanceWarn(), entry.Icon(), entry.Category()),
                  std::tuple(int(kind.Kind), 1, Day(2024, 2, 5), Day(2026, 12, 31), 3, 12, false, 5, 0x30, 2));
        EXPECT_EQ(QStringList({entry.Comment(), entry.DisplayText(), entry.Mediafile()}),
                  QStringList({"a remark", "the alert", "/media/gong.ogg"}));
        EXPECT_EQ(entry.Owner(), &list);
        EXPECT_EQ(PatternOf(entry), kind.Pattern);
        EXPECT_EQ(list.Items(1)->DisplayText(), QStringLiteral("second"));
        EXPECT_EQ(list.Items(1)->Kind(), ekOnce);
        EXPECT_EQ(Saved(list), file);
    }
}

TEST_F(EntryFileTest, WritesAndReadsTextsAsWindows1252OrElseUtf8)
{
    TVemoraEntries list;
    list.Categories().AddCategory(QStringLiteral("Bär"), 1);
    list.Categories().AddCategory(QStringLiteral("Büro"), 7);
    auto& yearly = static_cast<TVemoraEntryYearly&>(AddEntry(list, ekYearly, Day(1990, 7, 14), "€ and Ł"));
    yearly.SetMonth(7);
    yearly.SetDay(14);
    yearly.SetComment(QStringLiteral("€5"));
    yearly.SetMediafile(QStringLiteral("/müsic/a.wav"));
    yearly.SetMaxCount(3);
    yearly.SetCategory(7);
    list.GetDueEntries(Day(2024, 1, 1));

    TRecord expected{ekYearly, 1, Day(1990, 7, 14), -1, 1, 3, 1,
                     // "ä", "ü" and "€" have Windows-1252 bytes; "Ł" has none, so that text is written as UTF-8.
                     "\x80" "5", "\xe2\x82\xac and \xc5\x81", "/m\xfcsic/a.wav", 0, 0x40, 7, 1,
                     {Day(1990, 7, 14), Day(1991, 7, 14), Day(1992, 7, 14)}, 1, QByteArray("\x0e\x07", 2)};
    const QByteArray file = Version2File({{"B\xe4r", 1}, {"B\xfcro", 7}}, {expected});
    EXPECT_EQ(Saved(list), file);

    TVemoraEntries loaded;
    ASSERT_TRUE(Load(loaded, file));
    EXPECT_EQ(loaded.Categories().NameAt(0), QStringLiteral("Bär"));
    const TVemoraEntryBasic& entry = *loaded.Items(0);
    EXPECT_EQ(QStringList({entry.Comment(), entry.DisplayText(), entry.Mediafile()}),
              QStringList({"€5", "€ and Ł", "/müsic/a.wav"}));
}

TEST_F(EntryFileTest, BoolsReadAnyNonZeroByteAsTrueAndAreWrittenAsOne)
{
    TRecord record;
    record.Active = 0x80;
    record.Valid = 0x05;
    record.Days = {record.DateStart};
    record.Complete = 0xff;
    TVemoraEntries list;
    ASSERT_TRUE(Load(list, Version2File({}, {record})));
    EXPECT_TRUE(list.Items(0)->Active());
    EXPECT_TRUE(list.Items(0)->MatchList().IsComplete());
    record.Active = record.Valid = record.Complete = 1;
    EXPECT_EQ(Saved(list), Version2File({}, {record}));
}

const qint32 D1 = Day(2024, 3, 1);
const qint32 D2 = Day(2024, 3, 2);
const qint32 D3 = Day(2024, 3, 3);

// A record after the cache shows that the cache was read through whatever was kept of it.
TEST_F(EntryFileTest, ReadsTheCacheAndWritesWhatItKept)
{
    struct TCacheCase {
        const char* Name;
        quint8 Valid;
        std::vector<qint32> Days;
        quint8 Complete;
        bool Kept;
    };
    const TCacheCase cases[] = {
        {"valid_and_complete", 1, {D1, D2, D3}, 1, true},
        {"valid_and_partial", 1, {D1, D2}, 0, true},
        {"valid_and_empty", 1, {}, 0, true},
        {"invalid_days_are_read_and_dropped", 0, {D1, D2}, 1, false},
        {"descending_days_are_invalid", 1, {D2, D1}, 1, false},
        {"repeated_day_is_invalid", 1, {D1, D1, D2}, 0, false},
        {"day_before_the_start_is_invalid", 1, {D1 - 1, D1}, 0, false},
    };
    for (const TCacheCase& cache : cases) {
        SCOPED_TRACE(cache.Name);
        TRecord record;
        record.Kind = ekDaily;
        record.Tail = QByteArray(1, dkAnyDay);
        record.Valid = cache.Valid;
        record.Days = cache.Days;
        record.Complete = cache.Complete;
        TRecord second;
        second.Number = 2;
        second.DisplayText = "after the cache";

        TVemoraEntries list;
        ASSERT_TRUE(Load(list, Version2File({}, {record, second})));
        ASSERT_EQ(list.Count(), 2);
        const TMatchlist& matches = list.Items(0)->MatchList();
        EXPECT_EQ(matches.Valid(), cache.Kept);
        EXPECT_EQ(matches.Days(), cache.Kept ? cache.Days : std::vector<qint32>{});
        EXPECT_EQ(matches.IsComplete(), cache.Kept && cache.Complete);
        EXPECT_EQ(list.Items(1)->DisplayText(), QStringLiteral("after the cache"));

        if (!cache.Kept) {
            record.Valid = record.Complete = 0;
            record.Days.clear();
        }
        EXPECT_EQ(Saved(list), Version2File({}, {record, second}));
    }
}

TEST_F(EntryFileTest, VersionOneRecordLoadsAsAYearlyEntryAndSavesAsVersionTwo)
{
    TVemoraEntries list;
    ASSERT_TRUE(Load(list, OldFile(1, {TOldRecord{}})));
    EXPECT_EQ(list.FileVersion(), 1);
    EXPECT_TRUE(list.GetFlag(flagModified));
    EXPECT_EQ(list.Categories().Count(), 0);
    ASSERT_EQ(list.Count(), 1);
    auto* yearly = dynamic_cast<TVemoraEntryYearly*>(list.Items(0));
    ASSERT_NE(yearly, nullptr);
    EXPECT_EQ(std::tuple(yearly->DateStart(), yearly->Month(), yearly->DayCycle(), yearly->Day(),
                         yearly->Repetition(), yearly->HasDateStop(), yearly->HasMaxCount(), yearly->Category(),
                         yearly->MatchList().Valid(), yearly->Icon(), yearly->AdvanceWarn(), yearly->Active()),
              std::tuple(Day(1900, 12, 24), 12, int(dcNone), 24, 0, false, false, 0, false, 0x30, 3, true));
    qint32 next = 0;
    ASSERT_TRUE(yearly->FindOccurrence(Day(2030, 12, 24), next, FindNext));
    EXPECT_EQ(next, Day(2031, 12, 24));

    TRecord expected{ekYearly, 1, Day(1900, 12, 24), -1, 0, -1, 1, "old", "Christmas Eve", "bells.wav", 3, 0x30, 0, 1};
    // The search above cached every Christmas Eve from 1900 on.
    for (int year = 1900; year <= 2031; ++year)
        expected.Days.push_back(Day(year, 12, 24));
    expected.Tail = QByteArray("\x18\x0c", 2);
    EXPECT_EQ(Saved(list), Version2File({}, {expected}));
}

TEST_F(EntryFileTest, VersionZeroRecordsHaveNoIconByte)
{
    TVemoraEntries list;
    ASSERT_TRUE(Load(list, OldFile(0, {TOldRecord{}, TOldRecord{1, 4, "Fools", 0, 0}})));
    EXPECT_EQ(list.FileVersion(), 0);
    EXPECT_TRUE(list.GetFlag(flagModified));
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Items(0)->Icon(), IconInformation);
    EXPECT_EQ(list.Items(0)->Mediafile(), QStringLiteral("bells.wav"));
    const TVemoraEntryBasic& second = *list.Items(1);
    EXPECT_EQ(std::tuple(second.DateStart(), second.DisplayText(), second.Active(), second.Number()),
              std::tuple(Day(1900, 4, 1), QStringLiteral("Fools"), false, 2));
}

TEST_F(EntryFileTest, OldRecordOnTheTwentyNinthOfFebruaryStartsIn1904)
{
    TVemoraEntries list;
    ASSERT_TRUE(Load(list, OldFile(1, {TOldRecord{29, 2}})));
    auto& yearly = dynamic_cast<TVemoraEntryYearly&>(*list.Items(0));
    EXPECT_EQ(std::tuple(yearly.DateStart(), yearly.Month(), yearly.Day()), std::tuple(Day(1904, 2, 29), 2, 29));
    qint32 next = 0;
    ASSERT_TRUE(yearly.FindOccurrence(Day(2021, 1, 1), next, FindNext));
    EXPECT_EQ(next, Day(2024, 2, 29));
}

TEST_F(EntryFileTest, ImpossibleOldDateFailsAndLeavesTheListAlone)
{
    const TOldRecord impossible[] = {{30, 2}, {31, 4}, {0, 5}, {5, 0}, {1, 13}, {255, 1}};
    for (const TOldRecord& record : impossible) {
        SCOPED_TRACE(testing::Message() << int(record.DayOfMonth) << "." << int(record.Month) << ".");
        TVemoraEntries list;
        ASSERT_TRUE(Load(list, OldFile(1, {TOldRecord{}})));
        EXPECT_THROW(Load(list, OldFile(1, {TOldRecord{}, record})), EInvalidDate);
        ASSERT_EQ(list.Count(), 1);
        EXPECT_EQ(list.Items(0)->DateStart(), Day(1900, 12, 24));
    }
}

QByteArray OneRecordFile(const std::function<void(TRecord&)>& change)
{
    TRecord record;
    change(record);
    return Version2File({{"Work", 2}}, {record});
}

QByteArray WithMediafileLength(const QByteArray& length)
{
    return OneRecordFile([](TRecord& r) { r.Mediafile = "abc"; })
        .replace(QByteArray("\x03\0\0\0abc", 7), length + "abc");
}

QByteArray CountedRecords(qint32 count)
{
    TBytes bytes;
    bytes.Raw(Header(2)).Byte(0).Int(count);
    AppendRecord(bytes, TRecord{});
    return bytes.Data();
}

QByteArray CachedFile(std::vector<qint32> days)
{
    TRecord record;
    record.Valid = 1;
    record.Days = std::move(days);
    return Version2File({}, {record});
}

// The list keeps its entries, categories, version and modified flag.
TEST_F(EntryFileTest, RejectedFileLeavesTheListAsItWas)
{
    struct TRejectedCase {
        const char* Name;
        QByteArray Content; // empty: the file does not exist
        bool Throws;        // else LoadFromFile answers false
    };
    const QByteArray huge("\x01\xff\xff\xff\x7f", 5);
    const TRejectedCase cases[] = {
        {"missing_file", QByteArray(), true},
        {"version_3", Header(3) + QByteArray(5, '\0'), false},
        {"version_255", Header(255) + QByteArray(5, '\0'), false},
        {"other_magic", QByteArray("Vemora configure file\x1b\x02", 23) + QByteArray(5, '\0'), false},
        {"shorter_than_a_header", Header(2).left(22), false},
        {"header_without_body", Header(2), true},
        {"old_header_without_body", Header(1), true},
        {"type_byte_5", OneRecordFile([](TRecord& r) { r.Kind = 5; }), true},
        {"type_byte_255", OneRecordFile([](TRecord& r) { r.Kind = 255; }), true},
        {"yearly_without_month", OneRecordFile([](TRecord& r) { r.Kind = ekYearly; r.Tail = "\x01"; }), true},
        {"negative_text_length", WithMediafileLength("\xff\xff\xff\xff"), true},
        {"huge_text_length", WithMediafileLength("\xff\xff\xff\x7f"), true},
        {"text_one_byte_past_the_end", TBytes().Raw(Header(2)).Byte(1).Int(5).Raw("Work").Data(), true},
        {"huge_entry_count", CountedRecords(0x7fffffff), true},
        {"one_entry_fewer_than_counted", CountedRecords(2), true},
        {"huge_old_entry_count", TBytes().Raw(Header(0)).Int(0x40000000).Data(), true},
        {"category_count_beyond_the_data", TBytes().Raw(Header(2)).Byte(200).String("Work").Byte(1).Int(0).Data(),
         true},
        {"huge_cache_count", CachedFile({D1}).replace(QByteArray("\x01\x01\0\0\0", 5), huge), true},
        {"cache_shorter_than_counted", CachedFile({D1, D2, D3}).chopped(5), true}, // the last day and complete
    };
    for (const TRejectedCase& rejected : cases) {
        SCOPED_TRACE(rejected.Name);
        TVemoraEntries list;
        FillSample(list);
        list.Delete(0);
        ASSERT_TRUE(list.GetFlag(flagModified));
        std::vector<TVemoraEntryBasic*> entries;
        for (int i = 0; i < list.Count(); ++i)
            entries.push_back(list.Items(i));

        const QString path =
            rejected.Content.isEmpty() ? PathOf(QStringLiteral("missing.vkd")) : Write(rejected.Content);
        if (rejected.Throws)
            EXPECT_THROW(list.LoadFromFile(path), EEntryFileError);
        else
            EXPECT_FALSE(list.LoadFromFile(path));

        ASSERT_EQ(list.Count(), static_cast<int>(entries.size()));
        for (int i = 0; i < list.Count(); ++i)
            EXPECT_EQ(list.Items(i), entries[static_cast<std::size_t>(i)]);
        EXPECT_EQ(list.Categories().Count(), 2);
        EXPECT_EQ(list.FileVersion(), 0);
        EXPECT_TRUE(list.GetFlag(flagModified));
    }
}

// Every cut of a real file is a damaged file: the header test or the body reader must notice.
// The whole file reads back and writes the same bytes again.
TEST_F(EntryFileTest, EveryTruncationIsRejected)
{
    TVemoraEntries sample;
    FillSample(sample);
    for (const QByteArray& file : {Saved(sample), OldFile(1, {TOldRecord{}, TOldRecord{}}), OldFile(0, {{}})}) {
        for (qsizetype length = 0; length < file.size(); ++length) {
            SCOPED_TRACE(testing::Message() << "version " << int(file[22]) << ", " << length << " bytes");
            TVemoraEntries list;
            if (length < 23)
                EXPECT_FALSE(Load(list, file.left(length)));
            else
                EXPECT_THROW(Load(list, file.left(length)), EEntryFileError);
            EXPECT_EQ(list.Count(), 0);
        }
        TVemoraEntries list;
        ASSERT_TRUE(Load(list, file));
        if (file[22] == 2) {
            EXPECT_FALSE(list.GetFlag(flagModified));
            EXPECT_EQ(list.Count(), sample.Count());
            EXPECT_EQ(list.Categories().NameAt(1), QStringLiteral("Bär"));
            EXPECT_EQ(Written(list), file);
        }
    }
}

// A damaged byte anywhere either still reads (and then writes back stably) or is refused with
// an entry file or date error.
TEST_F(EntryFileTest, EveryDamagedByteEndsInAResultOrAFileError)
{
    TVemoraEntries sample;
    FillSample(sample);
    const QByteArray file = Saved(sample);
    for (qsizetype position = 23; position < file.size(); ++position) {
        for (const char damage : {'\xff', '\x80', '\x00'}) {
            QByteArray damaged = file;
            damaged[position] = damage;
            SCOPED_TRACE(testing::Message() << "byte " << position << " := " << int(quint8(damage)));
            TVemoraEntries list;
            try {
                if (!Load(list, damaged))
                    continue;
            } catch (const EEntryFileError&) {
                continue;
            }
            const QByteArray once = Written(list);
            TVemoraEntries again;
            ASSERT_TRUE(Load(again, once));
            EXPECT_EQ(Written(again), once);
        }
    }
}

TEST_F(EntryFileTest, SaveReplacesAnExistingFileAndLeavesNoTemporaryFile)
{
    const QString path = Write("an older and rather longer content than the new one");
    TVemoraEntries list;
    list.SaveToFile(path);
    EXPECT_EQ(ReadWholeFile(path), Header(2) + QByteArray(5, '\0'));
    EXPECT_EQ(FolderContent(), QStringList{QStringLiteral("file.vkd")});
}

// With a low file size limit, writing fails (SIGXFSZ ignored) instead of ending the process.
TEST_F(EntryFileTest, FailedSaveThrowsAndKeepsTheOldFile)
{
    TVemoraEntries list;
    FillSample(list);
    const QString path = Write("the old content");
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit limit = saved;
    limit.rlim_cur = 64;
    const auto savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    EXPECT_THROW(list.SaveToFile(path), EEntryFileError);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedHandler);
    EXPECT_EQ(ReadWholeFile(path), "the old content");
    EXPECT_EQ(FolderContent(), QStringList{QStringLiteral("file.vkd")});
}

TEST_F(EntryFileTest, SavingOntoADirectoryOrIntoAMissingFolderThrowsAndChangesNothing)
{
    ASSERT_TRUE(QDir(Directory.path()).mkdir(QStringLiteral("folder.vkd")));
    TVemoraEntries list;
    EXPECT_THROW(list.SaveToFile(PathOf(QStringLiteral("folder.vkd"))), EEntryFileError);
    EXPECT_TRUE(QFileInfo(PathOf(QStringLiteral("folder.vkd"))).isDir());
    EXPECT_THROW(list.SaveToFile(PathOf(QStringLiteral("missing/file.vkd"))), EEntryFileError);
    EXPECT_EQ(FolderContent(), QStringList{QStringLiteral("folder.vkd")});
}

} // namespace
