#include "ui/FormPreview.h"
#include "ui/EntryFields.h"

#include "model/EntryFactory.h"
#include "model/PendingEvents.h"
#include "support/DateFormat.h"

#include "GuiTestSupport.h"
#include "TestSupport.h"
#include "model/ModelTestSupport.h"

#include "support/DateEdit.h"
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

namespace {

using TEntryPtr = std::unique_ptr<TVemoraEntryBasic>;

// A series without limits but the stop day; daily on any day, the others on the day of start.
TEntryPtr MakeSeries(TEntryKind kind, const char* start, const char* stop = nullptr, int repetition = 1)
{
    const auto civil = CivilFromDay(Day(start));
    TEntryPtr entry = CreateEntry(kind);
    SaveFieldsToEntry({.CycleKind = kind, .DateStart = Day(start), .DateStop = stop ? Day(stop) : NoDateStop,
                       .Repetition = repetition, .DisplayText = {}, .Comment = {}, .Mediafile = {},
                       .Month = quint8(civil.Month), .Day = quint8(civil.Day)},
                      *entry);
    return entry;
}

// Whether the model's walks would let events run now.
bool WalksLetEventsRun()
{
    const auto ran = std::make_shared<bool>(false);
    QTimer::singleShot(0, [ran] { *ran = true; });
    ProcessPendingEvents();
    return *ran;
}

class FormPreviewTest : public testing::Test {
protected:
    TScriptedMessages Messages;
    std::unique_ptr<TFormPreview> Form;

