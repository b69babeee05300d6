// The editor's entry list at 10,000 and 100,000 entries, offscreen: opening a file in the main
// window (read, listed, sorted by next date, painted), sorting by each column as a header
// click does, and the heap the window adds to that of the entries alone; the commands on a
// list of 100,000 (select all and delete and its undo, delete one, save, edit one, toggle
// one); typing a find text into that list, key by key; and the entry editor opened on an entry
// of each kind, the first time and later; the month overview paging forward. It uses the same generated files as the model
// benchmark (VEMORA_BENCH_DATA overrides their folder).

#include "ReminderSet.h"

#include "app/VemoraLibState.h"
#include "model/ListRow.h"
#include "model/VemoraEntries.h"
#include "platform/MessageService.h"
#include "support/DayNumbers.h"
#include "support/NLS.h"
#include "ui/EntryFilterModel.h"
#include "ui/EntryListModel.h"
#include "ui/FormEditDate.h"
#include "ui/FormMain.h"
#include "ui/ListViewEx.h"
#include "ui/MonthGrid.h"
#include "ui/MonthOverview.h"
#include <QToolButton>

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QShortcut>
#include <QTemporaryDir>
#include <QTimer>
#include <QAction>
#include <QPlainTextEdit>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

namespace {

constexpr std::uint64_t Seed = 1;
// The order a file is listed in when it is opened: next date, ascending.
constexpr int NextDateColumn = 4;
constexpr int LargeCount = 100'000;

using TClock = std::chrono::steady_clock;

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

// Heap bytes in use. Blocks as large as the row arrays of 100,000 entries come from mmap,
// which uordblks leaves out, so hblkhd is added.
double HeapBytes()
{
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd);
}

double Milliseconds(TClock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

// Counts the paints of the list, to show that a timed case really drew the rows it timed.
class TPaintCounter final : public QObject {
public:
    explicit TPaintCounter(QWidget* widget)
        : m_Widget(widget)
    {
        m_Widget->installEventFilter(this);
    }
    ~TPaintCounter() override { m_Widget->removeEventFilter(this); }
    int Count() const { return m_Count; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_Widget && event->type() == QEvent::Paint)
            ++m_Count;
        return false;
    }

private:
    QWidget* m_Widget;
    int m_Count = 0;
};

// What the user waits for after a command: the events it left behind are handled, among them
// the view's layout and the painting of the visible rows (the paints counter shows it).
void Settle()
{
    QCoreApplication::processEvents();
}

std::unique_ptr<TFormMain> NewForm()
{
    auto form = std::make_unique<TFormMain>();
    form->resize(1000, 700);
    form->show();
    QCoreApplication::processEvents();
    return form;
}

void DeleteForm(std::unique_ptr<TFormMain>& form)
{
    // Keeps the window from storing its settings on the way out.
    BatchMode = true;
    form.reset();
    BatchMode = false;
}

// One shown window serves the timing cases; it keeps the file it opened last.
struct TSharedForm {
    std::unique_ptr<TFormMain> Form;
    QString File;
};

TSharedForm& Shared()
{
    static TSharedForm shared;
    return shared;
}

TFormMain* SharedFormWith(const QString& file)
{
    TSharedForm& shared = Shared();
    if (!shared.Form)
        shared.Form = NewForm();
    if (shared.File != file) {
        shared.File.clear();
        if (!shared.Form->OpenFile(file))
            return nullptr;
        shared.File = file;
        Settle();
    }
    return shared.Form.get();
}

// Whether the rows stand in the order of the column; empty when they do, else where not.
std::string OrderFault(const TEntryListModel& model, int sortKey, bool ascending)
{
    const int direction = ascending ? 1 : -1;
    for (int row = 1; row < model.rowCount(); ++row)
        if (direction * ListViewEx1Compare(model.Row(row - 1), model.Row(row), sortKey) > 0)
            return "rows " + std::to_string(row - 1) + " and " + std::to_string(row) + " are out of order by column " +
                   std::to_string(sortKey);
    return {};
}

