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
#include <vector>

namespace {

// A record of versions 0 and 1: a yearly date by day and month; the icon only in version 1.
struct TOldRecord {
    quint8 DayOfMonth = 24;
    quint8 Month = 12;
    QByteArray Comment = "old";
    QByteArray DisplayText = "Christmas Eve";
    quint8 Active = 1;
    quint8 AdvanceWarn = 3;
    QByteArray Mediafile = "bells.wav";
    quint8 Icon = 0x30;
};

QByteArray OldFile(int version, const std::vector<TOldRecord>& records)
{
    TBytes bytes;
    bytes.Raw(Header(version)).Int(static_cast<qint32>(records.size()));
    for (const TOldRecord& record : records) {
        bytes.Byte(record.DayOfMonth).Byte(record.Month).String(record.Comment).String(record.DisplayText);
        bytes.Byte(record.Active).Byte(record.AdvanceWarn).String(record.Mediafile);
        if (version == 1)
            bytes.Byte(record.Icon);
    }
    return bytes.Data();
}

// A new entry of the kind with a series that has no end; Clear leaves limits of 0.
std::unique_ptr<TVemoraEntryBasic> NewEntry(TEntryKind kind, qint32 start, const QString& text)
{
    std::unique_ptr<TVemoraEntryBasic> entry = CreateEntry(kind);
    entry->SetDateStart(start);
    entry->SetDateStop(NoDateStop);
    entry->SetMaxCount(NoMaxCount);
    entry->SetRepetition(1);
    entry->SetDisplayText(text);
    return entry;
}

// One entry of every kind with most fields away from their defaults, and computed caches.
void FillSample(TVemoraEntries& list)
{
    list.Categories().AddCategory(QStringLiteral("Family"), 1);
    list.Categories().AddCategory(QStringLiteral("Bär"), 3);

    auto once = NewEntry(ekOnce, Day(2024, 5, 17), QStringLiteral("Dentist"));
    once->SetCategory(3);
    once->SetComment(QStringLiteral("bring the card"));
    list.AddEntry(std::move(once));

    auto daily = NewEntry(ekDaily, Day(2024, 1, 6), QStringLiteral("Stand-up"));
    static_cast<TVemoraEntryDaily&>(*daily).SetDayKind(dkWorkingDay);
    daily->SetDateStop(Day(2024, 2, 1));
    daily->SetRepetition(2);
    list.AddEntry(std::move(daily));

    auto weekly = NewEntry(ekWeekly, Day(2024, 1, 1), QStringLiteral("Choir"));
    static_cast<TVemoraEntryWeekly&>(*weekly).SetWeekdays((1 << 2) | (1 << 5)); // Monday, Thursday
    weekly->SetMaxCount(10);
    weekly->SetAdvanceWarn(2);
    weekly->SetActive(false);
    weekly->SetComment(QStringLiteral("€ and Ł"));
    list.AddEntry(std::move(weekly));

    auto monthly = NewEntry(ekMonthly, Day(2023, 11, 2), QStringLiteral("Pay the rent"));
    auto& monthRelated = static_cast<TVemoraEntryMonthly&>(*monthly);
    monthRelated.SetDayCycle(dcLast);
    monthRelated.SetDayKind(dkFriday);
    monthly->SetRepetition(3);
    monthly->SetCategory(1);
    list.AddEntry(std::move(monthly));

    auto yearly = NewEntry(ekYearly, Day(1980, 2, 29), QStringLiteral("Anna turns $(COUNT) today"));
    auto& birthday = static_cast<TVemoraEntryYearly&>(*yearly);
    birthday.SetMonth(2);
    birthday.SetDay(29);
    yearly->SetMediafile(QStringLiteral("/sounds/bell.wav"));
    yearly->SetIcon(0x10);
    yearly->SetAdvanceWarn(7);
    list.AddEntry(std::move(yearly));

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
};

TEST_F(EntryFileTest, SmallestVersionTwoFileIsAnEmptyList)
{
    const QByteArray file = Header(2) + QByteArray(5, '\0');
    ASSERT_EQ(file.size(), 28);
    TVemoraEntries list;
    ASSERT_TRUE(Load(list, file));
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Categories().Count(), 0);
    EXPECT_EQ(list.FileVersion(), 2);
    EXPECT_FALSE(list.GetFlag(flagModified));
    EXPECT_EQ(Saved(list), file);
}

