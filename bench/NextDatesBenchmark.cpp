// The line of next dates under the entry editor's rule, as each typed change updates it: for
// every entry of the generator in turn, loaded into the editor (offscreen) and then updated once.
// The mean is Google Benchmark's time; the slowest single update is the counter slowest_ms.

#include "ReminderSet.h"

#include "model/VemoraEntries.h"
#include "support/DayNumbers.h"
#include "support/NLS.h"
#include "ui/FormEditDate.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

namespace {

constexpr std::uint64_t Seed = 1;
constexpr int ReminderCount = 10'000;

void NextDatesLine(benchmark::State& state, TVemoraEntries& entries, TFormEditDate& editor)
{
    double slowest = 0;
    int index = 0;
    for (auto _ : state) {
        state.PauseTiming();
        editor.LoadFromEntry(entries.Items(index));
        index = (index + 1) % entries.Count();
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        editor.UpdateNextDates();
        slowest = std::max(slowest, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    state.counters["slowest_ms"] = slowest;
}

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    LoadLanguage(QStringLiteral(":/lang/State_GB.nls"), QStringLiteral(":/lang/Vemora_EN.nls"));

    TVemoraEntries entries;
    FillEntries(GenerateReminders(ReminderCount, Seed, Today()), entries);
    TFormEditDate editor;
    // One pass over every generated entry per run.
    benchmark::RegisterBenchmark("NextDatesLine/EveryGeneratedEntry", [&](benchmark::State& state) {
        NextDatesLine(state, entries, editor);
    })->Unit(benchmark::kMicrosecond)->Iterations(ReminderCount)->Repetitions(3);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
