#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "TraceTestSupport.h"
#include "gdi/RecordingCanvas.h"
#include "plot/iPlotDataFullList.h"
#include "plot/iPlotDataNullList.h"
#include "plot/iPlotInterpolation.h"
#include "plot/iPlotTraceStyles.h"

namespace {

using Lines = std::vector<std::vector<int>>;

Lines LinesOf(const TRecordingCanvas& canvas) {
    Lines lines;
    for (const TCanvasCall& call : canvas.CallsNamed("Line"))
        lines.push_back(call.Args);
    return lines;
}

// X 0..10 and Y 0..10 on a 100 × 100 view: ten pixels a unit.
struct StyleFixture : testing::Test {
    TraceTestAxes axes{0, 10, 0, 10, 100, 100};
    TRecordingCanvas canvas;
    TiPlotSegmentPainter painter{canvas, axes.Axes};
    TiPlotDataNullList list;

    void Add(std::initializer_list<std::pair<double, double>> points) {
        for (const auto& [x, y] : points)
            list.Add(x, y);
    }
};

}  // namespace

TEST_F(StyleFixture, DigitalRunsDrawLevelsAndEdges) {
    Add({{0, 0}, {1, 0}, {2, 5}, {3, 5}, {4, 0}});
    DrawDigitalTrace(painter, list, 0, 4, {8, 2, false}, {});
    EXPECT_EQ(LinesOf(canvas), (Lines{{0, 80, 20, 80},      // low from 0 to 2
                                      {20, 80, 20, 20},     // rise at 2
                                      {20, 20, 40, 20},     // high from 2 to 4
                                      {40, 80, 40, 20}}));  // fall at 4; the last run adds nothing
    canvas.ClearCalls();
    DrawDigitalTrace(painter, list, 2, 2, {8, 2, false}, {});
    EXPECT_TRUE(canvas.Calls().empty());
}

TEST_F(StyleFixture, DifferentialStepsRunOnUnlessTerminated) {
    Add({{0, 1}, {1, 3}});
    DrawDifferentialTrace(painter, list, 0, 1, false, {});
    EXPECT_EQ(LinesOf(canvas), (Lines{{0, 90, 10, 90}, {10, 90, 10, 70}, {10, 70, 100, 70}}));
    canvas.ClearCalls();
    DrawDifferentialTrace(painter, list, 0, 1, true, {});
    EXPECT_EQ(LinesOf(canvas), (Lines{{0, 90, 10, 90}, {10, 90, 10, 70}}));
}

TEST_F(StyleFixture, FillPolygonsStopAtNullsAndClearFillsNothing) {
    Add({{1, 5}, {2, 6}, {3, 7}, {4, 8}});
    list.SetNull(2, true);
    DrawFill(painter, list, 0, 3, {true, 0, bsClear, clBlue});
    EXPECT_TRUE(canvas.Calls().empty());
    DrawFill(painter, list, 0, 3, {true, 0, bsSolid, clBlue});
    const auto polygons = canvas.CallsNamed("Polygon");
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0].Args, (std::vector<int>{10, 100, 10, 50, 20, 40, 20, 100}));
    EXPECT_EQ(polygons[0].Brush.Color(), clBlue);
    EXPECT_EQ(polygons[0].Pen.Style(), psClear);
}

TEST_F(StyleFixture, CandlesPickBearishColourAndKeepFlatBodiesVisible) {
    TiPlotDataFullList full;
    full.Add(5, 0);
    full.SetHigh(0, 8);
    full.SetLow(0, 1);
    full.SetOpen(0, 4);
    full.SetClose(0, 4);
    full.Add(7, 0);
    full.SetOpen(1, 6);
    full.SetClose(1, 3);
    TiPlotHighLowSettings settings;
    settings.Style = iphlsCandleStick;
    settings.BarWidth = 0.4;  // four pixels: two each side
    DrawHighLow(painter, full, 0, 1, settings);
    const auto bodies = canvas.CallsNamed("Rectangle");
    ASSERT_EQ(bodies.size(), 2u);
    EXPECT_EQ(bodies[0].Args, (std::vector<int>{48, 60, 53, 61}));  // one pixel high
    EXPECT_EQ(bodies[0].Brush.Color(), settings.BullishColor);
    EXPECT_EQ(bodies[1].Brush.Color(), settings.BearishColor);
    EXPECT_EQ(bodies[1].Pen.Color(), settings.ShadowColor);
    EXPECT_EQ(LinesOf(canvas).front(), (std::vector<int>{50, 20, 50, 90}));  // the wick
}