struct TKindCase {
    const char* Name;
    TEntryKind Kind;
    QByteArray Tail;
    std::function<void(TVemoraEntryBasic&)> CheckPattern;
};

class KindRecordTest : public EntryFileTest, public testing::WithParamInterface<TKindCase> {};

// A second record follows, so a tail read with the wrong length spoils it.
TEST_P(KindRecordTest, ReadsEveryFieldAndWritesTheSameBytes)
{
    TRecord record;
    record.Kind = GetParam().Kind;
    record.DateStart = Day(2024, 2, 5);
    record.DateStop = Day(2026, 12, 31);
    record.Repetition = 3;
    record.MaxCount = 12;
    record.Active = 0;
    record.Comment = "a remark";
    record.DisplayText = "the alert";
    record.Mediafile = "/media/gong.ogg";
    record.AdvanceWarn = 5;
    record.Icon = 0x30;
    record.Category = 2;
    record.Tail = GetParam().Tail;
    TRecord second;
    second.Number = 2;
    second.DisplayText = "second";
    const QByteArray file = Version2File({{"Work", 2}}, {record, second});

    TVemoraEntries list;
    ASSERT_TRUE(Load(list, file));
    ASSERT_EQ(list.Count(), 2);
    TVemoraEntryBasic& entry = *list.Items(0);
    EXPECT_EQ(entry.Kind(), GetParam().Kind);
    EXPECT_EQ(entry.Number(), 1);
    EXPECT_EQ(entry.DateStart(), Day(2024, 2, 5));
    EXPECT_EQ(entry.DateStop(), Day(2026, 12, 31));
    EXPECT_EQ(entry.Repetition(), 3);
    EXPECT_EQ(entry.MaxCount(), 12);
    EXPECT_FALSE(entry.Active());
    EXPECT_EQ(entry.Comment(), QStringLiteral("a remark"));
    EXPECT_EQ(entry.DisplayText(), QStringLiteral("the alert"));
    EXPECT_EQ(entry.Mediafile(), QStringLiteral("/media/gong.ogg"));
    EXPECT_EQ(entry.AdvanceWarn(), 5);
    EXPECT_EQ(entry.Icon(), 0x30);
    EXPECT_EQ(entry.Category(), 2);
    EXPECT_EQ(entry.Owner(), &list);
    GetParam().CheckPattern(entry);
    EXPECT_EQ(list.Items(1)->DisplayText(), QStringLiteral("second"));
    EXPECT_EQ(list.Items(1)->Kind(), ekOnce);

    EXPECT_EQ(Saved(list), file);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, KindRecordTest,
    testing::Values(
        TKindCase{"once_has_no_tail", ekOnce, QByteArray(),
                  [](TVemoraEntryBasic& entry) { EXPECT_NE(dynamic_cast<TVemoraEntryOnce*>(&entry), nullptr); }},
        TKindCase{"daily_day_kind", ekDaily, QByteArray(1, dkAnyDay),
                  [](TVemoraEntryBasic& entry) {
                      EXPECT_EQ(dynamic_cast<TVemoraEntryDaily&>(entry).DayKind(), dkAnyDay);
                  }},
        TKindCase{"weekly_weekday_bits", ekWeekly, QByteArray(1, 0x54),
                  [](TVemoraEntryBasic& entry) {
                      auto& weekly = dynamic_cast<TVemoraEntryWeekly&>(entry);
                      EXPECT_EQ(weekly.Weekdays(), 0x54);
                      EXPECT_TRUE(weekly.HasWeekday(2) && weekly.HasWeekday(4) && weekly.HasWeekday(6));
                      EXPECT_FALSE(weekly.HasWeekday(1) || weekly.HasWeekday(3) || weekly.HasWeekday(7));
                  }},
        TKindCase{"monthly_day_spec", ekMonthly, QByteArray(1, static_cast<char>((dcLast << 5) | dkFriday)),
                  [](TVemoraEntryBasic& entry) {
                      auto& monthly = dynamic_cast<TVemoraEntryMonthly&>(entry);
                      EXPECT_EQ(monthly.DayCycle(), dcLast);
                      EXPECT_EQ(monthly.DayKind(), dkFriday);
                  }},
        TKindCase{"yearly_day_spec_then_month", ekYearly, QByteArray("\x1d\x02", 2),
                  [](TVemoraEntryBasic& entry) {
                      auto& yearly = dynamic_cast<TVemoraEntryYearly&>(entry);
                      EXPECT_EQ(yearly.DayCycle(), dcNone);
                      EXPECT_EQ(yearly.Day(), 29);
                      EXPECT_EQ(yearly.Month(), 2);
                  }}),
    [](const testing::TestParamInfo<TKindCase>& info) { return std::string(info.param.Name); });

