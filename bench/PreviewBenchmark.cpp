// The preview dialog, offscreen and on screen, run as its button runs it: 999 dates of a
// generated entry of each kind, from today and from the entry's start day, each time with the
// cache as cold as after an edit; and entries begun in the year 1, previewed from today, whose
// first line must come at once because the cache is extended only as far as the preview needs.

#include "ReminderSet.h"

#include "model/EntryFactory.h"
#include "model/VemoraEntries.h"
#include "model/VemoraEntryKinds.h"
#include "model/VemoraEntryMonthRelated.h"
#include "support/DayNumbers.h"
#include "support/NLS.h"
#include "ui/FormPreview.h"

#include <QApplication>
#include <QListWidget>
#include <QSpinBox>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

namespace {

constexpr std::uint64_t Seed = 1;
constexpr int ReminderCount = 1'000;
constexpr int MostDates = 999;

TFormPreview* Form = nullptr;

void Preview(benchmark::State& state, TVemoraEntryBasic& entry, qint32 from, int maximum)
{
    Form->findChild<QSpinBox*>(QStringLiteral("SpinEditCountMax"))->setValue(maximum);
    for (auto _ : state) {
        state.PauseTiming();
        entry.MatchList().Invalidate();
        state.ResumeTiming();
        Form->Preview(entry, DayToQDate(from));
    }
    state.counters["lines"] = Form->findChild<QListWidget*>(QStringLiteral("ListBoxPreview"))->count();
}

// The first generated entry of the kind that runs on without a stop day.
TVemoraEntryBasic& FirstOfKind(const TVemoraEntries& entries, TEntryKind kind)
{
    for (int i = 0; i < entries.Count(); ++i) {
        TVemoraEntryBasic& entry = *entries.Items(i);
        if (entry.Kind() == kind && !entry.HasDateStop() && !entry.HasMaxCount())
            return entry;
    }
    std::abort();
}

std::unique_ptr<TVemoraEntryBasic> SinceYear1(TEntryKind kind)
{
    std::unique_ptr<TVemoraEntryBasic> entry = CreateEntry(kind);
    entry->SetDateStart(MinDayNumber);
    entry->SetDateStop(NoDateStop);
    entry->SetMaxCount(NoMaxCount);
    entry->SetRepetition(1);
    if (auto* daily = dynamic_cast<TVemoraEntryDaily*>(entry.get()))
        daily->SetDayKind(dkAnyDay);
    return entry;
}

void Register(const TVemoraEntries& entries, TVemoraEntryBasic& daily, TVemoraEntryBasic& yearly)
{
    const auto add = [](const std::string& name, TVemoraEntryBasic& entry, qint32 from, int maximum) {
        benchmark::RegisterBenchmark(name.c_str(), [&entry, from, maximum](benchmark::State& state) {
            Preview(state, entry, from, maximum);
        })->Unit(benchmark::kMillisecond)->UseRealTime();
    };
    const std::pair<TEntryKind, const char*> kinds[] = {
        {ekOnce, "Once"}, {ekDaily, "Daily"}, {ekWeekly, "Weekly"}, {ekMonthly, "Monthly"}, {ekYearly, "Yearly"}};
    for (const auto& [kind, name] : kinds) {
        TVemoraEntryBasic& entry = FirstOfKind(entries, kind);
        add(std::string("Preview999/FromToday/") + name, entry, Today(), MostDates);
        add(std::string("Preview999/FromStart/") + name, entry, entry.DateStart(), MostDates);
    }
    add("SinceYear1/Daily/FirstLine", daily, Today(), 1);
    add("SinceYear1/Daily/Preview999", daily, Today(), MostDates);
    add("SinceYear1/Yearly/FirstLine", yearly, Today(), 1);
    add("SinceYear1/Yearly/Preview999", yearly, Today(), MostDates);
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
    const std::unique_ptr<TVemoraEntryBasic> daily = SinceYear1(ekDaily);
    const std::unique_ptr<TVemoraEntryBasic> yearly = SinceYear1(ekYearly);
    // Shown, so that every line added is also painted.
    TFormPreview form;
    Form = &form;
    form.show();
    QApplication::processEvents();

    Register(entries, *daily, *yearly);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
