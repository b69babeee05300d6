// Runs the built vemora-cli on entry files written here through the model, and checks what
// scripts rely on: the output of each command and the exit status.
#include "model/VemoraEntries.h"

#include "RunProgram.h"
#include "TestSupport.h"
#include "model/ModelTestSupport.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

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

TVemoraEntryDaily& EveryDay(TVemoraEntries& list, const char* start, const char* text)
{
    auto& entry = Add(list, MakeEntry<TVemoraEntryDaily>(start), QString::fromUtf8(text));
    entry.SetDayKind(dkAnyDay);
    return entry;
}

QString Compact(const QJsonDocument& document) { return QString::fromUtf8(document.toJson(QJsonDocument::Compact)); }

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
        list.SaveToFile(Home.FilePath(name));
        return Home.FilePath(name);
    }

    // 2027-04-12 is a Monday and Anna's birthday, warned three days ahead.
    QString SaveDates() const
    {
        TVemoraEntries list;
        Add(list, YearlyOn("1990-04-12", 4, 12), QStringLiteral("Anna turns $(COUNT) today")).SetAdvanceWarn(3);
        EveryDay(list, "2027-01-01", "Vitamins");
        EveryDay(list, "2027-01-01", "Switched off").SetActive(false);
        Add(list, MakeEntry<TVemoraEntryWeekly>("2027-01-01"), QStringLiteral("Choir")).SetWeekdays(WeekdayBits({dkMonday}));
        Add(list, MakeEntry<TVemoraEntryOnce>("2027-04-10"), QStringLiteral("Dentist\nat 10:30"));
        Add(list, MakeEntry<TVemoraEntryMonthly>("2027-01-01"), QStringLiteral("Rent"))
            .SetDaySpec(DaySpecOf(dcLast, dkWorkingDay));
        EveryDay(list, "2027-04-13", "Twice").SetMaxCount(2);
        return Save(list);
    }
};

