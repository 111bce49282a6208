#include <gtest/gtest.h>

#include <vector>

#include "PlotUiTestSupport.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotDataCursor.h"
#include "plot/iPlotToolBar.h"

namespace {

bool EveryAxisTracking(TiPlot& plot, bool tracking) {
    for (int i = 0; i < plot.XAxisCount(); ++i) {
        if (plot.XAxis(i)->TrackingEnabled() != tracking)
            return false;
    }
    for (int i = 0; i < plot.YAxisCount(); ++i) {
        if (plot.YAxis(i)->TrackingEnabled() != tracking)
            return false;
    }
    return true;
}

class ToolBarTest : public ::testing::Test {
  protected:
    ToolBarTest() {
        ui.Plot().OnToolBarButtonClick = [this](int index, int type) {
            EXPECT_EQ(index, 0);
            clicks.push_back(type);
        };
        ui.Plot().AddYAxis();
        ui.Paint();
    }

    TiPlotToolBarButton& Button(TiPlotToolBarButtonType type) { return ui.ToolBar().Button(type); }

    UiTestPlot ui;
    std::vector<int> clicks;
};

}  // namespace

TEST_F(ToolBarTest, ZoomInPausesEveryAxisAndReportsBothClicks) {
    TiPlotXAxis& x = *ui.Plot().XAxis(0);
    x.SetMin(0);
    x.SetSpan(100);
    ui.ClickButton(iptbbtZoomIn);
    EXPECT_TRUE(EveryAxisTracking(ui.Plot(), false));
    EXPECT_EQ(clicks, (std::vector<int>{iptbbtPause, iptbbtZoomIn}));
    EXPECT_DOUBLE_EQ(x.Span(), 50);
    EXPECT_DOUBLE_EQ(x.Min(), 25) << "the centre stays";

    clicks.clear();
    ui.ClickButton(iptbbtZoomOut);
    EXPECT_EQ(clicks, (std::vector<int>{iptbbtPause, iptbbtZoomOut}));
    EXPECT_DOUBLE_EQ(x.Span(), 100);
}

TEST_F(ToolBarTest, ZoomFactorBelowOneBecomesOne) {
    ui.ToolBar().SetZoomInOutFactor(0.5);
    EXPECT_EQ(ui.ToolBar().ZoomInOutFactor(), 1.0);
    TiPlotXAxis& x = *ui.Plot().XAxis(0);
    x.SetSpan(40);
    ui.ClickButton(iptbbtZoomIn);
    ui.ClickButton(iptbbtZoomOut);
    EXPECT_DOUBLE_EQ(x.Span(), 40);
}

TEST_F(ToolBarTest, PauseAndResumeAreEnabledByTheTrackingState) {
    EXPECT_TRUE(Button(iptbbtPause).Enabled());
    EXPECT_FALSE(Button(iptbbtResume).Enabled()) << "nothing is paused yet";
    ui.ClickButton(iptbbtPause);
    EXPECT_TRUE(EveryAxisTracking(ui.Plot(), false));
    EXPECT_FALSE(Button(iptbbtPause).Enabled());
    EXPECT_TRUE(Button(iptbbtResume).Enabled());

    // a disabled button takes no clicks
    ui.Click(CenterOf(Button(iptbbtPause).ButtonRect()));
    EXPECT_EQ(clicks, std::vector<int>{iptbbtPause});

    ui.ClickButton(iptbbtResume);
    EXPECT_TRUE(EveryAxisTracking(ui.Plot(), true));
    EXPECT_TRUE(Button(iptbbtPause).Enabled());
    EXPECT_FALSE(Button(iptbbtResume).Enabled());
}

TEST_F(ToolBarTest, CursorButtonShowsCursorsUntilResume) {
    TiPlotDataCursor& cursor = ui.Cursor();
    ASSERT_FALSE(cursor.Visible());
    ui.ClickButton(iptbbtCursor);
    EXPECT_TRUE(ui.ToolBar().CursorDown());
    EXPECT_TRUE(cursor.Visible());
    EXPECT_TRUE(cursor.Focused()) << "so the arrow keys move it";
    EXPECT_TRUE(EveryAxisTracking(ui.Plot(), false));

    clicks.clear();
    ui.ClickButton(iptbbtResume);
    EXPECT_FALSE(ui.ToolBar().CursorDown());
    EXPECT_FALSE(cursor.Visible());
    EXPECT_TRUE(EveryAxisTracking(ui.Plot(), true));
    EXPECT_EQ(clicks, (std::vector<int>{iptbbtCursor, iptbbtResume}));
}

