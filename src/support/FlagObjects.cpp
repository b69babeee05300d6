#include "support/FlagObjects.h"

#include <algorithm>
#include <utility>

void TNotifyEventList::Register(quint32 mask, TFlagHandler handler)
{
    if (mask == 0)
        return;
    const auto record = std::find_if(m_Records.begin(), m_Records.end(),
                                     [mask](const TRecord& each) { return each.Mask == mask; });
    if (record == m_Records.end()) {
        if (handler)
            m_Records.push_back(TRecord{mask, std::move(handler)});
    } else if (handler) {
        record->Handler = std::move(handler);
    } else {
        m_Records.erase(record);
    }
}

void TNotifyEventList::Notify(TFlagObjectCustum& sender, quint32 mask) const
{
    // A handler may register or remove handlers while it runs: the calls of this notification
    // are chosen before the first one is made.
    std::vector<TFlagHandler> due;
    for (const TRecord& record : m_Records)
        if ((record.Mask & mask) != 0)
            due.push_back(record.Handler);
    for (const TFlagHandler& handler : due)
        handler(sender);
}

void TFlagObjectCustum::Notify(quint32 mask)
{
    if ((mask & flagModified) != 0)
        Changed();
    m_Handlers.Notify(*this, mask);
}

void TFlagObjectCustum::Changed()
{
}

void TFlagObjectCustum::SetFlags(quint32 mask, bool value)
{
    // The bits of mask, lowest first (lists call this once per item, with one bit); each is
    // tested when its turn comes, since a handler of an earlier bit may have changed it.
    for (quint32 pending = mask; pending != 0; pending &= pending - 1) {
        const quint32 bit = pending & (~pending + 1);
        if (GetFlag(bit) == value)
            continue;
        if (value)
            m_Flags |= bit;
        else
            m_Flags &= ~bit;
        Notify(bit);
    }
}

void TFlagObjectCustum::RegisterHandler(quint32 mask, TFlagHandler handler)
{
    m_Handlers.Register(mask, std::move(handler));
}
