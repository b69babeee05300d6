// A program of its own: before any language is loaded, which no other test may have done yet.
#include "support/DLGLanguage.h"
#include "support/NLS.h"

#include "GuiTestSupport.h"

#include <QPushButton>

namespace {

TEST(LanguageDialogFirstStartTest, SpeaksItsDesignLanguageBeforeAnyIsLoaded)
{
    ASSERT_FALSE(IsLanguageLoaded());
    TDLGLanguage dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Language"));
    EXPECT_EQ(Child<QPushButton>(dialog, QStringLiteral("ButtonChange"))->text(), QStringLiteral("&Change..."));
    EXPECT_FALSE(GrabToPng(dialog, QStringLiteral("DLGLanguage-first-start")).isEmpty());

    UseLanguage(QStringLiteral("DE"));
    TDLGLanguage later;
    EXPECT_EQ(later.windowTitle(), QStringLiteral("Sprache"));
}

} // namespace