TEST_F(ToolBarTest, SelectAndZoomBoxNeverLatchTogether) {
    ui.ToolBar().SetShowSelectButton(true);
    ui.ClickButton(iptbbtZoomBox);
    EXPECT_TRUE(ui.ToolBar().ZoomBoxDown());
    ui.ClickButton(iptbbtSelect);
    EXPECT_TRUE(ui.ToolBar().SelectDown());
    EXPECT_FALSE(ui.ToolBar().ZoomBoxDown());
    EXPECT_TRUE(ui.Plot().SelectModeActive());
    ui.ClickButton(iptbbtZoomBox);
    EXPECT_TRUE(ui.ToolBar().ZoomBoxDown());
    EXPECT_FALSE(ui.ToolBar().SelectDown());
    ui.ClickButton(iptbbtZoomBox);
    EXPECT_FALSE(ui.ToolBar().ZoomBoxDown());
}

TEST_F(ToolBarTest, ScrollAndZoomModesAlwaysHaveOneDown) {
    EXPECT_TRUE(Button(iptbbtScrollAxesMode).Down());
    ui.ClickButton(iptbbtZoomAxesMode);
    EXPECT_TRUE(Button(iptbbtZoomAxesMode).Down());
    EXPECT_FALSE(Button(iptbbtScrollAxesMode).Down());
    ui.ClickButton(iptbbtZoomAxesMode);
    EXPECT_TRUE(Button(iptbbtZoomAxesMode).Down()) << "clicking the down one keeps it down";
    ui.ClickButton(iptbbtScrollAxesMode);
    EXPECT_TRUE(Button(iptbbtScrollAxesMode).Down());
    EXPECT_FALSE(Button(iptbbtZoomAxesMode).Down());
}

TEST_F(ToolBarTest, HiddenButtonsTakeNoRoomAndTheirSeparatorGoes) {
    const int editLeft = Button(iptbbtEdit).ButtonRect().Left;
    ui.ToolBar().SetShowSelectButton(true);
    ui.Paint();
    EXPECT_EQ(Button(iptbbtEdit).ButtonRect().Left, editLeft + 30);

    ui.ToolBar().SetShowZoomBoxButton(false);
    ui.ToolBar().SetShowCursorButton(false);
    ui.Paint();
    // Select stays, but the separator after Zoom Box and Cursor goes.
    const TRect select = Button(iptbbtSelect).ButtonRect();
    EXPECT_EQ(Button(iptbbtEdit).ButtonRect().Left, select.Right);
}

TEST_F(ToolBarTest, SmallButtonsShrinkTheBar) {
    ui.ToolBar().SetSmallButtons(true);
    ui.Paint();
    const TRect pause = Button(iptbbtPause).ButtonRect();
    EXPECT_EQ(pause.Width(), 22);
    EXPECT_EQ(pause.Height(), 22);
    EXPECT_EQ(ui.ToolBar().LayoutRect().Height(), 28);
    EXPECT_EQ(Button(iptbbtPause).PictureName(), "SMALLPAUSE");
}

TEST_F(ToolBarTest, ButtonHintsCanBeCustomised) {
    ui.Plot().OnToolBarCustomizeHint = [](int, std::string& text) { text += "!"; };
    TiHintData hint;
    TiPlotToolBarButton& zoomIn = Button(iptbbtZoomIn);
    zoomIn.MouseHover(MakeMouseData(0, 0, false), hint);
    EXPECT_EQ(hint.Text, "Zoom In All Axes!");
    EXPECT_EQ(hint.Left, zoomIn.ButtonRect().Left);
    EXPECT_EQ(hint.Top, zoomIn.ButtonRect().Bottom + 3);
}

// Removing a toolbar or legend under the pointer, with a button held, must
// not leave the plot holding it: the next move and release go elsewhere. The
// sanitizer build catches a use after free here.
TEST_F(ToolBarTest, DeletingAToolBarOrLegendUnderThePointerForgetsIt) {
    const QPoint onZoomIn = CenterOf(Button(iptbbtZoomIn).ButtonRect());
    ui.MoveTo(onZoomIn);
    ui.Press(onZoomIn);
    ui.Plot().DeleteToolBar(0);
    ui.MoveTo(onZoomIn + QPoint(3, 0));
    ui.Release(onZoomIn + QPoint(3, 0));
    EXPECT_TRUE(clicks.empty());
    EXPECT_EQ(ui.Plot().ToolBarCount(), 0);

    ui.Plot().Channel(0)->AddXY(1, 1);
    ui.Paint();
    const QPoint onLegend = CenterOf(ui.Plot().Channel(0)->LegendRect());
    ui.MoveTo(onLegend);
    ui.Press(onLegend);
    ui.Plot().DeleteLegend(0);
    ui.MoveTo(onLegend + QPoint(2, 2));
    ui.Release(onLegend + QPoint(2, 2));
    ui.Paint();
    EXPECT_EQ(ui.Plot().LegendCount(), 0);
}
