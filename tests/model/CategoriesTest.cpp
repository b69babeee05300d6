#include "model/Categories.h"
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

TEST(CategoriesTest, NextFreeIdIsTheSmallestUnusedOne)
{
    const std::pair<int, std::optional<quint8>> cases[] = {{0, 1}, {3, 3}, {254, 255}, {255, std::nullopt}};
    for (const auto& [count, expected] : cases) {
        SCOPED_TRACE(testing::Message() << count << " ids");
        TCategories categories;
        for (int id = 1; id <= count; ++id) // 1, 2, 4 for three
            categories.AddCategory(QString::number(id), static_cast<quint8>(count == 3 && id == 3 ? 4 : id));
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
        {"other_order", {{"Privat", 2}, {"Beruf", 1}}, true},
        {"letter_case_changed", {{"Beruf", 1}, {"privat", 2}}, false},
        {"id_missing", {{"Beruf", 1}, {"Privat", 3}}, false},
        {"item_added", {{"Beruf", 1}, {"Privat", 2}, {"Urlaub", 3}}, false},
    };
    for (const auto& [name, strings, expected] : cases)
        EXPECT_EQ(categories.EqualsStrings(strings), expected) << name;
}

// An unknown id leaves the name alone; Delete and Assign keep the table order.
TEST(CategoriesTest, LookupsDeleteAndAssign)
{
    TCategories categories = Table({{QStringLiteral("Beruf"), 4}, {QStringLiteral("Privat"), 9}});
    QString name = QStringLiteral("unchanged");
    EXPECT_FALSE(categories.NameOfId(5, name));
    EXPECT_EQ(name, QStringLiteral("unchanged"));
    categories.AddCategory(QStringLiteral("C"), 3);
    categories.Delete(1);
    TCategoryStrings strings{{QStringLiteral("stale"), 200}};
    categories.AssignTo(strings);
    EXPECT_EQ(strings, (TCategoryStrings{{QStringLiteral("Beruf"), 4}, {QStringLiteral("C"), 3}}));
    TCategories copy = Table({{QStringLiteral("Alt"), 3}});
    copy.Assign(categories);
    copy.Assign(copy);
    EXPECT_TRUE(copy.EqualsStrings(strings));
    EXPECT_EQ(copy.Count(), 2);
    copy.Assign(TCategoryStrings{{QStringLiteral("Urlaub"), 7}});
    EXPECT_EQ(std::tuple(copy.Count(), copy.IdAt(0)), std::tuple(1, 7));
}

} // namespace
