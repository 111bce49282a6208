#include <gtest/gtest.h>

#include <QMenu>

#include <limits>

#include "PlotUiTestSupport.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotChannel.h"
#include "plot/iPlotDataCursor.h"
#include "plot/iPlotDataView.h"
#include "plot/iPlotToolBar.h"

namespace {

class DataCursorTest : public ::testing::Test {
  protected:
    DataCursorTest() {
        TiPlotChannel& channel = *ui.Plot().Channel(0);
        for (int i = 0; i <= 100; ++i)
            channel.AddXY(i, i % 10);
        ui.ClickButton(iptbbtCursor);
    }

    TiPlotDataCursor& Cursor() { return ui.Cursor(); }
    const TRect& View() { return ui.DataView().LayoutRect(); }
    QPoint Pointer1() { return {Cursor().Pointer1Pixel(), (View().Top + View().Bottom) / 2 + 40}; }

    UiTestPlot ui;
};

QStringList Captions(const QMenu& menu) {
    QStringList captions;
    for (const QAction* action : menu.actions()) {
        if (action->isVisible())
            captions << action->text();
    }
    return captions;
}

const QMenu* SubMenu(const QMenu& menu, const QString& caption) {
    for (const QAction* action : menu.actions()) {
        if (action->text() == caption)
            return action->menu();
    }
    return nullptr;
}

}  // namespace

TEST_F(DataCursorTest, StylesShapeThePointers) {
    EXPECT_TRUE(Cursor().Pointer1Shown());
    EXPECT_FALSE(Cursor().Pointer2Shown());
    EXPECT_FALSE(Cursor().Pointer1Horizontal());
    EXPECT_FALSE(Cursor().HintAlongX());

    Cursor().SetStyle(ipcsDeltaY);
    EXPECT_TRUE(Cursor().Pointer2Shown());
    EXPECT_TRUE(Cursor().Pointer1Horizontal() && Cursor().Pointer2Horizontal());
    EXPECT_TRUE(Cursor().HintAlongX());

    Cursor().SetStyle(ipcsValueXY);
    ui.Plot().SetXYAxesReverse(true);
    EXPECT_TRUE(Cursor().Pointer1Horizontal()) << "exchanged axes turn the pointer";
}

TEST_F(DataCursorTest, DraggedPointerStopsAtTheViewEdges) {
    ui.Drag(Pointer1(), {View().Left - 60, Pointer1().y()});
    EXPECT_EQ(Cursor().Pointer1Position(), 0);
    EXPECT_EQ(Cursor().Pointer1Pixel(), View().Left);
    ui.Drag(Pointer1(), {View().Right + 60, Pointer1().y()});
    EXPECT_EQ(Cursor().Pointer1Position(), 100);

    Cursor().SetPointer2Position(-5);
    EXPECT_EQ(Cursor().Pointer2Position(), 0);
}

TEST_F(DataCursorTest, DragFollowsThePointer) {
    const int target = ui.DataView().PercentToPixelX(25);
    ui.Drag(Pointer1(), {target, Pointer1().y()});
    EXPECT_NEAR(Cursor().Pointer1Position(), 25, 100.0 / View().Width());
    EXPECT_EQ(Cursor().Pointer1Pixel(), target);
}

TEST_F(DataCursorTest, HintFlipsBeforeTheRightEdgeAndStaysInside) {
    Cursor().SetHintText("12.50, 3.250");
    Cursor().SetPointer1Position(97);
    ui.Paint();
    ASSERT_TRUE(Cursor().HintVisible());
    EXPECT_EQ(Cursor().HintOrientationSide(), iosTopLeft);
    const TRect& hint = Cursor().HintRect();
    EXPECT_LT(hint.Right, Cursor().Pointer1Pixel());
    EXPECT_GE(hint.Left, View().Left);

    Cursor().SetPointer1Position(3);
    Cursor().SetHintPosition(100);
    ui.Paint();
    EXPECT_EQ(Cursor().HintOrientationSide(), iosBottomRight);
    EXPECT_GT(Cursor().HintRect().Left, Cursor().Pointer1Pixel());
    EXPECT_EQ(Cursor().HintRect().Top, View().Top) << "pushed down inside the view";
}

TEST_F(DataCursorTest, HintHideOnReleaseShowsTheBoxOnlyWhileDragging) {
    Cursor().SetHintHideOnRelease(true);
    ui.Paint();
    EXPECT_FALSE(Cursor().HintVisible());
    ui.Press(Pointer1());
    ui.MoveTo(Pointer1() + QPoint(10, 0));
    ui.Paint();
    EXPECT_TRUE(Cursor().HintVisible());
    ui.Release(Pointer1() + QPoint(10, 0));
    EXPECT_FALSE(Cursor().HintVisible());
}

TEST_F(DataCursorTest, CursorOnEveryChannelDrawsNoHint) {
    Cursor().SetChannelName("<All>");
    ui.Paint();
    EXPECT_FALSE(Cursor().HintVisible());
}

