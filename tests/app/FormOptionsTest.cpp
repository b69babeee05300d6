#include "app/FormOptions.h"

#include "app/VemoraLibState.h"
#include "settings/HistoryStringlist.h"
#include "support/DayNumbers.h"

#include "GuiTestSupport.h"
#include "TestSupport.h"

#include <QAbstractButton>
#include "support/DateEdit.h"
#include <QFileInfo>
#include <QSpinBox>
#include <QtTest/QTest>

#include <cmath>

namespace {

template <typename T = QAbstractButton> T* In(QWidget& d, const char* name) { return Child<T>(d, QLatin1String(name)); }
void Ok(QWidget& d) { Click(In(d, "ButtonOk")); }
double TimeOfDay(double dateTime) { return dateTime - std::trunc(dateTime); }
constexpr int Day = 45000;

struct TCommandCase {
    const char* Name;
    double Before;
    std::function<void(QWidget&)> Act; // ends the dialog
    bool Ok;
    int Day; // of LastBatchRun afterwards, 0 = never
    bool ShowAutoRun;
    QList<int> Lists; // maximum and count of the file list, then of the media list
    QStringList Changes;
    bool AlertOptions = false; // missed dates and notifications, both stored afterwards
};

class FormOptionsTest : public testing::Test, public testing::WithParamInterface<TCommandCase> {
protected:
    TTemporaryHome Home;
    TScriptedMessages Messages;
    QWidget Parent;
    THistoryStringlist Files, Media;
    bool ShowAutoRun = true;

    void SetUp() override
    {
        InitializeVemoraLib();
        UseLanguage(QStringLiteral("EN"));
        Files.AddHistory(QStringLiteral("/a.vkd"));
        Media.AddHistory(QStringLiteral("/ring.wav"));
    }
    void TearDown() override
    {
        SetLastBatchRun(0); // the moment is process-wide
        FinalizeVemoraLib();
    }
};

TEST_P(FormOptionsTest, AppliesWhatTheDialogShowsOnlyOnOkInItsOrder)
{
    const TCommandCase& c = GetParam();
    const double made = TimeOfDay(Now());
    OptionsDialog(&Parent).SetLastBatchRun(2.75);
    const double pickerTime = OptionsDialog(&Parent).LastBatchRun() - 2; // the date edit's own time of day
    EXPECT_NEAR(pickerTime, made, 1.0 / 86400) << "taken when the dialog was made";
    SetLastBatchRun(c.Before);
    QStringList changes; // each list change with what was applied before it
    Files.OnChange = [&](auto&) {
        changes << QStringLiteral("files %1 %2 %3").arg(ShowAutoRun).arg(GetLastBatchRun() != 0).arg(Media.MaxCount());
    };
    Media.OnChange = [&](auto&) { changes << QStringLiteral("media %1").arg(Files.MaxCount()); };
    WhenModalOpens(c.Act);
    EXPECT_EQ(RunOptionsCommand(&Parent, ShowAutoRun, Files, Media), c.Ok);
    EXPECT_DOUBLE_EQ(GetLastBatchRun(), c.Day == 0 ? 0 : c.Day + (c.Ok ? pickerTime : TimeOfDay(c.Before)));
    EXPECT_EQ(QFileInfo::exists(Home.RegistryFile()), c.Before != 0 || c.Day != 0) << "written";
    EXPECT_EQ(ShowAutoRun, c.ShowAutoRun);
    EXPECT_EQ(QList<int>({Files.MaxCount(), Files.Count(), Media.MaxCount(), Media.Count()}), c.Lists);
    EXPECT_EQ(changes, c.Changes);
    EXPECT_EQ(std::pair(GetShowMissedAlerts(), GetAlertsAsNotifications()), std::pair(c.AlertOptions, c.AlertOptions));
}

INSTANTIATE_TEST_SUITE_P(Cases, FormOptionsTest, testing::Values(
    TCommandCase{"never_stays_never_unwritten", 0, Ok, true, 0, true, {8, 1, 8, 1}, {}},
    TCommandCase{"a_day_the_option_and_the_maxima_apply_in_order", 0, [](QWidget& d) {
        ASSERT_TRUE(ActivateAgain(d)); // the keys below go to the focus, which an inactive window has not
        auto* at = In(d, "RadioButtonLastAutoStartAt");
        Click(at);
        EXPECT_EQ(d.focusWidget(), In<TDateEdit>(d, "EditLastAutoRun")) << "clicking on: enters the date";
        Click(In(d, "RadioButtonLastAutoStartNever"));
        at->setFocus();
        QTest::keyClick(at, Qt::Key_Tab); // the date edit comes next, and entering it checks on:
        QTest::keyClicks(d.focusWidget(), QStringLiteral("29/02/2023"));
        Ok(d);
        EXPECT_TRUE(d.isVisible()) << "no such day: refused";
        QTest::keyClick(d.focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(d.focusWidget(), QStringLiteral("15032023")); // the Day
        Click(In(d, "CheckBoxShowAutoRunVemora"));
        Click(In(d, "CheckBoxShowMissedAlerts"));
        In(d, "CheckBoxShowMissedAlerts")->setFocus();
        QTest::keyClick(d.focusWidget(), Qt::Key_Tab);
        QTest::keyClick(d.focusWidget(), Qt::Key_Space); // the notifications' check box comes next
        QTest::keyClick(In<QSpinBox>(d, "NumEditHistoryFiles"), Qt::Key_PageDown); // 0 empties the list
        QTest::keyClick(In<QSpinBox>(d, "NumEditHistoryMedialist"), Qt::Key_Up);
        Ok(d); }, true, Day, false, {0, 0, 9, 1}, {"files 0 1 8", "media 0"}, true},
    TCommandCase{"never_stores_0", Day + 0.25, [](QWidget& d) { Click(In(d, "RadioButtonLastAutoStartNever")); Ok(d); },
        true, 0, true, {8, 1, 8, 1}, {}},
    TCommandCase{"unchanged_day_takes_the_picker_time", Day + 0.25, Ok, true, Day, true, {8, 1, 8, 1}, {}},
    TCommandCase{"emptied_then_closed_applies_nothing_else", Day + 0.25, [](QWidget& d) {
        QTest::keyClick(In<QSpinBox>(d, "NumEditHistoryFiles"), Qt::Key_Down);
        Click(In(d, "CheckBoxShowAutoRunVemora"));
        Click(In(d, "CheckBoxShowMissedAlerts"));
        Click(In(d, "CheckBoxAlertsAsNotifications"));
        Click(In(d, "RadioButtonLastAutoStartNever"));
        Click(In(d, "ButtonDelHistoryFile"));
        EXPECT_EQ(In<QSpinBox>(d, "NumEditHistoryFiles")->value(), 8) << "shown anew";
        EXPECT_EQ(In(d, "ButtonCancel")->text(), QStringLiteral("Close"));
        Click(In(d, "ButtonDelHistoryMedialist"));
        EXPECT_FALSE(In(d, "ButtonDelHistoryFile")->isEnabled() || In(d, "ButtonDelHistoryMedialist")->isEnabled());
        Click(In(d, "ButtonCancel")); }, false, Day, true, {8, 0, 8, 0}, {"files 1 1 8", "media 8"}}),
    [](const testing::TestParamInfo<TCommandCase>& info) { return std::string(info.param.Name); });

} // namespace
