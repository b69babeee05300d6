#include "support/Lists.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace {

using TIntList = TListSorted<int>;

std::vector<int> Values(const TIntList& list)
{
    std::vector<int> values;
    for (int index = 0; index < list.Count(); ++index)
        values.push_back(*list.Get(index));
    return values;
}

std::string ErrorText(const std::function<void()>& action)
{
    try {
        action();
    } catch (const EListError& error) {
        return error.what();
    }
    return "no error";
}

std::string IndexError(int index)
{
    return "Der Index der Liste überschreitet das Maximum (" + std::to_string(index) + ")";
}

// Owns its items, as the entry list does, and logs the deletions.
class TOwningList : public TIntList {
public:
    ~TOwningList() override { Clear(); }
    void Delete(int index) override
    {
        Deleted.push_back(*Get(index));
        delete Get(index);
        TIntList::Delete(index);
    }
    std::vector<int> Deleted;
};

// Items 0..2 (10, 20, 30) are in the list, ordered by value; item 3 is another 20.
using TListOperation = std::function<int(TIntList& list, std::vector<int>& items)>;

struct TListRow {
    const char* Name;
    bool Sorted;
    TDuplicates Duplicates;
    TListOperation Operation;
    std::string Error = "no error";
    std::vector<int> Expected = {10, 20, 30};
    int Result = -1; // also when the operation raises or returns nothing
    int Changes = 0; // change events
    bool Modified = false;
};

TEST(ListsTest, OperationsOnAListOfThreeItems)
{
    const auto add = [](int index) { return [index](TIntList& l, auto& i) { return l.Add(&i[index]); }; };
    const auto insert = [](int index) { return [index](TIntList& l, auto& i) { l.Insert(&i[3], index); return -1; }; };
    const auto exchange = [](int index) { return [index](TIntList& l, auto&) { l.Exchange(0, index); return -1; }; };
    const auto sortOn = [](bool byAddress) {
        return [byAddress](TIntList& l, auto&) {
            if (byAddress)
                l.OnCompare = nullptr;
            l.Exchange(0, 2);
            l.SetFlags(flagSorted, true);
            return -1;
        };
    };
    const std::string none = "no error", duplicates = ListDuplicatesText, sorted = ListSortedText;
    const TListRow rows[] = {
        {"unsorted ignore", false, dupIgnore, add(1), none, {10, 20, 30}, 1},
        {"unsorted accept appends", false, dupAccept, add(1), none, {10, 20, 30, 20}, 3, 1, true},
        {"sorted accept beside the equal", true, dupAccept, add(3), none, {10, 20, 20, 30}, 1, 1, true},
        {"sorted error", true, dupError, add(3), duplicates},
        {"without OnCompare by identity", false, dupIgnore,
         [](TIntList& l, auto& i) { l.OnCompare = nullptr; return l.Add(&i[3]) * 10 + l.Add(&i[1]); }, none,
         {10, 20, 30, 20}, 31, 1, true},
        {"insert in the middle", false, dupAccept, insert(1), none, {10, 20, 20, 30}, -1, 1, true},
        {"insert at the end", false, dupAccept, insert(3), none, {10, 20, 30, 20}, -1, 1, true},
        {"insert after the end", false, dupAccept, insert(4), IndexError(4)},
        {"insert into a sorted list", true, dupAccept, insert(0), sorted},
        {"insert a duplicate ignored", false, dupIgnore, insert(0)},
        {"insert a duplicate refused", false, dupError, insert(0), duplicates},
        {"get after the end", false, dupIgnore, [](TIntList& l, auto&) { return *l.Get(3); }, IndexError(3)},
        {"delete after the end", false, dupIgnore, [](TIntList& l, auto&) { l.Delete(3); return -1; }, IndexError(3)},
        {"exchange without a change event", false, dupIgnore, exchange(2), none, {30, 20, 10}, -1, 0, true},
        {"exchange after the end", false, dupIgnore, exchange(3), IndexError(3)},
        {"exchange in a sorted list", true, dupIgnore, exchange(1), sorted},
        {"turning sorted on sorts", false, dupIgnore, sortOn(false), none, {10, 20, 30}, -1, 0, true},
        {"without OnCompare by address", false, dupIgnore, sortOn(true), none, {10, 20, 30}, -1, 0, true},
    };
    for (const TListRow& row : rows) {
        SCOPED_TRACE(row.Name);
        std::vector<int> items{10, 20, 30, 20};
        TIntList list;
        list.OnCompare = [](const int* item1, const int* item2) { return *item1 - *item2; };
        list.SetFlags(flagSorted, row.Sorted);
        for (int index = 0; index < 3; ++index)
            list.Add(&items[static_cast<std::size_t>(index)]);
        list.Duplicates = row.Duplicates;
        list.SetFlags(flagModified, false);
        int changes = 0;
        list.OnChange = [&changes](TListCustom<int>&) { ++changes; };
        int result = -1;
        const std::string error = ErrorText([&] { result = row.Operation(list, items); });
        EXPECT_EQ(std::tuple(error, result, Values(list), changes, list.GetFlag(flagModified)),
                  std::tuple(row.Error, row.Result, row.Expected, row.Changes, row.Modified));
    }
}

