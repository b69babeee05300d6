#pragma once

#include "support/FlagObjects.h"

#include <QtGlobal>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// Texts of the list errors; "%d" stands for the value passed with them.
inline constexpr const char* ListDuplicatesText = "In der Stringliste sind Duplikate nicht erlaubt";
inline constexpr const char* ListIndexText = "Der Index der Liste überschreitet das Maximum (%d)";
inline constexpr const char* ListSortedText = "Operation bei sortierten Stringlisten nicht erlaubt";

class EListError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// message with every "%d" replaced by value.
std::string FormatListMessage(const char* message, qint64 value);
[[noreturn]] void RaiseListError(const char* message, qint64 value);

// What Add and Insert do with an item the list already holds.
enum TDuplicates : quint8 { dupIgnore = 0, dupAccept = 1, dupError = 2 };

// A list of items the list does not own, with duplicate handling, an optional sorted mode
// (flagSorted) and change events; every insertion and deletion sets flagModified. A derived
// list that owns its items frees them in its Delete, and in its own destructor: the base
// destructor cannot reach that override.
template <typename T>
class TListCustom : public TModifyObject {
public:
    using TChangeEvent = std::function<void(TListCustom& sender)>;
    // Answers below, at or above 0 as item1 sorts before, with or after item2.
    using TCompareEvent = std::function<int(const T* item1, const T* item2)>;

    TDuplicates Duplicates = dupIgnore;
    TChangeEvent OnChange; // after every insertion and deletion
    TCompareEvent OnCompare;

    // -1, 0 or 1. OnCompare decides when set (mode is not passed on); otherwise the addresses
    // are compared as signed integers, so mode 0 means identity.
    virtual int Compare(const T* item1, const T* item2, int mode) const;
    // Raises EListError with message formatted with value.
    virtual void Error(const char* message, qint64 value) const;
    virtual int Capacity() const = 0;
    virtual int Count() const = 0;
    // Raises the index error for an index outside 0..Count-1.
    virtual T* Get(int index) const = 0;
    // Presets the storage.
    virtual void SetCapacity(int capacity);
    // Removes the item, then raises the change event and sets flagModified. A negative index
    // removes nothing but is still reported as a change.
    virtual void Delete(int index);
    // Removes every item the test picks in one pass, then raises the change event and sets
    // flagModified once; returns how many went. Long lists lose many items in linear time.
    int DeleteWhere(const std::function<bool(const T* item)>& doomed);
    // Inserts at index, 0..Count; refused in a sorted list, and for a duplicate unless
    // Duplicates is dupAccept.
    virtual void Insert(T* item, int index);
    // Puts items back at their places in one pass: each index is the item's place once all are
    // in, strictly ascending.
    void InsertPlaced(const std::vector<std::pair<int, T*>>& placed);
    // Deletes from the last item to the first through Delete, then clears flagModified.
    virtual void Clear();

    // Unsorted: appends. Sorted: inserts at the item's place. A duplicate follows Duplicates;
    // an ignored one leaves the list unchanged and its existing index is returned.
    int Add(T* item);
    // On false, index is where the item would be inserted: Count when unsorted.
    bool Find(const T* item, int mode, int& index) const;
    int IndexOf(const T* item) const;
    // Refused in a sorted list. Sets flagModified without a change event.
    void Exchange(int index1, int index2);
    // Quicksort through Exchange, so refused in a sorted list.
    void Sort(int mode);
    // Clears dest and gives it this list's Duplicates; the items are not copied.
    void AssignTo(TListCustom& dest) const;

    // Turning flagSorted on puts the items in mode-0 order first, so lookups stay valid.
    void SetFlags(quint32 mask, bool value) override;

protected:
    // The storage primitives: no events, no flags, no duplicate or sorted checks.
    virtual void InsertItem(int index, T* item) = 0;
    // A negative index does nothing.
    virtual void DeleteItem(int index) = 0;
    virtual int DeleteItemsWhere(const std::function<bool(const T* item)>& doomed) = 0;
    virtual void InsertItemsPlaced(const std::vector<std::pair<int, T*>>& placed) = 0;
    virtual void ExchangeItems(int index1, int index2) = 0;

    // InsertItem, then the change event, then flagModified.
    void InsertAt(int index, T* item);

private:
    void QuickSort(int low, int high, int mode);
    bool InCompareOrder() const;
};

