#include "model/Categories.h"
#include "support/Lists.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>
#include <vector>

namespace {

TCategories Table(const TCategoryStrings& strings)
{
    TCategories categories;
    for (const auto& [name, id] : strings)
        categories.AddCategory(name, id);
    return categories;
}

std::vector<int> IdsFrom(int first, int last)
{
    std::vector<int> ids;
    for (int id = first; id <= last; ++id)
        ids.push_back(id);
    return ids;
}

TEST(CategoriesTest, NextFreeIdIsTheSmallestUnusedOne)
{
    const std::pair<std::vector<int>, std::optional<quint8>> cases[] = {
        {{}, 1}, {{1, 2, 4}, 3}, {{3, 2}, 1}, {IdsFrom(1, 254), 255}, {IdsFrom(1, 255), std::nullopt}};
    for (const auto& [ids, expected] : cases) {
        SCOPED_TRACE(testing::Message() << ids.size() << " ids");
        TCategories categories;
        for (int id : ids)
            categories.AddCategory(QString::number(id), static_cast<quint8>(id));
        EXPECT_EQ(categories.NextFreeId(), expected);
    }
}

TEST(CategoriesTest, FindNameComparesTrimmedNamesIgnoringCase)
{
    const TCategories categories = Table({{QStringLiteral("Beruf"), 1},
                                          {QStringLiteral(" \u00C4rzte\t"), 2},
                                          {QStringLiteral("beruf"), 3}});
    const std::pair<const char*, int> cases[] = {
        {" \t\n\v\f\rbeRUF \r\n", 0}, // surrounding white space and letter case
        {"\u00E4RZTE", 1},            // the stored name is trimmed too
        {"Be ruf", -1},               // inner space counts
        {"Beruf\u00A0", -1},          // a no-break space is not trimmed
        {"Beru", -1},
        {"  ", -1},
    };
    for (const auto& [wanted, expectedIndex] : cases) {
        SCOPED_TRACE(wanted);
        int index = 99;
        EXPECT_EQ(categories.FindName(QString::fromUtf8(wanted), index), expectedIndex >= 0);
        EXPECT_EQ(index, expectedIndex);
    }
}

// Items are looked up by id, so the order does not count, the names and ids do.
TEST(CategoriesTest, EqualsStringsLooksItemsUpById)
{
    const TCategories categories = Table({{QStringLiteral("Beruf"), 1}, {QStringLiteral("Privat"), 2}});
    const std::tuple<const char*, TCategoryStrings, bool> cases[] = {
        {"same_order", {{"Beruf", 1}, {"Privat", 2}}, true},
        {"other_order", {{"Privat", 2}, {"Beruf", 1}}, true},
        {"letter_case_changed", {{"Beruf", 1}, {"privat", 2}}, false},
        {"names_traded_ids", {{"Privat", 1}, {"Beruf", 2}}, false},
        {"id_missing", {{"Beruf", 1}, {"Privat", 3}}, false},
        {"item_added", {{"Beruf", 1}, {"Privat", 2}, {"Urlaub", 3}}, false},
        {"item_removed", {{"Beruf", 1}}, false},
    };
    for (const auto& [name, strings, expected] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(categories.EqualsStrings(strings), expected);
    }
}

TEST(CategoriesTest, LookupsByIdAndIndex)
{
    TCategories categories = Table({{QStringLiteral("Beruf"), 4}, {QStringLiteral("Privat"), 9}});
    int index = -1;
    EXPECT_TRUE(categories.FindId(9, index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(categories.FindId(0, index));
    EXPECT_EQ(index, -1);
    EXPECT_EQ(categories.IdAt(0), 4);
    EXPECT_EQ(categories.NameAt(1), QStringLiteral("Privat"));

    QString name = QStringLiteral("unchanged");
    EXPECT_FALSE(categories.NameOfId(5, name));
    EXPECT_EQ(name, QStringLiteral("unchanged"));
    EXPECT_TRUE(categories.NameOfId(4, name));
    EXPECT_EQ(name, QStringLiteral("Beruf"));

    EXPECT_THROW(categories.IdAt(2), EListError);
    EXPECT_THROW(categories.NameAt(-1), EListError);
    EXPECT_THROW(categories.Delete(2), EListError);
    EXPECT_EQ(categories.Count(), 2);
}

TEST(CategoriesTest, DeleteAndAssignKeepTheTableOrder)
{
    TCategories categories = Table({{QStringLiteral("A"), 1}, {QStringLiteral("B"), 2}, {QStringLiteral("C"), 3}});
    categories.Delete(1);
    TCategoryStrings strings{{QStringLiteral("stale"), 200}};
    categories.AssignTo(strings);
    EXPECT_EQ(strings, (TCategoryStrings{{QStringLiteral("A"), 1}, {QStringLiteral("C"), 3}}));

    const TCategoryStrings edited{{QStringLiteral("Urlaub"), 7}, {QStringLiteral("Beruf"), 1}};
    categories.Assign(edited);
    categories.AssignTo(strings);
    EXPECT_EQ(strings, edited);

    TCategories copy = Table({{QStringLiteral("Alt"), 3}});
    copy.Assign(categories);
    EXPECT_TRUE(copy.EqualsStrings(edited));
    copy.Assign(copy);
    EXPECT_EQ(copy.Count(), 2);
}

} // namespace
