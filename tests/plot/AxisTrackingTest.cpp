#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "ChannelTestSupport.h"
#include "gdi/RecordingCanvas.h"
#include "plot/iPlot.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotChannelCustom.h"

namespace {

// Records the plot's Y-axis range events as readable lines.
class AxisEvents : public testing::Test {
  protected:
    AxisEvents() {
        plot.OnYAxisMinChange = [this](int index, double oldValue, double newValue) {
            Log("min", index, {oldValue, newValue});
        };
        plot.OnYAxisSpanChange = [this](int index, double oldValue, double newValue) {
            Log("span", index, {oldValue, newValue});
        };
        plot.OnYAxisMinSpanChange = [this](int index, double oldMin, double oldSpan, double newMin,
                                           double newSpan) {
            Log("minspan", index, {oldMin, oldSpan, newMin, newSpan});
        };
    }

    void Log(const char* name, int index, std::initializer_list<double> values) {
        std::ostringstream line;
        line << name << ' ' << index;
        for (const double value : values) {
            line << ' ' << value;
        }
        events.push_back(line.str());
    }

    std::vector<std::string> TakeEvents() { return std::exchange(events, {}); }

    TiPlot plot;
    TiPlotAxis& axis = *plot.YAxis(0);
    std::vector<std::string> events;
};

TEST_F(AxisEvents, EachChangeRaisesItsEventOnceWithOldAndNewValues) {
    axis.SetSpan(100);
    EXPECT_TRUE(TakeEvents().empty());

    axis.SetMinSpan(0, 50);
    EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"span 0 100 50", "minspan 0 0 100 0 50"}));

    axis.SetMin(5);
    EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"min 0 0 5", "minspan 0 0 50 5 50"}));

    axis.SetMinSpan(7, 20);
    EXPECT_EQ(TakeEvents(),
              (std::vector<std::string>{"min 0 5 7", "span 0 50 20", "minspan 0 5 50 7 20"}));

    axis.SetMinSpan(7, 20);
    EXPECT_TRUE(TakeEvents().empty());
}

TEST_F(AxisEvents, ExtremesAreClampedAndNaNIgnored) {
    axis.SetSpan(0);
    EXPECT_EQ(axis.Span(), 1e-300);
    axis.SetMin(-INFINITY);
    EXPECT_EQ(axis.Min(), -1e300);
    axis.SetMinSpan(NAN, 5);
    axis.SetSpan(NAN);
    EXPECT_EQ(axis.Min(), -1e300);
    EXPECT_EQ(axis.Span(), 1e-300);
    axis.SetDesiredIncrement(-3);
    EXPECT_EQ(axis.DesiredIncrement(), 0);
}

TEST_F(AxisEvents, LogarithmicAxisNeverStartsAtOrBelowZero) {
    axis.SetMinSpan(-5, 10);
    axis.SetScaleType(ipstLog10);
    EXPECT_EQ(axis.Min(), 1);
    axis.SetMinSpan(0, -4);
    EXPECT_EQ(axis.Min(), 1);
    EXPECT_EQ(axis.Span(), 1);
}

TEST_F(AxisEvents, StripChartDefaultsFollowTheNewestPoint) {
    TiPlotAxis& x = *plot.XAxis(0);
    EXPECT_EQ(x.TrackingStyle(), iptsScrollSmooth);
    EXPECT_EQ(x.TrackingAlignFirstStyle(), ipafsAuto);
    EXPECT_EQ(axis.TrackingStyle(), iptsScaleMinMax);
    EXPECT_EQ(axis.TrackingAlignFirstStyle(), ipafsNone);
    EXPECT_EQ(x.Title(), "X-Axis 1");

    x.SetSpan(10);
    x.TrackNewValue(250);  // first value outside the range: the trace starts there
    EXPECT_EQ(x.Min(), 250);
    x.TrackNewValue(263);
    EXPECT_EQ(x.Min(), 253);
    x.TrackNewValue(NAN);
    x.TrackNewValue(INFINITY);
    EXPECT_EQ(x.Min(), 253);
    EXPECT_EQ(x.Span(), 10);

    x.RestartTracking();
    x.TrackNewValue(-40);
    EXPECT_EQ(x.Min(), -40);
}

