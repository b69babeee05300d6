#include "app/BatchCheck.h"

#include "app/AlertNotifications.h"
#include "app/AlertSound.h"
#include "app/EntryFileCheck.h"
#include "app/ErrorMessage.h"
#include "app/VemoraLibState.h"
#include "model/AlertText.h"
#include "model/MissedDates.h"
#include "model/ModelErrors.h"
#include "model/VemoraEntries.h"
#include "platform/CommandLine.h"
#include "platform/FormatText.h"
#include "platform/GuiApplication.h"
#include "platform/MessageService.h"
#include "support/DateFormat.h"
#include "support/DayNumbers.h"
#include "support/MCI.h"
#include "support/NLS.h"

#include <QFileInfo>

#include <cmath>
#include <memory>
#include <vector>

namespace {

const TMCI* ActiveSound = nullptr;
// The notifications of the editor's Test, kept for their sounds.
std::unique_ptr<TAlertNotifications> TestNotifications;

bool AsNotifications()
{
    return HasDisplay() && GetAlertsAsNotifications();
}

// The program file's name without its folder and without everything from its first dot on.
QString ApplicationTitle()
{
    return QFileInfo(ProgramFilePath()).fileName().section(u'.', 0, 0);
}

// The due entries of the day; an entry whose dates cannot be computed is reported by its
// text and left out, so that it never keeps the others from their alerts.
std::vector<TVemoraEntryBasic*> DueEntries(TVemoraEntries& entries, qint32 day)
{
    std::vector<TVemoraEntryBasic*> due;
    for (int i = 0; i < entries.Count(); ++i) {
        TVemoraEntryBasic* entry = entries.Items(i);
        try {
            if (entry->IsDue(day) && entry->Active())
                due.push_back(entry);
        } catch (const std::runtime_error& error) {
            ShowErrorMessage(
                FormatText(LanguageText(0x4D20B7E1), {entry->DisplayText(), QString::fromUtf8(error.what())}));
        }
    }
    return due;
}

// No sound of its own: the dates are past, today's alerts that follow keep theirs. An entry
// whose dates cannot be computed is reported with today's alerts.
void ShowMissedSummary(TVemoraEntries& entries, double lastCheck, qint32 today, TAlertNotifications* notifications)
{
    if (lastCheck == 0 || !GetShowMissedAlerts())
        return;
    const auto missed = MissedOccurrences(entries, static_cast<qint32>(std::floor(lastCheck)), today,
                                          [](int, const std::exception&) {});
    if (missed.empty())
        return;
    TMessageRequest request = MessageBoxRequest(MissedSummaryText(missed), AlertCaption(today), IconInformation);
    request.EventSound = false;
    if (!notifications || !notifications->Post(request, false, QString()))
        MessageService().Show(request);
}

void ShowAlertBox(TMessageRequest request, const QString& mediaFile)
{
    const std::unique_ptr<TMCI> sound = StartAlertSound(mediaFile);
    ActiveSound = sound.get();
    // The entry's own sound replaces the box's; one that could not start leaves the box its own.
    request.EventSound = sound == nullptr;
    MessageService().Show(request);
    ActiveSound = nullptr;
    if (sound)
        sound->Close();
}

// What the alert shows is taken from the entry before the sound starts: starting it waits for
// the media backend, and the entry is not read after that.
void ShowAlertOf(TVemoraEntryBasic& entry, qint32 day, TAlertNotifications* notifications)
{
    const TAlertMessage message = BuildAlertMessage(entry, day);
    TMessageRequest request = MessageBoxRequest(message.Text, AlertCaption(day), entry.Icon());
    request.EventSound = true;
    const QString mediaFile = entry.Mediafile();
    if (!notifications || !notifications->Post(request, message.DaysAhead <= 0, mediaFile))
        ShowAlertBox(request, mediaFile);
}

bool LoadEntries(TVemoraEntries& entries, const QString& fileName)
{
    try {
        return entries.LoadFromFile(fileName);
    } catch (const std::runtime_error& error) {
        ShowErrorMessage(fileName + QStringLiteral(": ") + QString::fromUtf8(error.what()));
        return false;
    }
}

} // namespace

QString AlertCaption(qint32 day)
{
    return ApplicationTitle() + u' ' + LanguageText(0x780B35AB) + u' ' + DateToStr(day);
}

const TMCI* ActiveAlertSound()
{
    return ActiveSound;
}

void ShowAlert(TVemoraEntryBasic& entry, qint32 day)
{
    if (!AsNotifications()) {
        ShowAlertOf(entry, day, nullptr);
        return;
    }
    if (!TestNotifications)
        TestNotifications = std::make_unique<TAlertNotifications>(QString());
    ShowAlertOf(entry, day, TestNotifications.get());
}

void EndAlertNotifications()
{
    TestNotifications.reset();
}

void RunBatchCheck(const QString& fileName, double lastCheck)
{
    BatchMode = true;
    EnsureLanguageLoaded();
    if (fileName.isEmpty()) {
        ShowErrorMessage(LanguageText(0x5CC935C6));
        return;
    }
    // A folder is no file either: "does not exist" says more than "not a valid file" would.
    if (const QFileInfo named(fileName); !named.exists() || named.isDir()) {
        ShowErrorMessage(FormatText(LanguageText(0x0BF01DCF), {fileName}));
        return;
    }
    if (!CheckEntryFile(fileName))
        return;
    TVemoraEntries entries;
    if (!LoadEntries(entries, fileName))
        return;
    const qint32 today = Today();
    std::unique_ptr<TAlertNotifications> notifications;
    if (AsNotifications())
        notifications = std::make_unique<TAlertNotifications>(fileName);
    ShowMissedSummary(entries, lastCheck, today, notifications.get());
    for (TVemoraEntryBasic* entry : DueEntries(entries, today))
        ShowAlertOf(*entry, today, notifications.get());
    // Open and the sounds need the program while the notifications stay.
    if (notifications)
        notifications->WaitUntilClosed();
}