void SetFileCounters(benchmark::State& state, const QString& fileName)
{
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["file_MB"] = static_cast<double>(QFileInfo(fileName).size()) / 1e6;
}

// Opens the file again and again in the same window: the document is read anew, listed, sorted
// by next date and painted, as when the user opens a file. The time of OpenFile alone is a
// counter; the rest is the layout and painting that follow it.
void Open(benchmark::State& state, bool warm)
{
    const TReminderFiles files = FilesFor(state.range(0));
    const QString& file = warm ? files.Warm : files.Cold;
    TFormMain* form = SharedFormWith(file);
    if (!form) {
        state.SkipWithError("the file is no entry file");
        return;
    }
    TPaintCounter paints(form->ListViewEx1()->viewport());
    double openMs = 0;
    for (auto _ : state) {
        const TClock::time_point start = TClock::now();
        if (!form->OpenFile(file)) {
            state.SkipWithError("the file is no entry file");
            return;
        }
        const TClock::time_point opened = TClock::now();
        Settle();
        openMs += Milliseconds(opened - start);
    }
    if (form->ListModel().rowCount() != state.range(0)) {
        state.SkipWithError("not every entry is listed");
        return;
    }
    if (const std::string fault = OrderFault(form->ListModel(), NextDateColumn, true); !fault.empty()) {
        state.SkipWithError(fault.c_str());
        return;
    }
    SetFileCounters(state, file);
    state.counters["OpenFile_ms"] = benchmark::Counter(openMs, benchmark::Counter::kAvgIterations);
    state.counters["paints"] = benchmark::Counter(paints.Count(), benchmark::Counter::kAvgIterations);
}

// As a click on the column header: the rows are sorted, the header shows the order, the list
// is painted.
void SortAndShow(TFormMain& form, int sortKey, bool ascending)
{
    form.ListModel().Sort(sortKey, ascending);
    form.ListViewEx1()->horizontalHeader()->setSortIndicator(sortKey, ascending ? Qt::AscendingOrder
                                                                                : Qt::DescendingOrder);
    Settle();
}

void CheckOrder(benchmark::State& state, const TFormMain& form, int sortKey, bool ascending)
{
    if (const std::string fault = OrderFault(form.ListModel(), sortKey, ascending); !fault.empty())
        state.SkipWithError(fault.c_str());
}

// 100,000 rows sorted by one column, ascending and descending in turn, so that every iteration
// moves the rows.
void SortAlternating(benchmark::State& state)
{
    const int sortKey = static_cast<int>(state.range(0));
    TFormMain* form = SharedFormWith(FilesFor(LargeCount).Warm);
    if (!form) {
        state.SkipWithError("the file is no entry file");
        return;
    }
    TPaintCounter paints(form->ListViewEx1()->viewport());
    bool ascending = true;
    for (auto _ : state) {
        SortAndShow(*form, sortKey, ascending);
        ascending = !ascending;
    }
    CheckOrder(state, *form, sortKey, !ascending);
    state.SetItemsProcessed(state.iterations() * form->ListModel().rowCount());
    state.counters["paints"] = benchmark::Counter(paints.Count(), benchmark::Counter::kAvgIterations);
}

// The first click after opening: 100,000 rows in next-date order sorted by one column (by next
// date itself, descending).
void SortFromOpened(benchmark::State& state)
{
    const int sortKey = static_cast<int>(state.range(0));
    const bool ascending = sortKey != NextDateColumn;
    TFormMain* form = SharedFormWith(FilesFor(LargeCount).Warm);
    if (!form) {
        state.SkipWithError("the file is no entry file");
        return;
    }
    TPaintCounter paints(form->ListViewEx1()->viewport());
    for (auto _ : state) {
        state.PauseTiming();
        SortAndShow(*form, NextDateColumn, true);
        state.ResumeTiming();
        SortAndShow(*form, sortKey, ascending);
    }
    CheckOrder(state, *form, sortKey, ascending);
    state.SetItemsProcessed(state.iterations() * form->ListModel().rowCount());
    // Both sorts of an iteration paint.
    state.counters["paints"] = benchmark::Counter(paints.Count(), benchmark::Counter::kAvgIterations);
}

