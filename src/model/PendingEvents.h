#pragma once

#include <functional>

// Long occurrence walks let the user interface run every few candidate days, so that a
// cancel button can act. The GUI installs the hook; without one nothing happens.
void SetPendingEventsHook(std::function<void()> hook);
void ProcessPendingEvents();
