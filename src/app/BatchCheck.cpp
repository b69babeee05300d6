#include "app/BatchCheck.h"

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

// The program file's name without its folder and without everything from its first dot on.
QString ApplicationTitle()
{
    return QFileInfo(ProgramFilePath()).fileName().section(u'.', 0, 0);
}

// Starts the entry's sound; a sound that cannot be opened is reported and left out.
std::unique_ptr<TMCI> StartSound(const QString& fileName)
{
    if (fileName.isEmpty() || !HasDisplay())
        return nullptr;
    EnsureGuiApplication();
    auto player = std::make_unique<TMCI>();
    player->SetFileName(fileName);
    try {
        player->Open();
    } catch (const EMCIDeviceError& error) {
        ShowErrorMessage(error.Message());
        return nullptr;
    }
    player->Play();
    return player;
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
void ShowMissedSummary(TVemoraEntries& entries, double lastCheck, qint32 today)
{
    if (lastCheck == 0 || !GetShowMissedAlerts())
        return;
    const auto missed = MissedOccurrences(entries, static_cast<qint32>(std::floor(lastCheck)), today,
                                          [](int, const std::exception&) {});
    if (missed.empty())
        return;
    TMessageRequest request = MessageBoxRequest(MissedSummaryText(missed), AlertCaption(today), IconInformation);
    request.EventSound = false;
    MessageService().Show(request);
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

// What the alert shows is taken from the entry before the sound starts: starting it waits for
// the media backend, and the entry is not read after that.
void ShowAlert(TVemoraEntryBasic& entry, qint32 day)
{
    TMessageRequest request = MessageBoxRequest(AlertMessageText(entry, day), AlertCaption(day), entry.Icon());
    const std::unique_ptr<TMCI> sound = StartSound(entry.Mediafile());
    ActiveSound = sound.get();
    // The entry's own sound replaces the box's; one that could not start leaves the box its own.
    request.EventSound = sound == nullptr;
    MessageService().Show(request);
    ActiveSound = nullptr;
    if (sound)
        sound->Close();
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
    ShowMissedSummary(entries, lastCheck, today);
    for (TVemoraEntryBasic* entry : DueEntries(entries, today))
        ShowAlert(*entry, today);
}
