#include "settings/RegFunc.h"

#include "TestSupport.h"

#include <QColor>
#include <QFont>
#include <QHeaderView>
#include <QTreeWidget>
#include <QWidget>

namespace {

class RegFuncWidgetsTest : public testing::Test {
protected:
    TTemporaryHome Home;
    TApplicationReg Registry{QStringLiteral("Vemora")};

    void Open(const QString& key, bool write = true)
    {
        ASSERT_TRUE(Registry.OpenAppKey(AppRootCurrentUser, key, write));
    }

    void WritePlacement(int left, int top, int right, int bottom, int state)
    {
        for (const auto& [name, value] :
             {std::pair{"Left", left}, {"Top", top}, {"Right", right}, {"Bottom", bottom}, {"State", state}})
            Registry.WriteInteger(name, value);
    }
};

TEST_F(RegFuncWidgetsTest, AFontReadsBackAsWrittenAndAbsentPartsStayAsTheyAre)
{
    QFont written("DejaVu Serif", 13);
    written.setBold(true);
    written.setStrikeOut(true);
    const QColor color(10, 20, 30);
    Open("FormMain\\Font");
    ASSERT_TRUE(Registry.WriteFont(&written, &color));
    EXPECT_EQ(Registry.ReadInteger("Color"), 10 | (20 << 8) | (30 << 16));
    EXPECT_LT(Registry.ReadInteger("Height"), 0);

    QFont read("DejaVu Sans", 8);
    read.setItalic(true);
    QColor readColor;
    Open("FormMain\\Font", false);
    ASSERT_TRUE(Registry.ReadFont(&read, &readColor));
    EXPECT_EQ(read.family(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(read.pointSize(), 13);
    EXPECT_EQ(std::tuple(read.bold(), read.italic(), read.strikeOut(), read.underline()),
              std::tuple(true, false, true, false));
    EXPECT_EQ(readColor, color);
    EXPECT_FALSE(Registry.ReadFont(nullptr));
    EXPECT_FALSE(Registry.WriteFont(nullptr));

    Open("Partial");
    Registry.WriteBool("Bold", false);
    Registry.WriteString("Size", "not a number");
    QFont partial("DejaVu Sans", 11);
    partial.setBold(true);
    partial.setUnderline(true);
    ASSERT_TRUE(Registry.ReadFont(&partial));
    EXPECT_EQ(std::tuple(partial.bold(), partial.underline(), partial.pointSize()), std::tuple(false, true, 11));
    EXPECT_EQ(partial.family(), QStringLiteral("DejaVu Sans"));
}

TEST_F(RegFuncWidgetsTest, AWindowReturnsToItsPlaceAndState)
{
    for (const bool maximised : {false, true}) {
        QWidget saved;
        saved.setGeometry(110, 120, 400, 300);
        if (maximised)
            saved.showMaximized();
        Open("FormMain");
        ASSERT_TRUE(Registry.SavePlacement(&saved));
        EXPECT_EQ(Registry.ReadInteger("State"), maximised ? 2 : 0);
        EXPECT_EQ(Registry.ReadInteger("Right"), 510);
        EXPECT_EQ(Registry.ReadInteger("Bottom"), 420);

        QWidget restored;
        restored.setGeometry(0, 0, 200, 100);
        ASSERT_TRUE(Registry.RestorePlacement(&restored));
        EXPECT_FALSE(restored.isVisible());
        EXPECT_EQ(restored.isMaximized(), maximised);
        EXPECT_EQ(restored.normalGeometry(), QRect(110, 120, 400, 300)) << maximised;
    }
}

// A newer design size of a fixed window wins over a rectangle stored by an older one.
TEST_F(RegFuncWidgetsTest, APlacementIsAppliedOnlyWhenCompleteAndOfAFixedWindowsOwnSize)
{
    Open("FormStartup");
    WritePlacement(10, 10, 465, 181, 0);
    Registry.DeleteValue("Bottom");
    QWidget fixed;
    fixed.setFixedSize(455, 171);
    fixed.move(5, 5);
    EXPECT_TRUE(Registry.RestorePlacement(&fixed));
    EXPECT_EQ(fixed.geometry(), QRect(5, 5, 455, 171));
    EXPECT_FALSE(Registry.RestorePlacement(nullptr));

    WritePlacement(10, 10, 465, 181, 0);
    ASSERT_TRUE(Registry.RestorePlacement(&fixed));
    EXPECT_EQ(fixed.geometry(), QRect(10, 10, 455, 171));

    WritePlacement(20, 20, 420, 320, 2);
    fixed.move(5, 5);
    ASSERT_TRUE(Registry.RestorePlacement(&fixed));
    EXPECT_EQ(fixed.geometry(), QRect(5, 5, 455, 171));
    EXPECT_FALSE(fixed.windowState() & Qt::WindowMaximized);
}

std::unique_ptr<QTreeWidget> MakeList()
{
    auto list = std::make_unique<QTreeWidget>();
    list->setHeaderLabels({"A", "B", "C", "D"});
    list->header()->setStretchLastSection(false);
    for (int i = 0; i < 4; ++i)
        list->header()->resizeSection(i, 50);
    return list;
}

TEST_F(RegFuncWidgetsTest, ListWidthsOrderAndFontReadBack)
{
    auto saved = MakeList();
    saved->header()->resizeSection(0, 120);
    saved->header()->resizeSection(3, 33);
    saved->header()->moveSection(3, 0); // shown: D A B C
    saved->setFont(QFont("DejaVu Sans Mono", 15));
    Open("ListViewEx1");
    Registry.SaveListViewState(saved->header(), true);

    auto restored = MakeList();
    Open("ListViewEx1", false);
    Registry.LoadListViewState(restored->header());
    EXPECT_EQ(restored->header()->sectionSize(0), 120);
    EXPECT_EQ(restored->header()->sectionSize(3), 33);
    for (int position = 0; position < 4; ++position)
        EXPECT_EQ(restored->header()->logicalIndex(position), saved->header()->logicalIndex(position));
    EXPECT_EQ(restored->font().family(), QStringLiteral("DejaVu Sans Mono"));
    EXPECT_EQ(restored->font().pointSize(), 15);
}

TEST_F(RegFuncWidgetsTest, ADamagedListOrderOrWidthIsSkipped)
{
    Open("ListViewEx1");
    Registry.WriteString("Columnwidth0", "wide");
    Registry.WriteInteger("Columnwidth1", 77);
    auto list = MakeList();
    // Every position showing column 0 is no order; twelve bytes are too few for four columns.
    for (const int size : {16, 12}) {
        Registry.WriteBinaryData("Columnorder", QByteArray(size, '\0'));
        Registry.LoadListViewState(list->header());
        EXPECT_EQ(list->header()->sectionSize(0), 50);
        EXPECT_EQ(list->header()->sectionSize(1), 77);
        for (int position = 0; position < 4; ++position)
            EXPECT_EQ(list->header()->logicalIndex(position), position) << size;
    }
}

} // namespace
