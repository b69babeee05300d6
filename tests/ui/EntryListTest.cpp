#include "model/EntryTypes.h"
#include "model/ModelTestSupport.h"
#include "model/VemoraEntries.h"
#include "ui/EntryListModel.h"

#include "TestSupport.h"


#include <optional>

namespace {

struct TCompareCase {
    const char* Name;
    int Key;
    std::function<void(TVemoraEntryBasic&, TEntryListRow&, TVemoraEntryBasic&, TEntryListRow&)> Set;
    int Expected; // sign of compare(first, second)
};

TEST(EntryListCompareTest, EachColumnOrdersAsItsValues)
{
    const std::vector<TCompareCase> cases = {
        {"inactive before active", 0, [](auto& a, auto&, auto&, auto&) { a.SetActive(false); }, -1},
        {"earlier start first", 1, [](auto& a, auto&, auto& b, auto&) { a.SetDateStart(10); b.SetDateStart(11); }, -1},
        {"text ignores letter case", 2, [](auto& a, auto&, auto& b, auto&) { a.SetDisplayText(QStringLiteral("abc")); b.SetDisplayText(QStringLiteral("ABC")); }, 0},
        {"text in alphabetical order", 2, [](auto& a, auto&, auto& b, auto&) { a.SetDisplayText(QStringLiteral("banana")); b.SetDisplayText(QStringLiteral("Apple")); }, 1},
        {"no last date before one", 3, [](auto&, auto& r, auto&, auto& s) { r.Last.reset(); s.Last = 5; }, -1},
        {"no next date before one", 4, [](auto&, auto& r, auto&, auto& s) { r.Next.reset(); s.Next = 5; }, -1},
        {"warning as an unsigned byte", 5, [](auto& a, auto&, auto& b, auto&) { a.SetAdvanceWarn(200); b.SetAdvanceWarn(3); }, 1},
        {"repetition signed", 9, [](auto& a, auto&, auto& b, auto&) { a.SetRepetition(-1); b.SetRepetition(2); }, -1},
        {"no stop day before one", 10, [](auto&, auto&, auto& b, auto&) { b.SetDateStop(500); }, -1},
        {"two stop days by day", 10, [](auto& a, auto&, auto& b, auto&) { a.SetDateStop(700); b.SetDateStop(500); }, 1},
        {"no limit before a count", 11, [](auto& a, auto&, auto&, auto&) { a.SetMaxCount(3); }, 1},
        {"two counts by number", 11, [](auto& a, auto&, auto& b, auto&) { a.SetMaxCount(3); b.SetMaxCount(4); }, -1},
    };
    for (const TCompareCase& test : cases) {
        auto first = MakeEntry<TVemoraEntryOnce>("2026-01-01");
        auto second = MakeEntry<TVemoraEntryOnce>("2026-01-01");
        TEntryListRow row1{first.get(), 1, 2};
        TEntryListRow row2{second.get(), 1, 2};
        test.Set(*first, row1, *second, row2);
        EXPECT_EQ(ListViewEx1Compare(row1, row2, test.Key), test.Expected) << test.Name;
        EXPECT_EQ(ListViewEx1Compare(row2, row1, test.Key), -test.Expected) << test.Name << ", reversed";
    }
}

class EntryListModelTest : public testing::Test {
protected:
    TVemoraEntries Entries;
    TEntryListModel Model;

    // Adds a one-off entry and its row.
    TVemoraEntryBasic* Add(const char* start, const QString& text)
    {
        auto entry = MakeEntry<TVemoraEntryOnce>(start);
        entry->SetDisplayText(text);
        TVemoraEntryBasic* added = entry.get();
        Entries.AddEntry(std::move(entry));
        Model.AddListItem(added);
        return added;
    }

    QStringList Texts() const
    {
        QStringList texts;
        for (int row = 0; row < Model.rowCount(); ++row)
            texts.append(Model.EntryAt(row)->DisplayText());
        return texts;
    }
};

TEST_F(EntryListModelTest, SortsStablyBothWaysAndKeepsTheSelectionOnItsEntry)
{
    for (const char* text : {"éclair", "Zebra", "apple", "Éclair", "banana"})
        Add("2026-01-01", QString::fromUtf8(text));
    Model.Sort(2, true);
    EXPECT_EQ(Texts(), QStringList({"apple", "banana", "éclair", "Éclair", "Zebra"})) << "equal texts keep their order";
    const QPersistentModelIndex zebra = Model.index(4, 3);
    Model.Sort(2, false);
    EXPECT_EQ(Texts(), QStringList({"Zebra", "éclair", "Éclair", "banana", "apple"}));
    EXPECT_EQ(zebra.row(), 0);
    EXPECT_EQ(zebra.column(), 3);
}

TEST_F(EntryListModelTest, AnAddedRowTakesItsSortedPlaceButAToggledOneStays)
{
    Model.Sort(1, true);
    Add("2026-03-01", QStringLiteral("March"));
    Add("2026-01-01", QStringLiteral("January"));
    Add("2026-02-01", QStringLiteral("February"));
    EXPECT_EQ(Texts(), QStringList({"January", "February", "March"}));

    Model.Sort(0, true);
    int toggled = 0;
    QObject::connect(&Model, &TEntryListModel::ActiveToggled, [&toggled] { ++toggled; });
    const QModelIndex last = Model.index(2, 0);
    EXPECT_TRUE(Model.setData(last, Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_FALSE(Model.setData(last, Qt::Unchecked, Qt::CheckStateRole)) << "no change, no report";
    EXPECT_EQ(toggled, 1);
    EXPECT_FALSE(Model.EntryAt(2)->Active()) << "the toggled row stays where it was";
    EXPECT_EQ(Model.data(last, Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Unchecked);
}

} // namespace
