#include <gtest/gtest.h>

#include "plot/iPlotDataCursorHint.h"

namespace {

// A 400 × 200 view at (10, 20); text 60 × 26 with 8-pixel "A": box 68 × 30.
TiCursorHintRequest VerticalPointerAt(int x) {
    TiCursorHintRequest r;
    r.View = {10, 20, 410, 220};
    r.Reference = x;
    r.TrackCentre = 120;
    r.TextWidth = 60;
    r.TextHeight = 26;
    r.CharWidth = 8;
    return r;
}

}  // namespace

TEST(DataCursorHint, SitsRightOfThePointerCentredOnItsPosition) {
    const TiCursorHintPlacement p = PlaceCursorHint(VerticalPointerAt(200));
    EXPECT_EQ(p.Side, iosBottomRight);
    EXPECT_EQ(p.Box.Left, 205);
    EXPECT_EQ(p.Box.Right, 205 + 68);
    EXPECT_EQ(p.Box.Top, 120 - 15);
    EXPECT_EQ(p.Box.Bottom, 120 + 15);
}

TEST(DataCursorHint, FlipsNearTheEdgesAndRemembersTheSide) {
    // 410 < 340 + 8 + 60 + 5: too close to the right edge
    TiCursorHintPlacement p = PlaceCursorHint(VerticalPointerAt(340));
    EXPECT_EQ(p.Side, iosTopLeft);
    EXPECT_EQ(p.Box.Right, 335);

    TiCursorHintRequest r = VerticalPointerAt(50);
    r.Side = iosTopLeft;
    p = PlaceCursorHint(r);
    EXPECT_EQ(p.Side, iosBottomRight);
    EXPECT_EQ(p.Box.Left, 55);

    r = VerticalPointerAt(200);
    r.Side = iosTopLeft;
    EXPECT_EQ(PlaceCursorHint(r).Side, iosTopLeft) << "with room on both sides the choice stays";
}

TEST(DataCursorHint, IsPushedBackInsideTheView) {
    TiCursorHintRequest r = VerticalPointerAt(200);
    r.TrackCentre = 25;  // half the box above the view
    TiCursorHintPlacement p = PlaceCursorHint(r);
    EXPECT_EQ(p.Box.Top, 20);
    EXPECT_EQ(p.Box.Bottom, 50);

    r.TrackCentre = 219;
    EXPECT_EQ(PlaceCursorHint(r).Box.Bottom, 220);

    // a view narrower than the box ends flush with its right edge
    r = VerticalPointerAt(30);
    r.View = {10, 20, 50, 220};
    p = PlaceCursorHint(r);
    EXPECT_EQ(p.Box.Right, 50);
}

TEST(DataCursorHint, TwoPointerBoxesCentreBetweenThePointers) {
    TiCursorHintRequest r = VerticalPointerAt(100);
    r.TwoPointers = true;
    r.PointersCentre = 180;
    const TiCursorHintPlacement p = PlaceCursorHint(r);
    EXPECT_EQ(p.Box.Left, 180 - 34);
    EXPECT_EQ(p.Box.Right, 180 + 34);
}

TEST(DataCursorHint, HorizontalPointersMoveTheBoxAcross) {
    TiCursorHintRequest r = VerticalPointerAt(0);
    r.AlongX = true;
    r.Reference = 100;  // pointer line at y = 100
    r.TrackCentre = 200;
    TiCursorHintPlacement p = PlaceCursorHint(r);
    EXPECT_EQ(p.Side, iosBottomRight);
    EXPECT_EQ(p.Box.Top, 105);
    EXPECT_EQ(p.Box.Left, 200 - 34);

    r.Reference = 200;  // 220 < 200 + 8 + 26
    p = PlaceCursorHint(r);
    EXPECT_EQ(p.Side, iosTopLeft);
    EXPECT_EQ(p.Box.Bottom, 195);
}