TEST_F(AxisEvents, TrackingRaisesOneCombinedEventPerValue) {
    axis.TrackNewValue(150);
    EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"span 0 100 150", "minspan 0 0 100 0 150"}));
    axis.TrackNewValue(20);
    EXPECT_TRUE(TakeEvents().empty());
}

TEST_F(AxisEvents, PointsRaiseOneEventPerRealChangeOfEachAxis) {
    plot.OnXAxisMinChange = [this](int index, double oldValue, double newValue) {
        Log("xmin", index, {oldValue, newValue});
    };
    plot.OnXAxisMinSpanChange = [this](int index, double oldMin, double oldSpan, double newMin,
                                       double newSpan) {
        Log("xminspan", index, {oldMin, oldSpan, newMin, newSpan});
    };
    plot.XAxis(0)->SetMinSpan(0, 10);
    TakeEvents();
    TiPlotChannelCustom& channel = *plot.Channel(0);

    channel.AddXY(5, 50);  // inside both ranges
    channel.AddXY(6, 60);
    EXPECT_TRUE(TakeEvents().empty());
    channel.AddXY(12, 50);
    channel.AddXY(13, 150);
    EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"xmin 0 0 2", "xminspan 0 0 10 2 10",
                                                      "xmin 0 2 3", "xminspan 0 2 10 3 10",
                                                      "span 0 100 150", "minspan 0 0 100 0 150"}));
}

TEST_F(AxisEvents, ValuesInsideLeaveTheRangeButTheFirstIsStillAligned) {
    axis.SetTrackingAlignFirstStyle(ipafsMin);
    axis.TrackNewValue(40);  // inside, yet the first value sets Min
    EXPECT_EQ(axis.Min(), 40);
    TakeEvents();
    axis.TrackNewValue(60);
    axis.TrackNewValue(140);  // Max itself is inside
    EXPECT_TRUE(TakeEvents().empty());
    axis.RestartTracking();
    axis.TrackNewValue(50);
    EXPECT_EQ(axis.Min(), 50);
}

TEST_F(AxisEvents, FitStylesRefitForValuesInsideToo) {
    axis.SetTrackingStyle(iptsExpandCollapseFast);
    axis.SetMinSpan(-1000, 3000);
    TiPlotChannelCustom& channel = *plot.Channel(0);
    channel.AddXY(0, 10);
    channel.AddXY(1, 30);
    EXPECT_EQ(axis.Min(), 10);
    EXPECT_EQ(axis.Span(), 20);
}

TEST_F(AxisEvents, PausedAxisIgnoresValuesAndResumeRestoresTheRange) {
    axis.SetLabelsMinLength(6);
    axis.SetTrackingEnabled(false);
    axis.TrackNewValue(500);
    EXPECT_EQ(axis.Span(), 100);

    axis.ScrollStep(0.5);
    axis.SetLabelsMinLength(9);
    EXPECT_EQ(axis.Min(), 50);
    EXPECT_TRUE(axis.ResumeValuesDiffer());

    axis.SetTrackingEnabled(true);
    EXPECT_EQ(axis.Min(), 0);
    EXPECT_EQ(axis.Span(), 100);
    EXPECT_EQ(axis.LabelsMinLength(), 6);

    axis.SetRestoreValuesOnResume(false);
    axis.SetTrackingEnabled(false);
    axis.ScrollStep(0.5);
    axis.SetTrackingEnabled(true);
    EXPECT_EQ(axis.Min(), 50);
}

TEST_F(AxisEvents, UpdateResumeValuesMakesTheCurrentRangeComeBack) {
    axis.SetTrackingEnabled(false);
    axis.ZoomStep(1);
    axis.UpdateResumeValues();
    axis.ScrollStep(1);
    axis.SetTrackingEnabled(true);
    EXPECT_EQ(axis.Min(), 45);
    EXPECT_EQ(axis.Span(), 10);
}

