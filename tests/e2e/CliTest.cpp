// Runs the built vemora-cli on entry files written here through the model, and checks what
// scripts rely on: the output of each command and the exit status.
#include "model/VemoraEntries.h"
#include "model/VemoraEntryKinds.h"
#include "model/VemoraEntryMonthRelated.h"
#include "support/DayNumbers.h"

#include "TestSupport.h"
#include "model/ModelTestSupport.h"

#include <QDate>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace {

struct TCliResult {
    int ExitCode = -1;
    QString Output;
    QString Errors;
};

QByteArray Header(char version)
{
    return QByteArray("Vemora configure file\x1a", 22) + QByteArray(1, version);
}

template <typename Entry>
Entry& Add(TVemoraEntries& list, std::unique_ptr<Entry> entry, const QString& text)
{
    Entry& added = *entry;
    entry->SetDisplayText(text);
    list.AddEntry(std::move(entry));
    return added;
}

std::unique_ptr<TVemoraEntryYearly> YearlyOn(const char* start, int month, int day)
{
    auto entry = MakeEntry<TVemoraEntryYearly>(start);
    entry->SetMonth(static_cast<quint8>(month));
    entry->SetDay(static_cast<quint8>(day));
    return entry;
}

class CliTest : public testing::Test {
protected:
    TTemporaryHome Home;

    TCliResult Run(const QStringList& arguments) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // The built-in texts follow the system language; these runs expect the English ones.
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        environment.insert(QStringLiteral("LANG"), QStringLiteral("C"));
        environment.insert(QStringLiteral("LSAN_OPTIONS"), QStringLiteral("suppressions=" VEMORA_LSAN_SUPPRESSIONS));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(Home.Path());
        process.start(QStringLiteral(VEMORA_BIN_DIR "/vemora-cli"), arguments);
        TCliResult result;
        if (!process.waitForFinished(60000)) {
            process.kill();
            ADD_FAILURE() << "vemora-cli did not end";
            return result;
        }
        result.ExitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.Output = QString::fromUtf8(process.readAllStandardOutput());
        result.Errors = QString::fromUtf8(process.readAllStandardError());
        return result;
    }

    QString Save(const TVemoraEntries& list, const QString& name = QStringLiteral("dates.vkd")) const
    {
        const QString path = Home.FilePath(name);
        list.SaveToFile(path);
        return path;
    }

    // Birthday with a three-day warning, a daily entry, an inactive daily entry, a weekly
    // entry on Mondays and a one-off day.
    QString SaveDates() const
    {
        TVemoraEntries list;
        list.Categories().AddCategory(QStringLiteral("Family"), 1);
        auto& anna = Add(list, YearlyOn("1990-04-12", 4, 12), QStringLiteral("Anna turns $(COUNT) today"));
        anna.SetAdvanceWarn(3);
        anna.SetCategory(1);
        auto& daily = Add(list, MakeEntry<TVemoraEntryDaily>("2027-01-01"), QStringLiteral("Vitamins"));
        daily.SetDayKind(dkAnyDay);
        auto& inactive = Add(list, MakeEntry<TVemoraEntryDaily>("2027-01-01"), QStringLiteral("Switched off"));
        inactive.SetDayKind(dkAnyDay);
        inactive.SetActive(false);
        auto& weekly = Add(list, MakeEntry<TVemoraEntryWeekly>("2027-01-01"), QStringLiteral("Choir"));
        weekly.SetWeekdays(WeekdayBits({dkMonday}));
        Add(list, MakeEntry<TVemoraEntryOnce>("2027-04-10"), QStringLiteral("Dentist\nat 10:30"));
        return Save(list);
    }
};

struct TDueCase {
    const char* Name;
    const char* Date;
    QStringList Lines;
};

class DueTest : public CliTest, public testing::WithParamInterface<TDueCase> {};

TEST_P(DueTest, PrintsEachAlertTextOnItsOwnLine)
{
    const TCliResult result = Run({"due", SaveDates(), "--date", QString::fromLatin1(GetParam().Date)});
    EXPECT_EQ(result.ExitCode, 0) << result.Errors.toStdString();
    EXPECT_EQ(result.Output, GetParam().Lines.join(u'\n') + u'\n');
    EXPECT_TRUE(result.Errors.isEmpty()) << result.Errors.toStdString();
}

