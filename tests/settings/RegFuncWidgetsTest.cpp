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
};

TEST_F(RegFuncWidgetsTest, AFontReadsBackAsWritten)
{
    QFont written(QStringLiteral("DejaVu Serif"), 13);
    written.setBold(true);
    written.setStrikeOut(true);
    const QColor color(10, 20, 30);
    Open(QStringLiteral("FormMain\\Font"));
    ASSERT_TRUE(Registry.WriteFont(&written, &color));
    EXPECT_EQ(Registry.ReadInteger(QStringLiteral("Color")), 10 | (20 << 8) | (30 << 16));
    EXPECT_LT(Registry.ReadInteger(QStringLiteral("Height")), 0);

    QFont read(QStringLiteral("DejaVu Sans"), 8);
    read.setItalic(true);
    QColor readColor;
    Open(QStringLiteral("FormMain\\Font"), false);
    ASSERT_TRUE(Registry.ReadFont(&read, &readColor));
    EXPECT_EQ(read.family(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(read.pointSize(), 13);
    EXPECT_TRUE(read.bold());
    EXPECT_FALSE(read.italic());
    EXPECT_TRUE(read.strikeOut());
    EXPECT_FALSE(read.underline());
    EXPECT_EQ(readColor, color);
    EXPECT_FALSE(Registry.ReadFont(nullptr));
    EXPECT_FALSE(Registry.WriteFont(nullptr));
}

TEST_F(RegFuncWidgetsTest, AbsentFontValuesLeaveTheFontAsItIs)
{
    Open(QStringLiteral("Partial"));
    Registry.WriteBool(QStringLiteral("Bold"), false);
    Registry.WriteString(QStringLiteral("Size"), QStringLiteral("not a number"));
    QFont font(QStringLiteral("DejaVu Sans"), 11);
    font.setBold(true);
    font.setUnderline(true);
    ASSERT_TRUE(Registry.ReadFont(&font));
    EXPECT_FALSE(font.bold());
    EXPECT_TRUE(font.underline());
    EXPECT_EQ(font.pointSize(), 11);
    EXPECT_EQ(font.family(), QStringLiteral("DejaVu Sans"));
}

TEST_F(RegFuncWidgetsTest, ANormalWindowReturnsToItsPlace)
{
    QWidget saved;
    saved.setGeometry(110, 120, 400, 300);
    Open(QStringLiteral("FormMain"));
    ASSERT_TRUE(Registry.SavePlacement(&saved));
    EXPECT_EQ(Registry.ReadInteger(QStringLiteral("State")), 0);
    EXPECT_EQ(Registry.ReadInteger(QStringLiteral("Right")), 510);
    EXPECT_EQ(Registry.ReadInteger(QStringLiteral("Bottom")), 420);

    QWidget restored;
    restored.setGeometry(0, 0, 200, 100);
    ASSERT_TRUE(Registry.RestorePlacement(&restored));
    EXPECT_EQ(restored.geometry(), QRect(110, 120, 400, 300));
    EXPECT_FALSE(restored.isVisible());
}

TEST_F(RegFuncWidgetsTest, AMaximisedWindowReopensMaximisedWithItsNormalRectangle)
{
    QWidget saved;
    saved.setGeometry(50, 60, 300, 200);
    saved.showMaximized();
    Open(QStringLiteral("FormMain"));
    ASSERT_TRUE(Registry.SavePlacement(&saved));
    EXPECT_EQ(Registry.ReadInteger(QStringLiteral("State")), 2);

    QWidget restored;
    ASSERT_TRUE(Registry.RestorePlacement(&restored));
    EXPECT_TRUE(restored.windowState() & Qt::WindowMaximized);
    restored.show();
    restored.showNormal();
    EXPECT_EQ(restored.geometry().size(), QSize(300, 200));
}

TEST_F(RegFuncWidgetsTest, AFixedSizeWindowKeepsItsSize)
{
    Open(QStringLiteral("FormStartup"));
    for (const auto& [name, value] : {std::pair{"Left", 10}, {"Top", 10}, {"Right", 410}, {"Bottom", 310}, {"State", 2}})
        Registry.WriteInteger(QString::fromLatin1(name), value);
    QWidget fixed;
    fixed.setFixedSize(455, 171);
    fixed.move(5, 5);
    ASSERT_TRUE(Registry.RestorePlacement(&fixed));
    EXPECT_EQ(fixed.geometry(), QRect(5, 5, 455, 171));
    EXPECT_FALSE(fixed.windowState() & Qt::WindowMaximized);
}

TEST_F(RegFuncWidgetsTest, AnIncompletePlacementIsNotApplied)
{
    Open(QStringLiteral("FormMain"));
    Registry.WriteInteger(QStringLiteral("Left"), 10);
    Registry.WriteInteger(QStringLiteral("Top"), 10);
    Registry.WriteInteger(QStringLiteral("Right"), 400);
    QWidget widget;
    widget.setGeometry(1, 2, 30, 40);
    EXPECT_TRUE(Registry.RestorePlacement(&widget));
    EXPECT_EQ(widget.geometry(), QRect(1, 2, 30, 40));
    EXPECT_FALSE(Registry.RestorePlacement(nullptr));
}

class ListViewStateTest : public RegFuncWidgetsTest {
protected:
    static std::unique_ptr<QTreeWidget> MakeList()
    {
        auto list = std::make_unique<QTreeWidget>();
        list->setHeaderLabels({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")});
        list->header()->setStretchLastSection(false);
        for (int i = 0; i < 4; ++i)
            list->header()->resizeSection(i, 50);
        return list;
    }
};

TEST_F(ListViewStateTest, WidthsOrderAndFontReadBack)
{
    auto saved = MakeList();
    saved->header()->resizeSection(0, 120);
    saved->header()->resizeSection(3, 33);
    saved->header()->moveSection(3, 0); // shown: D A B C
    saved->setFont(QFont(QStringLiteral("DejaVu Sans Mono"), 15));
    Open(QStringLiteral("ListViewEx1"));
    Registry.SaveListViewState(saved->header(), true);
    EXPECT_EQ(Registry.CurrentPath(), QStringLiteral("\\Software\\Orvalin\\Vemora\\2\\1\\ListViewEx1"));

    auto restored = MakeList();
    Open(QStringLiteral("ListViewEx1"), false);
    Registry.LoadListViewState(restored->header());
    EXPECT_EQ(restored->header()->sectionSize(0), 120);
    EXPECT_EQ(restored->header()->sectionSize(3), 33);
    for (int position = 0; position < 4; ++position)
        EXPECT_EQ(restored->header()->logicalIndex(position), saved->header()->logicalIndex(position));
    EXPECT_EQ(restored->font().family(), QStringLiteral("DejaVu Sans Mono"));
    EXPECT_EQ(restored->font().pointSize(), 15);
}

TEST_F(ListViewStateTest, ADamagedOrderOrWidthIsSkipped)
{
    Open(QStringLiteral("ListViewEx1"));
    Registry.WriteString(QStringLiteral("Columnwidth0"), QStringLiteral("wide"));
    Registry.WriteInteger(QStringLiteral("Columnwidth1"), 77);
    QByteArray notAPermutation(16, '\0'); // every position shows column 0
    Registry.WriteBinaryData(QStringLiteral("Columnorder"), notAPermutation);

    auto list = MakeList();
    Registry.LoadListViewState(list->header());
    EXPECT_EQ(list->header()->sectionSize(0), 50);
    EXPECT_EQ(list->header()->sectionSize(1), 77);
    for (int position = 0; position < 4; ++position)
        EXPECT_EQ(list->header()->logicalIndex(position), position);

    Registry.WriteBinaryData(QStringLiteral("Columnorder"), QByteArray(12, '\0')); // too short
    Registry.LoadListViewState(list->header());
    EXPECT_EQ(list->header()->logicalIndex(0), 0);
}

} // namespace
