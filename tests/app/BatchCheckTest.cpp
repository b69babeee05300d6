#include "app/BatchCheck.h"

#include "BatchFiles.h"
#include "MediaFiles.h"
#include "TestSupport.h"

#include "app/VemoraLibState.h"
#include "support/DateFormat.h"
#include "platform/FormatText.h"
#include "support/NLS.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QDir>
#include <QFileInfo>

#include "support/MCI.h"

namespace {

class BatchCheckTest : public testing::Test {
protected:
    TTemporaryHome Home;
    TScriptedMessages Messages;

    void SetUp() override { LoadLanguage(QString(), QString()); }

    QStringList ShownTexts() const
    {
        QStringList texts;
        for (const TMessageRequest& request : Messages.Shown())
            texts.append(request.Text);
        return texts;
    }
    QString File(const TBatchFile& file) const { return file.Save(Home.FilePath(QStringLiteral("dates.vkd"))); }
};

// Due entries show in the order of the file, warnings name the days ahead, $(COUNT) counts
// the earlier occurrences; the file is never written.
TEST_F(BatchCheckTest, ShowsTheDueEntriesInTheirOrderAndLeavesTheFileAlone)
{
    const QString file = File(TBatchFile()
                                  .Once(QStringLiteral("first"), 0)
                                  .Once(QStringLiteral("not today"), 5)
                                  .Once(QStringLiteral("inactive"), 0, 0, false)
                                  .DailySince(QStringLiteral("Day $(COUNT) of $(COUNT)"), 30)
                                  .Once(QStringLiteral("tomorrow"), 1, 2)
                                  .Once(QStringLiteral("later"), 3, 5)
                                  .Once(QStringLiteral("third"), 0));
    const QByteArray before = ReadWholeFile(file);
    const QDateTime stamp = QFileInfo(file).lastModified();
    RunBatchCheck(file);
    const QString tomorrow = FirstCharUpper(LanguageText(0x3483D21C), QStringLiteral(": "));
    const QString inThree = FirstCharUpper(FormatText(LanguageText(0x1ACE43F2), {QStringLiteral("3")}), QStringLiteral(": "));
    EXPECT_EQ(ShownTexts(), (QStringList{"first", "Day 30 of $(COUNT)", tomorrow + "tomorrow", inThree + "later", "third"}));
    EXPECT_TRUE(BatchMode);
    for (const TMessageRequest& request : Messages.Shown()) {
        EXPECT_EQ(request.Icon, TMessageIcon::Information);
        EXPECT_EQ(request.Buttons, TMessageButtons::Ok);
        EXPECT_EQ(request.Caption, AlertCaption(Today()));
    }
    EXPECT_EQ(ReadWholeFile(file), before);
    EXPECT_EQ(QFileInfo(file).lastModified(), stamp);
}

TEST_F(BatchCheckTest, TheCaptionCarriesTodayInTheShortDateFormat)
{
    FormatSettings().ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    FormatSettings().DateSeparator = u'.';
    const qint32 day = DayFromCivil(2026, 12, 5);
    EXPECT_TRUE(AlertCaption(day).endsWith(QStringLiteral(" 05.12.2026"))) << AlertCaption(day).toStdString();
    EXPECT_TRUE(AlertCaption(day).startsWith(QStringLiteral("BatchCheckTest ")));
}

TEST_F(BatchCheckTest, AMissingSoundIsReportedAndTheAlertsStillShow)
{
    const QString file = File(TBatchFile()
                                  .Once(QStringLiteral("with sound"), 0, 0, true, Home.FilePath(QStringLiteral("gone.wav")))
                                  .Once(QStringLiteral("after it"), 0));
    RunBatchCheck(file);
    ASSERT_EQ(Messages.Shown().size(), 3u) << ShownTexts().join(u'|').toStdString();
    EXPECT_EQ(Messages.Shown()[0].Icon, TMessageIcon::Error);
    EXPECT_EQ(ShownTexts().mid(1), (QStringList{"with sound", "after it"}));
    // A sound that cannot play leaves the alert the desktop's sound.
    for (const TMessageRequest& request : Messages.Shown())
        EXPECT_TRUE(request.EventSound) << request.Text.toStdString();
}

TEST_F(BatchCheckTest, TheSoundPlaysWhileTheAlertIsOpenAndStopsWithIt)
{
    const QString sound = Home.WriteFile(QStringLiteral("long.wav"), Wave(3000));
    const QString file = File(TBatchFile().Once(QStringLiteral("with sound"), 0, 0, true, sound));
    int playingWhileShown = -1;
    Messages.Service().OnShow = [&](const TMessageRequest&) {
        QElapsedTimer timer;
        timer.start();
        while (ActiveAlertSound() && ActiveAlertSound()->Mode() != mciModePlaying && timer.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        playingWhileShown = ActiveAlertSound() ? ActiveAlertSound()->Mode() : -1;
    };
    RunBatchCheck(file);
    EXPECT_EQ(playingWhileShown, mciModePlaying);
    EXPECT_EQ(ActiveAlertSound(), nullptr) << "the sound ends with its alert";
    EXPECT_EQ(ShownTexts(), QStringList{"with sound"});
    EXPECT_FALSE(Messages.Shown()[0].EventSound) << "the entry's sound plays alone";
}

TEST_F(BatchCheckTest, AnEntryWhoseDatesCannotBeComputedIsReportedAndTheOthersStillShow)
{
    RunBatchCheck(File(TBatchFile().BeforeTheYearOne(QStringLiteral("broken")).Once(QStringLiteral("after it"), 0)));
    ASSERT_EQ(Messages.Shown().size(), 2u) << ShownTexts().join(u'|').toStdString();
    EXPECT_EQ(Messages.Shown()[0].Text,
              FormatText(LanguageText(0x4D20B7E1), {QStringLiteral("broken"), LanguageText(0x5A61A501)}));
    EXPECT_EQ(Messages.Shown()[1].Text, QStringLiteral("after it"));
}

struct TRejectCase {
    const char* Name;
    QByteArray Content; // written to dates.vkd; empty: no file, null name: no name at all
    bool NoName;
    bool Folder = false; // dates.vkd is a folder
    quint32 TextId = 0;  // the message with the file name filled in; 0: any naming the file
};

class BatchCheckRejectTest : public BatchCheckTest, public testing::WithParamInterface<TRejectCase> {};

TEST_P(BatchCheckRejectTest, ReportsOnceAndShowsNoAlert)
{
    QString name;
    if (!GetParam().NoName) {
        name = Home.FilePath(QStringLiteral("dates.vkd"));
        if (!GetParam().Content.isEmpty())
            Home.WriteFile(QStringLiteral("dates.vkd"), GetParam().Content);
        if (GetParam().Folder) {
            ASSERT_TRUE(QDir().mkpath(name));
        }
    }
    RunBatchCheck(name);
    ASSERT_EQ(Messages.Shown().size(), 1u);
    EXPECT_EQ(Messages.Shown()[0].Icon, TMessageIcon::Error);
    EXPECT_TRUE(Messages.Shown()[0].Text.contains(name)) << Messages.Shown()[0].Text.toStdString();
    if (GetParam().TextId != 0) {
        EXPECT_EQ(Messages.Shown()[0].Text, FormatText(LanguageText(GetParam().TextId), {name}));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, BatchCheckRejectTest,
                         testing::Values(TRejectCase{"no_file_name", QByteArray(), true},
                                         TRejectCase{"missing_file", QByteArray(), false, false, 0x0BF01DCF},
                                         TRejectCase{"folder", QByteArray(), false, true, 0x0BF01DCF},
                                         TRejectCase{"not_an_entry_file", QByteArray(64, 'x'), false},
                                         TRejectCase{"newer_version", QByteArray("Vemora configure file\x1a\x03", 23), false},
                                         TRejectCase{"damaged_body", // five entries, then a type byte of 7
                                                     QByteArray("Vemora configure file\x1a\x02\0\x05\0\0\0\x07", 29)
                                                         + QByteArray(300, '\0'), false}),
                         [](const testing::TestParamInfo<TRejectCase>& info) { return std::string(info.param.Name); });

} // namespace