// Modified handlers hear each change of the bit only; an empty list marked modified is still
// cleaned; the storage goes with the last item.
TEST(ListsTest, ClearDeletesFromTheLastItemThroughTheOverriddenDelete)
{
    TOwningList list;
    int notified = 0;
    list.RegisterHandler(flagModified, [&notified](TFlagObjectCustum&) { ++notified; });
    std::vector<int> counts;
    list.OnChange = [&counts](TListCustom<int>& sender) { counts.push_back(sender.Count()); };
    for (int value : {1, 2, 3})
        list.Add(new int(value));
    list.Clear();
    const int afterFirstClear = notified;
    list.Clear();
    list.SetFlags(flagModified, true);
    list.Clear();
    // Each change event sees the list after the change.
    EXPECT_EQ(std::tuple(list.Deleted, counts, list.Capacity(), afterFirstClear, notified),
              std::tuple(std::vector{3, 2, 1}, std::vector{1, 2, 3, 2, 1, 0}, 0, 2, 4));
    list.SetCapacity(40);
    EXPECT_GE(list.Capacity(), 40);
}

// Logs each notification and the Changed hook, so their order can be checked.
class TRecordingObject : public TModifyObject {
public:
    void Notify(quint32 mask) override
    {
        Log.push_back("Notify " + std::to_string(mask));
        TModifyObject::Notify(mask);
    }
    void Changed() override { Log.push_back("Changed"); }

    std::vector<std::string> Log;
};

// Each row starts from the first value and sets the bits of the mask to the given value.
TEST(FlagObjectsTest, SetFlagsChangesAndNotifiesEachDifferingBitLowestFirst)
{
    using TLog = std::vector<std::string>;
    const std::tuple<quint32, quint32, bool, quint32, TLog> rows[] = {
        {2, 7, true, 7, {"Notify 1", "Changed", "Notify 4"}},
        {3, 3, true, 3, {}},
        {13, 7, false, 8, {"Notify 1", "Changed", "Notify 4"}},
        {0, 0x80000000u, true, 0x80000000u, {"Notify 2147483648"}},
    };
    for (const auto& [initial, mask, value, expected, log] : rows) {
        TRecordingObject object;
        object.SetFlags(initial, true);
        object.Log.clear();
        object.SetFlags(mask, value);
        EXPECT_EQ(std::pair(object.Flags(), object.Log), std::pair(expected, log)) << initial << ' ' << mask;
    }
}

// Changed runs before the handlers, which run in registration order; the same mask replaces in
// place, an empty handler removes, and a handler may change the registrations while notified.
TEST(FlagObjectsTest, HandlersAndTheChangedHook)
{
    TRecordingObject object;
    const auto log = [&object](const std::string& name) {
        return [&object, name](TFlagObjectCustum& sender) {
            object.Log.push_back(&sender == &object ? name : name + " with a wrong sender");
        };
    };
    object.RegisterHandler(flagSorted, log("sorted"));
    object.RegisterHandler(flagModified, log("first"));
    object.RegisterHandler(flagModified | flagSorted, log("both"));
    object.RegisterHandler(flagModified, log("replaced"));
    object.RegisterHandler(0, log("mask 0"));
    object.RegisterHandler(4, [&](TFlagObjectCustum&) {
        object.Log.push_back("removes itself");
        object.RegisterHandler(4, TFlagHandler());
        object.RegisterHandler(8, log("added"));
    });
    object.Notify(flagModified);
    object.Notify(flagSorted);
    object.RegisterHandler(flagModified, TFlagHandler());
    object.RegisterHandler(16, TFlagHandler()); // no such record: nothing to remove
    object.Notify(0xFFFFFFFFu);
    object.Notify(0xFFFFFFFFu);
    EXPECT_EQ(object.Log, (std::vector<std::string>{
                              "Notify 1", "Changed", "replaced", "both", "Notify 2", "sorted", "both",
                              "Notify 4294967295", "Changed", "sorted", "both", "removes itself",
                              "Notify 4294967295", "Changed", "sorted", "both", "added"}));
}

} // namespace