TEST_F(EntryFileTest, WritesAListBuiltInMemoryByteForByte)
{
    TVemoraEntries list;
    list.Categories().AddCategory(QStringLiteral("Bär"), 1);
    list.Categories().AddCategory(QStringLiteral("Büro"), 7);
    auto entry = NewEntry(ekYearly, Day(1990, 7, 14), QStringLiteral("€ and Ł"));
    auto& yearly = static_cast<TVemoraEntryYearly&>(*entry);
    yearly.SetMonth(7);
    yearly.SetDay(14);
    entry->SetComment(QStringLiteral("€5"));
    entry->SetMaxCount(3);
    entry->SetCategory(7);
    list.AddEntry(std::move(entry));
    list.GetDueEntries(Day(2024, 1, 1));

    TRecord expected;
    expected.Kind = ekYearly;
    expected.DateStart = Day(1990, 7, 14);
    expected.MaxCount = 3;
    // "ä", "ü" and "€" have Windows-1252 bytes; "Ł" has none, so that text is written as UTF-8.
    expected.Comment = "\x80" "5";
    expected.DisplayText = "\xe2\x82\xac and \xc5\x81";
    expected.Category = 7;
    expected.Valid = 1;
    expected.Days = {Day(1990, 7, 14), Day(1991, 7, 14), Day(1992, 7, 14)};
    expected.Complete = 1;
    expected.Tail = QByteArray("\x0e\x07", 2);
    EXPECT_EQ(Saved(list), Version2File({{"B\xe4r", 1}, {"B\xfcro", 7}}, {expected}));
}

