#include "model/PendingEvents.h"

namespace {

std::function<void()>& Hook()
{
    static std::function<void()> hook;
    return hook;
}

} // namespace

void SetPendingEventsHook(std::function<void()> hook)
{
    Hook() = std::move(hook);
}

void ProcessPendingEvents()
{
    if (Hook())
        Hook()();
}
