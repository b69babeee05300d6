#include "model/AlertText.h"

#include "support/NLS.h"

#include "TestSupport.h"
#include "model/ModelTestSupport.h"

namespace {

struct TPrefixCase {
    const char* Name;
    const char* LanguageFile;
    qint32 DaysAhead;
    const char* Prefix;
};

class AlertPrefixTest : public testing::TestWithParam<TPrefixCase> {};

// The language files hold the words in lower case; the alert upper-cases the first letter.
TEST_P(AlertPrefixTest, NamesTheDaysAhead)
{
    LoadLanguage(QString(), QStringLiteral(VEMORA_SOURCE_DIR "/lang/") + QLatin1String(GetParam().LanguageFile));
    EXPECT_EQ(AlertPrefix(GetParam().DaysAhead), QString::fromUtf8(GetParam().Prefix));
}

INSTANTIATE_TEST_SUITE_P(
    Days, AlertPrefixTest,
    testing::Values(TPrefixCase{"english_tomorrow", "Vemora_EN.nls", 1, "Tomorrow: "},
                    TPrefixCase{"english_two_days", "Vemora_EN.nls", 2, "In 2 days: "},
                    TPrefixCase{"german_tomorrow", "Vemora_DE.nls", 1, "Morgen: "},
                    TPrefixCase{"german_255_days", "Vemora_DE.nls", 255, "In 255 Tagen: "},
                    TPrefixCase{"today", "Vemora_EN.nls", 0, ""},
                    TPrefixCase{"in_the_past", "Vemora_EN.nls", -3, ""}),
    [](const testing::TestParamInfo<TPrefixCase>& info) { return std::string(info.param.Name); });

class AlertMessageTest : public testing::Test {
protected:
    void SetUp() override { LoadLanguage(QString(), QStringLiteral(VEMORA_SOURCE_DIR "/lang/Vemora_EN.nls")); }
};

TEST_F(AlertMessageTest, AdvanceWarningCountsTheComingOccurrence)
{
    auto entry = MakeEntry<TVemoraEntryYearly>("2000-06-15");
    entry->SetMonth(6);
    entry->SetDay(15);
    entry->SetAdvanceWarn(5);
    entry->SetDisplayText(QStringLiteral("$(COUNT) years, $(COUNT) left"));
    ASSERT_TRUE(entry->IsInAdvanceWarning(Day("2024-06-12")));
    const TAlertMessage message = BuildAlertMessage(*entry, Day("2024-06-12"));
    EXPECT_EQ(message.Text, QStringLiteral("In 3 days: 24 years, $(COUNT) left"));
    EXPECT_EQ(message.DaysAhead, 3);
    EXPECT_EQ(message.Count, 24u);
}

TEST_F(AlertMessageTest, PastSeriesAndEmptyCacheHaveNoPrefix)
{
    auto once = MakeEntry<TVemoraEntryOnce>("2024-01-10");
    once->SetDisplayText(QStringLiteral("Done"));
    EXPECT_EQ(AlertMessageText(*once, Day("2024-01-20")), QStringLiteral("Done"));
    once->IsOccurrenceDay(Day("2024-01-20"));
    const TAlertMessage message = BuildAlertMessage(*once, Day("2024-01-20"));
    EXPECT_EQ(message.Text, QStringLiteral("Done"));
    EXPECT_EQ(message.DaysAhead, -10);
    EXPECT_FALSE(message.Count.has_value());
}

} // namespace