// 2027-04-12 is a Monday.
INSTANTIATE_TEST_SUITE_P(
    Days, DueTest,
    testing::Values(
        TDueCase{"birthday_on_the_day", "2027-04-12", {"Anna turns 37 today", "Vitamins", "Choir"}},
        TDueCase{"birthday_tomorrow", "2027-04-11", {"Tomorrow: Anna turns 37 today", "Vitamins"}},
        TDueCase{"birthday_in_three_days", "2027-04-09", {"In 3 days: Anna turns 37 today", "Vitamins"}},
        TDueCase{"one_off_day_with_a_line_break", "2027-04-10",
                 {"In 2 days: Anna turns 37 today", "Vitamins", "Dentist at 10:30"}},
        TDueCase{"before_the_warning", "2027-04-08", {"Vitamins"}}),
    [](const testing::TestParamInfo<TDueCase>& info) { return std::string(info.param.Name); });

TEST_F(CliTest, DueAsJsonGivesIndexTextsDistanceAndCount)
{
    const TCliResult result = Run({"due", "--json", SaveDates(), "--date=2027-04-10"});
    ASSERT_EQ(result.ExitCode, 0) << result.Errors.toStdString();
    const QJsonArray alerts = QJsonDocument::fromJson(result.Output.toUtf8()).array();
    ASSERT_EQ(alerts.size(), 3) << result.Output.toStdString();
    const QJsonObject anna = alerts[0].toObject();
    EXPECT_EQ(anna[QStringLiteral("Index")].toInt(-1), 0);
    EXPECT_EQ(anna[QStringLiteral("DisplayText")].toString(), QStringLiteral("Anna turns $(COUNT) today"));
    EXPECT_EQ(anna[QStringLiteral("Text")].toString(), QStringLiteral("In 2 days: Anna turns 37 today"));
    EXPECT_EQ(anna[QStringLiteral("DaysAhead")].toInt(-1), 2);
    EXPECT_EQ(anna[QStringLiteral("Count")].toInt(-1), 37);
    const QJsonObject dentist = alerts[2].toObject();
    EXPECT_EQ(dentist[QStringLiteral("Index")].toInt(-1), 4);
    EXPECT_EQ(dentist[QStringLiteral("Text")].toString(), QStringLiteral("Dentist\nat 10:30"));
    EXPECT_EQ(dentist[QStringLiteral("DaysAhead")].toInt(-1), 0);
    EXPECT_TRUE(dentist[QStringLiteral("Count")].isNull());
}

TEST_F(CliTest, DueWithoutADateLooksAtToday)
{
    TVemoraEntries list;
    Add(list, MakeEntry<TVemoraEntryOnce>("2020-01-01"), QStringLiteral("Yesterday's"))
        .SetDateStart(Today() - 1);
    Add(list, MakeEntry<TVemoraEntryOnce>("2020-01-01"), QStringLiteral("Today's")).SetDateStart(Today());
    const TCliResult result = Run({"due", Save(list)});
    EXPECT_EQ(result.ExitCode, 0);
    EXPECT_EQ(result.Output, QStringLiteral("Today's\n"));
}

// File names reach the program as the bytes the shell passed, in UTF-8.
TEST_F(CliTest, AFileNameBeyondAsciiIsFound)
{
    TVemoraEntries list;
    Add(list, MakeEntry<TVemoraEntryOnce>("2020-01-01"), QStringLiteral("Today's")).SetDateStart(Today());
    const TCliResult result = Run({"due", Save(list, QStringLiteral("Termine für Jürgen ✓.vkd"))});
    EXPECT_EQ(result.ExitCode, 0) << result.Errors.toStdString();
    EXPECT_EQ(result.Output, QStringLiteral("Today's\n"));
}

TEST_F(CliTest, AnEntryWhoseDatesFailIsReportedAndTheOthersAreStillDue)
{
    TVemoraEntries list;
    // The next 29 February after 9997 would be in the year 10000.
    Add(list, YearlyOn("9997-03-01", 2, 29), QStringLiteral("Leap day"));
    Add(list, YearlyOn("9990-01-01", 2, 30), QStringLiteral("No such day"));
    Add(list, MakeEntry<TVemoraEntryDaily>("9990-01-01"), QStringLiteral("Every day")).SetDayKind(dkAnyDay);
    const TCliResult result = Run({"due", Save(list), "--date", "9998-05-01"});
    EXPECT_EQ(result.ExitCode, 0);
    EXPECT_EQ(result.Output, QStringLiteral("Every day\n"));
    const QStringList errors = result.Errors.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(errors.size(), 2) << result.Errors.toStdString();
    EXPECT_TRUE(errors[0].contains(QStringLiteral("entry 0 (Leap day)"))) << errors[0].toStdString();
    EXPECT_TRUE(errors[0].contains(QStringLiteral("9999"))) << errors[0].toStdString();
    EXPECT_TRUE(errors[1].contains(QStringLiteral("entry 1 (No such day)"))) << errors[1].toStdString();
}

