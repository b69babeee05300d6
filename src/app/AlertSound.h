#pragma once

#include <QString>

#include <functional>
#include <memory>

class TMCI;

// Starts the sound (or video) of an alert; null without a file or a display. A file that
// cannot be opened is reported and left out. onEnd runs through the event loop when the
// playback ends by itself, never inside this call.
std::unique_ptr<TMCI> StartAlertSound(const QString& fileName, std::function<void(TMCI&)> onEnd = {});
