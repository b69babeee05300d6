#include "support/HotKeysWidgets.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

namespace {

TEST(HotKeysWidgetsTest, CaptionsOfControlsInTheGivenOrder)
{
    QWidget form;
    auto* label = new QLabel(QStringLiteral("Neu"), &form);
    auto* button = new QPushButton(QStringLiteral("&Nein"), &form);
    auto* checkBox = new QCheckBox(QStringLiteral("\u00D6ffnen"), &form);
    auto* edit = new QLineEdit(QStringLiteral("Option"), &form);
    auto* radio = new QRadioButton(QStringLiteral("Option"), &form);
    auto* group = new QGroupBox(QStringLiteral("Tom && Jerry"), &form);

    AssignHotKeys(QList<QWidget*>{label, button, nullptr, checkBox, edit, radio, group});

    EXPECT_EQ(label->text(), QStringLiteral("&Neu"));
    EXPECT_EQ(button->text(), QStringLiteral("N&ein"));
    EXPECT_EQ(checkBox->text(), QStringLiteral("\u00D6&ffnen"));
    EXPECT_EQ(edit->text(), QStringLiteral("Option"));
    EXPECT_EQ(radio->text(), QStringLiteral("&Option"));
    EXPECT_EQ(group->title(), QStringLiteral("&Tom && Jerry"));
}

TEST(HotKeysWidgetsTest, MenuItemsAndActionsKeepTheirShortcutText)
{
    QMenu menu;
    QAction* create = menu.addAction(QStringLiteral("Neu\tCtrl+N"));
    QAction* separator = menu.addSeparator();
    QAction* no = menu.addAction(QStringLiteral("Nein"));
    QMenu* recent = menu.addMenu(QStringLiteral("Zuletzt &ge\u00F6ffnet"));
    AssignHotKeys(&menu);
    AssignHotKeys(static_cast<QMenu*>(nullptr));
    EXPECT_EQ(create->text(), QStringLiteral("&Neu\tCtrl+N"));
    EXPECT_EQ(separator->text(), QString());
    EXPECT_EQ(no->text(), QStringLiteral("N&ein"));
    EXPECT_EQ(recent->title(), QStringLiteral("&Zuletzt ge\u00F6ffnet"));

    QAction first(QStringLiteral("Datei"));
    QAction second(QStringLiteral("Datei drucken\tCtrl+P"));
    AssignHotKeys(QList<QAction*>{&first, nullptr, &second});
    EXPECT_EQ(first.text(), QStringLiteral("&Datei"));
    EXPECT_EQ(second.text(), QStringLiteral("D&atei drucken\tCtrl+P"));
}

} // namespace
