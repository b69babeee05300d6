// Entry files are built byte by byte here, apart from the program's writer, so that a fault in
// the reader or in the writer shows up against bytes that neither of them produced.
#include "model/EntryFactory.h"
#include "model/ModelErrors.h"
#include "model/VemoraEntries.h"
#include "model/VemoraEntryKinds.h"
#include "model/VemoraEntryMonthRelated.h"

#include "EntryFileBytes.h"
#include "TestSupport.h"

#include <QDir>

#include <sys/resource.h>

#include <csignal>
#include <tuple>

namespace {

// A record of versions 0 and 1: a yearly date by day and month; the icon only in version 1.
struct TOldRecord {
    quint8 DayOfMonth = 24;
    quint8 Month = 12;
    QByteArray DisplayText = "Christmas Eve";
    quint8 Active = 1;
};

QByteArray OldFile(int version, const std::vector<TOldRecord>& records)
{
    TBytes bytes;
    bytes.Raw(Header(version)).Int(static_cast<qint32>(records.size()));
    for (const TOldRecord& record : records) {
        bytes.Byte(record.DayOfMonth).Byte(record.Month).String("old").String(record.DisplayText);
        bytes.Byte(record.Active).Byte(3).String("bells.wav");
        if (version == 1)
            bytes.Byte(0x30);
    }
    return bytes.Data();
}

const qint32 D1 = Day(2024, 3, 1);

struct TKindCase {
    TEntryKind Kind;
    QByteArray Tail;
    std::vector<int> Pattern; // as PatternOf reports it
};

const TKindCase KindCases[] = {
    {ekOnce, QByteArray(), {1}},
    {ekDaily, QByteArray(1, dkAnyDay), {dkAnyDay}},
    {ekWeekly, QByteArray(1, 0x54), {0x54, 1, 0, 1}},
    {ekMonthly, QByteArray(1, static_cast<char>((dcLast << 5) | dkFriday)), {dcLast, dkFriday}},
    {ekYearly, QByteArray("\x1d\x02", 2), {dcNone, 29, 2}}, // day spec, then month
};

// Every field away from its default. "€" and "ü" have Windows-1252 bytes; "Ł" has none, so
// that text is in UTF-8.
TRecord RecordOfKind(const TKindCase& kind, quint16 number = 1)
{
    TRecord record{kind.Kind, number, D1, Day(2026, 12, 31), 3, 12, 0, "\x80" "5", "\xe2\x82\xac and \xc5\x81",
                   "/m\xfcsic/a.wav", 5, 0x30, 2};
    record.Tail = kind.Tail;
    return record;
}

// One record of each kind; the daily one with a cache, the weekly one with a cache large enough
// to stay in the file until it is needed.
QByteArray SampleFile()
{
    std::vector<TRecord> records;
    for (const TKindCase& kind : KindCases)
        records.push_back(RecordOfKind(kind, static_cast<quint16>(records.size() + 1)));
    records[1].Valid = records[1].Complete = records[2].Valid = 1;
    records[1].Days = {D1, D1 + 3};
    for (qint32 day = D1; day < D1 + 70; ++day)
        records[2].Days.push_back(day);
    return Version2File({{"B\xe4r", 2}, {"Work", 5}}, records);
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

class EntryFileTest : public testing::Test {
protected:
    TTemporaryHome Home;

    QString Write(const QByteArray& content) const { return Home.WriteFile(QStringLiteral("file.vkd"), content); }
    bool Load(TVemoraEntries& list, const QByteArray& content) const { return list.LoadFromFile(Write(content)); }

    QByteArray Saved(const TVemoraEntries& list) const
    {
        const QString path = Home.FilePath(QStringLiteral("saved.vkd"));
        list.SaveToFile(path);
        return ReadWholeFile(path);
    }
};

// A second record follows each, so a tail read with the wrong length spoils it.
TEST_F(EntryFileTest, ReadsEveryFieldOfEachKindAndWritesTheSameBytes)
{
    for (const TKindCase& kind : KindCases) {
        SCOPED_TRACE(testing::Message() << "kind " << kind.Kind);
        TRecord second;
        second.Number = 2;
        const QByteArray file = Version2File({{"B\xe4r", 2}}, {RecordOfKind(kind), second});
        TVemoraEntries list;
        ASSERT_TRUE(Load(list, file));
        ASSERT_EQ(list.Count(), 2);
        const TVemoraEntryBasic& entry = *list.Items(0);
        EXPECT_EQ(std::tuple(entry.Kind(), entry.Number(), entry.DateStart(), entry.DateStop(), entry.Repetition(),
                             entry.MaxCount(), entry.Active(), entry.AdvanceWarn(), entry.Icon(), entry.Category()),
                  std::tuple(int(kind.Kind), 1, D1, Day(2026, 12, 31), 3, 12, false, 5, 0x30, 2));
        EXPECT_EQ(QStringList({entry.Comment(), entry.DisplayText(), entry.Mediafile(), list.Categories().NameAt(0),
                               list.Items(1)->DisplayText()}),
                  QStringList({"€5", "€ and Ł", "/müsic/a.wav", "Bär", "Dentist"}));
        EXPECT_EQ(entry.Owner(), &list);
        EXPECT_EQ(PatternOf(entry), kind.Pattern);
        EXPECT_EQ(Saved(list), file);
        auto copy = CreateEntry(kind.Kind); // takes the texts, not the dates
        copy->Assign(entry);
        EXPECT_EQ(std::tuple(copy->Comment(), copy->DateStart(), copy->Compare(entry, 1)), std::tuple(entry.Comment(), 0, -1));
    }
}

// A record after the cache shows that the cache was read through whatever was kept of it. Bools
// read any byte but zero as true and are written as one.
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
        {"valid_and_complete", 0x05, {D1, D1 + 1, D1 + 2}, 0xff, true},
        {"valid_and_partial", 1, {D1, D1 + 1}, 0, true},
        {"invalid_days_are_read_and_dropped", 0, {D1, D1 + 1}, 1, false},
        {"descending_days_are_invalid", 1, {D1 + 1, D1}, 1, false},
        {"repeated_day_is_invalid", 1, {D1, D1, D1 + 1}, 0, false},
        {"day_before_the_start_is_invalid", 1, {D1 - 1, D1}, 0, false},
    };
    for (const TCacheCase& cache : cases) {
        SCOPED_TRACE(cache.Name);
        TRecord record{ekDaily};
        record.Tail = QByteArray(1, dkAnyDay);
        record.Active = 0x80;
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
        EXPECT_EQ(std::tuple(matches.Valid(), matches.IsComplete(), list.Items(0)->Active()),
                  std::tuple(cache.Kept, cache.Kept && cache.Complete, true));
        EXPECT_EQ(matches.Days(), cache.Kept ? cache.Days : std::vector<qint32>{});
        EXPECT_EQ(list.Items(1)->DisplayText(), QStringLiteral("after the cache"));

        record.Active = 1;
        record.Valid = cache.Kept;
        record.Complete = cache.Kept && cache.Complete;
        if (!cache.Kept)
            record.Days.clear();
        EXPECT_EQ(Saved(list), Version2File({}, {record, second}));
    }
}