TEST_F(EntryFileTest, ReadsWindows1252AndUtf8Texts)
{
    TRecord record;
    record.Comment = "\x80" "5";
    record.DisplayText = "\xe2\x82\xac and \xc5\x81";
    record.Mediafile = "/m\xfcsic/a.wav";
    TVemoraEntries list;
    ASSERT_TRUE(Load(list, Version2File({{"B\xe4r", 1}}, {record})));
    EXPECT_EQ(list.Categories().NameAt(0), QStringLiteral("Bär"));
    EXPECT_EQ(list.Items(0)->Comment(), QStringLiteral("€5"));
    EXPECT_EQ(list.Items(0)->DisplayText(), QStringLiteral("€ and Ł"));
    EXPECT_EQ(list.Items(0)->Mediafile(), QStringLiteral("/müsic/a.wav"));
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

struct TCacheCase {
    const char* Name;
    quint8 Valid;
    std::vector<qint32> Days;
    quint8 Complete;
    bool ReadValid;
    std::vector<qint32> ReadDays;
    bool ReadComplete;
};

class CacheBlockTest : public EntryFileTest, public testing::WithParamInterface<TCacheCase> {};

TEST_P(CacheBlockTest, ReadsTheCacheAndWritesWhatItKept)
{
    const TCacheCase& cache = GetParam();
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
    EXPECT_EQ(matches.Valid(), cache.ReadValid);
    EXPECT_EQ(matches.Days(), cache.ReadDays);
    EXPECT_EQ(matches.IsComplete(), cache.ReadComplete);
    EXPECT_EQ(list.Items(1)->DisplayText(), QStringLiteral("after the cache"));

    record.Valid = cache.ReadValid ? 1 : 0;
    record.Days = cache.ReadDays;
    record.Complete = cache.ReadComplete ? 1 : 0;
    EXPECT_EQ(Saved(list), Version2File({}, {record, second}));
}

const qint32 D1 = Day(2024, 3, 1);
const qint32 D2 = Day(2024, 3, 2);
const qint32 D3 = Day(2024, 3, 3);

INSTANTIATE_TEST_SUITE_P(
    Caches, CacheBlockTest,
    testing::Values(TCacheCase{"valid_and_complete", 1, {D1, D2, D3}, 1, true, {D1, D2, D3}, true},
                    TCacheCase{"valid_and_partial", 1, {D1, D2}, 0, true, {D1, D2}, false},
                    TCacheCase{"valid_and_empty", 1, {}, 0, true, {}, false},
                    TCacheCase{"invalid_days_are_read_and_dropped", 0, {D1, D2}, 1, false, {}, false},
                    TCacheCase{"descending_days_are_invalid", 1, {D2, D1}, 1, false, {}, false},
                    TCacheCase{"repeated_day_is_invalid", 1, {D1, D1, D2}, 0, false, {}, false},
                    TCacheCase{"day_before_the_start_is_invalid", 1, {D1 - 1, D1}, 0, false, {}, false}),
    [](const testing::TestParamInfo<TCacheCase>& info) { return std::string(info.param.Name); });

// Walking up to today from there would take billions of steps.
TEST_F(EntryFileTest, StartDayBeforeTheYearOneEndsTheWalkWithAnError)
{
    TRecord record;
    record.Kind = ekDaily;
    record.DateStart = -2000000000;
    record.Tail = QByteArray(1, dkAnyDay);
    TVemoraEntries list;
    ASSERT_TRUE(Load(list, Version2File({}, {record})));
    EXPECT_THROW(list.GetDueEntries(Day(2026, 1, 1)), EDateOverflow);
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
    EXPECT_EQ(yearly->DateStart(), Day(1900, 12, 24));
    EXPECT_EQ(yearly->Month(), 12);
    EXPECT_EQ(yearly->DayCycle(), dcNone);
    EXPECT_EQ(yearly->Day(), 24);
    EXPECT_EQ(yearly->Repetition(), 0);
    EXPECT_FALSE(yearly->HasDateStop());
    EXPECT_FALSE(yearly->HasMaxCount());
    EXPECT_EQ(yearly->Category(), 0);
    EXPECT_FALSE(yearly->MatchList().Valid());
    EXPECT_EQ(yearly->Icon(), 0x30);
    EXPECT_EQ(yearly->AdvanceWarn(), 3);
    EXPECT_TRUE(yearly->Active());
    qint32 next = 0;
    ASSERT_TRUE(yearly->FindOccurrence(Day(2030, 12, 24), next, FindNext));
    EXPECT_EQ(next, Day(2031, 12, 24));

    TRecord expected;
    expected.Kind = ekYearly;
    expected.DateStart = Day(1900, 12, 24);
    expected.Repetition = 0;
    expected.Comment = "old";
    expected.DisplayText = "Christmas Eve";
    expected.Mediafile = "bells.wav";
    expected.AdvanceWarn = 3;
    expected.Icon = 0x30;
    expected.Valid = 1;
    // The search above cached every Christmas Eve from 1900 on.
    for (int year = 1900; year <= 2031; ++year)
        expected.Days.push_back(Day(year, 12, 24));
    expected.Tail = QByteArray("\x18\x0c", 2);
    EXPECT_EQ(Saved(list), Version2File({}, {expected}));
}

TEST_F(EntryFileTest, VersionZeroRecordsHaveNoIconByte)
{
    TOldRecord second;
    second.DayOfMonth = 1;
    second.Month = 4;
    second.DisplayText = "Fools";
    second.Active = 0;
    second.AdvanceWarn = 0;
    second.Mediafile = "";
    TVemoraEntries list;
    ASSERT_TRUE(Load(list, OldFile(0, {TOldRecord{}, second})));
    EXPECT_EQ(list.FileVersion(), 0);
    EXPECT_TRUE(list.GetFlag(flagModified));
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Items(0)->Icon(), IconInformation);
    EXPECT_EQ(list.Items(0)->Mediafile(), QStringLiteral("bells.wav"));
    EXPECT_EQ(list.Items(1)->DateStart(), Day(1900, 4, 1));
    EXPECT_EQ(list.Items(1)->DisplayText(), QStringLiteral("Fools"));
    EXPECT_FALSE(list.Items(1)->Active());
    EXPECT_EQ(list.Items(1)->Number(), 2);
}

