#include "app/BatchCheck.h"

#include "BatchFiles.h"
#include "TestSupport.h"

#include "support/NLS.h"

#include <QCoreApplication>

namespace {

// Runs in a test program without an application object, as the logon run starts.
TEST(BatchCheckNoGuiTest, NothingDueShowsNothingAndStartsNoToolkit)
{
    TTemporaryHome home;
    TScriptedMessages messages;
    qputenv("QT_QPA_PLATFORM", "offscreen"); // a display is there, and still nothing starts
    LoadLanguage(QString(), QString());
    const QString file = TBatchFile()
                             .Once(QStringLiteral("next week"), 7)
                             .Once(QStringLiteral("yesterday"), -1)
                             .Once(QStringLiteral("inactive"), 0, 0, false)
                             .Save(home.FilePath(QStringLiteral("dates.vkd")));
    RunBatchCheck(file);
    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_EQ(QCoreApplication::instance(), nullptr);
    qunsetenv("QT_QPA_PLATFORM");
}

} // namespace
