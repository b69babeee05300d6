#include "model/AlertText.h"
#include "model/MissedDates.h"
#include "model/VemoraEntries.h"
#include "support/DateFormat.h"

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

// Mondays counted from 2026-01-05, an inactive daily entry, a one-off on Wednesday 2026-03-04
// warned five days ahead, and an entry whose dates run out of the calendar. 2026-03-10 is a Tuesday.
TEST_F(AlertMessageTest, MissedDatesAreTheOccurrencesBetweenTheChecks)
{
    TVemoraEntries entries;
    const auto add = [&](auto entry, const char* text) {
        entry->SetDisplayText(QString::fromLatin1(text));
        return entries.Items(entries.AddEntry(std::move(entry)));
    };
    static_cast<TVemoraEntryWeekly*>(add(MakeEntry<TVemoraEntryWeekly>("2026-01-05"), "Choir $(COUNT)"))
        ->SetWeekdays(WeekdayBits({dkMonday}));
    add(MakeEntry<TVemoraEntryDaily>("2026-01-01"), "inactive")->SetActive(false);
    add(MakeEntry<TVemoraEntryOnce>("2026-03-04"), "Dentist")->SetAdvanceWarn(5);
    add(MakeEntry<TVemoraEntryMonthly>("2026-01-01"), "before the year 1")->SetDateStart(MinDayNumber - 400);
    const auto missed = [&](const char* lastCheck, const char* today) {
        QStringList shown, failed;
        for (const TMissedOccurrence& o : MissedOccurrences(entries, Day(lastCheck), Day(today), [&](int index, auto&) {
                 failed << QString::number(index);
             }))
            shown << QStringLiteral("%1 %2 %3 %4").arg(Iso(o.Day)).arg(o.Index).arg(o.Text).arg(o.Count.value_or(99));
        return shown << failed.join(u',');
    };
    EXPECT_EQ(missed("2026-03-09", "2026-03-10"), QStringList{""}) << "the check yesterday";
    EXPECT_EQ(missed("2026-03-10", "2026-03-10"), QStringList{""}) << "a check earlier today";
    EXPECT_EQ(missed("2026-03-01", "2026-03-10"),
              QStringList({"2026-03-02 0 Choir 8 8", "2026-03-04 2 Dentist 99", "2026-03-09 0 Choir 9 9", "3"}))
        << "the dates before the year 1 cannot be computed: reported once, the others go on";
    const QStringList capped = missed("2000-01-01", "2026-03-10"); // from 2026-01-07 on
    EXPECT_EQ(std::tuple(capped.size(), capped.first()), std::tuple(11, QStringLiteral("2026-01-12 0 Choir 1 1")));

    std::vector<TMissedOccurrence> many(60, TMissedOccurrence{Day("2026-03-02"), 0, "two\nlines", std::nullopt});
    const QStringList lines = MissedSummaryText(many).split(u'\n');
    EXPECT_EQ(std::tuple(lines.size(), lines.first(), lines[1], lines.last()),
              std::tuple(52, QStringLiteral("Missed since the last check:"),
                         DateToStr(Day("2026-03-02")) + QStringLiteral(" two lines"), QStringLiteral("… and 10 more")));
}

} // namespace