    void SetUp() override
    {
        UseLanguage(QStringLiteral("EN"));
        Form = std::make_unique<TFormPreview>();
    }
    template <typename T>
    T* Control(const std::string& name) const { return Child<T>(*Form, QString::fromStdString(name)); }
    QString Panel(int index) const { return Control<QLabel>("StatusBar1Panel" + std::to_string(index))->text(); }
    QStringList Lines() const
    {
        QStringList lines;
        for (const QListWidgetItem* item : Control<QListWidget>("ListBoxPreview")->findItems("*", Qt::MatchWildcard))
            lines.append(item->text());
        return lines;
    }
};

// Message: the text of a failure other than the end of the calendar.
struct TPreviewCase {
    const char *Name; TEntryKind Kind; const char *Start, *Stop, *From; int Maximum, Count;
    const char *First, *Last, *CountText, *SeriesText, *Message;
};

class FormPreviewCaseTest : public FormPreviewTest, public testing::WithParamInterface<TPreviewCase> {};

TEST_P(FormPreviewCaseTest, ListsTheDatesAndSaysWhereTheSeriesStands)
{
    const TPreviewCase& row = GetParam();
    TEntryPtr entry = MakeSeries(row.Kind, row.Start, row.Stop);
    Control<QSpinBox>("SpinEditCountMax")->setValue(row.Maximum);
    Form->Preview(*entry, DayToQDate(Day(row.From)));
    const QStringList lines = Lines();
    EXPECT_EQ(QStringList({Panel(0), Panel(1), Panel(2)}), QStringList({"Ready", row.CountText, row.SeriesText}));
    EXPECT_FALSE(WalksLetEventsRun());
    EXPECT_EQ(Messages.Shown().size(), row.Message ? 1u : 0u);
    EXPECT_TRUE(!row.Message || Messages.Shown().at(0).Text.contains(row.Message));
    EXPECT_EQ(std::tuple(lines.size(), lines.value(0), lines.isEmpty() ? QString() : lines.last()),
              std::tuple(row.Count, row.First ? DateToLongStr(Day(row.First)) : QString(),
                         row.Last ? DateToLongStr(Day(row.Last)) : QString()));
}

const char* const Overflow = "Date limit exceeded (year 9999)";
INSTANTIATE_TEST_SUITE_P(Rules, FormPreviewCaseTest, testing::Values(
    TPreviewCase{"OneOffOnTheStartDay", ekOnce, "2026-03-14", nullptr, "2026-03-14", 20, 1, "2026-03-14", "2026-03-14", "1 occurrence", "Series complete", nullptr},
    TPreviewCase{"OneOffWithTheStopDayOfASeries", ekOnce, "2026-03-14", "2026-01-01", "2026-03-01", 20, 1, "2026-03-14", "2026-03-14", "1 occurrence", "Series complete", nullptr},
    TPreviewCase{"OneOffBeforeTheStartDay", ekOnce, "2026-03-14", nullptr, "2026-03-15", 20, 0, nullptr, nullptr, "0 occurrences", "Series complete", nullptr},
    TPreviewCase{"YearlyUpToTheMaximum", ekYearly, "2026-03-14", nullptr, "2026-03-14", 20, 20, "2026-03-14", "2045-03-14", "20 occurrences", "Series continues", nullptr},
    TPreviewCase{"DailyUpToItsStopDay", ekDaily, "2026-03-14", "2026-03-17", "2026-03-14", 20, 4, "2026-03-14", "2026-03-17", "4 occurrences", "Series complete", nullptr},
    TPreviewCase{"DailyWhoseStopDayIsTheMaximum", ekDaily, "2026-03-14", "2026-03-17", "2026-03-14", 4, 4, "2026-03-14", "2026-03-17", "4 occurrences", "Series complete", nullptr},
    TPreviewCase{"MaximumOneOnAnOccurrence", ekYearly, "2026-03-14", nullptr, "2026-03-14", 1, 1, "2026-03-14", "2026-03-14", "1 occurrence", "Series continues", nullptr},
    TPreviewCase{"MaximumOneBetweenOccurrences", ekYearly, "2026-03-14", nullptr, "2026-03-15", 1, 1, "2027-03-14", "2027-03-14", "1 occurrence", "Series continues", nullptr},
    TPreviewCase{"YearlyReachingTheYear9999", ekYearly, "9990-03-14", nullptr, "9990-03-14", 20, 10, "9990-03-14", "9999-03-14", "10 occurrences", Overflow, nullptr},
    TPreviewCase{"MonthlyReachingTheYear9999", ekMonthly, "9999-01-28", nullptr, "9999-06-28", 20, 7, "9999-06-28", "9999-12-28", "7 occurrences", Overflow, nullptr},
    TPreviewCase{"MonthlyDay31FromADamagedFile", ekMonthly, "2026-01-31", nullptr, "2026-01-31", 20, 1, "2026-01-31", "2026-01-31", "1 occurrence", "Series continues", "2026-02-31"}),
    [](const testing::TestParamInfo<TPreviewCase>& info) { return std::string(info.param.Name); });

// The second click comes from the events that the calculation lets run: between two dates, or
// inside the model's walk towards the next one (every 100th leap day). The lines found stay.
TEST_F(FormPreviewTest, ASecondClickStopsAfterTheCurrentDate)
{
    for (const auto& [kind, start, repetition, linesAtClick] : {std::tuple(ekDaily, "2026-03-14", 1, 2),
                                                               std::tuple(ekYearly, "2024-02-29", 100, 1)}) {
        TEntryPtr entry = MakeSeries(kind, start, nullptr, repetition);
        Control<QSpinBox>("SpinEditCountMax")->setValue(999);
        int linesSeen = -1;
        QTimer clicker;
        QObject::connect(&clicker, &QTimer::timeout, [&] {
            if (Form->Busy() && !Lines().isEmpty()) {
                clicker.stop();
                linesSeen = static_cast<int>(Lines().size());
                Click(Control<QPushButton>("ButtonCalcpreview"));
            }
        });
        clicker.start(0);
        Form->Preview(*entry, DayToQDate(entry->DateStart()));
        EXPECT_EQ(std::tuple(linesSeen, Lines().size(), Panel(0), Control<QPushButton>("ButtonCalcpreview")->text()),
                  std::tuple(linesAtClick, 2, QStringLiteral("Cancelled"), QStringLiteral("Calculate preview"))) << start;
    }
}

TEST_F(FormPreviewTest, ExecuteStartsAfreshFromTodayAndClosingStopsTheCalculation)
{
    Form.reset(&FormPreview());
    TEntryPtr entry = MakeSeries(ekDaily, "2000-01-01");
    Control<QSpinBox>("SpinEditCountMax")->setValue(7);
    Form->Preview(*entry, QDate(2001, 1, 1));
    WhenModalOpens([this](QWidget&) {
        EXPECT_EQ(std::tuple(Lines().size(), Control<TDateEdit>("EditDateStart")->date(),
                             Control<QSpinBox>("SpinEditCountMax")->value()),
                  std::tuple(0, QDate::currentDate(), 7));
        QTimer::singleShot(0, [this] { Click(Control<QPushButton>("ButtonClose")); });
        Click(Control<QPushButton>("ButtonCalcpreview"));
    });
    Form->Execute(*entry);
    EXPECT_FALSE(Form->Busy() || Form->isVisible());
    EXPECT_EQ(Lines().size(), 2);
}

} // namespace
