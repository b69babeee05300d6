#include "support/NLSTextTable.h"

#include <algorithm>

namespace {

template <typename TEntries>
auto LowerBound(TEntries& entries, quint32 id)
{
    return std::lower_bound(entries.begin(), entries.end(), id,
                            [](const auto& entry, quint32 wanted) { return entry.Id < wanted; });
}

} // namespace

void TNLSTextTable::Add(quint32 id, const QString& text)
{
    const auto position = LowerBound(Entries, id);
    if (position != Entries.end() && position->Id == id)
        return;
    Entries.insert(position, TEntry{id, text});
    // Indices behind the new entry have moved.
    ForgetRecent();
}

const QString* TNLSTextTable::Find(quint32 id)
{
    for (const TRecent& recent : Recent)
        if (recent.Index >= 0 && recent.Id == id)
            return &Entries[static_cast<std::size_t>(recent.Index)].Text;
    const auto position = LowerBound(Entries, id);
    if (position == Entries.end() || position->Id != id)
        return nullptr;
    Recent[NextRecent] = TRecent{id, position - Entries.begin()};
    NextRecent = (NextRecent + 1) % RecentSlots;
    return &position->Text;
}

void TNLSTextTable::Clear()
{
    Entries.clear();
    ForgetRecent();
}

void TNLSTextTable::ForgetRecent()
{
    Recent.fill(TRecent{});
    NextRecent = 0;
}