TEST_F(CliTest, NextListsTheDaysAsThePreviewDoes)
{
    TVemoraEntries list;
    Add(list, YearlyOn("1990-04-12", 4, 12), QStringLiteral("Anna"));
    auto& rent = Add(list, MakeEntry<TVemoraEntryMonthly>("2027-01-01"), QStringLiteral("Rent"));
    rent.SetDayCycle(dcLast);
    rent.SetDayKind(dkWorkingDay);
    Add(list, MakeEntry<TVemoraEntryOnce>("2027-04-12"), QStringLiteral("On the start day"));
    Add(list, MakeEntry<TVemoraEntryOnce>("2027-04-11"), QStringLiteral("Before it"));
    auto& limited = Add(list, MakeEntry<TVemoraEntryDaily>("2027-04-13"), QStringLiteral("Twice"));
    limited.SetDayKind(dkAnyDay);
    limited.SetMaxCount(2);
    const QString file = Save(list);

    const TCliResult text = Run({"next", file, "--from", "2027-04-12", "--count", "3"});
    EXPECT_EQ(text.ExitCode, 0) << text.Errors.toStdString();
    EXPECT_EQ(text.Output, QStringLiteral("0: 2027-04-12, 2028-04-12, 2029-04-12\n"
                                          "1: 2027-04-30, 2027-05-31, 2027-06-30\n"
                                          "2: 2027-04-12\n"
                                          "3:\n"
                                          "4: 2027-04-13, 2027-04-14\n"));

    const TCliResult json = Run({"next", file, "--json", "--from=2027-04-13", "--count=1"});
    ASSERT_EQ(json.ExitCode, 0) << json.Errors.toStdString();
    const QJsonArray entries = QJsonDocument::fromJson(json.Output.toUtf8()).array();
    ASSERT_EQ(entries.size(), 5) << json.Output.toStdString();
    EXPECT_EQ(entries[1].toObject()[QStringLiteral("Index")].toInt(-1), 1);
    EXPECT_EQ(entries[1].toObject()[QStringLiteral("Days")].toArray(), QJsonArray{QStringLiteral("2027-04-30")});
    EXPECT_EQ(entries[4].toObject()[QStringLiteral("Days")].toArray(), QJsonArray{QStringLiteral("2027-04-13")});
    EXPECT_EQ(entries[2].toObject()[QStringLiteral("Days")].toArray(), QJsonArray());
}

TEST_F(CliTest, NextKeepsTheDaysBeforeTheYearLimit)
{
    TVemoraEntries list;
    Add(list, YearlyOn("9990-01-01", 6, 1), QStringLiteral("June"));
    const TCliResult result = Run({"next", Save(list), "--from", "9998-01-01", "--count", "5"});
    EXPECT_EQ(result.ExitCode, 0);
    EXPECT_EQ(result.Output, QStringLiteral("0: 9998-06-01, 9999-06-01\n"));
    EXPECT_TRUE(result.Errors.contains(QStringLiteral("entry 0 (June)"))) << result.Errors.toStdString();
}

