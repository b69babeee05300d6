#include "app/RunSelection.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>

#include <functional>
#include <unistd.h>

namespace {

TEST(RunSelectionTest, ChoosesTheRunByTheFirstArgument)
{
    const std::pair<const char*, TRunKind> rows[] = {
        {"/r", TRunKind::BatchCheck}, {"/rx", TRunKind::BatchCheck}, {"/d", TRunKind::Removal},
        {"/delete", TRunKind::Removal},
        {"/run", TRunKind::Editor},         // an existing folder
        {"/R", TRunKind::Editor},           // upper case is a file
        {"/x", TRunKind::Editor},           // another letter is a file
        {"/", TRunKind::Editor},            // a lone slash too
        {"/data/x.vkd", TRunKind::Editor},  // absolute paths
        {"/root/x.vkd", TRunKind::Editor},
        {"/d/", TRunKind::Editor},
        {"/dev", TRunKind::Editor},
        {"dates.vkd", TRunKind::Editor},
        {"", TRunKind::Editor}};
    for (const auto& [argument, kind] : rows)
        EXPECT_EQ(RunKindOf(QString::fromUtf8(argument)), kind) << argument;
}

// Anything at the top of the tree whose name looks like a switch is still a name: a file, a
// folder, a link even when it leads nowhere.
TEST(RunSelectionTest, AnythingThatExistsIsNeverASwitch)
{
    const QString name = QStringLiteral("/d-vemora-test-%1").arg(getpid());
    const std::function<bool()> makers[] = {
        [&] { return QFile(name).open(QIODevice::WriteOnly); },
        [&] { return QDir().mkdir(name); },
        [&] { return QFile::link(name + QStringLiteral("-nowhere"), name); },
    };
    for (const auto& make : makers) {
        if (!make())
            GTEST_SKIP() << "cannot create a name in /";
        EXPECT_EQ(RunKindOf(name), TRunKind::Editor);
        QFile::remove(name) || QDir().rmdir(name);
        EXPECT_EQ(RunKindOf(name), TRunKind::Removal);
    }
}

} // namespace
