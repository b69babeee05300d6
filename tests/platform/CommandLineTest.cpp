#include "platform/CommandLine.h"
#include "TestSupport.h"


namespace {

TEST(ExtractParamTest, SplitsTheNextToken)
{
    const struct {
        const char* Text;
        int Start;
        const char* Token;
        int NextPos; // -1: unchanged
    } cases[] = {
        {"prog /r file", 1, "prog", 6},
        {"prog /r file", 6, "/r", 9},
        {"prog /r file", 9, "file", 14}, // the last word runs to the end
        {" \t\n\v\f\rword", 1, "word", 12}, // blanks of every kind
        {"\"C:\\My Files\\a.vkd\" next", 1, "C:\\My Files\\a.vkd", 20},
        {"\"\" x", 1, "", 3},
        {"\"abc def", 1, "\"abc", 6}, // an unclosed quote runs to the blank
        {"ab\"c d", 1, "ab\"c", 6}, // a quote inside a word is kept
        {"abc", 4, "", -1},
        {"abc   ", 4, "", -1},
        {"", 1, "", -1},
        {"abc", 0, "", -1},
    };
    for (const auto& c : cases) {
        int next = -1;
        QString token = QStringLiteral("stale");
        ExtractParam(QString::fromUtf8(c.Text), c.Start, &next, token);
        EXPECT_EQ(token, QString::fromUtf8(c.Token)) << c.Text << " from " << c.Start;
        EXPECT_EQ(next, c.NextPos) << c.Text << " from " << c.Start;
    }
    QString token;
    ExtractParam("one two", 4, nullptr, token);
    EXPECT_EQ(token, QStringLiteral("two")) << "the next position is optional";
}

TEST(BuildRawCommandLineTest, QuotesWhereNeededAndSplitsBackIntoTheSameArguments)
{
    const QStringList arguments{"/opt/My Apps/vemora", "/r", QString(), "a\tb", "/home/u/My Dates.vkd"};
    const QString line = BuildRawCommandLine(arguments);
    EXPECT_EQ(line, QStringLiteral("\"/opt/My Apps/vemora\" /r \"\" \"a\tb\" \"/home/u/My Dates.vkd\""));
    QStringList split;
    for (int position = 1, i = 0; i < arguments.size(); ++i) {
        QString token;
        ExtractParam(line, position, &position, token);
        split.append(token);
    }
    EXPECT_EQ(split, arguments);
}

} // namespace