TEST_F(CliTest, DumpWritesEveryFieldOfTheFile)
{
    TVemoraEntries list;
    list.Categories().AddCategory(QStringLiteral("Bär"), 4);
    auto& anna = Add(list, YearlyOn("1990-04-12", 4, 12), QStringLiteral("Anna turns $(COUNT) today"));
    anna.SetCategory(4);
    anna.SetAdvanceWarn(3);
    anna.SetComment(QStringLiteral("€ and Ł"));
    anna.SetMediafile(QStringLiteral("/sounds/bell.wav"));
    anna.SetIcon(0x30);
    anna.SetMaxCount(3);
    anna.EnsureMatches(Day("2000-01-01"));
    auto& daily = Add(list, MakeEntry<TVemoraEntryDaily>("2027-01-01"), QStringLiteral("Daily"));
    daily.SetDayKind(dkWeekend);
    daily.SetDateStop(Day("2027-02-01"));
    daily.SetActive(false);
    Add(list, MakeEntry<TVemoraEntryWeekly>("2027-01-01"), QStringLiteral("Weekly")).SetWeekdays(0x54);
    auto& monthly = Add(list, MakeEntry<TVemoraEntryMonthly>("2027-01-01", 3), QStringLiteral("Monthly"));
    monthly.SetDaySpec(DaySpecOf(dcLast, dkFriday));
    Add(list, MakeEntry<TVemoraEntryOnce>("2027-04-10"), QStringLiteral("Once"));

    const TCliResult result = Run({"dump", Save(list)});
    ASSERT_EQ(result.ExitCode, 0) << result.Errors.toStdString();
    const QJsonObject file = QJsonDocument::fromJson(result.Output.toUtf8()).object();
    EXPECT_EQ(file[QStringLiteral("FileVersion")].toInt(-1), 2);
    EXPECT_EQ(file[QStringLiteral("Categories")].toArray(),
              (QJsonArray{QJsonObject{{QStringLiteral("Name"), QStringLiteral("Bär")}, {QStringLiteral("Id"), 4}}}));
    const QJsonArray entries = file[QStringLiteral("Entries")].toArray();
    ASSERT_EQ(entries.size(), 5) << result.Output.toStdString();

    const QJsonObject expectedYearly{
        {QStringLiteral("Kind"), 4},
        {QStringLiteral("Number"), 1},
        {QStringLiteral("DateStart"), Day("1990-04-12")},
        {QStringLiteral("DateStop"), -1},
        {QStringLiteral("Repetition"), 1},
        {QStringLiteral("MaxCount"), 3},
        {QStringLiteral("Active"), true},
        {QStringLiteral("Comment"), QStringLiteral("€ and Ł")},
        {QStringLiteral("DisplayText"), QStringLiteral("Anna turns $(COUNT) today")},
        {QStringLiteral("Mediafile"), QStringLiteral("/sounds/bell.wav")},
        {QStringLiteral("AdvanceWarn"), 3},
        {QStringLiteral("Icon"), 0x30},
        {QStringLiteral("Category"), 4},
        {QStringLiteral("MatchList"),
         QJsonObject{{QStringLiteral("Valid"), true},
                     {QStringLiteral("Complete"), true},
                     {QStringLiteral("Days"), QJsonArray{Day("1990-04-12"), Day("1991-04-12"), Day("1992-04-12")}}}},
        {QStringLiteral("DaySpec"), 12},
        {QStringLiteral("Month"), 4},
    };
    EXPECT_EQ(entries[0].toObject(), expectedYearly) << result.Output.toStdString();

    const QJsonObject dailyJson = entries[1].toObject();
    EXPECT_EQ(dailyJson[QStringLiteral("DayKind")].toInt(-1), dkWeekend);
    EXPECT_EQ(dailyJson[QStringLiteral("DateStop")].toInt(), Day("2027-02-01"));
    EXPECT_FALSE(dailyJson[QStringLiteral("Active")].toBool(true));
    EXPECT_FALSE(dailyJson[QStringLiteral("MatchList")].toObject()[QStringLiteral("Valid")].toBool(true));
    EXPECT_EQ(entries[2].toObject()[QStringLiteral("Weekdays")].toInt(-1), 0x54);
    EXPECT_EQ(entries[3].toObject()[QStringLiteral("DaySpec")].toInt(-1), DaySpecOf(dcLast, dkFriday));
    EXPECT_EQ(entries[3].toObject()[QStringLiteral("Repetition")].toInt(-1), 3);
    // Only the kinds that have a pattern field carry it.
    const QStringList kindFields = {QStringLiteral("DayKind"), QStringLiteral("Weekdays"), QStringLiteral("DaySpec"),
                                    QStringLiteral("Month")};
    const std::vector<QStringList> expectedFields = {{QStringLiteral("DaySpec"), QStringLiteral("Month")},
                                                     {QStringLiteral("DayKind")},
                                                     {QStringLiteral("Weekdays")},
                                                     {QStringLiteral("DaySpec")},
                                                     {}};
    for (qsizetype i = 0; i < entries.size(); ++i) {
        QStringList present;
        for (const QString& field : kindFields)
            if (entries[i].toObject().contains(field))
                present.append(field);
        EXPECT_EQ(present, expectedFields[static_cast<std::size_t>(i)]) << "entry " << i;
    }
}

