// Runs the built vemora-cli on entry files written here through the model, and checks what
// scripts rely on: the output of each command and the exit status.
#include "model/VemoraEntries.h"
#include "model/VemoraEntryKinds.h"
#include "model/VemoraEntryMonthRelated.h"
#include "support/DayNumbers.h"

#include "RunProgram.h"
#include "TestSupport.h"
#include "model/ModelTestSupport.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

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

QJsonValue Field(const QJsonArray& array, int index, const char* name)
{
    return array[index].toObject()[QLatin1String(name)];
}

class CliTest : public testing::Test {
protected:
    TTemporaryHome Home;

    TRunResult Run(const QStringList& arguments) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // The built-in texts follow the system language; these runs expect the English ones.
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        environment.insert(QStringLiteral("LANG"), QStringLiteral("C"));
        return RunProgram(QStringLiteral(VEMORA_BIN_DIR "/vemora-cli"), arguments, environment, Home.Path());
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
        Add(list, MakeEntry<TVemoraEntryDaily>("2027-01-01"), QStringLiteral("Vitamins")).SetDayKind(dkAnyDay);
        auto& inactive = Add(list, MakeEntry<TVemoraEntryDaily>("2027-01-01"), QStringLiteral("Switched off"));
        inactive.SetDayKind(dkAnyDay);
        inactive.SetActive(false);
        Add(list, MakeEntry<TVemoraEntryWeekly>("2027-01-01"), QStringLiteral("Choir")).SetWeekdays(WeekdayBits({dkMonday}));
        Add(list, MakeEntry<TVemoraEntryOnce>("2027-04-10"), QStringLiteral("Dentist\nat 10:30"));
        return Save(list);
    }

    // Yesterday's and today's one-off entries, under a name beyond ASCII: file names reach the
    // program as the bytes the shell passed, in UTF-8.
    QString SaveToday() const
    {
        TVemoraEntries list;
        Add(list, MakeEntry<TVemoraEntryOnce>("2020-01-01"), QStringLiteral("Yesterday's")).SetDateStart(Today() - 1);
        Add(list, MakeEntry<TVemoraEntryOnce>("2020-01-01"), QStringLiteral("Today's")).SetDateStart(Today());
        return Save(list, QStringLiteral("Termine für Jürgen ✓.vkd"));
    }
};

struct TRunCase {
    const char* Name;
    QStringList Arguments; // DATES: the file of SaveDates, TODAY: that of SaveToday
    int ExitCode;
    const char* Output;
};

class CliRunTest : public CliTest, public testing::WithParamInterface<TRunCase> {};

// Status 0 prints the exact output and no error; status 2 (usage) prints one error line only.
TEST_P(CliRunTest, PrintsTheOutputAndEndsWithTheStatus)
{
    QStringList arguments = GetParam().Arguments;
    if (arguments.contains(QStringLiteral("DATES")))
        arguments.replaceInStrings(QStringLiteral("DATES"), SaveDates());
    if (arguments.contains(QStringLiteral("TODAY")))
        arguments.replaceInStrings(QStringLiteral("TODAY"), SaveToday());
    const TRunResult result = Run(arguments);
    EXPECT_EQ(result.ExitCode, GetParam().ExitCode) << result.Errors.toStdString();
    EXPECT_EQ(result.Output, QString::fromUtf8(GetParam().Output));
    if (GetParam().ExitCode == 0) {
        EXPECT_TRUE(result.Errors.isEmpty()) << result.Errors.toStdString();
    } else {
        EXPECT_EQ(result.Errors.count(u'\n'), 1) << result.Errors.toStdString();
        EXPECT_TRUE(result.Errors.startsWith(QStringLiteral("vemora-cli: "))) << result.Errors.toStdString();
    }
}