QAction* Command(TFormMain& form, const char* name)
{
    return form.findChild<QAction*>(QString::fromLatin1(name));
}

void SelectRow(TFormMain& form, int row)
{
    TListViewEx& list = *form.ListViewEx1();
    list.selectionModel()->setCurrentIndex(list.model()->index(row, 0),
                                           QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

// A command on the list of 100,000 entries, opened anew before each run where asked (untimed),
// after an untimed preparation.
void ListCommand(benchmark::State& state, bool reopen, const std::function<void(TFormMain&)>& prepare,
                 const std::function<void(TFormMain&)>& command, bool warm)
{
    const QString file = warm ? FilesFor(LargeCount).Warm : FilesFor(LargeCount).Cold;
    TFormMain* form = SharedFormWith(file);
    for (auto _ : state) {
        state.PauseTiming();
        if (!form || (reopen && !form->OpenFile(file))) {
            state.SkipWithError("the file is no entry file");
            return;
        }
        prepare(*form);
        Settle();
        state.ResumeTiming();
        command(*form);
        Settle();
    }
    state.counters["rows_after"] = form->ListModel().rowCount();
    Shared().File.clear(); // changed: the next case opens it anew
}

void RegisterListCommands()
{
    using TStep = std::function<void(TFormMain&)>;
    const auto add = [](const char* name, bool reopen, TStep prepare, TStep command, bool warm = true) {
        benchmark::RegisterBenchmark(name, [=](benchmark::State& state) { ListCommand(state, reopen, prepare, command, warm); })
            ->Iterations(5)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    };
    // Goals: under 500, 20, 500, 50 and 5 ms.
    add("List100k/SelectAllAndDelete", true, [](TFormMain& form) { Command(form, "MainMenuEditSelectall")->trigger(); },
        [](TFormMain& form) { Command(form, "MainMenuEditDelete")->trigger(); });
    // Goal: under 500 ms.
    add("List100k/UndoSelectAllAndDelete", true, [](TFormMain& form) {
            Command(form, "MainMenuEditSelectall")->trigger();
            Command(form, "MainMenuEditDelete")->trigger();
        },
        [](TFormMain& form) { Command(form, "MainMenuEditUndo")->trigger(); });
    add("List100k/DeleteOne", false, [](TFormMain& form) { SelectRow(form, form.ListModel().rowCount() / 2); },
        [](TFormMain& form) { Command(form, "MainMenuEditDelete")->trigger(); });
    static QTemporaryDir saved;
    // The warm file holds 215 MB of cached days; the cold one none, but opening it computes
    // those the list shows. Both save 215 MB, which the disk must take before the file replaces
    // the old one: dd with conv=fsync gives the floor for that size on the machine at hand.
    const TStep save = [](TFormMain& form) { form.Entries().SaveToFile(saved.filePath(QStringLiteral("saved.vkd"))); };
    add("List100k/Save", false, [](TFormMain&) {}, save);
    add("List100k/SaveCold", false, [](TFormMain&) {}, save, false);
    // The program's own part: the same save to a file system in memory, where there is one.
    static QTemporaryDir inMemory(QStringLiteral("/dev/shm/vemora-bench-XXXXXX"));
    if (inMemory.isValid())
        add("List100k/SaveInMemory", false, [](TFormMain&) {},
            [](TFormMain& form) { form.Entries().SaveToFile(inMemory.filePath(QStringLiteral("saved.vkd"))); });
    // Sorted by display text; the edited text moves the row to the other end of the list.
    add("List100k/EditOneSorted", false, [](TFormMain& form) {
            SortAndShow(form, 2, true);
            SelectRow(form, form.ListModel().rowCount() / 2);
        },
        [](TFormMain& form) {
            QTimer::singleShot(0, [] {
                auto& editor = static_cast<TFormEditDate&>(*QApplication::activeModalWidget());
                editor.findChild<QPlainTextEdit*>(QStringLiteral("MemoDisplayText"))->setPlainText(QStringLiteral("zzz %1").arg(std::rand()));
                editor.findChild<QPushButton*>(QStringLiteral("ButtonOk"))->click();
            });
            Command(form, "MainMenuEditEdit")->trigger();
        });
    add("List100k/ToggleOne", false, [](TFormMain&) {}, [](TFormMain& form) {
        QAbstractItemModel& model = *form.ListViewEx1()->model();
        const QModelIndex box = model.index(model.rowCount() / 3, 0);
        model.setData(box, model.data(box, Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked ? Qt::Unchecked : Qt::Checked,
                      Qt::CheckStateRole);
    });
}

// The find text typed key by key; "m" keeps most rows, "muller" a few thousand.
const QString FindTyped = QStringLiteral("muller");

// The find field of the shared window.
struct TFind {
    TFormMain& Form;
    QLineEdit& Field;

    void Open() { Command(Form, "MainMenuEditFind")->trigger(); }
    // Escape in the field: a key sent to it would pass by the shortcut map.
    void Escape() { emit Field.findChild<QShortcut*>()->activated(); }
    void Type(qsizetype from, qsizetype count) { Field.insert(FindTyped.mid(from, count)); }
    int Shown() const { return Form.ListViewEx1()->model()->rowCount(); }
};

// A step on the find field over the list of 100,000 entries, after an untimed preparation;
// whether it did its work is checked at the end. The rows are filtered and painted.
void FindStep(benchmark::State& state, const std::function<void(TFind&)>& prepare,
              const std::function<void(TFind&)>& step, const std::function<bool(TFind&)>& done)
{
    TFormMain* form = SharedFormWith(FilesFor(LargeCount).Warm);
    if (!form) {
        state.SkipWithError("the file is no entry file");
        return;
    }
    TFind find{*form, *form->findChild<QLineEdit*>(QStringLiteral("EditFind"))};
    TPaintCounter paints(form->ListViewEx1()->viewport());
    for (auto _ : state) {
        state.PauseTiming();
        prepare(find);
        Settle();
        state.ResumeTiming();
        step(find);
        Settle();
    }
    if (!done(find))
        state.SkipWithError("the step did not do its work");
    state.counters["rows_shown"] = find.Shown();
    state.counters["paints"] = benchmark::Counter(paints.Count(), benchmark::Counter::kAvgIterations);
    find.Escape();
    Settle();
}

// Edit > Find opens the field and folds the texts of every entry for the keys to come. Each
// key typed after it is timed alone (goal: under 50 ms), the keys before it typed untimed into
// the emptied field. Escape brings all rows back.
void RegisterFind()
{
    using TStep = std::function<void(TFind&)>;
    const auto add = [](const std::string& name, TStep prepare, TStep step, std::function<bool(TFind&)> done) {
        benchmark::RegisterBenchmark(name.c_str(), [=](benchmark::State& state) { FindStep(state, prepare, step, done); })
            ->Iterations(5)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    };
    add("List100k/FindOpen", [](TFind& find) { find.Escape(); }, [](TFind& find) { find.Open(); },
        [](TFind& find) { return find.Field.isVisible(); });
    for (qsizetype key = 1; key <= FindTyped.size(); ++key)
        add("List100k/FindKeystroke/key:" + std::to_string(key),
            [key](TFind& find) {
                find.Open();
                find.Field.clear();
                find.Type(0, key - 1);
            },
            [key](TFind& find) { find.Type(key - 1, 1); },
            [key](TFind& find) { return find.Form.FilterModel().FindText() == FindTyped.left(key); });
    for (const qsizetype typed : {qsizetype(1), FindTyped.size()})
        add("List100k/FindEscape/typed:" + std::to_string(typed),
            [typed](TFind& find) {
                find.Open();
                find.Field.clear();
                find.Type(0, typed);
            },
            [](TFind& find) { find.Escape(); },
            [](TFind& find) { return !find.Field.isVisible() && find.Shown() == LargeCount; });
}

// Rows that the entries fill and that keep nothing: what computing the list's occurrences
// leaves in the entries themselves.
class TDiscardedRows final : public TListRows {
public:
    void BeginUpdate() override {}
    void EndUpdate() override {}
    void ClearRows() override {}
    void ReserveRows(int) override {}
    TListRow& AddRow() override { return m_Row; }

private:
    class TRow final : public TListRow {
    public:
        void SetEntry(TVemoraEntryBasic*) override {}
        void SetChecked(bool) override {}
        void SetImageIndex(int) override {}
        void SetOccurrences(std::optional<qint32>, std::optional<qint32>) override {}
    };
    TRow m_Row;
};

// The heap of the entries loaded alone, against that of the same file opened in a shown
// window (on top of the empty window); the window must stay under three times the entries.
// Between the two: the entries once every list row's occurrences are computed, as opening the
// file in the window computes them.
void Memory(benchmark::State& state, bool warm)
{
    const TReminderFiles files = FilesFor(state.range(0));
    const QString& file = warm ? files.Warm : files.Cold;
    // The shared window's document is not to be freed in the middle of a measurement.
    DeleteForm(Shared().Form);
    Shared().File.clear();
    double modelBytes = 0;
    double filledModelBytes = 0;
    double emptyWindowBytes = 0;
    double windowBytes = 0;
    for (auto _ : state) {
        double before = HeapBytes();
        {
            auto entries = std::make_unique<TVemoraEntries>();
            if (!entries->LoadFromFile(file)) {
                state.SkipWithError("the file is no entry file");
                return;
            }
            modelBytes = HeapBytes() - before;
            TDiscardedRows rows;
            entries->FillListView(rows);
            filledModelBytes = HeapBytes() - before;
        }
        before = HeapBytes();
        std::unique_ptr<TFormMain> form = NewForm();
        emptyWindowBytes = HeapBytes() - before;
        before = HeapBytes();
        if (!form->OpenFile(file)) {
            state.SkipWithError("the file is no entry file");
            return;
        }
        Settle();
        windowBytes = HeapBytes() - before;
        if (form->ListModel().rowCount() != state.range(0)) {
            state.SkipWithError("not every entry is listed");
            return;
        }
        DeleteForm(form);
    }
    SetFileCounters(state, file);
    state.counters["model_MB"] = modelBytes / 1e6;
    state.counters["model_filled_MB"] = filledModelBytes / 1e6;
    state.counters["empty_window_MB"] = emptyWindowBytes / 1e6;
    state.counters["window_MB"] = windowBytes / 1e6;
    state.counters["window_per_model"] = windowBytes / modelBytes;
    // What the list itself keeps per entry, beyond the occurrences computed for it.
    state.counters["list_bytes_per_entry"] = (windowBytes - filledModelBytes) / static_cast<double>(state.range(0));
}

// The entry editor opened on a generated entry as the edit command opens it: Execute shows the
// dialog, which closes once it has been painted. First use builds the dialog as well.
void EditEntry(benchmark::State& state, TEntryKind kind, bool firstUse)
{
    TVemoraEntries entries;
    FillEntries(GenerateReminders(200, 1, Today()), entries);
    TVemoraEntryBasic* entry = nullptr;
    for (int i = 0; i < entries.Count() && !entry; ++i)
        if (entries.Items(i)->Kind() == kind)
            entry = entries.Items(i);
    if (!entry) {
        state.SkipWithError("no generated entry of this kind");
        return;
    }
    std::unique_ptr<TFormEditDate> kept = firstUse ? nullptr : std::make_unique<TFormEditDate>();
    for (auto _ : state) {
        std::unique_ptr<TFormEditDate> made = firstUse ? std::make_unique<TFormEditDate>() : nullptr;
        TFormEditDate& dialog = firstUse ? *made : *kept;
        QTimer::singleShot(0, &dialog, [&dialog] {
            dialog.repaint();
            dialog.done(EditResultCancel);
        });
        benchmark::DoNotOptimize(dialog.Execute(entry, entries));
        state.PauseTiming();
        made.reset();
        state.ResumeTiming();
    }
}

// The month overview's right arrow in a window that has just opened the file, as people page
// through the months ahead: the marks of the next six weeks and the repaint (goal: under 50 ms
// at 10,000 entries). After two years the overview goes back to today, untimed.
void MonthOverviewNext(benchmark::State& state)
{
    std::unique_ptr<TFormMain> form = NewForm();
    if (!form->OpenFile(FilesFor(state.range(0)).Warm)) {
        state.SkipWithError("the file is no entry file");
        return;
    }
    Command(*form, "MainMenuViewMonth")->trigger();
    Settle();
    TMonthOverview& overview = form->MonthOverview();
    auto* next = overview.findChild<QToolButton*>(QStringLiteral("NextMonth"));
    TPaintCounter paints(&overview.Grid());
    int paged = 0;
    for (auto _ : state) {
        if (++paged % 24 == 0) {
            state.PauseTiming();
            overview.Grid().SetCurrentDay(Today());
            Settle();
            state.ResumeTiming();
        }
        next->click();
        Settle();
    }
    state.counters["paints"] = benchmark::Counter(paints.Count(), benchmark::Counter::kAvgIterations);
}

void Register()
{
    RegisterListCommands();
    benchmark::RegisterBenchmark("MonthOverviewNext", MonthOverviewNext)
        ->Arg(10'000)
        ->Arg(LargeCount)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    RegisterFind();
    const std::pair<TEntryKind, const char*> kinds[] = {
        {ekOnce, "Once"}, {ekDaily, "Daily"}, {ekWeekly, "Weekly"}, {ekMonthly, "Monthly"}, {ekYearly, "Yearly"}};
    for (const bool firstUse : {true, false})
        for (const auto& [kind, name] : kinds)
            benchmark::RegisterBenchmark((std::string(firstUse ? "EditorFirstUse/" : "EditorLaterUse/") + name).c_str(),
                                         [kind = kind, firstUse](benchmark::State& state) { EditEntry(state, kind, firstUse); })
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
    for (const int count : {10'000, LargeCount}) {
        for (const bool warm : {true, false})
            benchmark::RegisterBenchmark(warm ? "OpenWarm" : "OpenCold",
                                         [warm](benchmark::State& state) { Open(state, warm); })
                ->Arg(count)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
    }
    benchmark::RegisterBenchmark("SortAlternating", SortAlternating)
        ->DenseRange(0, EntryListColumnCount - 1)
        ->ArgName("column")
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("SortFromOpened", SortFromOpened)
        ->DenseRange(0, EntryListColumnCount - 1)
        ->ArgName("column")
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    for (const bool warm : {true, false})
        benchmark::RegisterBenchmark(warm ? "MemoryWarm" : "MemoryCold",
                                     [warm](benchmark::State& state) { Memory(state, warm); })
            ->Arg(LargeCount)
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
}

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The window reads and writes its settings under a home of its own, never the user's.
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
    qunsetenv("VEMORA_HOME");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(home.path()));

    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    const char* dataDir = std::getenv("VEMORA_BENCH_DATA");
    DataDir() = dataDir && *dataDir ? QString::fromLocal8Bit(dataDir) : QStringLiteral(VEMORA_BENCH_DATA_DIR);
    QDir().mkpath(DataDir());

    InitializeVemoraLib();
    // With the language chosen the window asks for none.
    LanguageFilename() = QStringLiteral(":/lang/Vemora_EN.nls");
    CountryFilename() = QStringLiteral(":/lang/State_GB.nls");
    LoadLanguage(CountryFilename(), LanguageFilename());
    // Messages are printed, never waited for.
    SetMessageService(nullptr);

    Register();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    DeleteForm(Shared().Form);
    ApplicationReg.reset();
    return 0;
}