// Keeps the items in a vector whose memory is released whenever the list becomes empty.
template <typename T>
class TListSortedCustom : public TListCustom<T> {
public:
    int Capacity() const override { return static_cast<int>(m_Storage.capacity()); }
    int Count() const override { return static_cast<int>(m_Storage.size()); }
    T* Get(int index) const override;
    // Reserves room for capacity items; a smaller value keeps the current storage.
    void SetCapacity(int capacity) override;

protected:
    void InsertItem(int index, T* item) override;
    void DeleteItem(int index) override;
    int DeleteItemsWhere(const std::function<bool(const T* item)>& doomed) override;
    void InsertItemsPlaced(const std::vector<std::pair<int, T*>>& placed) override;
    void ExchangeItems(int index1, int index2) override;

private:
    std::vector<T*> m_Storage;
};

template <typename T>
class TListSorted : public TListSortedCustom<T> {};

// TListCustom

template <typename T>
int TListCustom<T>::Compare(const T* item1, const T* item2, int /*mode*/) const
{
    if (OnCompare) {
        const int result = OnCompare(item1, item2);
        return (result > 0) - (result < 0);
    }
    const auto address1 = reinterpret_cast<std::intptr_t>(item1);
    const auto address2 = reinterpret_cast<std::intptr_t>(item2);
    return (address1 > address2) - (address1 < address2);
}

template <typename T>
void TListCustom<T>::Error(const char* message, qint64 value) const
{
    RaiseListError(message, value);
}

template <typename T>
void TListCustom<T>::SetCapacity(int /*capacity*/)
{
}

template <typename T>
void TListCustom<T>::Delete(int index)
{
    DeleteItem(index);
    if (OnChange)
        OnChange(*this);
    SetFlags(flagModified, true);
}

template <typename T>
int TListCustom<T>::DeleteWhere(const std::function<bool(const T* item)>& doomed)
{
    const int deleted = DeleteItemsWhere(doomed);
    if (OnChange)
        OnChange(*this);
    SetFlags(flagModified, true);
    return deleted;
}

template <typename T>
void TListCustom<T>::Insert(T* item, int index)
{
    if (index < 0 || index > Count()) {
        Error(ListIndexText, index);
        return;
    }
    if (GetFlag(flagSorted)) {
        Error(ListSortedText, 0);
        return;
    }
    int existing = 0;
    if (Duplicates != dupAccept && Find(item, 0, existing)) {
        if (Duplicates == dupError)
            Error(ListDuplicatesText, 0);
        return;
    }
    InsertAt(index, item);
}

template <typename T>
void TListCustom<T>::InsertPlaced(const std::vector<std::pair<int, T*>>& placed)
{
    const int total = Count() + static_cast<int>(placed.size());
    int previous = -1;
    for (const auto& [index, item] : placed) {
        if (index <= previous || index >= total) {
            Error(ListIndexText, index);
            return;
        }
        previous = index;
    }
    InsertItemsPlaced(placed);
    if (OnChange)
        OnChange(*this);
    SetFlags(flagModified, true);
}

template <typename T>
void TListCustom<T>::Clear()
{
    while (Count() > 0)
        Delete(Count() - 1);
    SetFlags(flagModified, false);
}

template <typename T>
int TListCustom<T>::Add(T* item)
{
    int index = Count();
    if (!GetFlag(flagSorted) && Duplicates == dupAccept) {
        InsertAt(index, item);
        return index;
    }
    if (!Find(item, 0, index)) {
        InsertAt(index, item);
        return index;
    }
    if (Duplicates == dupAccept)
        InsertAt(index, item);
    else if (Duplicates == dupError)
        Error(ListDuplicatesText, 0);
    return index;
}

template <typename T>
bool TListCustom<T>::Find(const T* item, int mode, int& index) const
{
    if (!GetFlag(flagSorted)) {
        index = IndexOf(item);
        if (index >= 0)
            return true;
        index = Count();
        return false;
    }
    bool found = false;
    int low = 0;
    int high = Count() - 1;
    while (low <= high) {
        const int middle = (low + high) / 2;
        const int order = Compare(item, Get(middle), mode);
        if (order > 0) {
            low = middle + 1;
        } else {
            high = middle - 1;
            if (order == 0) {
                low = middle;
                found = true;
            }
        }
    }
    index = low;
    return found;
}

template <typename T>
int TListCustom<T>::IndexOf(const T* item) const
{
    const int count = Count();
    for (int index = 0; index < count; ++index)
        if (Compare(item, Get(index), 0) == 0)
            return index;
    return -1;
}