TEST_F(AxisEvents, ZoomAndZoomToRect) {
    axis.SetLayoutRect({10, 100, 50, 300});
    axis.SetMinSpan(0, 200);
    axis.Zoom(0.5);
    EXPECT_EQ(axis.Min(), 50);
    EXPECT_EQ(axis.Span(), 100);
    EXPECT_THROW(axis.Zoom(0), std::runtime_error);
    EXPECT_EQ(axis.Span(), 100);

    axis.SetMinSpan(0, 200);
    TRecordingCanvas canvas;
    axis.CalcScale(canvas);
    axis.ZoomToRect({0, 150, 500, 250});  // pixel 250 shows 50, pixel 150 shows 150
    EXPECT_DOUBLE_EQ(axis.Min(), 50);
    EXPECT_DOUBLE_EQ(axis.Span(), 100);
}

TEST_F(AxisEvents, VerticalMappingFollowsTheLayout) {
    TRecordingCanvas canvas;
    axis.SetLayoutRect({10, 100, 50, 300});
    axis.SetMinSpan(0, 200);
    axis.CalcScale(canvas);
    EXPECT_EQ(axis.ScaleRect(), (TRect{10, 100, 50, 300}));
    EXPECT_EQ(axis.PositionToPixel(50), 250);
    EXPECT_DOUBLE_EQ(axis.PixelToPosition(250), 50);
    EXPECT_EQ(axis.LengthToPixels(25), 25);
    EXPECT_TRUE(axis.InRange(200));
    EXPECT_FALSE(axis.InRange(201));
    axis.SetReverseScale(true);
    EXPECT_EQ(axis.PositionToPixel(50), 150);
    // A span change between layouts reaches the mapping at once.
    axis.SetSpan(100);
    EXPECT_EQ(axis.PositionToPixel(50), 200);
}

// Nobody listening to an axis's range events lets it scroll without telling
// anyone; it must still end up exactly where a watched axis ends up.
TEST(AxisQuietTracking, UnwatchedAxisFollowsPointsExactlyLikeAWatchedOne) {
    ChannelTestPlot quiet, watched;
    int announced = 0;
    watched.OnXAxisMinChange = [&](int, double, double) { ++announced; };
    for (ChannelTestPlot* plot : {&quiet, &watched}) {
        plot->X().SetSpan(2.5);
        plot->Render();
    }
    std::vector<double> xs = {0.1, 0.2,      0.30000000000000004, 3.7,   3.6, 1.0, 1.05,
                              NAN, INFINITY, -INFINITY,           1e300, 7.25};
    for (int k = 0; k < 400; ++k)
        xs.push_back(7.25 + k * 0.013);  // steps whose sums do not round back
    for (size_t i = 0; i < xs.size(); ++i) {
        quiet.Chan().AddXY(xs[i], 50);
        watched.Chan().AddXY(xs[i], 50);
        ASSERT_EQ(quiet.X().Min(), watched.X().Min()) << "value " << i;
        ASSERT_EQ(quiet.X().Span(), watched.X().Span()) << "value " << i;
        // The pixel map is read without a paint in between.
        ASSERT_EQ(quiet.X().PositionToPixel(xs.back() - 1),
                  watched.X().PositionToPixel(xs.back() - 1));
        if (i % 97 == 0) {
            ASSERT_EQ(quiet.Render(), watched.Render()) << "value " << i;
        }
    }
    EXPECT_GT(announced, 200);  // the watched axis really announced its moves
    EXPECT_EQ(quiet.Render(), watched.Render());
}

TEST(AxisQuietTracking, OneRepaintRequestCoversEveryMoveUntilTheMapIsRead) {
    ChannelTestPlot plot;
    TiPlotAxis& x = plot.X();
    x.SetSpan(10);
    int requests = 0;
    x.OnChange = [&](TiPlotObject*) { ++requests; };
    x.TrackNewValue(50);
    x.TrackNewValue(60);
    x.TrackNewValue(70);
    EXPECT_EQ(requests, 1);
    EXPECT_EQ(x.Min(), 60);
    x.TrackNewValue(65);  // inside: nothing moves, nothing is asked
    EXPECT_EQ(requests, 1);

    plot.Render();
    x.TrackNewValue(80);
    EXPECT_EQ(requests, 2);
    EXPECT_EQ(x.Min(), 70);
}

}  // namespace
