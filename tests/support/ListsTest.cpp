#include "support/Lists.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>
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

int CompareValues(const int* item1, const int* item2)
{
    return *item1 - *item2;
}

// A list ordered by value, holding items in the order given.
void Fill(TIntList& list, std::vector<int>& items, bool sorted)
{
    list.OnCompare = CompareValues;
    list.SetFlags(flagSorted, sorted);
    for (int& item : items)
        list.Add(&item);
}

// Mode 1 orders by descending value, so Sort and Find must pass their mode on.
class TModeList : public TIntList {
public:
    int Compare(const int* item1, const int* item2, int mode) const override
    {
        const int order = (*item1 > *item2) - (*item1 < *item2);
        return mode == 1 ? -order : order;
    }
};

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

std::string ErrorText(const std::function<void()>& action)
{
    try {
        action();
    } catch (const EListError& error) {
        return error.what();
    }
    return "no error";
}

// Without OnCompare an unsorted list looks items up by identity, not by value. The change
// event sees the list after the change.
TEST(ListsTest, UnsortedAddAndFindGoByIdentity)
{
    std::array<int, 3> items{7, 7, 8};
    TIntList list;
    std::vector<int> counts;
    list.OnChange = [&counts](TListCustom<int>& sender) { counts.push_back(sender.Count()); };
    list.Add(&items[0]);
    list.Add(&items[2]);

    int index = -1;
    EXPECT_FALSE(list.Find(&items[1], 0, index));
    EXPECT_EQ(index, 2) << "the count when missing";
    EXPECT_EQ(list.IndexOf(&items[2]), 1);
    EXPECT_EQ(list.IndexOf(&items[1]), -1);
    EXPECT_EQ(list.Add(&items[1]), 2) << "an equal value, but another item";
    EXPECT_EQ(list.Add(&items[2]), 1) << "the same item again inserts nothing";
    list.Delete(0);
    EXPECT_EQ(counts, (std::vector<int>{1, 2, 3, 2}));
}

// The list holds 10, 20, 30; the same 20 is added again.
TEST(ListsTest, AddOfADuplicateFollowsTheDuplicatesSetting)
{
    const struct {
        const char* Name;
        bool Sorted;
        TDuplicates Duplicates;
        int ExpectedIndex;
        std::vector<int> Expected;
        const char* ExpectedError;
    } rows[] = {
        {"unsorted ignore", false, dupIgnore, 1, {10, 20, 30}, "no error"},
        {"unsorted accept appends", false, dupAccept, 3, {10, 20, 30, 20}, "no error"},
        {"unsorted error", false, dupError, -1, {10, 20, 30}, ListDuplicatesText},
        {"sorted ignore", true, dupIgnore, 1, {10, 20, 30}, "no error"},
        {"sorted accept beside the equal", true, dupAccept, 1, {10, 20, 20, 30}, "no error"},
        {"sorted error", true, dupError, -1, {10, 20, 30}, ListDuplicatesText},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        std::vector<int> items{10, 20, 30};
        TIntList list;
        Fill(list, items, row.Sorted);
        list.Duplicates = row.Duplicates;
        int index = -1;
        EXPECT_EQ(ErrorText([&] { index = list.Add(&items[1]); }), row.ExpectedError);
        EXPECT_EQ(index, row.ExpectedIndex);
        EXPECT_EQ(Values(list), row.Expected);
    }
}

TEST(ListsTest, SortedListInsertsInOrderAndFindsByBinarySearch)
{
    std::vector<int> items{50, 10, 40, 20, 60, 30};
    TIntList list;
    Fill(list, items, true);
    EXPECT_EQ(Values(list), (std::vector<int>{10, 20, 30, 40, 50, 60}));

    // 30 is found at the first probe.
    struct { int Probe; bool Found; int Index; } rows[] = {{35, false, 3}, {5, false, 0}, {40, true, 3}, {30, true, 2}};
    for (auto& row : rows) {
        int index = -1;
        EXPECT_EQ(list.Find(&row.Probe, 0, index), row.Found) << row.Probe;
        EXPECT_EQ(index, row.Index) << row.Probe;
    }

    std::vector<int> fives{5, 5, 5};
    int probe = 5;
    TIntList equals;
    equals.Duplicates = dupAccept;
    Fill(equals, fives, true);
    int index = -1;
    EXPECT_TRUE(equals.Find(&probe, 0, index));
    EXPECT_EQ(index, 1) << "stops at the first equal item it meets";
}