// A daily entry starting before the year 1 whose stored days are out of order: they cannot be
// read, nor computed afresh. The dump shows the entry with its days unknown, as saving writes it.
TEST_F(CliTest, DumpShowsAnEntryWhoseDaysCannotBeComputed)
{
    const QString path = QStringLiteral(VEMORA_FUZZ_CORPUS "/EntryFileFuzzer/version2-uncomputable-cache.vkd");
    const TCliResult result = Run({"dump", path});
    ASSERT_EQ(result.ExitCode, 0) << result.Errors.toStdString();
    const QJsonArray entries = QJsonDocument::fromJson(result.Output.toUtf8()).object()[QStringLiteral("Entries")].toArray();
    ASSERT_EQ(entries.size(), 1) << result.Output.toStdString();
    const QJsonObject entry = entries[0].toObject();
    EXPECT_EQ(entry[QStringLiteral("DisplayText")].toString(), QStringLiteral("Stand-up $(COUNT)"));
    EXPECT_EQ(entry[QStringLiteral("MatchList")].toObject(),
              (QJsonObject{{QStringLiteral("Valid"), false}, {QStringLiteral("Complete"), false},
                           {QStringLiteral("Days"), QJsonArray()}}));
}

TEST_F(CliTest, UpgradeWritesVersionTwoAndLeavesTheInputAlone)
{
    // One version-1 record: 24 December, comment, text, active, 3 days warning, no media, icon.
    QByteArray old = Header(1) + QByteArray("\x01\0\0\0\x18\x0c", 6);
    old += QByteArray("\x01\0\0\0c", 5) + QByteArray("\x03\0\0\0Eve", 7) + QByteArray("\x01\x03\0\0\0\0\x30", 7);
    const QString in = Home.WriteFile(QStringLiteral("old.vkd"), old);
    const QString out = Home.FilePath(QStringLiteral("new.vkd"));

    const TCliResult result = Run({"upgrade", in, out});
    ASSERT_EQ(result.ExitCode, 0) << result.Errors.toStdString();
    EXPECT_TRUE(result.Output.isEmpty());
    EXPECT_EQ(ReadWholeFile(in), old);
    const QByteArray written = ReadWholeFile(out);
    ASSERT_GT(written.size(), 23);
    EXPECT_EQ(written.left(23), Header(2));
    TVemoraEntries upgraded;
    ASSERT_TRUE(upgraded.LoadFromFile(out));
    ASSERT_EQ(upgraded.Count(), 1);
    auto* yearly = dynamic_cast<TVemoraEntryYearly*>(upgraded.Items(0));
    ASSERT_NE(yearly, nullptr);
    EXPECT_EQ(yearly->DisplayText(), QStringLiteral("Eve"));
    EXPECT_EQ(yearly->DateStart(), Day("1900-12-24"));
    EXPECT_EQ(yearly->Month(), 12);
    EXPECT_EQ(yearly->Icon(), 0x30);
    EXPECT_EQ(yearly->AdvanceWarn(), 3);

    const TCliResult unwritable = Run({"upgrade", in, Home.FilePath(QStringLiteral("no/such/dir.vkd"))});
    EXPECT_EQ(unwritable.ExitCode, 1);
    EXPECT_TRUE(unwritable.Errors.contains(QStringLiteral("no/such/dir.vkd"))) << unwritable.Errors.toStdString();
}

struct TUnreadableCase {
    const char* Name;
    QByteArray Content; // null: no file; "dir": a directory
};

class UnreadableFileTest : public CliTest, public testing::WithParamInterface<TUnreadableCase> {};