TEST_F(StyleFixture, OpenCloseTicksSitEitherSideOfTheBar) {
    TiPlotDataFullList full;
    full.Add(5, 0);
    full.SetHigh(0, 8);
    full.SetLow(0, 2);
    full.SetOpen(0, 3);
    full.SetClose(0, 7);
    TiPlotHighLowSettings settings;
    settings.BarWidth = 0.3;  // three pixels: columns 49..51, middle 50
    settings.OpenWidth = 0.2;
    settings.CloseWidth = 0.2;
    settings.OpenHeight = 0.2;
    settings.CloseHeight = 0.2;
    DrawHighLow(painter, full, 0, 0, settings);
    const auto rectangles = canvas.CallsNamed("Rectangle");
    ASSERT_EQ(rectangles.size(), 3u);
    EXPECT_EQ(rectangles[0].Args, (std::vector<int>{49, 69, 51, 71}));  // open, left
    EXPECT_EQ(rectangles[1].Args, (std::vector<int>{50, 29, 52, 31}));  // close, right
    EXPECT_EQ(rectangles[2].Args, (std::vector<int>{49, 20, 52, 81}));  // bar over both
    EXPECT_EQ(rectangles[2].Brush.Color(), settings.BarColor);
}

TEST_F(StyleFixture, BarsUseEachPointsOwnSettings) {
    list.Attributes().BarWidth = 1;
    list.Attributes().BarReference = 2;
    list.Attributes().BarBrushColor = clYellow;
    Add({{3, 6}, {5, 1}});
    DrawBars(painter, list, 0, 1, {clRed, true, false});
    const auto bars = canvas.CallsNamed("Rectangle");
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_EQ(bars[0].Args, (std::vector<int>{25, 40, 35, 80}));
    EXPECT_EQ(bars[1].Args, (std::vector<int>{45, 80, 55, 90}));  // below its reference
    EXPECT_EQ(bars[0].Brush.Color(), clYellow);
    EXPECT_EQ(bars[0].Pen.Color(), clRed);
}

TEST_F(StyleFixture, SplineThroughTwoPointsIsStraight) {
    Add({{1, 2}, {9, 6}});
    TiPlotPixelPointList pixels;
    pixels.Prepare(0, 100);
    DrawInterpolatedTrace(painter, list, ipistCubicSpline, {}, pixels);
    for (int column = 10; column <= 90; column += 5) {
        double y = 0;
        ASSERT_TRUE(pixels.Get(column, y));
        EXPECT_NEAR(y, 2 + (column / 10.0 - 1) * 0.5, 1e-9);
    }
    double y = 0;
    EXPECT_FALSE(pixels.Get(5, y));  // before the first point nothing is drawn
    EXPECT_EQ(LinesOf(canvas).size(), 80u);
    EXPECT_THROW(pixels.Set(101, 0), std::runtime_error);
}

TEST_F(StyleFixture, PolynomialWithRepeatedXFailsBeforeDrawing) {
    Add({{1, 2}, {1, 3}, {4, 5}});
    TiPlotPixelPointList pixels;
    pixels.Prepare(0, 100);
    try {
        DrawInterpolatedTrace(painter, list, ipistPolynomial, {}, pixels);
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Polynomial Interpolation Error - Pause in Routine Data");
    }
    EXPECT_TRUE(canvas.Calls().empty());
    EXPECT_THROW(TiCubicSpline({1, 1, 2}, {0, 1, 2}), std::runtime_error);
    // Any two equal X, not only neighbours (X that came back, a clock set back).
    try {
        TiCubicSpline({1, 2, 1, 3}, {0, 1, 2, 3});
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Splint Error - xa's must be distinct");
    }
    EXPECT_NO_THROW(TiCubicSpline({1, 2, 1.5, 3}, {0, 1, 2, 3}));
}

TEST(Interpolation, CurvesPassThroughTheirPoints) {
    // y = x³ − 2x: a cubic is reproduced exactly by four points.
    const std::vector<double> xs{-2, -0.5, 1, 3};
    std::vector<double> ys;
    for (double x : xs)
        ys.push_back(x * x * x - 2 * x);
    TiPolynomialInterpolation polynomial(xs, ys);
    EXPECT_NEAR(polynomial.ValueAt(2), 4.0, 1e-9);
    TiRationalInterpolation rational(xs, ys);
    EXPECT_EQ(rational.ValueAt(1), ys[2]);
    TiCubicSpline spline(xs, ys);
    for (std::size_t i = 0; i < xs.size(); ++i)
        EXPECT_NEAR(spline.ValueAt(xs[i]), ys[i], 1e-12);
    // 1 / (1 + x) is itself rational: reproduced away from the points.
    TiRationalInterpolation inverse({0, 1, 2, 3}, {1, 0.5, 1.0 / 3, 0.25});
    EXPECT_NEAR(inverse.ValueAt(1.5), 0.4, 1e-9);
    // A descending spline is the same curve.
    TiCubicSpline descending({3, 1, -0.5, -2}, {ys[3], ys[2], ys[1], ys[0]});
    EXPECT_NEAR(descending.ValueAt(0.3), spline.ValueAt(0.3), 1e-12);
}
