#include <gtest/gtest.h>

#include "plot/iPlotAxesControl.h"
#include "plot/iPlotPercentPixel.h"

TEST(DataViewGeometry, PercentYCountsUpFromTheBottom) {
    EXPECT_DOUBLE_EQ(PixelToPercentAlongY(20, 20, 220), 100.0);
    EXPECT_DOUBLE_EQ(PixelToPercentAlongY(220, 20, 220), 0.0);
    EXPECT_EQ(PercentToPixelAlongY(50, 20, 220), 120);
    EXPECT_EQ(PercentToPixelAlongY(100, 20, 220), 20);
    EXPECT_DOUBLE_EQ(PixelToPercentAlongX(60, 10, 210), 25.0);
    EXPECT_EQ(PercentToPixelAlongX(25, 10, 210), 60);
}

TEST(DataViewGeometry, PixelRoundTripIsExact) {
    for (int x = 7; x <= 431; ++x) {
        EXPECT_EQ(PercentToPixelAlongX(PixelToPercentAlongX(x, 7, 431), 7, 431), x);
    }
    for (int y = 3; y <= 299; ++y) {
        EXPECT_EQ(PercentToPixelAlongY(PixelToPercentAlongY(y, 3, 299), 3, 299), y);
    }
}

TEST(DataViewGeometry, HalfPixelsRoundToEven) {
    // width 5: 10 % is 0.5 px and 30 % is 1.5 px past the left edge
    EXPECT_EQ(PercentToPixelAlongX(10, 0, 5), 0);
    EXPECT_EQ(PercentToPixelAlongX(30, 0, 5), 2);
}

TEST(DataViewGeometry, CollapsedOrWildInputsStayFinite) {
    EXPECT_DOUBLE_EQ(PixelToPercentAlongX(5, 5, 5), 0.0);
    EXPECT_DOUBLE_EQ(PixelToPercentAlongY(5, 5, 5), 0.0);
    EXPECT_EQ(PercentToPixelAlongX(1e30, 0, 100), std::numeric_limits<int>::max());
    EXPECT_EQ(PercentToPixelAlongY(1e30, 0, 100), std::numeric_limits<int>::min());
}

TEST(AxesControl, SingleKindStylesSwapWithShift) {
    TiAxesDragChoice choice;
    EXPECT_TRUE(choice.Follow(ipacsXAxis, false, 10, 10).X);
    EXPECT_FALSE(choice.Follow(ipacsXAxis, false, 10, 10).Y);
    EXPECT_TRUE(choice.Follow(ipacsXAxis, true, 10, 10).Y);
    EXPECT_FALSE(choice.Follow(ipacsYAxis, false, 10, 10).X);
    EXPECT_TRUE(choice.Follow(ipacsYAxis, true, 10, 10).X);
    EXPECT_FALSE(choice.Made());
    const TiAxesToFollow both = WheelAxesToFollow(ipacsBoth, true);
    EXPECT_TRUE(both.X && both.Y);
}

TEST(AxesControl, BothWithShiftCommitsAfterFourPixels) {
    TiAxesDragChoice choice;
    TiAxesToFollow f = choice.Follow(ipacsBoth, true, 3, -3);
    EXPECT_TRUE(f.X && f.Y) << "undecided drags move both kinds";
    f = choice.Follow(ipacsBoth, true, -4, 1);
    EXPECT_TRUE(f.X && !f.Y);
    // once chosen it holds, also after Shift is released and the drag turns
    f = choice.Follow(ipacsBoth, false, 0, 40);
    EXPECT_TRUE(f.X && !f.Y);

    choice.Restart();
    f = choice.Follow(ipacsBoth, true, 9, 4);
    EXPECT_TRUE(!f.X && f.Y) << "a vertical move of 4 wins over a horizontal one";
}

TEST(AxesControl, BothWithoutShiftMovesEverything) {
    TiAxesDragChoice choice;
    const TiAxesToFollow f = choice.Follow(ipacsBoth, false, 50, 50);
    EXPECT_TRUE(f.X && f.Y);
    EXPECT_FALSE(choice.Made());
}
