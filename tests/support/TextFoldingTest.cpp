#include "support/TextFolding.h"

#include <gtest/gtest.h>

namespace {

TEST(TextFoldingTest, TextsThatTheCollationTakesAsEqualFoldAlike)
{
    struct TCase { const char* Name; const char16_t* Text; const char16_t* Folded; };
    const TCase cases[] = {
        {"letter case and an umlaut", u"Anna MÜLLER", u"anna muller"},
        {"a sharp s, small and capital", u"Straße STRAẞE", u"strasse strasse"},
        {"a combining accent after its letter", u"Rene\u0301e", u"renee"},
        {"a ligature and full-width letters", u"\uFB01le \uFF21\uFF22", u"file ab"},
        {"a letter with no base letter stays", u"Øre Łukasz", u"øre łukasz"},
        {"outside the basic plane, and a lone surrogate", u"\U0001D400\U0001F600 \xD800", u"a\U0001F600 \xD800"},
    };
    for (const TCase& test : cases)
        EXPECT_EQ(FoldForSearch(QString::fromUtf16(test.Text)), QString::fromUtf16(test.Folded)) << test.Name;
}

} // namespace