TEST_F(EntryFileTest, OldRecordOnTheTwentyNinthOfFebruaryStartsIn1904)
{
    TOldRecord record;
    record.DayOfMonth = 29;
    record.Month = 2;
    TVemoraEntries list;
    ASSERT_TRUE(Load(list, OldFile(1, {record})));
    auto& yearly = dynamic_cast<TVemoraEntryYearly&>(*list.Items(0));
    EXPECT_EQ(yearly.DateStart(), Day(1904, 2, 29));
    EXPECT_EQ(yearly.Month(), 2);
    EXPECT_EQ(yearly.Day(), 29);
    qint32 next = 0;
    ASSERT_TRUE(yearly.FindOccurrence(Day(2021, 1, 1), next, FindNext));
    EXPECT_EQ(next, Day(2024, 2, 29));
}

struct TOldDateCase {
    const char* Name;
    quint8 DayOfMonth;
    quint8 Month;
};

class ImpossibleOldDateTest : public EntryFileTest, public testing::WithParamInterface<TOldDateCase> {};

TEST_P(ImpossibleOldDateTest, FailsAndLeavesTheListAlone)
{
    TVemoraEntries list;
    ASSERT_TRUE(Load(list, OldFile(1, {TOldRecord{}})));
    TOldRecord record;
    record.DayOfMonth = GetParam().DayOfMonth;
    record.Month = GetParam().Month;
    EXPECT_THROW(Load(list, OldFile(1, {TOldRecord{}, record})), EInvalidDate);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items(0)->DateStart(), Day(1900, 12, 24));
}

INSTANTIATE_TEST_SUITE_P(Dates, ImpossibleOldDateTest,
                         testing::Values(TOldDateCase{"thirtieth_of_february", 30, 2},
                                         TOldDateCase{"thirty_first_of_april", 31, 4},
                                         TOldDateCase{"day_zero", 0, 5}, TOldDateCase{"month_zero", 5, 0},
                                         TOldDateCase{"month_thirteen", 1, 13},
                                         TOldDateCase{"day_255", 255, 1}),
                         [](const testing::TestParamInfo<TOldDateCase>& info) { return std::string(info.param.Name); });

TEST_F(EntryFileTest, SavedListReadsBackEqual)
{
    TVemoraEntries original;
    FillSample(original);
    original.SaveToFile(PathOf(QStringLiteral("round.vkd")));

    TVemoraEntries loaded;
    ASSERT_TRUE(loaded.LoadFromFile(PathOf(QStringLiteral("round.vkd"))));
    EXPECT_FALSE(loaded.GetFlag(flagModified));
    ASSERT_EQ(loaded.Count(), original.Count());
    for (int i = 0; i < original.Count(); ++i) {
        SCOPED_TRACE(original.Items(i)->DisplayText().toStdString());
        const TVemoraEntryBasic& before = *original.Items(i);
        const TVemoraEntryBasic& after = *loaded.Items(i);
        EXPECT_EQ(after.Compare(before, 1), 0);
        EXPECT_EQ(before.Compare(after, 1), 0);
        EXPECT_EQ(after.MatchList().Valid(), before.MatchList().Valid());
        EXPECT_EQ(after.MatchList().Days(), before.MatchList().Days());
        EXPECT_EQ(after.MatchList().IsComplete(), before.MatchList().IsComplete());
    }
    ASSERT_EQ(loaded.Categories().Count(), 2);
    EXPECT_EQ(loaded.Categories().NameAt(1), QStringLiteral("Bär"));
    EXPECT_EQ(loaded.Categories().IdAt(1), 3);
    EXPECT_EQ(Saved(loaded), ReadWholeFile(PathOf(QStringLiteral("round.vkd"))));
}

TEST_F(EntryFileTest, NegativeEntryCountReadsAsAnEmptyList)
{
    TVemoraEntries list;
    ASSERT_TRUE(Load(list, TBytes().Raw(Header(2)).Byte(0).Int(-5).Data()));
    EXPECT_EQ(list.Count(), 0);
}

