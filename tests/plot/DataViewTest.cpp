#include <gtest/gtest.h>

#include "PlotUiTestSupport.h"
#include "gdi/RecordingCanvas.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotDataView.h"
#include "plot/iPlotToolBar.h"

namespace {

struct Range {
    double Min;
    double Span;
};

Range RangeOf(const TiPlotAxis& axis) {
    return {axis.Min(), axis.Span()};
}

class DataViewTest : public ::testing::Test {
  protected:
    DataViewTest() {
        X().SetMin(0);
        X().SetSpan(100);
        Y().SetMin(0);
        Y().SetSpan(10);
        ui.Paint();
    }

    TiPlotAxis& X() { return *ui.Plot().XAxis(0); }
    TiPlotAxis& Y() { return *ui.Plot().YAxis(0); }
    const TRect& View() { return ui.DataView().LayoutRect(); }
    QPoint InView(int dx, int dy) { return {View().Left + dx, View().Top + dy}; }

    UiTestPlot ui;
};

}  // namespace

TEST_F(DataViewTest, PercentsRunUpwardFromTheBottomLeft) {
    const TiPlotDataView& view = ui.DataView();
    EXPECT_DOUBLE_EQ(view.PixelToPercentY(View().Top), 100);
    EXPECT_DOUBLE_EQ(view.PixelToPercentY(View().Bottom), 0);
    EXPECT_NEAR(view.PercentToPixelY(50), (View().Top + View().Bottom) / 2.0, 0.5);
    EXPECT_EQ(view.PercentToPixelX(0), View().Left);
    EXPECT_EQ(view.PercentToPixelX(100), View().Right);
}

TEST_F(DataViewTest, ZoomBoxZoomsEveryAxisToTheBand) {
    ui.ClickButton(iptbbtZoomBox);
    const QPoint from = InView(40, 30);
    const QPoint to = InView(140, 90);
    const double x1 = X().PixelToPosition(from.x());
    const double x2 = X().PixelToPosition(to.x());
    const double yLow = Y().PixelToPosition(to.y());
    const double yHigh = Y().PixelToPosition(from.y());
    ui.Drag(from, to);
    EXPECT_NEAR(X().Min(), x1, 1e-9);
    EXPECT_NEAR(X().Span(), x2 - x1, 1e-9);
    EXPECT_NEAR(Y().Min(), yLow, 1e-9);
    EXPECT_NEAR(Y().Span(), yHigh - yLow, 1e-9);
    EXPECT_FALSE(X().TrackingEnabled()) << "the zoomed range must stay";
}

TEST_F(DataViewTest, ZoomBoxDraggedAnyOtherWayOnlyPauses) {
    ui.ClickButton(iptbbtZoomBox);
    for (const auto& [from, to] :
         {std::pair{InView(140, 90), InView(40, 30)}, std::pair{InView(40, 90), InView(140, 30)},
          std::pair{InView(40, 30), InView(40, 90)}}) {
        X().SetTrackingEnabled(true);
        ui.Drag(from, to);
        EXPECT_DOUBLE_EQ(X().Min(), 0);
        EXPECT_DOUBLE_EQ(X().Span(), 100);
        EXPECT_DOUBLE_EQ(Y().Span(), 10);
        EXPECT_FALSE(X().TrackingEnabled()) << "the press alone pauses";
    }
}

TEST_F(DataViewTest, BeforeZoomBoxCanCancelOrReshape) {
    ui.ClickButton(iptbbtZoomBox);
    ui.Plot().OnBeforeZoomBox = [](TRect&, bool& cancel) { cancel = true; };
    ui.Drag(InView(40, 30), InView(140, 90));
    EXPECT_DOUBLE_EQ(X().Span(), 100);

    const TRect reshaped{View().Left, View().Top, View().Left + View().Width() / 2, View().Bottom};
    ui.Plot().OnBeforeZoomBox = [&](TRect& rect, bool&) { rect = reshaped; };
    ui.Drag(InView(40, 30), InView(140, 90));
    EXPECT_NEAR(X().Span(), 50, 1.0);
    EXPECT_NEAR(Y().Span(), 10, 0.1);
}

TEST_F(DataViewTest, ShiftDragWithBothAxesFollowsTheFirstClearMove) {
    ui.DataView().SetAxesControlEnabled(true);
    ui.Paint();
    const Range y = RangeOf(Y());
    ui.Drag(InView(100, 60), InView(160, 62), Qt::ShiftModifier);
    EXPECT_NE(X().Min(), 0) << "a mostly horizontal drag scrolls X";
    EXPECT_DOUBLE_EQ(Y().Min(), y.Min);

    const Range x = RangeOf(X());
    ui.Press(InView(100, 60), Qt::ShiftModifier);
    ui.MoveTo(InView(110, 64), Qt::ShiftModifier);  // 4 pixels down decides: Y
    ui.MoveTo(InView(180, 80), Qt::ShiftModifier);
    ui.Release(InView(180, 80), Qt::ShiftModifier);
    EXPECT_DOUBLE_EQ(X().Min(), x.Min);
    EXPECT_NE(Y().Min(), y.Min);
}

TEST_F(DataViewTest, WheelDrivesTheAxesOnlyUnderAxesControl) {
    ui.Click(InView(100, 60));
    ui.Wheel(InView(100, 60), 120);
    EXPECT_DOUBLE_EQ(X().Min(), 0);
    ui.DataView().SetAxesControlEnabled(true);
    ui.Click(InView(100, 60));  // the wheel goes to the focused data view
    ui.Wheel(InView(100, 60), 120);
    EXPECT_NE(X().Min(), 0);
    EXPECT_DOUBLE_EQ(Y().Min(), 0) << "the wheel style is X only";
}

TEST_F(DataViewTest, GridOfAllAxesDrawsEveryXAxis) {
    ui.Plot().AddXAxis();
    ui.Paint();
    const auto verticalLines = [&] {
        TRecordingCanvas canvas;
        ui.Plot().PaintTo(canvas);
        int count = 0;
        for (const TCanvasCall& call : canvas.CallsNamed("Line")) {
            const bool vertical = call.Args[0] == call.Args[2];
            const bool spansView = call.Args[1] == View().Top && call.Args[3] >= View().Bottom;
            count += vertical && spansView;
        }
        return count;
    };
    const int one = verticalLines();
    ui.DataView().SetGridXAxisName("<all>");
    EXPECT_GT(verticalLines(), one);
    ui.DataView().SetGridXAxisName("No Such Axis");
    EXPECT_LT(verticalLines(), one) << "an unknown axis draws no grid, only the frame";
}
