// The iCalendar export of 10,000 generated entries over the default window, in process: the
// occurrence caches start empty, as after loading a file written without them.

#include "ReminderSet.h"

#include "cli/CalendarExport.h"
#include "model/VemoraEntries.h"
#include "support/DayNumbers.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr std::uint64_t Seed = 1;
constexpr int ReminderCount = 10'000;

void Export(benchmark::State& state)
{
    const std::vector<TReminder> reminders = GenerateReminders(ReminderCount, Seed, Today());
    const TExportWindow window = DefaultExportWindow(Today());
    int faults = 0;
    const TEntryFaultReport count = [&faults](int, const TVemoraEntryBasic&, const std::exception&) { ++faults; };
    qsizetype size = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto entries = std::make_unique<TVemoraEntries>();
        FillEntries(reminders, *entries);
        state.ResumeTiming();
        size = ExportCalendar(*entries, QStringLiteral("/bench/reminders.vkd"), window, count).size();
        state.PauseTiming();
        entries.reset();
        state.ResumeTiming();
    }
    state.counters["calendar_MB"] = static_cast<double>(size) / 1e6;
    state.counters["faults"] = faults;
}

} // namespace

BENCHMARK(Export)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
