#include "platform/CommandLine.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

struct TExtractCase {
    const char* Name;
    const char* Text;
    int Start;
    const char* Token;
    int NextPos; // -1: unchanged
};

class ExtractParamTest : public testing::TestWithParam<TExtractCase> {};

TEST_P(ExtractParamTest, SplitsTheNextToken)
{
    const TExtractCase& c = GetParam();
    int next = -1;
    QString token = QStringLiteral("stale");
    ExtractParam(QString::fromUtf8(c.Text), c.Start, &next, token);
    EXPECT_EQ(token, QString::fromUtf8(c.Token));
    EXPECT_EQ(next, c.NextPos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExtractParamTest,
    testing::Values(
        TExtractCase{"plain_word", "prog /r file", 1, "prog", 6},
        TExtractCase{"from_the_middle", "prog /r file", 6, "/r", 9},
        TExtractCase{"last_word_runs_to_the_end", "prog /r file", 9, "file", 14},
        TExtractCase{"leading_blanks_of_every_kind", " \t\n\v\f\rword", 1, "word", 12},
        TExtractCase{"quoted_with_blanks", "\"C:\\My Files\\a.vkd\" next", 1, "C:\\My Files\\a.vkd", 20},
        TExtractCase{"empty_quotes", "\"\" x", 1, "", 3},
        TExtractCase{"unclosed_quote_runs_to_the_blank", "\"abc def", 1, "\"abc", 6},
        TExtractCase{"quote_inside_a_word_is_kept", "ab\"c d", 1, "ab\"c", 6},
        TExtractCase{"start_beyond_the_end", "abc", 4, "", -1},
        TExtractCase{"only_blanks_left", "abc   ", 4, "", -1},
        TExtractCase{"empty_text", "", 1, "", -1},
        TExtractCase{"start_before_the_text", "abc", 0, "", -1}),
    [](const testing::TestParamInfo<TExtractCase>& info) { return std::string(info.param.Name); });

TEST(ExtractParamTest, WorksWithoutNextPos)
{
    QString token;
    ExtractParam(QStringLiteral("one two"), 4, nullptr, token);
    EXPECT_EQ(token, QStringLiteral("two"));
}

TEST(BuildRawCommandLineTest, QuotesEmptyArgumentsAndArgumentsWithBlanks)
{
    const QString line = BuildRawCommandLine(
        QStringList{QStringLiteral("/opt/My Apps/vemora"), QStringLiteral("/r"), QString(), QStringLiteral("a\tb")});
    EXPECT_EQ(line, QStringLiteral("\"/opt/My Apps/vemora\" /r \"\" \"a\tb\""));
}

TEST(BuildRawCommandLineTest, SplitsBackIntoTheSameArguments)
{
    const QStringList arguments{QStringLiteral("/usr/bin/vemora"), QStringLiteral("/r"),
                                QStringLiteral("/home/u/My Dates.vkd")};
    const QString line = BuildRawCommandLine(arguments);
    QStringList split;
    int position = 1;
    for (int i = 0; i < arguments.size(); ++i) {
        QString token;
        ExtractParam(line, position, &position, token);
        split.append(token);
    }
    EXPECT_EQ(split, arguments);
}

} // namespace