// 2027-04-12 is a Monday.
INSTANTIATE_TEST_SUITE_P(
    Calls, CliRunTest,
    testing::Values(
        TRunCase{"birthday_on_the_day", {"due", "DATES", "--date", "2027-04-12"}, 0, "Anna turns 37 today\nVitamins\nChoir\n"},
        TRunCase{"birthday_tomorrow", {"due", "DATES", "--date", "2027-04-11"}, 0, "Tomorrow: Anna turns 37 today\nVitamins\n"},
        TRunCase{"birthday_in_three_days", {"due", "DATES", "--date", "2027-04-09"}, 0,
                 "In 3 days: Anna turns 37 today\nVitamins\n"},
        TRunCase{"one_off_day_with_a_line_break", {"due", "DATES", "--date", "2027-04-10"}, 0,
                 "In 2 days: Anna turns 37 today\nVitamins\nDentist at 10:30\n"},
        TRunCase{"before_the_warning", {"due", "DATES", "--date", "2027-04-08"}, 0, "Vitamins\n"},
        TRunCase{"without_a_date_today_under_a_name_beyond_ascii", {"due", "TODAY"}, 0, "Today's\n"},
        TRunCase{"no_command", {}, 2, ""},
        TRunCase{"unknown_command", {"remind", "DATES"}, 2, ""},
        TRunCase{"due_without_file", {"due"}, 2, ""},
        TRunCase{"due_with_two_files", {"due", "DATES", "DATES"}, 2, ""},
        TRunCase{"impossible_date", {"due", "DATES", "--date", "2027-02-29"}, 2, ""},
        TRunCase{"date_without_leading_zeros", {"due", "DATES", "--date", "2027-4-1"}, 2, ""},
        TRunCase{"date_in_words", {"due", "DATES", "--date=tomorrow"}, 2, ""},
        TRunCase{"year_zero", {"due", "DATES", "--date", "0000-01-01"}, 2, ""},
        TRunCase{"date_without_value", {"due", "DATES", "--date"}, 2, ""},
        TRunCase{"from_on_due", {"due", "DATES", "--from", "2027-01-01"}, 2, ""},
        TRunCase{"count_zero", {"next", "DATES", "--count", "0"}, 2, ""},
        TRunCase{"count_too_large", {"next", "DATES", "--count", "1000"}, 2, ""},
        TRunCase{"count_not_a_number", {"next", "DATES", "--count", "ten"}, 2, ""},
        TRunCase{"json_on_dump", {"dump", "DATES", "--json"}, 2, ""},
        TRunCase{"upgrade_without_output", {"upgrade", "DATES"}, 2, ""},
        TRunCase{"unknown_option", {"next", "DATES", "--verbose"}, 2, ""}),
    [](const testing::TestParamInfo<TRunCase>& info) { return std::string(info.param.Name); });

TEST_F(CliTest, HelpNamesEveryCommand)
{
    for (const QStringList& call : {QStringList{"--help"}, QStringList{"due", "-h"}}) {
        const TRunResult result = Run(call);
        EXPECT_EQ(result.ExitCode, 0);
        for (const char* command : {"due FILE", "next FILE", "dump FILE", "upgrade IN OUT"})
            EXPECT_TRUE(result.Output.contains(QLatin1String(command))) << command;
        EXPECT_TRUE(result.Errors.isEmpty());
    }
}

TEST_F(CliTest, DueAsJsonGivesIndexTextsDistanceAndCount)
{
    const TRunResult result = Run({"due", "--json", SaveDates(), "--date=2027-04-10"});
    ASSERT_EQ(result.ExitCode, 0) << result.Errors.toStdString();
    const QJsonArray alerts = QJsonDocument::fromJson(result.Output.toUtf8()).array();
    ASSERT_EQ(alerts.size(), 3) << result.Output.toStdString();
    EXPECT_EQ(alerts[0].toObject(), (QJsonObject{{"Index", 0}, {"DisplayText", "Anna turns $(COUNT) today"},
                                                 {"Text", "In 2 days: Anna turns 37 today"}, {"DaysAhead", 2},
                                                 {"Count", 37}}));
    EXPECT_EQ(alerts[2].toObject(), (QJsonObject{{"Index", 4}, {"DisplayText", "Dentist\nat 10:30"},
                                                 {"Text", "Dentist\nat 10:30"}, {"DaysAhead", 0}, {"Count", QJsonValue()}}));
}