// Days past the year 9999 cannot be computed: the entry is named on the error stream, and the
// others, as well as the days before the limit, still show. JSON output is compared compacted.
TEST_F(CliTest, PrintsTheOutputOfEachCommand)
{
    const QString dates = SaveDates();
    TVemoraEntries list; // yesterday's and today's, under a name that the shell passes in UTF-8
    Add(list, MakeEntry<TVemoraEntryOnce>("2020-01-01"), QStringLiteral("Yesterday's")).SetDateStart(Today() - 1);
    Add(list, MakeEntry<TVemoraEntryOnce>("2020-01-01"), QStringLiteral("Today's")).SetDateStart(Today());
    const QString today = Save(list, QStringLiteral("Termine für Jürgen ✓.vkd"));
    TVemoraEntries limits;
    Add(limits, YearlyOn("9997-03-01", 2, 29), QStringLiteral("Leap day")); // the next one is in 10000
    Add(limits, YearlyOn("9990-01-01", 2, 30), QStringLiteral("No such day"));
    Add(limits, YearlyOn("9990-01-01", 6, 1), QStringLiteral("June"));
    EveryDay(limits, "9990-01-01", "Every day");
    const QString late = Save(limits, QStringLiteral("late.vkd"));
    TVemoraEntries few; // a birthday warned ahead, a one-off, a switched-off daily entry
    Add(few, YearlyOn("1990-04-12", 4, 12), QStringLiteral("Anna turns $(COUNT) today")).SetAdvanceWarn(3);
    Add(few, MakeEntry<TVemoraEntryOnce>("2027-04-10"), QStringLiteral("Dentist\nat 10:30"));
    EveryDay(few, "2027-01-01", "Switched off").SetActive(false);
    const QString aprilDates = Save(few, QStringLiteral("few.vkd"));
    const struct {
        QStringList Arguments;
        const char* Output;
        const char* Errors = "^$"; // a pattern
    } rows[] = {
        {{"due", dates, "--date", "2027-04-12"}, "Anna turns 37 today\nVitamins\nChoir\n"},
        {{"due", dates, "--date", "2027-04-09"}, "In 3 days: Anna turns 37 today\nVitamins\n"},
        {{"due", dates, "--date", "2027-04-08"}, "Vitamins\n"},
        {{"due", dates, "--date=2027-04-10"}, "In 2 days: Anna turns 37 today\nVitamins\nDentist at 10:30\n"},
        {{"due", today}, "Today's\n"},
        {{"due", dates, "--since", "2027-04-09", "--date", "2027-04-13"}, "2027-04-10 Vitamins\n2027-04-10 Dentist at 10:30\n"
         "2027-04-11 Vitamins\n2027-04-12 Anna turns 37 today\n2027-04-12 Vitamins\n2027-04-12 Choir\n"},
        {{"due", dates, "--since=2027-03-30", "--date=2027-04-01", "--json"}, R"([{"Count":null,"Day":"2027-03-31",)"
         R"("Index":1,"Text":"Vitamins"},{"Count":null,"Day":"2027-03-31","Index":5,"Text":"Rent"}])"},
        {{"next", dates, "--from", "2027-04-12", "--count", "3"},
         "0: 2027-04-12, 2028-04-12, 2029-04-12\n1: 2027-04-12, 2027-04-13, 2027-04-14\n"
         "2: 2027-04-12, 2027-04-13, 2027-04-14\n3: 2027-04-12, 2027-04-19, 2027-04-26\n4:\n"
         "5: 2027-04-30, 2027-05-31, 2027-06-30\n6: 2027-04-13, 2027-04-14\n"},
        {{"due", "--json", dates, "--date=2027-04-10"},
         R"([{"Count":37,"DaysAhead":2,"DisplayText":"Anna turns $(COUNT) today","Index":0,)"
         R"("Text":"In 2 days: Anna turns 37 today"},{"Count":null,"DaysAhead":0,"DisplayText":"Vitamins",)"
         R"("Index":1,"Text":"Vitamins"},{"Count":null,"DaysAhead":0,"DisplayText":"Dentist\nat 10:30",)"
         R"("Index":4,"Text":"Dentist\nat 10:30"}])"},
        {{"next", dates, "--json", "--from=2027-05-01", "--count=1"},
         R"([{"Days":["2028-04-12"],"Index":0},{"Days":["2027-05-01"],"Index":1},{"Days":["2027-05-01"],)"
         R"("Index":2},{"Days":["2027-05-03"],"Index":3},{"Days":[],"Index":4},{"Days":["2027-05-31"],)"
         R"("Index":5},{"Days":[],"Index":6}])"},
        {{"month", aprilDates, "--month", "2027-04"}, "         April 2027\n Mo  Tu  We  Th  Fr  Sa  Su\n"
         "              1   2   3   4\n  5   6   7   8   9  10* 11\n 12* 13  14  15  16  17  18\n"
         " 19  20  21  22  23  24  25\n 26  27  28  29  30\n\nSat 10 Apr  Dentist at 10:30\nMon 12 Apr  Anna turns 37 today\n"},
        {{"due", late, "--date", "9998-05-01"}, "Every day\n",
         "^[^\n]*entry 0 \\(Leap day\\)[^\n]*9999[^\n]*\n[^\n]*entry 1 \\(No such day\\)[^\n]*\n$"},
        {{"next", late, "--from", "9998-01-01", "--count", "5"},
         "0:\n1:\n2: 9998-06-01, 9999-06-01\n3: 9998-01-01, 9998-01-02, 9998-01-03, 9998-01-04, 9998-01-05\n",
         "entry 2 \\(June\\)"}};
    for (const auto& row : rows) {
        const TRunResult result = Run(row.Arguments);
        const QJsonDocument json = QJsonDocument::fromJson(result.Output.toUtf8());
        const QString output = row.Arguments.contains("--json") ? Compact(json) : result.Output;
        EXPECT_EQ(std::pair(result.ExitCode, output), std::pair(0, QString::fromUtf8(row.Output)))
            << row.Arguments.join(u' ').toStdString();
        EXPECT_TRUE(QRegularExpression(row.Errors).match(result.Errors).hasMatch()) << result.Errors.toStdString();
    }
    const TRunResult help = Run({"due", dates, "-h"}); // names every command
    const QRegularExpression commands("(?s)due FILE.*next FILE.*dump FILE.*upgrade IN OUT");
    EXPECT_TRUE(help.ExitCode == 0 && commands.match(help.Output).hasMatch()) << help.Output.toStdString();
}