TEST_P(UnreadableFileTest, EveryCommandEndsWithOneLineAndStatusOne)
{
    const QString path = Home.FilePath(QStringLiteral("bad.vkd"));
    if (GetParam().Content == "dir")
        ASSERT_TRUE(QDir().mkpath(path));
    else if (!GetParam().Content.isNull())
        Home.WriteFile(QStringLiteral("bad.vkd"), GetParam().Content);
    const std::vector<QStringList> calls = {
        {"due", path}, {"next", path}, {"dump", path}, {"upgrade", path, Home.FilePath(QStringLiteral("out.vkd"))}};
    for (const QStringList& call : calls) {
        const TCliResult result = Run(call);
        EXPECT_EQ(result.ExitCode, 1) << call.first().toStdString();
        EXPECT_TRUE(result.Output.isEmpty()) << result.Output.toStdString();
        EXPECT_EQ(result.Errors.count(u'\n'), 1) << result.Errors.toStdString();
        EXPECT_TRUE(result.Errors.startsWith(QStringLiteral("vemora-cli: ") + path)) << result.Errors.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(Home.FilePath(QStringLiteral("out.vkd"))));
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnreadableFileTest,
    testing::Values(TUnreadableCase{"missing", QByteArray()}, TUnreadableCase{"directory", QByteArray("dir")},
                    TUnreadableCase{"empty", QByteArray("")}, TUnreadableCase{"text_file", QByteArray("hello\n")},
                    TUnreadableCase{"newer_version", Header(3) + QByteArray(5, '\0')},
                    TUnreadableCase{"truncated", Header(2) + QByteArray(3, '\0')},
                    TUnreadableCase{"damaged_body", Header(2) + QByteArray("\0\x01\0\0\0\x07", 6)},
                    TUnreadableCase{"old_record_on_no_date",
                                    Header(0) + QByteArray("\x01\0\0\0\x1e\x02", 6) + QByteArray(14, '\0')}),
    [](const testing::TestParamInfo<TUnreadableCase>& info) { return std::string(info.param.Name); });

struct TUsageCase {
    const char* Name;
    QStringList Arguments; // "FILE" stands for a readable entry file
};

class UsageErrorTest : public CliTest, public testing::WithParamInterface<TUsageCase> {};

TEST_P(UsageErrorTest, EndsWithOneLineAndStatusTwo)
{
    TVemoraEntries empty;
    const QString file = Save(empty);
    QStringList arguments = GetParam().Arguments;
    arguments.replaceInStrings(QStringLiteral("FILE"), file);
    const TCliResult result = Run(arguments);
    EXPECT_EQ(result.ExitCode, 2);
    EXPECT_TRUE(result.Output.isEmpty()) << result.Output.toStdString();
    EXPECT_EQ(result.Errors.count(u'\n'), 1) << result.Errors.toStdString();
    EXPECT_TRUE(result.Errors.startsWith(QStringLiteral("vemora-cli: "))) << result.Errors.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Calls, UsageErrorTest,
    testing::Values(TUsageCase{"no_command", {}}, TUsageCase{"unknown_command", {"remind", "FILE"}},
                    TUsageCase{"due_without_file", {"due"}}, TUsageCase{"due_with_two_files", {"due", "FILE", "FILE"}},
                    TUsageCase{"impossible_date", {"due", "FILE", "--date", "2027-02-29"}},
                    TUsageCase{"date_without_leading_zeros", {"due", "FILE", "--date", "2027-4-1"}},
                    TUsageCase{"date_in_words", {"due", "FILE", "--date=tomorrow"}},
                    TUsageCase{"year_zero", {"due", "FILE", "--date", "0000-01-01"}},
                    TUsageCase{"date_without_value", {"due", "FILE", "--date"}},
                    TUsageCase{"from_on_due", {"due", "FILE", "--from", "2027-01-01"}},
                    TUsageCase{"count_zero", {"next", "FILE", "--count", "0"}},
                    TUsageCase{"count_too_large", {"next", "FILE", "--count", "1000"}},
                    TUsageCase{"count_not_a_number", {"next", "FILE", "--count", "ten"}},
                    TUsageCase{"json_on_dump", {"dump", "FILE", "--json"}},
                    TUsageCase{"upgrade_without_output", {"upgrade", "FILE"}},
                    TUsageCase{"unknown_option", {"next", "FILE", "--verbose"}}),
    [](const testing::TestParamInfo<TUsageCase>& info) { return std::string(info.param.Name); });

TEST_F(CliTest, HelpNamesEveryCommand)
{
    for (const QStringList& call : {QStringList{"--help"}, QStringList{"due", "-h"}}) {
        const TCliResult result = Run(call);
        EXPECT_EQ(result.ExitCode, 0);
        for (const char* command : {"due FILE", "next FILE", "dump FILE", "upgrade IN OUT"})
            EXPECT_TRUE(result.Output.contains(QLatin1String(command))) << command;
        EXPECT_TRUE(result.Errors.isEmpty());
    }
}

} // namespace
