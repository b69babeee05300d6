#include "model/EntryFactory.h"

#include "model/VemoraEntryKinds.h"
#include "model/VemoraEntryMonthRelated.h"

std::unique_ptr<TVemoraEntryBasic> CreateEntry(int kind)
{
    switch (kind) {
    case ekOnce:
        return std::make_unique<TVemoraEntryOnce>();
    case ekDaily:
        return std::make_unique<TVemoraEntryDaily>();
    case ekWeekly:
        return std::make_unique<TVemoraEntryWeekly>();
    case ekMonthly:
        return std::make_unique<TVemoraEntryMonthly>();
    case ekYearly:
        return std::make_unique<TVemoraEntryYearly>();
    default:
        return nullptr;
    }
}
