#pragma once

#include <QtGlobal>

#include <functional>
#include <vector>

class TFlagObjectCustum;

// Flag bits used by this program.
inline constexpr quint32 flagModified = 1; // content changed since loaded, created or saved
inline constexpr quint32 flagSorted = 2;   // items stand in Compare order

using TFlagHandler = std::function<void(TFlagObjectCustum& sender)>;

// The handlers registered with a flag object, each for a mask of flag bits.
class TNotifyEventList {
public:
    // Mask 0 does nothing. A record with exactly this mask gets the new handler, or is removed
    // when the handler is empty; otherwise a non-empty handler is appended.
    void Register(quint32 mask, TFlagHandler handler);
    // Calls every handler whose mask shares a bit with mask, in registration order.
    void Notify(TFlagObjectCustum& sender, quint32 mask) const;
    int Count() const { return static_cast<int>(m_Records.size()); }

private:
    struct TRecord {
        quint32 Mask;
        TFlagHandler Handler;
    };
    std::vector<TRecord> m_Records;
};

// An object with 32 flag bits that tells registered handlers when a bit changes.
class TFlagObjectCustum {
public:
    TFlagObjectCustum() = default;
    virtual ~TFlagObjectCustum() = default;
    // Handlers usually capture the object they watch, so copies would call the wrong one.
    TFlagObjectCustum(const TFlagObjectCustum&) = delete;
    TFlagObjectCustum& operator=(const TFlagObjectCustum&) = delete;

    // With flagModified in mask, Changed runs before the handlers.
    virtual void Notify(quint32 mask);
    virtual void Changed();
    // Each bit of mask whose state differs from value, lowest first, is changed and notified
    // on its own; bits already in that state notify nobody.
    virtual void SetFlags(quint32 mask, bool value);

    // True when any bit of mask is set.
    bool GetFlag(quint32 mask) const { return (m_Flags & mask) != 0; }
    quint32 Flags() const { return m_Flags; }
    void RegisterHandler(quint32 mask, TFlagHandler handler);

private:
    quint32 m_Flags = 0;
    TNotifyEventList m_Handlers;
};

// Base of data whose modification is tracked with flagModified.
class TModifyObject : public TFlagObjectCustum {};
