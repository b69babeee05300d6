#include "support/HotKeys.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace {

struct THotKeyCase {
    const char* Name;
    friend void PrintTo(const THotKeyCase& row, std::ostream* out) { *out << row.Name; }
    std::vector<const char*> Captions;
    std::vector<const char*> Expected;
};

QStringList ToStringList(const std::vector<const char*>& texts)
{
    QStringList list;
    for (const char* text : texts)
        list.append(QString::fromUtf8(text));
    return list;
}

class HotKeysTest : public testing::TestWithParam<THotKeyCase> {};

TEST_P(HotKeysTest, Assigns)
{
    const THotKeyCase& row = GetParam();
    EXPECT_EQ(AssignHotKeys(ToStringList(row.Captions)).join(u'|'),
              ToStringList(row.Expected).join(u'|'));
}

INSTANTIATE_TEST_SUITE_P(
    Captions, HotKeysTest,
    testing::Values(
        THotKeyCase{"FirstLetterThenLaterLettersThenNoUmlaut",
                    {"Neu", "Nein", "\u00D6ffnen"}, {"&Neu", "N&ein", "\u00D6&ffnen"}},
        THotKeyCase{"WordStartBeforeOtherLetters", {"Neu", "Neue Liste"}, {"&Neu", "Neue &Liste"}},
        THotKeyCase{"WordStartTakenFallsBackToLetters",
                    {"Datei", "Datei drucken"}, {"&Datei", "D&atei drucken"}},
        THotKeyCase{"UmlautAtWordStartSkipped",
                    {"Datei", "Datei \u00F6ffnen"}, {"&Datei", "D&atei \u00F6ffnen"}},
        THotKeyCase{"ExistingMarkersReplaced", {"&Save", "S&ave as"}, {"&Save", "Save &as"}},
        THotKeyCase{"DoubleAmpersandKept", {"Tom && Jerry"}, {"&Tom && Jerry"}},
        THotKeyCase{"DoubleAmpersandFirst", {"&&Info"}, {"&&&Info"}},
        THotKeyCase{"TripleAmpersand", {"a&&&b"}, {"&a&&b"}},
        THotKeyCase{"LetterCaseIgnoredForUniqueness", {"a", "A", "b"}, {"&a", "A", "&b"}},
        THotKeyCase{"DigitsQualify", {"1 Tag", "1 Woche"}, {"&1 Tag", "1 &Woche"}},
        THotKeyCase{"NoCandidate",
                    {"\u00E4\u00F6\u00FC", "...", ""}, {"\u00E4\u00F6\u00FC", "...", ""}},
        THotKeyCase{"LoneMarkerRemoved", {"&", "x&"}, {"", "&x"}}),
    [](const testing::TestParamInfo<THotKeyCase>& info) { return info.param.Name; });

} // namespace
