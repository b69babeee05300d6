#include "support/HotKeys.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

QStringList ToStringList(const std::vector<const char*>& texts)
{
    QStringList list;
    for (const char* text : texts)
        list.append(QString::fromUtf8(text));
    return list;
}

TEST(HotKeysTest, AssignsAUniqueLetterToEachCaption)
{
    const struct {
        const char* Name;
        std::vector<const char*> Captions, Expected;
    } rows[] = {
        {"first letter, then later letters, then no umlaut",
         {"Neu", "Nein", "\u00D6ffnen"}, {"&Neu", "N&ein", "\u00D6&ffnen"}},
        {"word start before other letters", {"Neu", "Neue Liste"}, {"&Neu", "Neue &Liste"}},
        {"word start taken falls back to letters", {"Datei", "Datei drucken"}, {"&Datei", "D&atei drucken"}},
        {"umlaut at word start skipped", {"Datei", "Datei \u00F6ffnen"}, {"&Datei", "D&atei \u00F6ffnen"}},
        {"existing markers replaced", {"&Save", "S&ave as"}, {"&Save", "Save &as"}},
        {"double ampersand kept", {"Tom && Jerry"}, {"&Tom && Jerry"}},
        {"double ampersand first", {"&&Info"}, {"&&&Info"}},
        {"triple ampersand", {"a&&&b"}, {"&a&&b"}},
        {"letter case ignored for uniqueness", {"a", "A", "b"}, {"&a", "A", "&b"}},
        {"digits qualify", {"1 Tag", "1 Woche"}, {"&1 Tag", "1 &Woche"}},
        {"no candidate", {"\u00E4\u00F6\u00FC", "...", ""}, {"\u00E4\u00F6\u00FC", "...", ""}},
        {"lone marker removed", {"&", "x&"}, {"", "&x"}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(AssignHotKeys(ToStringList(row.Captions)).join(u'|'), ToStringList(row.Expected).join(u'|'))
            << row.Name;
}

} // namespace
