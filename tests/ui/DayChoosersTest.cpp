#include "ui/DayChoosers.h"

#include "model/EntryTypes.h"
#include "support/NLS.h"

#include "GuiTestSupport.h"
#include "TestSupport.h"

#include <QAbstractItemView>
#include <QLocale>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest/QTest>

namespace {

using TItems = QList<QPair<QString, int>>;

TItems Items(const QComboBox& chooser)
{
    TItems items;
    for (int i = 0; i < chooser.count(); ++i)
        items.append({chooser.itemText(i), chooser.itemData(i).toInt()});
    return items;
}

class DayChoosersTest : public testing::Test {
protected:
    void SetUp() override { UseLanguage(QStringLiteral("EN")); }
};

TEST_F(DayChoosersTest, ItemsCarryTheValuesOfTheRules)
{
    TComboBoxDayKind kind;
    kind.SetWithWeekdays(true);
    EXPECT_EQ(Items(kind), (TItems{{"Day", 9}, {"Working day", 0}, {"Weekend day", 8}, {"Sunday", 1}, {"Monday", 2},
                                   {"Tuesday", 3}, {"Wednesday", 4}, {"Thursday", 5}, {"Friday", 6}, {"Saturday", 7}}));
    kind.showPopup();
    EXPECT_FALSE(kind.view()->verticalScrollBar()->isVisible()) << "all items show at once";
    EXPECT_FALSE(GrabToPng(*kind.view()->window(), QStringLiteral("TComboBoxDayKind-open-EN")).isEmpty());
    TComboBoxDayCycle cycle;
    cycle.RefillItems();
    EXPECT_EQ(Items(cycle), (TItems{{"First", 1}, {"Second", 2}, {"Third", 3}, {"Fourth", 4}, {"Last", 5}}));
}

TEST_F(DayChoosersTest, SelectionFollowsValuesAndSurvivesARefill)
{
    TComboBoxDayKind kind;
    QSignalSpy changes(&kind, &QComboBox::currentIndexChanged);
    kind.RefillItems();
    EXPECT_EQ(kind.count(), 3);
    EXPECT_EQ(kind.Value(), dkAnyDay) << "an empty chooser selects its first item";
    kind.SetValue(dkWeekend);
    kind.SetValue(dkTuesday);
    EXPECT_EQ(kind.Value(), dkWeekend) << "a value without an item changes nothing";
    changes.clear();
    kind.SetWithWeekdays(true);
    EXPECT_EQ(kind.currentIndex(), 2);
    EXPECT_TRUE(changes.isEmpty()) << "the selection stayed, so nobody is told";
    kind.SetValue(dkTuesday);
    kind.SetWithWeekdays(false);
    EXPECT_EQ(kind.Value(), dkAnyDay);
    EXPECT_EQ(changes.size(), 2) << "Tuesday chosen, then lost with the weekdays";
}

TEST_F(DayChoosersTest, TakingTheFocusChecksTheLinkedRadioButton)
{
    QWidget window;
    auto* linked = new QRadioButton(QStringLiteral("linked"), &window);
    auto* chooser = new TComboBoxDayCycle(&window);
    chooser->SetLinkedRadioButton(linked);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    chooser->setFocus();
    EXPECT_TRUE(linked->isChecked());
    delete linked;
    EXPECT_EQ(chooser->LinkedRadioButton(), nullptr) << "a button that is gone is no link";
}

TEST_F(DayChoosersTest, WeekdaysMissingFromTheCountryFileGetTheSystemsNames)
{
    TTemporaryHome home;
    LoadLanguage(home.WriteFile(QStringLiteral("State_XX.nls"), "LONGDAYNAMES = Sonntag,,Dienstag\n"),
                 QStringLiteral(":/lang/Vemora_EN.nls"));
    TComboBoxDayKind kind;
    kind.SetWithWeekdays(true);
    ASSERT_EQ(kind.count(), 10);
    EXPECT_EQ(kind.itemText(3), QStringLiteral("Sonntag"));
    EXPECT_EQ(kind.itemText(4), QLocale().standaloneDayName(Qt::Monday));
    EXPECT_EQ(kind.itemText(9), QLocale().standaloneDayName(Qt::Saturday));
}

} // namespace