TEST(ListsTest, InsertPlacesAtTheIndexAndRefusedOperationsLeaveTheListUnchanged)
{
    std::array<int, 3> items{1, 2, 3};
    TIntList list;
    list.Insert(&items[0], 0);
    list.Insert(&items[1], 0);
    list.SetFlags(flagModified, false);

    const std::string index = "Der Index der Liste überschreitet das Maximum (";
    EXPECT_EQ(ErrorText([&] { list.Insert(&items[2], 3); }), index + "3)");
    EXPECT_EQ(ErrorText([&] { list.Insert(&items[2], -1); }), index + "-1)");
    EXPECT_EQ(ErrorText([&] { list.Get(2); }), index + "2)");
    EXPECT_EQ(ErrorText([&] { list.Delete(2); }), index + "2)");
    EXPECT_EQ(ErrorText([&] { list.Exchange(0, 5); }), index + "5)");
    list.Duplicates = dupError;
    EXPECT_EQ(ErrorText([&] { list.Insert(&items[0], 1); }), ListDuplicatesText);
    list.Duplicates = dupIgnore;
    list.Insert(&items[0], 1);
    EXPECT_EQ(Values(list), (std::vector<int>{2, 1}));
    EXPECT_FALSE(list.GetFlag(flagModified));

    list.Insert(&items[2], 1);
    EXPECT_EQ(Values(list), (std::vector<int>{2, 3, 1}));
}

// Exchange sets flagModified without a change event.
TEST(ListsTest, ExchangeThenTurningSortedOnOrdersTheItemsAndRefusesPositionalChanges)
{
    std::vector<int> items{3, 1, 2};
    TIntList list;
    Fill(list, items, false);
    list.SetFlags(flagModified, false);
    int changes = 0;
    list.OnChange = [&changes](TListCustom<int>&) { ++changes; };
    list.Exchange(0, 2);
    EXPECT_EQ(Values(list), (std::vector<int>{2, 1, 3}));
    EXPECT_TRUE(list.GetFlag(flagModified));
    EXPECT_EQ(changes, 0);

    list.SetFlags(flagSorted, true);
    EXPECT_EQ(Values(list), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(ErrorText([&] { list.Insert(&items[0], 0); }), ListSortedText);
    EXPECT_EQ(ErrorText([&] { list.Exchange(0, 1); }), ListSortedText);
    EXPECT_EQ(ErrorText([&] { list.Sort(0); }), ListSortedText);
    EXPECT_EQ(Values(list), (std::vector<int>{1, 2, 3}));
}

TEST(ListsTest, SortOrdersByCompareWithTheGivenMode)
{
    std::mt19937 random(20240611);
    for (int size : {1, 2, 3, 10, 101}) {
        std::vector<int> items(static_cast<std::size_t>(size));
        for (int& item : items)
            item = static_cast<int>(random() % 20); // many equal values
        TModeList list;
        list.Duplicates = dupAccept;
        for (int& item : items)
            list.Add(&item);

        list.Sort(0);
        std::vector<int> expected = items;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(Values(list), expected) << size << " items";

        list.Sort(1);
        std::reverse(expected.begin(), expected.end());
        EXPECT_EQ(Values(list), expected) << size << " items, descending";
    }
}

TEST(ListsTest, WithoutOnCompareItemsOrderByAddress)
{
    std::array<int, 3> items{3, 2, 1};
    TIntList list;
    list.SetFlags(flagSorted, true);
    for (int index : {2, 0, 1})
        list.Add(&items[static_cast<std::size_t>(index)]);
    EXPECT_EQ(list.Get(0), &items[0]);
    EXPECT_EQ(list.Get(2), &items[2]);
}

TEST(ListsTest, StorageIsFreedWithTheLastItemAndRecreated)
{
    int item = 1;
    TIntList list;
    EXPECT_EQ(list.Capacity(), 0);
    list.Add(&item);
    list.Delete(0);
    EXPECT_EQ(list.Capacity(), 0);
    list.Add(&item);
    EXPECT_GE(list.Capacity(), 1);
    list.SetCapacity(40);
    EXPECT_GE(list.Capacity(), 40);
}

TEST(ListsTest, ModifiedHandlersHearEachChangeOfTheBitOnly)
{
    std::array<int, 3> items{1, 2, 3};
    TIntList list;
    int notified = 0;
    list.RegisterHandler(flagModified, [&notified](TFlagObjectCustum&) { ++notified; });

    for (int& item : items)
        list.Add(&item);
    list.Delete(1);
    EXPECT_EQ(notified, 1);

    list.Clear();
    EXPECT_EQ(notified, 2);
    EXPECT_FALSE(list.GetFlag(flagModified));
    list.Clear();
    EXPECT_EQ(notified, 2);

    // An empty list that is marked modified is still cleaned by Clear.
    list.SetFlags(flagModified, true);
    list.Clear();
    EXPECT_EQ(notified, 4);
}

TEST(ListsTest, ClearDeletesFromTheLastItemThroughTheOverriddenDelete)
{
    TOwningList list;
    for (int value : {1, 2, 3})
        list.Add(new int(value));
    list.Clear();
    EXPECT_EQ(list.Deleted, (std::vector<int>{3, 2, 1}));
    EXPECT_FALSE(list.GetFlag(flagModified));
}

} // namespace
