// The entry model at 1,000, 10,000 and 100,000 realistic entries: loading a file with empty
// (cold) and with computed (warm) occurrence caches, the due test for today on each, and
// saving. The files are generated on first use into the data folder (VEMORA_BENCH_DATA
// overrides it) and carry the day in their names, so that caches of another day never serve.

#include "ReminderSet.h"

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
