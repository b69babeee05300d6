#include "app/RunSelection.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>

#include <functional>
#include <unistd.h>

namespace {

struct TRunCase {
    const char* Name;
    const char* Argument;
    TRunKind Kind;
};

class RunSelectionTest : public testing::TestWithParam<TRunCase> {};

TEST_P(RunSelectionTest, ChoosesTheRun)
{
    EXPECT_EQ(RunKindOf(QString::fromUtf8(GetParam().Argument)), GetParam().Kind);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RunSelectionTest,
    testing::Values(TRunCase{"batch_switch", "/r", TRunKind::BatchCheck},
                    TRunCase{"batch_switch_with_more_letters", "/rx", TRunKind::BatchCheck},
                    TRunCase{"removal_switch", "/d", TRunKind::Removal},
                    TRunCase{"removal_switch_with_more_letters", "/delete", TRunKind::Removal},
                    TRunCase{"existing_folder_under_r", "/run", TRunKind::Editor},
                    TRunCase{"upper_case_is_a_file", "/R", TRunKind::Editor},
                    TRunCase{"other_letter_is_a_file", "/x", TRunKind::Editor},
                    TRunCase{"lone_slash_is_a_file", "/", TRunKind::Editor},
                    TRunCase{"absolute_path_under_d", "/data/x.vkd", TRunKind::Editor},
                    TRunCase{"absolute_path_under_r", "/root/x.vkd", TRunKind::Editor},
                    TRunCase{"trailing_slash", "/d/", TRunKind::Editor},
                    TRunCase{"existing_folder", "/dev", TRunKind::Editor},
                    TRunCase{"relative_file", "dates.vkd", TRunKind::Editor},
                    TRunCase{"empty", "", TRunKind::Editor}),
    [](const testing::TestParamInfo<TRunCase>& info) { return std::string(info.param.Name); });

// Anything at the top of the tree whose name looks like a switch is still a name: a file, a
// folder, a link even when it leads nowhere.
TEST(RunSelectionFileTest, AnythingThatExistsIsNeverASwitch)
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
