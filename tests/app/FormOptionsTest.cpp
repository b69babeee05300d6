#include "app/FormOptions.h"

#include "app/VemoraLibState.h"
#include "settings/HistoryStringlist.h"
#include "settings/SettingNames.h"
#include "support/DayNumbers.h"

#include "GuiTestSupport.h"
#include "TestSupport.h"

#include <QDateEdit>
#include <QAbstractButton>
#include <QSpinBox>
#include <QtTest/QTest>

#include <cmath>
#include <optional>

namespace {

template <typename T = QAbstractButton>
T* In(QWidget& d, const char* name) { return Child<T>(d, QString::fromLatin1(name)); }
void Ok(QWidget& d) { Click(In(d, "ButtonOk")); }
void Key(QWidget& d, const char* spin, Qt::Key key) { QTest::keyClick(In<QSpinBox>(d, spin), key); }
double TimeOfDay(double dateTime) { return dateTime - std::trunc(dateTime); }
constexpr int Day = 45000;

std::optional<double> Stored()
{
    TApplicationReg store(ApplicationName);
    if (!store.OpenAppKey(AppRootCurrentUser, QString(), false) || !store.ValueExists(SettingLastBatchRun))
        return std::nullopt;
    return store.ReadDateTime(SettingLastBatchRun);
}

class FormOptionsTest : public testing::Test {
protected:
    TTemporaryHome Home;
    QWidget Parent;
    THistoryStringlist Files, Media;
    bool ShowAutoRun = true;
    double PickerTime = 0; // the date edit's own time of day

