#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "plot/iPlotAxisMapping.h"
#include "plot/iPlotAxisRange.h"

void PrintTo(const TiAxisRange& range, std::ostream* out) {
    *out << "[" << range.Min << ", " << range.Max() << "]";
}

namespace {

struct TrackingCase {
    std::string Name;
    TiAxisTrackingRule Rule;
    std::vector<double> Values;
    std::vector<TiAxisRange> Expected;  // the range after each value
};

class AxisTracking : public testing::TestWithParam<TrackingCase> {};

TEST_P(AxisTracking, FollowsEveryValue) {
    const TrackingCase& c = GetParam();
    TiAxisRange range{0, 10};
    bool first = true;
    for (size_t i = 0; i < c.Values.size(); ++i) {
        range = TrackedRange(c.Rule, range, first, c.Values[i]);
        first = false;
        EXPECT_EQ(range, c.Expected[i]) << "after value " << c.Values[i];
    }
}

INSTANTIATE_TEST_SUITE_P(
    Styles, AxisTracking,
    testing::Values(
        TrackingCase{"ScrollSmoothKeepsNewestAtRightEnd",
                     {iptsScrollSmooth, ipafsNone, 0},
                     {3, 12, 15, 1},
                     {{0, 10}, {2, 10}, {5, 10}, {1, 10}}},
        TrackingCase{"ScrollPageAdvancesOnePageOnly",
                     {iptsScrollPage, ipafsNone, 0},
                     {25, -3},
                     {{10, 10}, {0, 10}}},
        TrackingCase{
            "ScrollPageAlignsAutoFirstValue", {iptsScrollPage, ipafsAuto, 0}, {25}, {{25, 10}}},
        TrackingCase{"ScaleMinMaxWidensAndMovesDown",
                     {iptsScaleMinMax, ipafsNone, 0},
                     {15, -5},
                     {{0, 15}, {-5, 15}}},
        TrackingCase{"ScaleMaxIgnoresValuesBelow",
                     {iptsScaleMax, ipafsNone, 0},
                     {15, -5},
                     {{0, 15}, {0, 15}}},
        TrackingCase{"ScaleMinIgnoresValuesAbove",
                     {iptsScaleMin, ipafsNone, 0},
                     {15, -5},
                     {{0, 10}, {-5, 10}}},
        TrackingCase{"CompressGrowsUntilLimitThenScrolls",
                     {iptsScrollSmooth, ipafsNone, 20},
                     {15, 25, 30},
                     {{0, 15}, {0, 25}, {10, 20}}},
        TrackingCase{"AutoFirstValueInsideKeepsRange",
                     {iptsScrollSmooth, ipafsAuto, 0},
                     {4, 11},
                     {{0, 10}, {1, 10}}},
        TrackingCase{"AutoFirstValueOutsideStartsThere",
                     {iptsScrollSmooth, ipafsAuto, 0},
                     {40, 52},
                     {{40, 10}, {42, 10}}},
        TrackingCase{
            "AlignMaxPutsFirstValueAtRightEnd", {iptsScaleMinMax, ipafsMax, 0}, {40}, {{30, 10}}},
        TrackingCase{
            "AlignMinPutsFirstValueAtLeftEnd", {iptsScaleMinMax, ipafsMin, 0}, {-7}, {{-7, 10}}}),
    [](const testing::TestParamInfo<TrackingCase>& info) { return info.param.Name; });

TEST(AxisTrackingValues, NonFiniteValuesNeverReachTheRange) {
    const TiAxisTrackingRule rule{iptsScaleMinMax, ipafsMin, 0};
    const TiAxisRange range{0, 10};
    for (const double bad : {std::nan(""), std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(TrackedRange(rule, range, true, bad), range);
    }
}

TEST(AxisRangeLimits, ClampsExtremes) {
    EXPECT_EQ(ClampAxisSpan(0), 1e-300);
    EXPECT_EQ(ClampAxisSpan(-5), 1e-300);
    EXPECT_EQ(ClampAxisSpan(std::numeric_limits<double>::infinity()), 1e300);
    EXPECT_EQ(ClampAxisMin(-1e308), -1e300);
    EXPECT_EQ(LogSafeRange({-3, 0}), (TiAxisRange{1, 1}));
}

TEST(AxisUserSteps, ScrollAndZoomAboutTheCentre) {
    const TiAxisRange range{0, 100};
    EXPECT_EQ(ScrollStepRange(range, ipstLinear, 0.05, {}), (TiAxisRange{5, 100}));
    EXPECT_EQ(ZoomStepRange(range, ipstLinear, 1), (TiAxisRange{45, 10}));
    EXPECT_EQ(ZoomedRange(range, ipstLinear, 2), (TiAxisRange{-50, 200}));
    try {
        ZoomedRange(range, ipstLinear, 0);
        FAIL() << "a zero factor must be refused";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Linear Scale Zoom Factor must be Greater than Zero");
    }
}

TEST(AxisUserSteps, ScrollLimitsHoldBothEnds) {
    const TiAxisScrollLimits limits{true, 0, 100};
    EXPECT_EQ(ScrollStepRange({10, 20}, ipstLinear, -1, limits), (TiAxisRange{0, 20}));
    EXPECT_EQ(ScrollStepRange({70, 20}, ipstLinear, 1, limits), (TiAxisRange{80, 20}));
    EXPECT_EQ(ScrollStepRange({70, 20}, ipstLinear, 1, {}), (TiAxisRange{90, 20}));
}

TEST(AxisUserSteps, LogarithmicScrollMovesByDecades) {
    const TiAxisRange moved = ScrollStepRange({1, 99}, ipstLog10, 0.5, {true, 5, 6});
    EXPECT_NEAR(moved.Min, 10, 1e-9);
    EXPECT_NEAR(moved.Max(), 1000, 1e-9);
    const TiAxisRange zoomed = ZoomStepRange({10, 990}, ipstLog10, 1);
    EXPECT_NEAR(zoomed.Min, 100, 1e-9);
    EXPECT_NEAR(zoomed.Span, 99, 1e-9);
}

TiAxisMapping VerticalMapping(bool reverse) {
    TiAxisMapping mapping;
    mapping.SetScale({100, 300, false, reverse});
    mapping.SetRange(0, 200, ipstLinear);
    return mapping;
}

TEST(AxisMapping, VerticalBothWaysAndReversed) {
    const TiAxisMapping up = VerticalMapping(false);
    EXPECT_EQ(up.PositionToPixel(50), 250);
    EXPECT_DOUBLE_EQ(up.PixelToPosition(250), 50);
    EXPECT_DOUBLE_EQ(up.PixelsPerUnit(), 1);
    const TiAxisMapping down = VerticalMapping(true);
    EXPECT_EQ(down.PositionToPixel(50), 150);
    EXPECT_DOUBLE_EQ(down.PixelToPosition(150), 50);
}

TEST(AxisMapping, HorizontalRoundsHalvesToEven) {
    TiAxisMapping mapping;
    mapping.SetScale({10, 110, true, false});
    mapping.SetRange(0, 200, ipstLinear);
    EXPECT_EQ(mapping.PositionToPixel(5), 12);  // 2.5 pixels rounds to 2
    EXPECT_EQ(mapping.PositionToPixel(7), 14);  // 3.5 pixels rounds to 4
    EXPECT_DOUBLE_EQ(mapping.PixelToPosition(60), 100);
    EXPECT_TRUE(mapping.InRange(200));
    EXPECT_FALSE(mapping.InRange(203));
    EXPECT_FALSE(mapping.InRange(-3));
}

TEST(AxisMapping, LogarithmicMiddle) {
    TiAxisMapping mapping;
    mapping.SetScale({0, 400, true, false});
    mapping.SetRange(1, 99, ipstLog10);
    EXPECT_EQ(mapping.PositionToPixel(10), 200);
    EXPECT_NEAR(mapping.PixelToPosition(200), 10, 1e-9);
    EXPECT_EQ(mapping.PositionToPixel(-4), 0);  // not above zero counts as 1
}

TEST(AxisMapping, DegenerateAndNonFiniteStayOnSafeGround) {
    TiAxisMapping flat;
    flat.SetScale({50, 50, true, false});
    flat.SetRange(3, 10, ipstLinear);
    EXPECT_EQ(flat.PositionToPixel(1e9), 50);
    EXPECT_EQ(flat.PixelToPosition(80), 3);

    TiAxisMapping mapping;
    mapping.SetScale({0, 500, true, false});
    mapping.SetRange(0, 1e-6, ipstLinear);
    EXPECT_EQ(mapping.PositionToPixel(1e300), 32000);
    EXPECT_EQ(mapping.PositionToPixel(-1e300), -32000);
    EXPECT_EQ(mapping.PositionToPixel(std::numeric_limits<double>::infinity()), 32000);
    EXPECT_FALSE(mapping.InRange(std::nan("")));
}

}  // namespace
