#include "app/BatchCheck.h"

#include "BatchFiles.h"
#include "MediaFiles.h"
#include "TestSupport.h"

#include "app/VemoraLibState.h"
#include "platform/FormatText.h"
#include "support/DateFormat.h"
#include "support/MCI.h"
#include "support/NLS.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>

namespace {

class BatchCheckTest : public testing::Test {
protected:
    TTemporaryHome Home;
    TScriptedMessages Messages;

    void SetUp() override { LoadLanguage(QString(), QString()); }

    // Each message as "text|icon|event sound".
    QStringList Shown() const
    {
        QStringList shown;
        for (const TMessageRequest& request : Messages.Shown())
            shown << QStringLiteral("%1|%2|%3").arg(request.Text).arg(int(request.Icon)).arg(request.EventSound);
        return shown;
    }
    QString File(const TBatchFile& file) const { return file.Save(Home.FilePath(QStringLiteral("dates.vkd"))); }
};

// Due entries show in the order of the file, warnings name the days ahead, $(COUNT) counts
// the earlier occurrences; the file is never written. An entry whose dates cannot be computed,
// or whose sound cannot play, is reported, and the other alerts still show.
TEST_F(BatchCheckTest, ShowsTheDueEntriesInTheirOrderAndLeavesTheFileAlone)
{
    const QString file = File(TBatchFile()
                                  .Once(QStringLiteral("first"), 0)
                                  .Once(QStringLiteral("not today"), 5)
                                  .Once(QStringLiteral("inactive"), 0, 0, false)
                                  .BeforeTheYearOne(QStringLiteral("broken"))
                                  .DailySince(QStringLiteral("Day $(COUNT) of $(COUNT)"), 30)
                                  .Once(QStringLiteral("tomorrow"), 1, 2)
                                  .Once(QStringLiteral("later"), 3, 5)
                                  .Once(QStringLiteral("no sound"), 0, 0, true, Home.FilePath(QStringLiteral("gone.wav"))));
    const QByteArray before = ReadWholeFile(file);
    const QDateTime stamp = QFileInfo(file).lastModified();
    RunBatchCheck(file);
    const QString tomorrow = FirstCharUpper(LanguageText(0x3483D21C), QStringLiteral(": "));
    const QString inThree = FirstCharUpper(FormatText(LanguageText(0x1ACE43F2), {QStringLiteral("3")}), QStringLiteral(": "));
    const QString alert = QStringLiteral("|%1|1").arg(int(TMessageIcon::Information)); // with the desktop's sound
    const QString error = QStringLiteral("|%1|1").arg(int(TMessageIcon::Error));
    QStringList shown = Shown();
    ASSERT_EQ(shown.size(), 7) << shown.join(u'\n').toStdString();
    EXPECT_TRUE(shown[5].endsWith(error)) << "the sound";
    shown.removeAt(5);
    EXPECT_EQ(shown, (QStringList{FormatText(LanguageText(0x4D20B7E1), {"broken", LanguageText(0x5A61A501)}) + error,
                                  "first" + alert, "Day 30 of $(COUNT)" + alert, tomorrow + "tomorrow" + alert,
                                  inThree + "later" + alert, "no sound" + alert}));
    EXPECT_TRUE(BatchMode);
    for (const TMessageRequest& request : Messages.Shown())
        EXPECT_TRUE(request.Icon == TMessageIcon::Error || request.Caption == AlertCaption(Today()));
    EXPECT_EQ(std::pair(ReadWholeFile(file), QFileInfo(file).lastModified()), std::pair(before, stamp));

    FormatSettings().ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    FormatSettings().DateSeparator = u'.';
    EXPECT_EQ(AlertCaption(DayFromCivil(2026, 12, 5)), "BatchCheckTest " + LanguageText(0x780B35AB) + " 05.12.2026");
}

// The summary of the days since the check before comes first and makes no sound; with the
// option off, or without a check before, nothing is added.
TEST_F(BatchCheckTest, MissedDatesComeFirstOnlyWithTheOptionAndACheckBefore)
{
    InitializeVemoraLib();
    const QString file = File(TBatchFile().Once(QStringLiteral("missed"), -3).Once(QStringLiteral("today"), 0));
    const QString today = QStringLiteral("today|%1|1").arg(int(TMessageIcon::Information));
    const QString summary = LanguageText(0x2B7D4E11) + u'\n' + DateToStr(Today() - 3) +
                            QStringLiteral(" missed|%1|0").arg(int(TMessageIcon::Information));
    for (const auto& [option, lastCheck, expected] : {std::tuple(false, Today() - 5.5, QStringList{today}),
                                                      std::tuple(true, 0.0, QStringList{today}),
                                                      std::tuple(true, Today() - 5.5, QStringList{summary, today})}) {
        SetShowMissedAlerts(option);
        Messages.Service().Shown.clear();
        RunBatchCheck(file, lastCheck);
        EXPECT_EQ(Shown(), expected) << option << ' ' << lastCheck;
    }
    FinalizeVemoraLib();
}

// Without a session bus, or on one where no notification service runs or can be started, the
// option leaves the alerts in their message boxes, none lost.
TEST_F(BatchCheckTest, WithoutANotificationServiceTheAlertsStayMessageBoxes)
{
    QProcess emptyBus; // ends with the test; the home restores the bus address
    emptyBus.start("dbus-daemon", {"--config-file=" + Home.WriteFile("bus.conf", PrivateBusConfiguration),
                                   "--print-address=1", "--nofork"});
    ASSERT_TRUE(emptyBus.waitForReadyRead(10000)) << "dbus-daemon did not start";
    InitializeVemoraLib();
    SetAlertsAsNotifications(true);
    const QString file = File(TBatchFile().Once("today", 0).Once("tomorrow", 1, 1));
    const QString alert = QStringLiteral("|%1|1").arg(int(TMessageIcon::Information));
    const QStringList boxes{"today" + alert, FirstCharUpper(LanguageText(0x3483D21C), ": ") + "tomorrow" + alert};
    for (const QByteArray& address : {QByteArray("unix:path=/nonexistent/bus"), emptyBus.readLine().trimmed()}) {
        qputenv("DBUS_SESSION_BUS_ADDRESS", address);
        Messages.Service().Shown.clear();
        RunBatchCheck(file);
        EXPECT_EQ(Shown(), boxes) << address.toStdString();
    }
    FinalizeVemoraLib();
}

TEST_F(BatchCheckTest, TheSoundPlaysWhileTheAlertIsOpenAndStopsWithIt)
{
    const QString sound = Home.WriteFile(QStringLiteral("long.wav"), Wave(3000));
    int playingWhileShown = -1;
    Messages.Service().OnShow = [&](const TMessageRequest&) {
        QElapsedTimer timer;
        timer.start();
        while (ActiveAlertSound() && ActiveAlertSound()->Mode() != mciModePlaying && timer.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        playingWhileShown = ActiveAlertSound() ? ActiveAlertSound()->Mode() : -1;
    };
    RunBatchCheck(File(TBatchFile().Once(QStringLiteral("with sound"), 0, 0, true, sound)));
    EXPECT_EQ(playingWhileShown, mciModePlaying);
    EXPECT_EQ(ActiveAlertSound(), nullptr) << "the sound ends with its alert";
    EXPECT_EQ(Shown(), QStringList{QStringLiteral("with sound|%1|0").arg(int(TMessageIcon::Information))})
        << "the entry's sound plays alone";
}

TEST_F(BatchCheckTest, AFileThatCannotBeCheckedIsReportedOnceAndShowsNoAlert)
{
    const std::pair<QString, quint32> rows[] = { // the message with the file filled in; 0: any naming the file
        {QString(), 0x5CC935C6},
        {Home.FilePath(QStringLiteral("missing.vkd")), 0x0BF01DCF},
        {Home.Path(), 0x0BF01DCF}, // a folder
        {Home.WriteFile(QStringLiteral("text.vkd"), QByteArray(64, 'x')), 0},
        {Home.WriteFile(QStringLiteral("damaged.vkd"), // five entries, then a type byte of 7
                        QByteArray("Vemora configure file\x1a\x02\0\x05\0\0\0\x07", 29) + QByteArray(300, '\0')), 0}};
    for (const auto& [file, textId] : rows) {
        const std::size_t before = Messages.Shown().size();
        RunBatchCheck(file);
        ASSERT_EQ(Messages.Shown().size(), before + 1) << file.toStdString();
        const TMessageRequest& shown = Messages.Shown().back();
        EXPECT_TRUE(shown.Icon == TMessageIcon::Error && shown.Text.contains(file)) << shown.Text.toStdString();
        EXPECT_TRUE(textId == 0 || shown.Text == FormatText(LanguageText(textId), {file})) << shown.Text.toStdString();
    }
}

} // namespace
