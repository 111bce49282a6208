#include <gtest/gtest.h>

#include "plot/iPlotLegendLayout.h"

namespace {

TiLegendMetrics VerticalWithRoomForRows(int rows, int items) {
    TiLegendMetrics m;
    m.Horizontal = false;
    m.ItemCount = items;
    m.ItemWidth = 80;
    m.RowHeight = 13;
    m.RowSpacing = 3;
    m.WrapSpacing = 26;
    m.AreaWidth = 100;
    m.AreaHeight = rows * 16 - 3;  // exactly `rows` rows with spacing between
    return m;
}

}  // namespace

TEST(LegendLayout, TwelveChannelsInFourRowsPageOneByOne) {
    const TiLegendMetrics m = VerticalWithRoomForRows(4, 12);
    const TiLegendGrid grid = LegendWrapGrid(m, TiLegendWrapRules{});
    EXPECT_EQ(grid.Columns, 1);
    EXPECT_EQ(grid.Rows, 4);
    EXPECT_TRUE(LegendNeedsScrolling(grid, 12));

    for (int first = 0; first <= 8; ++first) {
        const TiLegendPlacement p = PlaceLegendItems(first, 12, grid, 5, 7, 80, 26, 13, 3);
        ASSERT_EQ(p.Places.size(), 4u);
        EXPECT_EQ(p.LastShown, first + 3);
        EXPECT_EQ(p.Places[3].Top, 7 + 3 * 16);
        EXPECT_EQ(p.Places[3].Row, 4);
    }
    // the down button is disabled exactly when item 11 is shown
    EXPECT_EQ(PlaceLegendItems(8, 12, grid, 0, 0, 80, 26, 13, 3).LastShown, 11);
    EXPECT_EQ(ClampLegendFirstShown(20, 12), 11);
    EXPECT_EQ(ClampLegendFirstShown(-1, 12), 0);
}

TEST(LegendLayout, ItemsWrapIntoFurtherColumns) {
    TiLegendMetrics m = VerticalWithRoomForRows(4, 10);
    m.AreaWidth = 500;
    TiLegendWrapRules rules;
    rules.ColAutoCountEnabled = true;
    const TiLegendGrid grid = LegendWrapGrid(m, rules);
    EXPECT_EQ(grid.Columns, 3);
    EXPECT_EQ(grid.Rows, 4);
    EXPECT_FALSE(LegendNeedsScrolling(grid, 10));
    const TiLegendPlacement p = PlaceLegendItems(0, 10, grid, 5, 0, 80, 26, 13, 3);
    ASSERT_EQ(p.Places.size(), 10u);
    EXPECT_EQ(p.Places[4].Column, 2);
    EXPECT_EQ(p.Places[4].Row, 1);
    EXPECT_EQ(p.Places[4].Left, 5 + 106);
    EXPECT_EQ(p.Places[9].Column, 3);
    EXPECT_EQ(p.Places[9].Left, 5 + 2 * 106);
}

TEST(LegendLayout, ShortLegendsThatScrollGetThreeRows) {
    TiLegendMetrics m = VerticalWithRoomForRows(1, 6);
    EXPECT_EQ(LegendWrapGrid(m, TiLegendWrapRules{}).Rows, 3);

    m.Horizontal = true;
    m.AreaWidth = 80 + 25;  // one column beside the scroll buttons
    TiLegendWrapRules rules;
    rules.RowAutoCountEnabled = false;
    rules.RowDesiredCount = 1;
    const TiLegendGrid grid = LegendWrapGrid(m, rules);
    EXPECT_EQ(grid.Columns, 1);
    EXPECT_EQ(grid.Rows, 3);
}

TEST(LegendLayout, HorizontalLegendFillsColumnsBeforeRows) {
    TiLegendMetrics m;
    m.Horizontal = true;
    m.ItemCount = 5;
    m.ItemWidth = 60;
    m.RowHeight = 13;
    m.WrapSpacing = 20;
    m.AreaWidth = 25 + 3 * 80 - 20;  // three columns
    m.AreaHeight = 100;
    TiLegendWrapRules rules;
    rules.ColDesiredCount = 10;
    const TiLegendGrid grid = LegendWrapGrid(m, rules);
    EXPECT_EQ(grid.Columns, 3);
    EXPECT_EQ(grid.Rows, 2);

    m.ItemCount = 7;
    rules.RowAutoCountMax = 2;
    EXPECT_EQ(LegendWrapGrid(m, rules).Rows, 3)
        << "a legend that scrolls never has fewer than 3 rows";
}

TEST(LegendLayout, EmptyLegendHasNoShownItems) {
    const TiLegendMetrics m = VerticalWithRoomForRows(4, 0);
    TiLegendWrapRules rules;
    rules.ColAutoCountEnabled = true;
    const TiLegendGrid grid = LegendWrapGrid(m, rules);
    EXPECT_GE(grid.Columns, 1);
    EXPECT_EQ(grid.Rows, 0);
    const TiLegendPlacement p = PlaceLegendItems(3, 0, grid, 0, 0, 10, 0, 10, 0);
    EXPECT_TRUE(p.Places.empty());
    EXPECT_EQ(p.FirstShown, 0);
}

TEST(LegendLayout, SpreadingDividesTheLeftoverSpace) {
    EXPECT_EQ(SpreadLegendColumnGap(25 + 3 * 60 + 2 * 41, 3, 60), 41);
    EXPECT_EQ(SpreadLegendColumnGap(300, 1, 60), 0);
    EXPECT_EQ(SpreadLegendRowSpacing(100, 4, 13), 16);  // (100 - 52) / 3
    EXPECT_EQ(SpreadLegendRowSpacing(100, 1, 13), 0);
}