struct TRejectedCase {
    const char* Name;
    std::function<QByteArray()> Content; // none: the file does not exist
    bool Throws;                         // else LoadFromFile answers false
};

class RejectedFileTest : public EntryFileTest, public testing::WithParamInterface<TRejectedCase> {};

// The list keeps its entries, categories, version and modified flag.
TEST_P(RejectedFileTest, LeavesTheListAsItWas)
{
    TVemoraEntries list;
    FillSample(list);
    list.Delete(0);
    ASSERT_TRUE(list.GetFlag(flagModified));
    std::vector<TVemoraEntryBasic*> entries;
    for (int i = 0; i < list.Count(); ++i)
        entries.push_back(list.Items(i));

    const QString path = GetParam().Content ? Write(GetParam().Content()) : PathOf(QStringLiteral("missing.vkd"));
    if (GetParam().Throws)
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

QByteArray OneRecordFile(const std::function<void(TRecord&)>& change)
{
    TRecord record;
    change(record);
    return Version2File({{"Work", 2}}, {record});
}

INSTANTIATE_TEST_SUITE_P(
    Files, RejectedFileTest,
    testing::Values(
        TRejectedCase{"missing_file", nullptr, true},
        TRejectedCase{"version_3", [] { return Header(3) + QByteArray(5, '\0'); }, false},
        TRejectedCase{"version_255", [] { return Header(255) + QByteArray(5, '\0'); }, false},
        TRejectedCase{"other_magic",
                      [] { return QByteArray("Vemora configure file\x1b\x02", 23) + QByteArray(5, '\0'); }, false},
        TRejectedCase{"shorter_than_a_header", [] { return Header(2).left(22); }, false},
        TRejectedCase{"header_without_body", [] { return Header(2); }, true},
        TRejectedCase{"old_header_without_body", [] { return Header(1); }, true},
        TRejectedCase{"type_byte_5", [] { return OneRecordFile([](TRecord& r) { r.Kind = 5; }); }, true},
        TRejectedCase{"type_byte_255", [] { return OneRecordFile([](TRecord& r) { r.Kind = 255; }); }, true},
        TRejectedCase{"yearly_without_month",
                      [] {
                          return OneRecordFile([](TRecord& r) {
                              r.Kind = ekYearly;
                              r.Tail = "\x01";
                          });
                      },
                      true},
        TRejectedCase{"negative_text_length",
                      [] {
                          QByteArray file = OneRecordFile([](TRecord& r) { r.Mediafile = "abc"; });
                          return file.replace(QByteArray("\x03\0\0\0abc", 7), QByteArray("\xff\xff\xff\xff" "abc", 7));
                      },
                      true},
        TRejectedCase{"huge_text_length",
                      [] {
                          QByteArray file = OneRecordFile([](TRecord& r) { r.Mediafile = "abc"; });
                          return file.replace(QByteArray("\x03\0\0\0abc", 7), QByteArray("\xff\xff\xff\x7f" "abc", 7));
                      },
                      true},
        TRejectedCase{"text_one_byte_past_the_end",
                      [] {
                          TBytes bytes;
                          return bytes.Raw(Header(2)).Byte(1).Int(5).Raw("Work").Data();
                      },
                      true},
        TRejectedCase{"huge_entry_count",
                      [] {
                          TBytes bytes;
                          bytes.Raw(Header(2)).Byte(0).Int(0x7fffffff);
                          AppendRecord(bytes, TRecord{});
                          return bytes.Data();
                      },
                      true},
        TRejectedCase{"one_entry_fewer_than_counted",
                      [] {
                          TBytes bytes;
                          bytes.Raw(Header(2)).Byte(0).Int(2);
                          AppendRecord(bytes, TRecord{});
                          return bytes.Data();
                      },
                      true},
        TRejectedCase{"huge_old_entry_count", [] { return TBytes().Raw(Header(0)).Int(0x40000000).Data(); }, true},
        TRejectedCase{"category_count_beyond_the_data",
                      [] { return TBytes().Raw(Header(2)).Byte(200).String("Work").Byte(1).Int(0).Data(); }, true},
        TRejectedCase{"huge_cache_count",
                      [] {
                          TRecord record;
                          record.Valid = 1;
                          record.Days = {D1};
                          QByteArray file = Version2File({}, {record});
                          const QByteArray count("\x01\x01\0\0\0", 5);
                          const QByteArray huge("\x01\xff\xff\xff\x7f", 5);
                          return file.replace(file.lastIndexOf(count), count.size(), huge);
                      },
                      true},
        TRejectedCase{"cache_shorter_than_counted",
                      [] {
                          TRecord record;
                          record.Valid = 1;
                          record.Days = {D1, D2, D3};
                          QByteArray file = Version2File({}, {record});
                          return file.left(file.size() - 5); // the last day and the complete byte
                      },
                      true}),
    [](const testing::TestParamInfo<TRejectedCase>& info) { return std::string(info.param.Name); });

// Every cut of a real file is a damaged file: the header test or the body reader must notice.
TEST_F(EntryFileTest, EveryTruncationIsRejected)
{
    TVemoraEntries sample;
    FillSample(sample);
    const std::vector<QByteArray> files = {Saved(sample), OldFile(1, {TOldRecord{}, TOldRecord{}}),
                                           OldFile(0, {TOldRecord{}})};
    for (const QByteArray& file : files) {
        for (qsizetype length = 0; length < file.size(); ++length) {
            SCOPED_TRACE(testing::Message() << "version " << int(file[22]) << ", " << length << " bytes");
            TVemoraEntries list;
            if (length < 23) {
                EXPECT_FALSE(Load(list, file.left(length)));
            } else {
                EXPECT_THROW(Load(list, file.left(length)), EEntryFileError);
            }
            EXPECT_EQ(list.Count(), 0);
        }
        TVemoraEntries list;
        EXPECT_TRUE(Load(list, file));
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
            SCOPED_TRACE(testing::Message() << "byte " << position << " := "
                                            << static_cast<int>(static_cast<unsigned char>(damage)));
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
    EXPECT_EQ(QDir(Directory.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("file.vkd")});
}

// Lowers the file size limit for its lifetime; writing beyond it fails instead of ending the
// process with SIGXFSZ.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t bytes)
    {
        m_Active = getrlimit(RLIMIT_FSIZE, &m_Saved) == 0;
        m_SavedHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_Saved;
        limit.rlim_cur = bytes;
        m_Active = m_Active && setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~TFileSizeLimit()
    {
        if (m_Active)
            setrlimit(RLIMIT_FSIZE, &m_Saved);
        std::signal(SIGXFSZ, m_SavedHandler);
    }
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;
    bool Active() const { return m_Active; }

private:
    rlimit m_Saved{};
    bool m_Active = false;
    void (*m_SavedHandler)(int) = SIG_DFL;
};

TEST_F(EntryFileTest, FailedSaveThrowsAndKeepsTheOldFile)
{
    TVemoraEntries list;
    FillSample(list);
    const QByteArray old = "the old content";
    const QString path = Write(old);
    {
        TFileSizeLimit limit(64);
        ASSERT_TRUE(limit.Active());
        EXPECT_THROW(list.SaveToFile(path), EEntryFileError);
    }
    EXPECT_EQ(ReadWholeFile(path), old);
    EXPECT_EQ(QDir(Directory.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("file.vkd")});
}

TEST_F(EntryFileTest, SavingOntoADirectoryThrowsAndLeavesIt)
{
    ASSERT_TRUE(QDir(Directory.path()).mkdir(QStringLiteral("folder.vkd")));
    TVemoraEntries list;
    EXPECT_THROW(list.SaveToFile(PathOf(QStringLiteral("folder.vkd"))), EEntryFileError);
    EXPECT_TRUE(QFileInfo(PathOf(QStringLiteral("folder.vkd"))).isDir());
}

TEST_F(EntryFileTest, SavingIntoAMissingFolderThrowsAndCreatesNothing)
{
    TVemoraEntries list;
    EXPECT_THROW(list.SaveToFile(PathOf(QStringLiteral("missing/file.vkd"))), EEntryFileError);
    EXPECT_FALSE(QFileInfo::exists(PathOf(QStringLiteral("missing"))));
}

} // namespace