    void SetUp() override
    {
        InitializeVemoraLib();
        UseLanguage(QStringLiteral("EN"));
        for (const char* name : {"/c.vkd", "/b.vkd", "/a.vkd"})
            Files.AddHistory(QString::fromLatin1(name));
        Media.AddHistory(QStringLiteral("/ring.wav"));
        const double made = TimeOfDay(Now());
        OptionsDialog(&Parent).SetLastBatchRun(2.75);
        PickerTime = OptionsDialog(&Parent).LastBatchRun() - 2;
        EXPECT_NEAR(PickerTime, made, 1.0 / 86400) << "the time of day the dialog was made";
    }
    void TearDown() override
    {
        SetLastBatchRun(0); // the moment is process-wide
        FinalizeVemoraLib();
    }
    bool Run(std::function<void(QWidget&)> act)
    {
        WhenModalOpens(std::move(act));
        return RunOptionsCommand(&Parent, ShowAutoRun, Files, Media);
    }
};

struct TCommandCase {
    const char* Name;
    double Before;
    std::function<void(QWidget&)> Act; // ends the dialog
    bool Ok;
    int Day; // of LastBatchRun afterwards, 0 = never
    bool ShowAutoRun;
    QList<int> Lists; // maximum and count of the file list, then of the media list
    QStringList Changes;
};

class CommandTest : public FormOptionsTest, public testing::WithParamInterface<TCommandCase> {};

TEST_P(CommandTest, AppliesWhatTheDialogShowsOnlyOnOkInItsOrder)
{
    const TCommandCase& c = GetParam();
    SetLastBatchRun(c.Before);
    QStringList changes; // each list change with what was applied before it
    Files.OnChange = [&](auto&) { changes << QStringLiteral("files %1 %2 %3").arg(ShowAutoRun).arg(GetLastBatchRun() != 0).arg(Media.MaxCount()); };
    Media.OnChange = [&](auto&) { changes << QStringLiteral("media %1").arg(Files.MaxCount()); };
    EXPECT_EQ(Run(c.Act), c.Ok);
    const double expected = c.Day == 0 ? 0 : c.Day + (c.Ok ? PickerTime : TimeOfDay(c.Before));
    EXPECT_DOUBLE_EQ(GetLastBatchRun(), expected);
    EXPECT_EQ(Stored().has_value(), c.Before != 0 || c.Day != 0) << "written";
    EXPECT_DOUBLE_EQ(Stored().value_or(0), expected);
    EXPECT_EQ(ShowAutoRun, c.ShowAutoRun);
    EXPECT_EQ(QList<int>({Files.MaxCount(), Files.Count(), Media.MaxCount(), Media.Count()}), c.Lists);
    EXPECT_EQ(changes, c.Changes);
    Run([&](QWidget& d) { // shown again, it starts from what was applied
        EXPECT_EQ(In(d, "RadioButtonLastAutoStartNever")->isChecked(), c.Day == 0);
        EXPECT_EQ(In(d, "ButtonCancel")->text(), QStringLiteral("Cancel"));
        Click(In(d, "ButtonCancel"));
    });
}

INSTANTIATE_TEST_SUITE_P(Cases, CommandTest, testing::Values(
    TCommandCase{"never_stays_never_unwritten", 0, Ok, true, 0, true, {8, 3, 8, 1}, {}},
    TCommandCase{"a_day_the_option_and_the_maxima_apply_in_order", 0, [](QWidget& d) {
        Click(In(d, "RadioButtonLastAutoStartAt"));
        In<QDateEdit>(d, "EditLastAutoRun")->setDate(DayToQDate(Day));
        Click(In(d, "CheckBoxShowAutoRunVemora"));
        Key(d, "NumEditHistoryFiles", Qt::Key_PageUp);
        Key(d, "NumEditHistoryMedialist", Qt::Key_Up);
        Ok(d); }, true, Day, false, {18, 3, 9, 1}, {"files 0 1 8", "media 18"}},
    TCommandCase{"never_stores_0", Day + 0.25, [](QWidget& d) {
        Click(In(d, "RadioButtonLastAutoStartNever"));
        Ok(d); }, true, 0, true, {8, 3, 8, 1}, {}},
    TCommandCase{"unchanged_day_takes_the_picker_time", Day + 0.25, Ok, true, Day, true, {8, 3, 8, 1}, {}},
    TCommandCase{"maximum_0_empties_the_list", 0, [](QWidget& d) {
        Key(d, "NumEditHistoryFiles", Qt::Key_PageDown);
        Ok(d); }, true, 0, true, {0, 0, 8, 1}, {"files 1 0 8"}},
    TCommandCase{"emptied_then_closed_applies_nothing_else", Day + 0.25, [](QWidget& d) {
        Key(d, "NumEditHistoryFiles", Qt::Key_Down);
        Click(In(d, "CheckBoxShowAutoRunVemora"));
        Click(In(d, "RadioButtonLastAutoStartNever"));
        Click(In(d, "ButtonDelHistoryFile"));
        EXPECT_EQ(In<QSpinBox>(d, "NumEditHistoryFiles")->value(), 8) << "shown anew";
        EXPECT_EQ(In(d, "ButtonCancel")->text(), QStringLiteral("Close"));
        Click(In(d, "ButtonCancel")); }, false, Day, true, {8, 0, 8, 1}, {"files 1 1 8"}}),
    [](const testing::TestParamInfo<TCommandCase>& info) { return std::string(info.param.Name); });

TEST_F(FormOptionsTest, ArrowsOnlyClearButtonsForEntriesAndTheDateEditFollowsOn)
{
    Files.Clear();
    EXPECT_FALSE(Run([](QWidget& d) {
        auto* spin = In<QSpinBox>(d, "NumEditHistoryMedialist");
        spin->setFocus();
        QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(spin, QStringLiteral("150"));
        EXPECT_EQ(spin->value(), 8) << "typed";
        spin->stepBy(100);
        EXPECT_EQ(spin->value(), 99);
        auto* at = In(d, "RadioButtonLastAutoStartAt");
        at->setFocus();
        QTest::keyClick(at, Qt::Key_Tab);
        EXPECT_EQ(d.focusWidget(), In<QDateEdit>(d, "EditLastAutoRun"));
        EXPECT_TRUE(at->isChecked()) << "entering the date edit";
        Click(In(d, "RadioButtonLastAutoStartNever"));
        Click(at);
        EXPECT_EQ(d.focusWidget(), In<QDateEdit>(d, "EditLastAutoRun"));
        EXPECT_FALSE(In(d, "ButtonDelHistoryFile")->isEnabled());
        Click(In(d, "ButtonDelHistoryMedialist"));
        EXPECT_FALSE(In(d, "ButtonDelHistoryMedialist")->isEnabled()) << "both lists empty";
        Click(In(d, "ButtonCancel"));
    }));
}

TEST_F(FormOptionsTest, ScreenshotsInBothLanguages)
{
    for (const char* code : {"EN", "DE"}) {
        UseLanguage(QString::fromLatin1(code));
        TFormOptions dialog;
        dialog.SetLastBatchRun(Day + 0.5);
        EXPECT_FALSE(GrabToPng(dialog, QStringLiteral("FormOptions-") + QString::fromLatin1(code)).isEmpty());
        EXPECT_EQ(In(dialog, "RadioButtonLastAutoStartAt")->text().remove(u'&'), QString::fromUtf8(*code == 'E' ? "on:" : "am:"));
        EXPECT_TRUE(In(dialog, "ButtonDelHistoryMedialist")->text().contains(u'&'));
    }
    UseLanguage(QStringLiteral("EN"));
}

} // namespace