// Days past the year 9999 cannot be computed: the entry is named on the error stream, and the
// others, as well as the days before the limit, still show.
TEST_F(CliTest, DatesPastTheYearLimitAreReportedAndTheRestStillShows)
{
    TVemoraEntries list;
    Add(list, YearlyOn("9997-03-01", 2, 29), QStringLiteral("Leap day")); // the next one is in 10000
    Add(list, YearlyOn("9990-01-01", 2, 30), QStringLiteral("No such day"));
    Add(list, MakeEntry<TVemoraEntryDaily>("9990-01-01"), QStringLiteral("Every day")).SetDayKind(dkAnyDay);
    const QString file = Save(list);
    const TRunResult due = Run({"due", file, "--date", "9998-05-01"});
    EXPECT_EQ(due.ExitCode, 0);
    EXPECT_EQ(due.Output, QStringLiteral("Every day\n"));
    const QStringList errors = due.Errors.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(errors.size(), 2) << due.Errors.toStdString();
    EXPECT_TRUE(errors[0].contains(QStringLiteral("entry 0 (Leap day)")) && errors[0].contains(QStringLiteral("9999")))
        << errors[0].toStdString();
    EXPECT_TRUE(errors[1].contains(QStringLiteral("entry 1 (No such day)"))) << errors[1].toStdString();

    TVemoraEntries june;
    Add(june, YearlyOn("9990-01-01", 6, 1), QStringLiteral("June"));
    const TRunResult next = Run({"next", Save(june), "--from", "9998-01-01", "--count", "5"});
    EXPECT_EQ(next.ExitCode, 0);
    EXPECT_EQ(next.Output, QStringLiteral("0: 9998-06-01, 9999-06-01\n"));
    EXPECT_TRUE(next.Errors.contains(QStringLiteral("entry 0 (June)"))) << next.Errors.toStdString();
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

    const TRunResult text = Run({"next", file, "--from", "2027-04-12", "--count", "3"});
    EXPECT_EQ(text.ExitCode, 0) << text.Errors.toStdString();
    EXPECT_EQ(text.Output, QStringLiteral("0: 2027-04-12, 2028-04-12, 2029-04-12\n1: 2027-04-30, 2027-05-31, 2027-06-30\n"
                                          "2: 2027-04-12\n3:\n4: 2027-04-13, 2027-04-14\n"));

    const TRunResult json = Run({"next", file, "--json", "--from=2027-04-13", "--count=1"});
    ASSERT_EQ(json.ExitCode, 0) << json.Errors.toStdString();
    const QJsonArray entries = QJsonDocument::fromJson(json.Output.toUtf8()).array();
    ASSERT_EQ(entries.size(), 5) << json.Output.toStdString();
    EXPECT_EQ(entries[1].toObject(), (QJsonObject{{"Index", 1}, {"Days", QJsonArray{"2027-04-30"}}}));
    EXPECT_EQ(Field(entries, 4, "Days").toArray(), QJsonArray{"2027-04-13"});
    EXPECT_EQ(Field(entries, 2, "Days").toArray(), QJsonArray());
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
    Add(list, MakeEntry<TVemoraEntryMonthly>("2027-01-01", 3), QStringLiteral("Monthly"))
        .SetDaySpec(DaySpecOf(dcLast, dkFriday));
    Add(list, MakeEntry<TVemoraEntryOnce>("2027-04-10"), QStringLiteral("Once"));

    const TRunResult result = Run({"dump", Save(list)});
    ASSERT_EQ(result.ExitCode, 0) << result.Errors.toStdString();
    const QJsonObject file = QJsonDocument::fromJson(result.Output.toUtf8()).object();
    EXPECT_EQ(file["FileVersion"].toInt(-1), 2);
    EXPECT_EQ(file["Categories"].toArray(), (QJsonArray{QJsonObject{{"Name", "Bär"}, {"Id", 4}}}));
    const QJsonArray entries = file["Entries"].toArray();
    ASSERT_EQ(entries.size(), 5) << result.Output.toStdString();
    const QJsonObject days{{"Valid", true}, {"Complete", true},
                           {"Days", QJsonArray{Day("1990-04-12"), Day("1991-04-12"), Day("1992-04-12")}}};
    EXPECT_EQ(entries[0].toObject(),
              (QJsonObject{{"Kind", 4}, {"Number", 1}, {"DateStart", Day("1990-04-12")}, {"DateStop", -1},
                           {"Repetition", 1}, {"MaxCount", 3}, {"Active", true}, {"Comment", "€ and Ł"},
                           {"DisplayText", "Anna turns $(COUNT) today"}, {"Mediafile", "/sounds/bell.wav"},
                           {"AdvanceWarn", 3}, {"Icon", 0x30}, {"Category", 4}, {"MatchList", days},
                           {"DaySpec", 12}, {"Month", 4}}))
        << result.Output.toStdString();
    EXPECT_EQ(Field(entries, 1, "DateStop").toInt(), Day("2027-02-01"));
    EXPECT_FALSE(Field(entries, 1, "Active").toBool(true));
    EXPECT_FALSE(Field(entries, 1, "MatchList").toObject()["Valid"].toBool(true));
    EXPECT_EQ(Field(entries, 3, "Repetition").toInt(-1), 3);
    // Only the kinds that have a pattern field carry it.
    const QJsonObject patterns[] = {{{"DaySpec", 12}, {"Month", 4}}, {{"DayKind", dkWeekend}}, {{"Weekdays", 0x54}},
                                    {{"DaySpec", DaySpecOf(dcLast, dkFriday)}}, {}};
    for (int i = 0; i < entries.size(); ++i) {
        QJsonObject present;
        for (const char* field : {"DayKind", "Weekdays", "DaySpec", "Month"})
            if (entries[i].toObject().contains(QLatin1String(field)))
                present.insert(QLatin1String(field), Field(entries, i, field));
        EXPECT_EQ(present, patterns[i]) << "entry " << i;
    }
}

