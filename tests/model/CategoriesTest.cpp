#include "model/Categories.h"
#include "support/Lists.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <vector>

namespace {

TCategories Table(const TCategoryStrings& strings)
{
    TCategories categories;
    for (const auto& [name, id] : strings)
        categories.AddCategory(name, id);
    return categories;
}

struct TNextFreeIdCase {
    const char* Name;
    friend void PrintTo(const TNextFreeIdCase& row, std::ostream* out) { *out << row.Name; }
    std::vector<int> Ids;
    std::optional<quint8> Expected;
};

std::vector<int> IdsFrom(int first, int last)
{
    std::vector<int> ids;
    for (int id = first; id <= last; ++id)
        ids.push_back(id);
    return ids;
}

class CategoriesNextFreeIdTest : public testing::TestWithParam<TNextFreeIdCase> {};

TEST_P(CategoriesNextFreeIdTest, FindsTheSmallestUnusedId)
{
    TCategories categories;
    for (int id : GetParam().Ids)
        categories.AddCategory(QString::number(id), static_cast<quint8>(id));
    EXPECT_EQ(categories.NextFreeId(), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, CategoriesNextFreeIdTest,
    testing::Values(TNextFreeIdCase{"EmptyTable", {}, 1},
                    TNextFreeIdCase{"GapBetween", {1, 2, 4}, 3},
                    TNextFreeIdCase{"GapAtStartInAnyOrder", {3, 2}, 1},
                    TNextFreeIdCase{"OnlyTheLastFree", IdsFrom(1, 254), 255},
                    TNextFreeIdCase{"Full", IdsFrom(1, 255), std::nullopt}),
    [](const testing::TestParamInfo<TNextFreeIdCase>& info) { return info.param.Name; });

struct TFindNameCase {
    const char* Name;
    friend void PrintTo(const TFindNameCase& row, std::ostream* out) { *out << row.Name; }
    const char* Wanted;
    int ExpectedIndex;
};

class CategoriesFindNameTest : public testing::TestWithParam<TFindNameCase> {};

TEST_P(CategoriesFindNameTest, ComparesTrimmedNamesIgnoringCase)
{
    const TCategories categories = Table({{QStringLiteral("Beruf"), 1},
                                          {QStringLiteral(" \u00C4rzte\t"), 2},
                                          {QStringLiteral("beruf"), 3}});
    int index = 99;
    EXPECT_EQ(categories.FindName(QString::fromUtf8(GetParam().Wanted), index), GetParam().ExpectedIndex >= 0);
    EXPECT_EQ(index, GetParam().ExpectedIndex);
}

INSTANTIATE_TEST_SUITE_P(
    Names, CategoriesFindNameTest,
    testing::Values(TFindNameCase{"SurroundingWhiteSpaceAndCase", " \t\n\v\f\rbeRUF \r\n", 0},
                    TFindNameCase{"StoredNameTrimmedToo", "\u00E4RZTE", 1},
                    TFindNameCase{"InnerSpaceCounts", "Be ruf", -1},
                    TFindNameCase{"NoBreakSpaceIsNotTrimmed", "Beruf\u00A0", -1},
                    TFindNameCase{"PrefixIsNoMatch", "Beru", -1},
                    TFindNameCase{"EmptyName", "  ", -1}),
    [](const testing::TestParamInfo<TFindNameCase>& info) { return info.param.Name; });

struct TEqualsCase {
    const char* Name;
    friend void PrintTo(const TEqualsCase& row, std::ostream* out) { *out << row.Name; }
    TCategoryStrings Strings;
    bool Expected;
};

class CategoriesEqualsStringsTest : public testing::TestWithParam<TEqualsCase> {};

// The table holds Beruf (1), Privat (2).
TEST_P(CategoriesEqualsStringsTest, LooksItemsUpById)
{
    const TCategories categories = Table({{QStringLiteral("Beruf"), 1}, {QStringLiteral("Privat"), 2}});
    EXPECT_EQ(categories.EqualsStrings(GetParam().Strings), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Strings, CategoriesEqualsStringsTest,
    testing::Values(
        TEqualsCase{"SameOrder", {{"Beruf", 1}, {"Privat", 2}}, true},
        TEqualsCase{"OtherOrder", {{"Privat", 2}, {"Beruf", 1}}, true},
        TEqualsCase{"LetterCaseChanged", {{"Beruf", 1}, {"privat", 2}}, false},
        TEqualsCase{"NamesTradedIds", {{"Privat", 1}, {"Beruf", 2}}, false},
        TEqualsCase{"IdMissing", {{"Beruf", 1}, {"Privat", 3}}, false},
        TEqualsCase{"ItemAdded", {{"Beruf", 1}, {"Privat", 2}, {"Urlaub", 3}}, false},
        TEqualsCase{"ItemRemoved", {{"Beruf", 1}}, false}),
    [](const testing::TestParamInfo<TEqualsCase>& info) { return info.param.Name; });

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
}

TEST(CategoriesTest, BadIndexRaisesTheListError)
{
    TCategories categories = Table({{QStringLiteral("Beruf"), 1}});
    EXPECT_THROW(categories.IdAt(1), EListError);
    EXPECT_THROW(categories.NameAt(-1), EListError);
    EXPECT_THROW(categories.Delete(1), EListError);
    EXPECT_EQ(categories.Count(), 1);
}

TEST(CategoriesTest, DeleteKeepsTheOrderOfTheRest)
{
    TCategories categories =
        Table({{QStringLiteral("A"), 1}, {QStringLiteral("B"), 2}, {QStringLiteral("C"), 3}});
    categories.Delete(1);
    TCategoryStrings strings;
    categories.AssignTo(strings);
    EXPECT_EQ(strings, (TCategoryStrings{{QStringLiteral("A"), 1}, {QStringLiteral("C"), 3}}));
}

TEST(CategoriesTest, AssignReplacesTheContentInTableOrder)
{
    const TCategoryStrings edited{{QStringLiteral("Urlaub"), 7}, {QStringLiteral("Beruf"), 1}};
    TCategories categories = Table({{QStringLiteral("Alt"), 3}});

    categories.Assign(edited);
    TCategoryStrings strings{{QStringLiteral("stale"), 200}};
    categories.AssignTo(strings);
    EXPECT_EQ(strings, edited);

    TCategories copy = Table({{QStringLiteral("Alt"), 3}});
    copy.Assign(categories);
    EXPECT_TRUE(copy.EqualsStrings(edited));
    copy.Assign(copy);
    EXPECT_EQ(copy.Count(), 2);
}

} // namespace
