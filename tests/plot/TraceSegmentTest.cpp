#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "TraceTestSupport.h"
#include "gdi/RecordingCanvas.h"

namespace {

std::vector<std::vector<int>> Lines(const TRecordingCanvas& canvas) {
    std::vector<std::vector<int>> lines;
    for (const TCanvasCall& call : canvas.CallsNamed("Line"))
        lines.push_back(call.Args);
    return lines;
}

// X 0..100 and Y 0..100 on a 100 × 100 view.
struct SegmentFixture : testing::Test {
    TraceTestAxes axes{0, 100, 0, 100, 100, 100};
    TRecordingCanvas canvas;
    TiPlotSegmentPainter painter{canvas, axes.Axes};
};

}  // namespace

TEST_F(SegmentFixture, SegmentsOutsideTheViewDrawNothing) {
    painter.DrawSegment(10, 120, 90, 150);  // both above
    painter.DrawSegment(-50, 10, -10, 90);  // both left
    painter.DrawSegment(110, 10, 150, 90);  // both right
    painter.DrawSegment(10, -5, 90, -50);   // both below
    EXPECT_TRUE(Lines(canvas).empty());
}

TEST_F(SegmentFixture, ClipsInAxisUnitsEdgeToEdge) {
    painter.DrawSegment(-100, 50, 200, 50);  // crosses the whole view
    painter.DrawSegment(50, -50, 50, 150);   // vertical, beyond both ends
    painter.DrawSegment(150, 100, 50, 0);    // given right to left, cut at the right edge
    EXPECT_EQ(Lines(canvas), (std::vector<std::vector<int>>{
                                 {0, 50, 100, 50}, {50, 100, 50, 0}, {50, 100, 100, 50}}));
}

TEST_F(SegmentFixture, ExtremeValuesAreClippedNotDrawnWild) {
    const double inf = std::numeric_limits<double>::infinity();
    painter.DrawSegment(50, 1e300, 50, -1e300);
    painter.DrawSegment(20, inf, 20, 10);
    painter.DrawSegment(10, std::nan(""), 30, 40);
    EXPECT_EQ(Lines(canvas), (std::vector<std::vector<int>>{{50, 0, 50, 100}, {20, 0, 20, 90}}));
}

// A point at ±inf lies on the edge of the view: its segments run from the
// neighbour to the top or bottom edge at the point's X, not nowhere.
TEST_F(SegmentFixture, InfinitePointsDrawToTheViewEdge) {
    const double inf = std::numeric_limits<double>::infinity();
    painter.DrawSegment(20, 40, 30, inf);
    painter.DrawSegment(30, inf, 40, 40);
    painter.DrawSegment(50, 50, 60, -inf);
    painter.DrawSegment(70, inf, 80, inf);  // along the top edge
    painter.DrawSegment(90, 50, inf, 50);   // out to the right edge
    EXPECT_EQ(Lines(canvas), (std::vector<std::vector<int>>{{20, 60, 30, 0},
                                                            {30, 0, 40, 60},
                                                            {50, 50, 60, 100},
                                                            {70, 0, 80, 0},
                                                            {90, 50, 100, 50}}));
}

TEST_F(SegmentFixture, SwapAndPercent) {
    axes.Axes.Swap = true;
    painter.DrawSegment(10, 20, 30, 20);
    axes.Axes.Swap = false;
    painter.DrawSegment(-10, 25, 50, 25, true);  // Y in percent of the view, not clipped
    painter.DrawSegment(10, 150, 20, 150, true);
    EXPECT_EQ(Lines(canvas), (std::vector<std::vector<int>>{
                                 {80, 10, 80, 30}, {0, 75, 50, 75}, {10, -50, 20, -50}}));
}

TEST(TraceMarkers, ShapesSitAroundThePoint) {
    TRecordingCanvas canvas;
    DrawMarkerShape(canvas, ipmsSquare, 10, 20, 3, 0);
    DrawMarkerShape(canvas, ipmsTriangleUp, 10, 20, 3, 0);
    DrawMarkerShape(canvas, ipmsPlus, 10, 20, 3, 0);
    DrawMarkerShape(canvas, ipmsCharacter, 10, 20, 3, 0);  // no character: nothing
    ASSERT_EQ(canvas.Calls().size(), 4u);
    EXPECT_EQ(canvas.Calls()[0].Args, (std::vector<int>{7, 17, 13, 23}));
    EXPECT_EQ(canvas.Calls()[1].Args, (std::vector<int>{7, 23, 10, 20, 13, 23}));
    EXPECT_EQ(canvas.Calls()[2].Args, (std::vector<int>{10, 23, 10, 17}));
    EXPECT_EQ(canvas.Calls()[3].Args, (std::vector<int>{13, 20, 7, 20}));
}
