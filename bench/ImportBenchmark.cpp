// The iCalendar import of vemora-cli, in process: the calendar exported from 12,500 generated
// entries (about 10,000 events), read back with its listed days expanded over the export's window.

#include "ReminderSet.h"

#include "cli/CalendarExport.h"
#include "cli/CalendarImport.h"
#include "model/VemoraEntries.h"
#include "support/DayNumbers.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr std::uint64_t Seed = 1;
constexpr int ReminderCount = 12'500;

void Import(benchmark::State& state)
{
    TVemoraEntries exported;
    FillEntries(GenerateReminders(ReminderCount, Seed, Today()), exported);
    const TExportWindow window = DefaultExportWindow(Today());
    const QByteArray calendar = ExportCalendar(exported, QStringLiteral("/bench/reminders.vkd"), window,
                                               [](int, const TVemoraEntryBasic&, const std::exception&) {});
    TImportReport report;
    int entries = 0;
    for (auto _ : state) {
        auto imported = std::make_unique<TVemoraEntries>();
        report = ImportCalendar(calendar, *imported, {}, TImportWindow{window.From, window.To});
        state.PauseTiming();
        entries = imported->Count();
        imported.reset();
        state.ResumeTiming();
    }
    state.counters["events"] = static_cast<double>(report.Items.size());
    state.counters["entries"] = entries;
    state.counters["left_out"] = report.LeftOut();
}

} // namespace

BENCHMARK(Import)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