template <typename T>
void TListCustom<T>::Exchange(int index1, int index2)
{
    if (GetFlag(flagSorted)) {
        Error(ListSortedText, 0);
        return;
    }
    for (const int index : {index1, index2}) {
        if (index < 0 || index >= Count()) {
            Error(ListIndexText, index);
            return;
        }
    }
    ExchangeItems(index1, index2);
    SetFlags(flagModified, true);
}

template <typename T>
void TListCustom<T>::Sort(int mode)
{
    if (Count() > 0)
        QuickSort(0, Count() - 1, mode);
}

template <typename T>
void TListCustom<T>::QuickSort(int low, int high, int mode)
{
    // The right part is sorted by the loop rather than by a further call.
    while (low < high) {
        const T* pivot = Get((low + high) / 2);
        int left = low;
        int right = high;
        do {
            // Get checks the index, so an inconsistent OnCompare cannot run off the storage.
            while (Compare(Get(left), pivot, mode) < 0)
                ++left;
            while (Compare(Get(right), pivot, mode) > 0)
                --right;
            if (left <= right) {
                Exchange(left, right);
                ++left;
                --right;
            }
        } while (left <= right);
        if (low < right)
            QuickSort(low, right, mode);
        low = left;
    }
}

template <typename T>
void TListCustom<T>::AssignTo(TListCustom& dest) const
{
    dest.Clear();
    dest.Duplicates = Duplicates;
}

template <typename T>
void TListCustom<T>::SetFlags(quint32 mask, bool value)
{
    if (value && (mask & flagSorted) != 0 && !GetFlag(flagSorted) && !InCompareOrder())
        Sort(0);
    TModifyObject::SetFlags(mask, value);
}

template <typename T>
bool TListCustom<T>::InCompareOrder() const
{
    const int count = Count();
    for (int index = 1; index < count; ++index)
        if (Compare(Get(index - 1), Get(index), 0) > 0)
            return false;
    return true;
}

template <typename T>
void TListCustom<T>::InsertAt(int index, T* item)
{
    InsertItem(index, item);
    if (OnChange)
        OnChange(*this);
    SetFlags(flagModified, true);
}

// TListSortedCustom

template <typename T>
T* TListSortedCustom<T>::Get(int index) const
{
    if (index < 0 || index >= Count()) {
        this->Error(ListIndexText, index);
        return nullptr;
    }
    return m_Storage[static_cast<std::size_t>(index)];
}

template <typename T>
void TListSortedCustom<T>::SetCapacity(int capacity)
{
    if (capacity > 0)
        m_Storage.reserve(static_cast<std::size_t>(capacity));
}

template <typename T>
void TListSortedCustom<T>::InsertItem(int index, T* item)
{
    // Not a rule of the list: an index outside the vector would corrupt memory.
    if (index < 0 || index > Count()) {
        this->Error(ListIndexText, index);
        return;
    }
    m_Storage.insert(m_Storage.begin() + index, item);
}

template <typename T>
int TListSortedCustom<T>::DeleteItemsWhere(const std::function<bool(const T* item)>& doomed)
{
    const auto deleted = std::erase_if(m_Storage, [&doomed](const T* item) { return doomed(item); });
    if (m_Storage.empty())
        std::vector<T*>().swap(m_Storage);
    return static_cast<int>(deleted);
}

template <typename T>
void TListSortedCustom<T>::InsertItemsPlaced(const std::vector<std::pair<int, T*>>& placed)
{
    std::vector<T*> merged;
    merged.reserve(m_Storage.size() + placed.size());
    auto next = placed.begin();
    auto old = m_Storage.begin();
    while (merged.size() < merged.capacity()) {
        if (next != placed.end() && next->first == static_cast<int>(merged.size()))
            merged.push_back((next++)->second);
        else
            merged.push_back(*old++);
    }
    m_Storage = std::move(merged);
}

template <typename T>
void TListSortedCustom<T>::DeleteItem(int index)
{
    if (index < 0)
        return;
    if (index >= Count()) {
        this->Error(ListIndexText, index);
        return;
    }
    m_Storage.erase(m_Storage.begin() + index);
    if (m_Storage.empty())
        std::vector<T*>().swap(m_Storage);
}

template <typename T>
void TListSortedCustom<T>::ExchangeItems(int index1, int index2)
{
    std::swap(m_Storage[static_cast<std::size_t>(index1)], m_Storage[static_cast<std::size_t>(index2)]);
}
