#include "model/EntryFactory.h"

#include "model/EntryFileHeader.h"
#include "model/EntryStream.h"
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

std::unique_ptr<TVemoraEntryBasic> CloneEntry(const TVemoraEntryBasic& entry)
{
    TEntryWriter writer;
    entry.SaveToStream(writer);
    TEntryReader reader(writer.Data());
    std::unique_ptr<TVemoraEntryBasic> copy = CreateEntry(reader.ReadByte());
    copy->LoadFromStream(reader, EntryFileVersion);
    copy->SetOwner(entry.Owner());
    return copy;
}
