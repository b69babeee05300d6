#include "app/AlertSound.h"

#include "app/ErrorMessage.h"
#include "platform/GuiApplication.h"
#include "platform/MessageService.h"
#include "support/MCI.h"

std::unique_ptr<TMCI> StartAlertSound(const QString& fileName, std::function<void(TMCI&)> onEnd)
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
    if (onEnd) {
        player->OnNotify = std::move(onEnd);
        player->SetNotify(true);
    }
    player->Play();
    return player;
}