TEST_F(DataCursorTest, OnlyChangedValuesRaiseTheChangeEvent) {
    int changes = 0;
    ui.Plot().OnDataCursorChange = [&changes](int index) {
        EXPECT_EQ(index, 0);
        ++changes;
    };
    Cursor().ReportValues(0, 5, 7);
    Cursor().ReportValues(0, 5, 7);
    EXPECT_EQ(changes, 1);
    Cursor().ReportValues(1, 5, 7);
    EXPECT_EQ(changes, 2);

    // A NaN reading (a point holding NaN) stays a NaN reading.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    Cursor().ReportValues(0, nan, 7);
    Cursor().ReportValues(0, nan, 7);
    EXPECT_EQ(changes, 3);
    Cursor().ReportValues(0, 5, nan);
    Cursor().ReportValues(0, 5, nan);
    EXPECT_EQ(changes, 4);
    Cursor().ReportValues(0, 5, 7);
    EXPECT_EQ(changes, 5);
}

TEST_F(DataCursorTest, KeysMoveThePointers) {
    ASSERT_TRUE(Cursor().Focused());
    const double start = Cursor().Pointer1Position();
    ui.Key(Qt::Key_Right);
    EXPECT_EQ(Cursor().Pointer1Position(), start) << "plain keys move pointer 2, hidden here";
    ui.Key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_NEAR(Cursor().Pointer1Position(), start + 100.0 / View().Width(), 1e-9);
    ui.Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(Cursor().Pointer1Position(), 100);
    ui.Key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(Cursor().Pointer1Position(), 100);

    Cursor().SetStyle(ipcsDeltaX);
    const double second = Cursor().Pointer2Position();
    ui.Key(Qt::Key_PageDown);
    EXPECT_NEAR(Cursor().Pointer2Position(), second - 500.0 / View().Width(), 1e-9);
}

TEST_F(DataCursorTest, MenuOffersChannelsStylesAndOptions) {
    QMenu menu;
    Cursor().BuildPopupMenu(menu);
    EXPECT_EQ(Captions(menu).mid(0, 4),
              (QStringList{"Channel", "Style", "Options", "Flip Alignment"}));
    const QMenu* channels = SubMenu(menu, "Channel");
    ASSERT_NE(channels, nullptr);
    EXPECT_EQ(Captions(*channels).front(), "<All>");
    EXPECT_EQ(Captions(*channels).size(), 2);

    const QMenu* styles = SubMenu(menu, "Style");
    ASSERT_NE(styles, nullptr);
    EXPECT_EQ(Captions(*styles),
              (QStringList{"Value X-Y", "Value X", "Value Y", "Period", "Peak-Peak", "Frequency"}));
    styles->actions()[3]->trigger();
    EXPECT_EQ(Cursor().Style(), ipcsDeltaX);

    Cursor().BuildPopupMenu(menu);
    EXPECT_FALSE(menu.actions()[3]->isEnabled()) << "flipping is for one-pointer styles";
}

// Period, frequency and peak to peak are differences: plain numbers in the
// axis's cursor precision even on date-time axes, which show only values as
// times of day.
TEST(DataCursorTexts, DifferencesAreNumbersOnAnyAxis) {
    TiPlot plot;
    TiPlotChannel& channel = *plot.Channel(0);
    for (TiPlotAxis* axis : {static_cast<TiPlotAxis*>(plot.XAxis(0)),
                             static_cast<TiPlotAxis*>(plot.YAxis(0))}) {
        axis->SetMinSpan(0, 1);
        axis->SetLabelsFormatStyle(iptfDateTime);
    }
    EXPECT_EQ(channel.CursorText(ipcsValueXY, ipcstValue, 0.25, 0.5), "12:00:00, 06:00:00");
    EXPECT_EQ(channel.CursorText(ipcsDeltaX, ipcstValue, 0, 0.5), "0.50");
    EXPECT_EQ(channel.CursorXText(), "0.50");
    EXPECT_EQ(channel.CursorText(ipcsDeltaY, ipcstValue, 0.25, 0), "0.25");
    EXPECT_EQ(channel.CursorYText(), "0.25");
    // The frequency follows the X axis's cursor precision, not 15 digits.
    EXPECT_EQ(channel.CursorText(ipcsInverseDeltaX, ipcstValue, 0, 12.3456789), "12.35");
    EXPECT_EQ(channel.CursorText(ipcsInverseDeltaX, ipcstValue, 0,
                                 std::numeric_limits<double>::infinity()),
              "Infinite");

    plot.XAxis(0)->SetCursorUseDefaultFormat(false);
    plot.XAxis(0)->SetCursorPrecisionStyle(ipsFixedDecimalPoints);
    plot.XAxis(0)->SetCursorPrecision(4);
    EXPECT_EQ(channel.CursorText(ipcsInverseDeltaX, ipcstValue, 0, 12.3456789), "12.3457");
}