// 29 February is no day of 1900, so such a record starts in 1904. Version 0 has no icon byte.
TEST_F(EntryFileTest, OldRecordsLoadAsYearlyEntriesAndSaveAsVersionTwo)
{
    TVemoraEntries list;
    ASSERT_TRUE(Load(list, OldFile(1, {TOldRecord{}, TOldRecord{29, 2, "Leap", 0}})));
    EXPECT_EQ(list.FileVersion(), 1);
    EXPECT_TRUE(list.GetFlag(flagModified));
    const TRecord christmas{ekYearly, 1, Day(1900, 12, 24), -1, 0, -1, 1, "old", "Christmas Eve", "bells.wav",
                            3, 0x30, 0, 0, {}, 0, QByteArray("\x18\x0c", 2)};
    const TRecord leap{ekYearly, 2, Day(1904, 2, 29), -1, 0, -1, 0, "old", "Leap", "bells.wav",
                       3, 0x30, 0, 0, {}, 0, QByteArray("\x1d\x02", 2)};
    EXPECT_EQ(Saved(list), Version2File({}, {christmas, leap}));

    ASSERT_TRUE(Load(list, OldFile(0, {TOldRecord{}})));
    EXPECT_EQ(list.FileVersion(), 0);
    EXPECT_EQ(list.Items(0)->Icon(), IconInformation);
    EXPECT_EQ(list.Items(0)->Mediafile(), QStringLiteral("bells.wav"));
}

QByteArray WithCommentLength(qint32 length)
{
    const QByteArray note("\x04\0\0\0note", 8);
    return Version2File({}, {TRecord{}}).replace(note, TBytes().Int(length).Raw("note").Data());
}

