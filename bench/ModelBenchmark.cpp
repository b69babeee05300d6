// The entry model at 1,000, 10,000 and 100,000 realistic entries: loading a file with empty
// (cold) and with computed (warm) occurrence caches, the due test for today on each, saving,
// and the marks of a month for the overview. The files are generated on first use into the data folder (VEMORA_BENCH_DATA
// overrides it) and carry the day in their names, so that caches of another day never serve.

#include "ReminderSet.h"

#include "model/MonthMarks.h"
#include "model/VemoraEntries.h"
#include "support/DayNumbers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

constexpr std::uint64_t Seed = 1;

QString& DataDir()
{
    static QString dir;
    return dir;
}

// The same names as bench/run-bench.sh gives the files of generate_reminders.
TReminderFiles FilesFor(std::int64_t count)
{
    const QString prefix = QStringLiteral("%1/reminders-%2-s%3-%4")
                               .arg(DataDir())
                               .arg(count)
                               .arg(Seed)
                               .arg(QString::fromStdString(IsoDate(Today())));
    const TReminderFiles files{prefix + QStringLiteral("-cold.vkd"), prefix + QStringLiteral("-warm.vkd"),
                               prefix + QStringLiteral(".rem")};
    if (QFileInfo::exists(files.Cold) && QFileInfo::exists(files.Warm) && QFileInfo::exists(files.Remind))
        return files;
    return WriteReminderFiles(static_cast<int>(count), Seed, Today(), prefix);
}

std::unique_ptr<TVemoraEntries> Load(const QString& fileName)
{
    auto entries = std::make_unique<TVemoraEntries>();
    if (!entries->LoadFromFile(fileName))
        std::abort();
    return entries;
}

void SetFileCounters(benchmark::State& state, const QString& fileName)
{
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["file_MB"] = static_cast<double>(QFileInfo(fileName).size()) / 1e6;
}

void LoadFile(benchmark::State& state, const QString& fileName)
{
    for (auto _ : state) {
        std::unique_ptr<TVemoraEntries> entries = Load(fileName);
        benchmark::DoNotOptimize(entries->Count());
        // Freeing is left out of the figure; the whole-process timings include it.
        state.PauseTiming();
        entries.reset();
        state.ResumeTiming();
    }
    SetFileCounters(state, fileName);
}

void DueToday(benchmark::State& state, const QString& fileName)
{
    const qint32 today = Today();
    std::size_t due = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<TVemoraEntries> entries = Load(fileName);
        state.ResumeTiming();
        due = entries->GetDueEntries(today).size();
        state.PauseTiming();
        entries.reset();
        state.ResumeTiming();
    }
    SetFileCounters(state, fileName);
    state.counters["due"] = static_cast<double>(due);
}

qint32 MonthStart(qint32 day, int monthsLater)
{
    const TCivilDate date = CivilFromDay(day);
    const int month = static_cast<int>(date.Month) - 1 + monthsLater;
    return DayFromCivil(date.Year + month / 12, static_cast<unsigned>(month % 12 + 1), 1);
}

// What the list asks of each entry when it is filled: the occurrences around today.
void LookAtToday(TVemoraEntries& entries)
{
    for (int i = 0; i < entries.Count(); ++i) {
        qint32 found = 0;
        entries.Items(i)->FindOccurrence(Today(), found, FindOnOrBefore);
        entries.Items(i)->FindOccurrence(Today(), found, FindNext);
    }
}

std::size_t MarkMonth(TVemoraEntries& entries, qint32 first)
{
    const std::vector<TDayMarks> days = MarkDays(entries, first, MonthStart(first, 1) - 1);
    std::size_t marks = 0;
    for (const TDayMarks& day : days)
        marks += day.Occurrences.size() + day.Warnings.size();
    return marks;
}

// This month's marks on the file just loaded (untimed). As vemora-cli month, the first look
// reads the stored caches from the file; as the editor, whose list has looked at today (untimed
// too), only the days after them are walked.
void MonthMarksOnOpen(benchmark::State& state, bool listFilled)
{
    const QString fileName = FilesFor(state.range(0)).Warm;
    std::size_t marks = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<TVemoraEntries> entries = Load(fileName);
        if (listFilled)
            LookAtToday(*entries);
        state.ResumeTiming();
        marks = MarkMonth(*entries, MonthStart(Today(), 0));
        state.PauseTiming();
        entries.reset();
        state.ResumeTiming();
    }
    SetFileCounters(state, fileName);
    state.counters["marks"] = static_cast<double>(marks);
}

// Paging forward through the two years from this month on, again and again, as people page
// the overview; the caches grow as the first pass needs.
void MonthMarksNext(benchmark::State& state)
{
    std::unique_ptr<TVemoraEntries> entries = Load(FilesFor(state.range(0)).Warm);
    int month = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(MarkMonth(*entries, MonthStart(Today(), month++ % 24)));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Saves the warm file's entries after the due test, as the program holds them.
void Save(benchmark::State& state)
{
    const TReminderFiles files = FilesFor(state.range(0));
    std::unique_ptr<TVemoraEntries> entries = Load(files.Warm);
    entries->GetDueEntries(Today());
    const QString target = QStringLiteral("%1/saved-%2.vkd").arg(DataDir()).arg(state.range(0));
    for (auto _ : state)
        entries->SaveToFile(target);
    SetFileCounters(state, target);
    QFile::remove(target);
}

// Each iteration of the due test loads the file again, untimed; a fixed number of
// iterations bounds that untimed work, which the framework does not count.
int ReloadingIterations(int count)
{
    return std::max(3, 200'000 / count);
}

void Register()
{
    for (const int count : {1'000, 10'000, 100'000}) {
        const auto add = [count](const char* name, auto run) {
            return benchmark::RegisterBenchmark(name, run)
                ->Arg(count)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        };
        add("LoadCold", [](benchmark::State& state) { LoadFile(state, FilesFor(state.range(0)).Cold); });
        add("LoadWarm", [](benchmark::State& state) { LoadFile(state, FilesFor(state.range(0)).Warm); });
        add("DueTodayCold", [](benchmark::State& state) { DueToday(state, FilesFor(state.range(0)).Cold); })
            ->Iterations(ReloadingIterations(count));
        add("DueTodayWarm", [](benchmark::State& state) { DueToday(state, FilesFor(state.range(0)).Warm); })
            ->Iterations(ReloadingIterations(count));
        add("Save", Save);
        add("MonthMarksAfterLoad", [](benchmark::State& state) { MonthMarksOnOpen(state, false); })
            ->Iterations(ReloadingIterations(count));
        add("MonthMarksInEditor", [](benchmark::State& state) { MonthMarksOnOpen(state, true); })
            ->Iterations(ReloadingIterations(count));
        add("MonthMarksNext", MonthMarksNext)->Unit(benchmark::kMicrosecond);
    }
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    Register();
    const char* dataDir = std::getenv("VEMORA_BENCH_DATA");
    DataDir() = dataDir && *dataDir ? QString::fromLocal8Bit(dataDir) : QStringLiteral(VEMORA_BENCH_DATA_DIR);
    QDir().mkpath(DataDir());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
