#include "ui/DayChoosers.h"

#include "model/EntryTypes.h"
#include "support/NLS.h"

#include "GuiTestSupport.h"
#include "TestSupport.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLocale>
#include <QRadioButton>
#include <QSignalSpy>

namespace {

using TItems = QList<QPair<QString, int>>;

TItems Items(const QComboBox& chooser)
{
    TItems items;
    for (int i = 0; i < chooser.count(); ++i)
        items.append({chooser.itemText(i), chooser.itemData(i).toInt()});
    return items;
}

TEST(DayChoosersTest, DayKindItemsCarryTheValuesOfTheRulesAndTheSelectionSurvivesARefill)
{
    UseLanguage(QStringLiteral("EN"));
    TComboBoxDayKind kind;
    QSignalSpy changes(&kind, &QComboBox::currentIndexChanged);
    kind.RefillItems();
    const TItems kinds{{"Day", 9}, {"Working day", 0}, {"Weekend day", 8}};
    EXPECT_EQ(Items(kind), kinds);
    EXPECT_EQ(kind.Value(), dkAnyDay) << "an empty chooser selects its first item";
    kind.SetValue(dkWeekend);
    kind.SetValue(dkTuesday);
    EXPECT_EQ(kind.Value(), dkWeekend) << "a value without an item changes nothing";
    changes.clear();
    kind.SetWithWeekdays(true);
    EXPECT_EQ(Items(kind), (kinds + TItems{{"Sunday", 1}, {"Monday", 2}, {"Tuesday", 3}, {"Wednesday", 4},
                                           {"Thursday", 5}, {"Friday", 6}, {"Saturday", 7}}));
    EXPECT_TRUE(changes.isEmpty()) << "the selection stayed, so nobody is told";
    kind.SetValue(dkTuesday);
    kind.SetWithWeekdays(false);
    EXPECT_EQ(kind.Value(), dkAnyDay);
    EXPECT_EQ(changes.size(), 2) << "Tuesday chosen, then lost with the weekdays";
    TTemporaryHome home; // a country file without a name for Monday
    LoadLanguage(home.WriteFile("State_XX.nls", "LONGDAYNAMES = Sonntag,,Dienstag\n"), ":/lang/Vemora_EN.nls");
    kind.SetWithWeekdays(true);
    EXPECT_EQ(kind.itemText(3) + u'|' + kind.itemText(4), "Sonntag|" + QLocale().standaloneDayName(Qt::Monday));
}

TEST(DayChoosersTest, DayCycleItemsAndTakingTheFocusChecksTheLinkedRadioButton)
{
    UseLanguage(QStringLiteral("EN"));
    TComboBoxDayCycle chooser;
    chooser.RefillItems();
    EXPECT_EQ(Items(chooser), (TItems{{"First", 1}, {"Second", 2}, {"Third", 3}, {"Fourth", 4}, {"Last", 5}}));
    QRadioButton linked;
    chooser.SetLinkedRadioButton(&linked);
    QFocusEvent focus(QEvent::FocusIn);
    QApplication::sendEvent(&chooser, &focus);
    EXPECT_TRUE(linked.isChecked());
}

} // namespace
