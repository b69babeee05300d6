#pragma once

#include "platform/MessageService.h"

#include <QString>

#include <functional>

// The desktop's event sounds, named as the freedesktop sound theme names them. A message box
// of the platform sounds the one of its icon; so do ours.

// "dialog-error", "dialog-question", "dialog-warning", "dialog-information"; "bell" without icon.
QString EventSoundId(TMessageIcon icon);

using TEventSoundPlayer = std::function<void(const QString& soundId)>;

// Plays a sound of the user's sound theme unless the desktop has event sounds switched off;
// returns at once, the sound goes on.
void PlayEventSound(const QString& soundId);
// Installs the player that PlayEventSound hands to (tests listen here); an empty one brings
// back the desktop's. Returns the previous one.
TEventSoundPlayer SetEventSoundPlayer(TEventSoundPlayer player);