TEST_F(CliTest, DumpWritesEveryFieldOfTheFile)
{
    TVemoraEntries list;
    list.Categories().AddCategory(QStringLiteral("Bär"), 4);
    auto& anna = Add(list, YearlyOn("1990-04-12", 4, 12), QStringLiteral("Anna $(COUNT)"));
    anna.SetCategory(4);
    anna.SetAdvanceWarn(3);
    anna.SetComment(QStringLiteral("€ and Ł"));
    anna.SetMediafile(QStringLiteral("/bell.wav"));
    anna.SetIcon(0x30);
    anna.SetMaxCount(2);
    anna.EnsureMatches(Day("2000-01-01"));
    Add(list, MakeEntry<TVemoraEntryDaily>("2027-01-01"), QStringLiteral("Daily")).SetDayKind(dkWeekend);
    Add(list, MakeEntry<TVemoraEntryWeekly>("2027-01-01"), QStringLiteral("Weekly")).SetWeekdays(0x54);
    Add(list, MakeEntry<TVemoraEntryMonthly>("2027-01-01", 3), QStringLiteral("Monthly"))
        .SetDaySpec(DaySpecOf(dcLast, dkFriday));
    Add(list, MakeEntry<TVemoraEntryOnce>("2027-04-10"), QStringLiteral("Once"));

    const QJsonObject file = QJsonDocument::fromJson(Run({"dump", Save(list)}).Output.toUtf8()).object();
    const QJsonArray entries = file["Entries"].toArray();
    ASSERT_EQ(entries.size(), 5);
    EXPECT_EQ(Compact(QJsonDocument(QJsonObject{{"FileVersion", file["FileVersion"]}, {"Categories", file["Categories"]},
                                                {"Anna", entries[0]}})),
              R"({"Anna":{"Active":true,"AdvanceWarn":3,"Category":4,"Comment":"€ and Ł","DateStart":32975,)"
              R"j("DateStop":-1,"DaySpec":12,"DisplayText":"Anna $(COUNT)","Icon":48,"Kind":4,)j"
              R"("MatchList":{"Complete":true,"Days":[32975,33340],"Valid":true},"MaxCount":2,)"
              R"("Mediafile":"/bell.wav","Month":4,"Number":1,"Repetition":1},)"
              R"("Categories":[{"Id":4,"Name":"Bär"}],"FileVersion":2})");
    // The other kinds carry only the pattern field of their kind.
    QStringList kinds;
    for (int i = 1; i < entries.size(); ++i) {
        QJsonObject kept;
        for (const char* name : {"Kind", "Repetition", "DayKind", "Weekdays", "DaySpec", "Month"})
            if (entries[i].toObject().contains(QLatin1String(name)))
                kept.insert(QLatin1String(name), entries[i][name]);
        kinds << Compact(QJsonDocument(kept));
    }
    EXPECT_EQ(kinds, QStringList({R"({"DayKind":8,"Kind":1,"Repetition":1})", R"({"Kind":2,"Repetition":1,"Weekdays":84})",
                                  R"({"DaySpec":166,"Kind":3,"Repetition":3})", R"({"Kind":0,"Repetition":1})"}));

    // A daily entry before the year 1 whose stored days are out of order: they can neither be
    // read nor computed afresh, and show as unknown, as saving writes them.
    const TRunResult uncomputable = Run({"dump", VEMORA_FUZZ_CORPUS "/EntryFileFuzzer/version2-uncomputable-cache.vkd"});
    const QJsonValue entry = QJsonDocument::fromJson(uncomputable.Output.toUtf8())["Entries"][0];
    EXPECT_EQ(Compact(QJsonDocument(QJsonObject{{"Text", entry["DisplayText"]}, {"MatchList", entry["MatchList"]}})),
              R"j({"MatchList":{"Complete":false,"Days":[],"Valid":false},"Text":"Stand-up $(COUNT)"})j");
}

TEST_F(CliTest, UpgradeWritesVersionTwoAndLeavesTheInputAlone)
{
    // One version-1 record: 24 December, comment, text, active, 3 days warning, no media, icon.
    const QByteArray old = Header(1) + QByteArray("\x01\0\0\0\x18\x0c\x01\0\0\0c\x03\0\0\0Eve\x01\x03\0\0\0\0\x30", 25);
    const QString in = Home.WriteFile(QStringLiteral("old.vkd"), old);
    const QString out = Home.FilePath(QStringLiteral("new.vkd"));
    const TRunResult result = Run({"upgrade", in, out});
    EXPECT_EQ(std::tuple(result.ExitCode, result.Output, result.Errors), std::tuple(0, QString(), QString()));
    EXPECT_EQ(ReadWholeFile(in), old);
    TVemoraEntries upgraded;
    ASSERT_TRUE(upgraded.LoadFromFile(out) && upgraded.Count() == 1);
    EXPECT_EQ(std::tuple(upgraded.FileVersion(), upgraded.Items(0)->DisplayText(), upgraded.Items(0)->DateStart()),
              std::tuple(2, QStringLiteral("Eve"), Day("1900-12-24")));
    const TRunResult unwritable = Run({"upgrade", in, Home.FilePath(QStringLiteral("no/such/dir.vkd"))});
    EXPECT_TRUE(unwritable.ExitCode == 1 && unwritable.Errors.contains("no/such/dir.vkd")) << unwritable.Errors.toStdString();
}