// The list keeps its entries, categories, version and modified flag.
TEST_F(EntryFileTest, RejectedFileLeavesTheListAsItWas)
{
    enum TOutcome { Refused, FileError, DateError };
    const std::tuple<const char*, QByteArray, TOutcome> cases[] = {
        {"missing_file", QByteArray(), FileError},
        {"version_3", Header(3) + QByteArray(5, '\0'), Refused},
        {"other_magic", QByteArray("Vemora configure file\x1b\x02", 23) + QByteArray(5, '\0'), Refused},
        {"type_byte_5", Version2File({}, {TRecord{5}}), FileError},
        {"negative_text_length", WithCommentLength(-1), FileError},
        {"huge_text_length", WithCommentLength(0x7fffffff), FileError},
        {"huge_entry_count", TBytes().Raw(Header(2)).Byte(0).Int(0x7fffffff).Data(), FileError},
        {"huge_old_entry_count", TBytes().Raw(Header(0)).Int(0x40000000).Data(), FileError},
        {"impossible_old_date", OldFile(1, {TOldRecord{}, TOldRecord{30, 2}}), DateError},
    };
    for (const auto& [name, content, outcome] : cases) {
        SCOPED_TRACE(name);
        TVemoraEntries list;
        ASSERT_TRUE(Load(list, SampleFile()));
        list.Delete(0);
        TVemoraEntryBasic* const first = list.Items(0);

        const QString path = content.isEmpty() ? Home.FilePath(QStringLiteral("missing.vkd")) : Write(content);
        if (outcome == FileError)
            EXPECT_THROW(list.LoadFromFile(path), EEntryFileError);
        else if (outcome == DateError)
            EXPECT_THROW(list.LoadFromFile(path), EInvalidDate);
        else
            EXPECT_FALSE(list.LoadFromFile(path));

        EXPECT_EQ(std::tuple(list.Count(), list.Items(0), list.Categories().Count(), list.FileVersion(),
                             list.GetFlag(flagModified)),
                  std::tuple(4, first, 2, 2, true));
    }
}

// Every cut of a file is a damaged file: the header test or the body reader must notice, and the
// list keeps what it had. The whole file reads back and writes the same bytes again.
TEST_F(EntryFileTest, EveryTruncationIsRejectedAndTheWholeFileRoundTrips)
{
    for (const QByteArray& file : {SampleFile(), OldFile(1, {{}, {}}), OldFile(0, {{}})}) {
        for (qsizetype length = 0; length < file.size(); ++length) {
            SCOPED_TRACE(testing::Message() << "version " << int(file[22]) << ", " << length << " bytes");
            TVemoraEntries list;
            list.AddEntry(CreateEntry(ekOnce));
            if (length < 23)
                EXPECT_FALSE(Load(list, file.left(length)));
            else
                EXPECT_THROW(Load(list, file.left(length)), EEntryFileError);
            EXPECT_EQ(list.Count(), 1);
        }
        TVemoraEntries list;
        ASSERT_TRUE(Load(list, file));
        if (file[22] == 2) {
            EXPECT_EQ(std::tuple(list.FileVersion(), list.GetFlag(flagModified)), std::tuple(2, false));
            EXPECT_EQ(Saved(list), file);
        }
    }
}

// With a low file size limit, writing fails (SIGXFSZ ignored) instead of ending the process; the
// old file stays, and no temporary file is left behind.
TEST_F(EntryFileTest, SavingReplacesTheFileOnlyWhenAllWasWritten)
{
    const QString path = Write("an older and rather longer content than the new one");
    TVemoraEntries list;
    list.SaveToFile(path);
    const QByteArray empty = Header(2) + QByteArray(5, '\0');
    EXPECT_EQ(ReadWholeFile(path), empty);
    ASSERT_TRUE(list.LoadFromFile(path)); // the smallest file
    ASSERT_TRUE(Load(list, SampleFile()));
    Write(empty);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit limit = saved;
    limit.rlim_cur = 64;
    const auto savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    EXPECT_THROW(list.SaveToFile(path), EEntryFileError);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedHandler);
    EXPECT_EQ(ReadWholeFile(path), empty);

    ASSERT_TRUE(QDir(Home.Path()).mkdir(QStringLiteral("folder.vkd")));
    EXPECT_THROW(list.SaveToFile(Home.FilePath(QStringLiteral("folder.vkd"))), EEntryFileError);
    EXPECT_THROW(list.SaveToFile(Home.FilePath(QStringLiteral("missing/file.vkd"))), EEntryFileError);
    EXPECT_EQ(QDir(Home.Path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{QStringLiteral("file.vkd"), QStringLiteral("folder.vkd")}));
}

} // namespace