// A daily entry starting before the year 1 whose stored days are out of order: they cannot be
// read, nor computed afresh. The dump shows the entry with its days unknown, as saving writes it.
TEST_F(CliTest, DumpShowsAnEntryWhoseDaysCannotBeComputed)
{
    const TRunResult result = Run({"dump", VEMORA_FUZZ_CORPUS "/EntryFileFuzzer/version2-uncomputable-cache.vkd"});
    ASSERT_EQ(result.ExitCode, 0) << result.Errors.toStdString();
    const QJsonArray entries = QJsonDocument::fromJson(result.Output.toUtf8()).object()["Entries"].toArray();
    ASSERT_EQ(entries.size(), 1) << result.Output.toStdString();
    EXPECT_EQ(Field(entries, 0, "DisplayText").toString(), QStringLiteral("Stand-up $(COUNT)"));
    EXPECT_EQ(Field(entries, 0, "MatchList").toObject(),
              (QJsonObject{{"Valid", false}, {"Complete", false}, {"Days", QJsonArray()}}));
}

TEST_F(CliTest, UpgradeWritesVersionTwoAndLeavesTheInputAlone)
{
    // One version-1 record: 24 December, comment, text, active, 3 days warning, no media, icon.
    QByteArray old = Header(1) + QByteArray("\x01\0\0\0\x18\x0c", 6);
    old += QByteArray("\x01\0\0\0c", 5) + QByteArray("\x03\0\0\0Eve", 7) + QByteArray("\x01\x03\0\0\0\0\x30", 7);
    const QString in = Home.WriteFile(QStringLiteral("old.vkd"), old);
    const QString out = Home.FilePath(QStringLiteral("new.vkd"));

    const TRunResult result = Run({"upgrade", in, out});
    ASSERT_EQ(result.ExitCode, 0) << result.Errors.toStdString();
    EXPECT_TRUE(result.Output.isEmpty());
    EXPECT_EQ(ReadWholeFile(in), old);
    EXPECT_EQ(ReadWholeFile(out).left(23), Header(2));
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

    const TRunResult unwritable = Run({"upgrade", in, Home.FilePath(QStringLiteral("no/such/dir.vkd"))});
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
    const QString out = Home.FilePath(QStringLiteral("out.vkd"));
    for (const QStringList& call : {QStringList{"due", path}, {"next", path}, {"dump", path}, {"upgrade", path, out}}) {
        const TRunResult result = Run(call);
        EXPECT_EQ(result.ExitCode, 1) << call.first().toStdString();
        EXPECT_TRUE(result.Output.isEmpty()) << result.Output.toStdString();
        EXPECT_EQ(result.Errors.count(u'\n'), 1) << result.Errors.toStdString();
        EXPECT_TRUE(result.Errors.startsWith(QStringLiteral("vemora-cli: ") + path)) << result.Errors.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(out));
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

} // namespace