// A day's occurrences and warnings are the entries due lists for it, and its occurrences those
// next finds from the month's first day; an entry past the calendar is reported, not lost.
TEST_F(CliTest, MonthMarksTheDaysDueAndNextName)
{
    const QString dates = SaveDates();
    const QJsonObject month = QJsonDocument::fromJson(Run({"month", dates, "--month", "2027-04", "--json"}).Output.toUtf8()).object();
    ASSERT_EQ(month["Month"].toString(), QStringLiteral("2027-04"));
    const QJsonArray days = month["Days"].toArray();
    ASSERT_EQ(days.size(), 30);
    const QJsonArray next = QJsonDocument::fromJson(Run({"next", dates, "--from", "2027-04-01", "--count", "31", "--json"}).Output.toUtf8()).array();
    for (const QJsonValue& value : days) {
        const QJsonObject day = value.toObject();
        const QString date = day["Date"].toString();
        QList<int> due, marked, occurring;
        for (const QJsonValue& alert : QJsonDocument::fromJson(Run({"due", dates, "--date", date, "--json"}).Output.toUtf8()).array())
            due.append(alert.toObject()["Index"].toInt());
        for (const char* key : {"Occurrences", "Warnings"})
            for (const QJsonValue& index : day[key].toArray())
                marked.append(index.toInt());
        for (const QJsonValue& entry : next)
            if (entry.toObject()["Days"].toArray().contains(date) && (entry.toObject()["Index"].toInt() != 2))
                occurring.append(entry.toObject()["Index"].toInt()); // entry 2 is switched off
        std::sort(marked.begin(), marked.end());
        EXPECT_EQ(marked, due) << date.toStdString();
        QList<int> occurrences;
        for (const QJsonValue& index : day["Occurrences"].toArray())
            occurrences.append(index.toInt());
        EXPECT_EQ(occurrences, occurring) << date.toStdString();
    }
    EXPECT_EQ(Compact(QJsonDocument(days[8].toObject())), R"({"Date":"2027-04-09","Occurrences":[1],"Warnings":[0]})");
}

// Wrong usage ends with status 2, a file that cannot be read with 1: one line each.
TEST_F(CliTest, ErrorsEndWithOneLineAndTheirStatus)
{
    const QString dates = SaveDates();
    const QString out = Home.FilePath(QStringLiteral("out.vkd"));
    const auto bad = [&](const char* name, const QByteArray& content) { return Home.WriteFile(name, content); };
    const struct {
        const char* Name;
        QStringList Arguments;
        int ExitCode;
    } rows[] = {{"no_command", {}, 2},
                {"unknown_command", {"remind", dates}, 2},
                {"due_without_file", {"due"}, 2},
                {"due_with_two_files", {"due", dates, dates}, 2},
                {"upgrade_without_output", {"upgrade", dates}, 2},
                {"impossible_date", {"due", dates, "--date", "2027-02-29"}, 2},
                {"date_in_words", {"due", dates, "--date=tomorrow"}, 2},
                {"year_zero", {"due", dates, "--date", "0000-01-01"}, 2},
                {"date_without_value", {"due", dates, "--date"}, 2},
                {"option_of_another_command", {"due", dates, "--from", "2027-01-01"}, 2},
                {"count_zero", {"next", dates, "--count", "0"}, 2},
                {"count_too_large", {"next", dates, "--count", "1000"}, 2},
                {"export_window_backwards", {"export", dates, "--from", "2027-01-02", "--to", "2027-01-01"}, 2},
                {"since_for_next", {"next", dates, "--since", "2027-01-01"}, 2},
                {"import_without_output", {"import", dates}, 2},
                {"month_without_day", {"month", dates, "--month", "2027-4"}, 2},
                {"month_thirteen", {"month", dates, "--month=2027-13"}, 2},
                {"import_to_no_category", {"import", dates, out, "--category", " "}, 2},
                {"import_of_no_calendar", {"import", bad("garbage.ics", "\x01\x02 no calendar"), out}, 1},
                {"missing", {"due", Home.FilePath(QStringLiteral("missing.vkd"))}, 1},
                {"folder", {"next", Home.Path()}, 1},
                {"text_file", {"dump", bad("text.vkd", "hello\n")}, 1},
                {"newer_version", {"upgrade", bad("new.vkd", Header(3) + QByteArray(5, '\0')), out}, 1},
                {"damaged_body", {"next", bad("damaged.vkd", Header(2) + QByteArray("\0\x01\0\0\0\x07", 6))}, 1},
                {"old_record_on_no_date", {"upgrade", bad("old.vkd", Header(0) + QByteArray("\x01\0\0\0\x1e\x02", 6)
                                                                          + QByteArray(14, '\0')), out}, 1}};
    for (const auto& row : rows) {
        const TRunResult result = Run(row.Arguments);
        const QString start = QStringLiteral("vemora-cli: ") + (row.ExitCode == 1 ? row.Arguments[1] : QString());
        EXPECT_EQ(std::tuple(result.ExitCode, result.Output, result.Errors.count(u'\n'), result.Errors.startsWith(start)),
                  std::tuple(row.ExitCode, QString(), 1, true)) << row.Name << ": " << result.Errors.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(out));
}

} // namespace
