#include "model/AlertText.h"

#include "support/NLS.h"

#include "TestSupport.h"
#include "model/ModelTestSupport.h"

namespace {

// The language files hold the words in lower case; the alert upper-cases the first letter.
TEST(AlertPrefixTest, NamesTheDaysAhead)
{
    const std::tuple<const char*, qint32, const char*> cases[] = {
        {"Vemora_EN.nls", 1, "Tomorrow: "}, {"Vemora_EN.nls", 2, "In 2 days: "}, {"Vemora_DE.nls", 1, "Morgen: "},
        {"Vemora_DE.nls", 255, "In 255 Tagen: "}, {"Vemora_EN.nls", 0, ""}, {"Vemora_EN.nls", -3, ""}};
    for (const auto& [languageFile, daysAhead, prefix] : cases) {
        LoadLanguage(QString(), QStringLiteral(VEMORA_SOURCE_DIR "/lang/") + QLatin1String(languageFile));
        EXPECT_EQ(AlertPrefix(daysAhead), QString::fromUtf8(prefix)) << languageFile << " " << daysAhead;
    }
}

class AlertMessageTest : public testing::Test {
protected:
    void SetUp() override { LoadLanguage(QString(), QStringLiteral(VEMORA_SOURCE_DIR "/lang/Vemora_EN.nls")); }
};

// $(COUNT) is replaced once, by the number of occurrences before the one the alert is about.
TEST_F(AlertMessageTest, CountsTheOccurrencesBefore)
{
    auto entry = MakeEntry<TVemoraEntryYearly>("2000-06-15");
    entry->SetMonth(6);
    entry->SetDay(15);
    entry->SetAdvanceWarn(5);
    entry->SetDisplayText(QStringLiteral("$(COUNT) years, $(COUNT) left"));
    ASSERT_TRUE(entry->IsInAdvanceWarning(Day("2024-06-12")));
    TAlertMessage message = BuildAlertMessage(*entry, Day("2024-06-12"));
    EXPECT_EQ(message.Text, QStringLiteral("In 3 days: 24 years, $(COUNT) left"));
    EXPECT_EQ(message.DaysAhead, 3);
    EXPECT_EQ(message.Count, 24u);
    ASSERT_TRUE(entry->IsOccurrenceDay(Day("2026-06-15")));
    message = BuildAlertMessage(*entry, Day("2026-06-15"));
    EXPECT_EQ(std::tuple(message.Text, message.DaysAhead, message.Count),
              std::tuple(QStringLiteral("26 years, $(COUNT) left"), 0, std::optional<quint32>(26)));
    EXPECT_EQ(entry->AlertText(Day("2000-06-15")), QStringLiteral("0 years, $(COUNT) left"));
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
    std::optional<quint32> count = 5u;
    EXPECT_EQ(once->AlertText(Day("2024-01-10"), &count), QStringLiteral("Done"));
    EXPECT_FALSE(count.has_value()) << "a text without placeholder has no count";
}

} // namespace
