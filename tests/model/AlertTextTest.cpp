#include "model/AlertText.h"

#include "support/NLS.h"

#include "TestSupport.h"
#include "model/ModelTestSupport.h"

namespace {

// The language files hold the words in lower case; the alert upper-cases the first letter.
TEST(AlertPrefixTest, NamesTheDaysAhead)
{
    const std::tuple<const char*, qint32, const char*> cases[] = {
        {"Vemora_EN.nls", 1, "Tomorrow: "}, {"Vemora_EN.nls", 2, "In 2 days: "},
        {"Vemora_DE.nls", 1, "Morgen: "}, {"Vemora_DE.nls", 255, "In 255 Tagen: "}, {"Vemora_EN.nls", 0, ""}};
    for (const auto& [languageFile, daysAhead, prefix] : cases) {
        LoadLanguage(QString(), QStringLiteral(VEMORA_SOURCE_DIR "/lang/") + QLatin1String(languageFile));
        EXPECT_EQ(AlertPrefix(daysAhead), QString::fromUtf8(prefix)) << languageFile << " " << daysAhead;
    }
}

class AlertMessageTest : public testing::Test {
protected:
    void SetUp() override { LoadLanguage(QString(), QStringLiteral(VEMORA_SOURCE_DIR "/lang/Vemora_EN.nls")); }
};

// $(COUNT) is replaced once, by the number of occurrences before the one the alert is about; a
// text without it has no count.
TEST_F(AlertMessageTest, CountsTheOccurrencesBefore)
{
    auto entry = MakeEntry<TVemoraEntryYearly>("2000-06-15");
    entry->SetMonth(6);
    entry->SetDay(15);
    entry->SetAdvanceWarn(5);
    entry->SetDisplayText(QStringLiteral("$(COUNT) years, $(COUNT) left"));
    ASSERT_TRUE(entry->IsInAdvanceWarning(Day("2024-06-12")));
    TAlertMessage message = BuildAlertMessage(*entry, Day("2024-06-12"));
    EXPECT_EQ(std::tuple(message.Text, message.DaysAhead, message.Count),
              std::tuple(QStringLiteral("In 3 days: 24 years, $(COUNT) left"), 3, std::optional<quint32>(24)));
    ASSERT_TRUE(entry->IsOccurrenceDay(Day("2026-06-15")));
    message = BuildAlertMessage(*entry, Day("2026-06-15"));
    EXPECT_EQ(std::tuple(message.Text, message.DaysAhead, message.Count),
              std::tuple(QStringLiteral("26 years, $(COUNT) left"), 0, std::optional<quint32>(26)));
    EXPECT_EQ(entry->AlertText(Day("2000-06-15")), QStringLiteral("0 years, $(COUNT) left"));
    entry->SetDisplayText(QStringLiteral("Done"));
    std::optional<quint32> count = 5u;
    EXPECT_EQ(entry->AlertText(Day("2026-06-15"), &count), QStringLiteral("Done"));
    EXPECT_FALSE(count.has_value()) << "a text without placeholder has no count";
}

} // namespace
