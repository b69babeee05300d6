#include "model/Categories.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

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
