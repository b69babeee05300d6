#include "support/HotKeysWidgets.h"
#include "support/HotKeys.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QMenu>

namespace {

// Captions and results are separated by "|".
TEST(HotKeysTest, AssignsAUniqueLetterToEachCaption)
{
    const char* const rows[][3] = {
        {"first letter, then later letters, then no umlaut", "Neu|Nein|\u00D6ffnen", "&Neu|N&ein|\u00D6&ffnen"},
        {"word start before other letters", "Neu|Neue Liste", "&Neu|Neue &Liste"},
        {"word start taken falls back to letters", "Datei|Datei drucken", "&Datei|D&atei drucken"},
        {"umlaut at word start skipped", "Datei|Datei \u00F6ffnen", "&Datei|D&atei \u00F6ffnen"},
        {"existing markers replaced", "&Save|S&ave as", "&Save|Save &as"},
        {"double ampersand kept", "Tom && Jerry", "&Tom && Jerry"},
        {"double ampersand first", "&&Info", "&&&Info"},
        {"triple ampersand", "a&&&b", "&a&&b"},
        {"letter case ignored for uniqueness", "a|A|b", "&a|A|&b"},
        {"digits qualify", "1 Tag|1 Woche", "&1 Tag|1 &Woche"},
        {"no candidate", "\u00E4\u00F6\u00FC|...|", "\u00E4\u00F6\u00FC|...|"},
        {"lone marker removed", "&|x&", "|&x"},
    };
    for (const auto& [name, captions, expected] : rows)
        EXPECT_EQ(AssignHotKeys(QString::fromUtf8(captions).split(u'|')).join(u'|'), QString::fromUtf8(expected))
            << name;
}

// The shortcut text after a tab takes no part.
TEST(HotKeysWidgetsTest, MenuItemsAndActionsKeepTheirShortcutText)
{
    QMenu menu;
    QAction* create = menu.addAction(QStringLiteral("Neu\tCtrl+N"));
    QAction* separator = menu.addSeparator();
    QAction* no = menu.addAction(QStringLiteral("Nein"));
    QMenu* recent = menu.addMenu(QStringLiteral("Zuletzt &ge\u00F6ffnet"));
    AssignHotKeys(&menu);
    AssignHotKeys(static_cast<QMenu*>(nullptr));
    EXPECT_EQ(QStringList({create->text(), separator->text(), no->text(), recent->title()}),
              QStringList({"&Neu\tCtrl+N", "", "N&ein", "&Zuletzt ge\u00F6ffnet"}));
    QAction first(QStringLiteral("Datei"));
    QAction second(QStringLiteral("Datei drucken\tCtrl+P"));
    AssignHotKeys(QList<QAction*>{&first, nullptr, &second});
    EXPECT_EQ(first.text() + '|' + second.text(), QStringLiteral("&Datei|D&atei drucken\tCtrl+P"));
}

} // namespace
