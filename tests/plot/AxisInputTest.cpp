#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QWheelEvent>
#include <cmath>

#include "plot/iPlot.h"
#include "plot/iPlotAxis.h"

namespace {

// A shown plot whose layout has run, driven through real Qt events.
class AxisInput : public testing::Test {
  protected:
    AxisInput() {
        plot.resize(640, 480);
        plot.show();
        plot.setFocus();
        Layout();
    }

    void Layout() { plot.grab(); }

    // A point on the X axis's scale, `along` pixels from its left end.
    QPoint OnXAxis(int along) const {
        const TRect& hit = x.HitRect();
        return {x.ScaleRect().Left + along, (hit.Top + hit.Bottom) / 2};
    }

    // Keys and the wheel go to the focused objects; a click focuses the axis.
    void FocusXAxis() { QTest::mouseClick(&plot, Qt::LeftButton, Qt::NoModifier, OnXAxis(50)); }

    void Wheel(QPoint at, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWheelEvent event(at, plot.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&plot, &event);
    }

    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        Drag(from, to, modifiers, modifiers);
    }

    // Keys held at the press and keys held while moving may differ: a user
    // can press Ctrl once the drag is under way.
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers atPress,
              Qt::KeyboardModifiers modifiers) {
        QTest::mousePress(&plot, Qt::LeftButton, atPress, from);
        QMouseEvent move(QEvent::MouseMove, to, plot.mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                         modifiers);
        QApplication::sendEvent(&plot, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, to, plot.mapToGlobal(to), Qt::LeftButton,
                            Qt::NoButton, modifiers);
        QApplication::sendEvent(&plot, &release);
    }

    TiPlot plot;
    TiPlotAxis& x = *plot.XAxis(0);
    TiPlotAxis& y = *plot.YAxis(0);
};

TEST_F(AxisInput, WheelScrollsOrWithCtrlZoomsAndPausesTracking) {
    FocusXAxis();
    x.SetMinSpan(0, 100);
    Wheel(OnXAxis(100), 120);
    EXPECT_DOUBLE_EQ(x.Min(), 5);
    EXPECT_FALSE(x.TrackingEnabled());

    x.SetMinSpan(0, 100);
    Wheel(OnXAxis(100), 120, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(x.Span(), 100 / std::pow(10.0, 0.025));
    EXPECT_DOUBLE_EQ(x.Min() + x.Span() / 2, 50);
}

TEST_F(AxisInput, DragScrollsSoTheDataFollowsThePointer) {
    x.SetMinSpan(0, 50);
    const double length = x.ScaleLength();
    Drag(OnXAxis(100), OnXAxis(200));
    EXPECT_NEAR(x.Min(), -100 / length * 50, 1e-9);
    EXPECT_FALSE(x.TrackingEnabled());
}

TEST_F(AxisInput, DragZoomsInZoomModeAndCtrlInvertsIt) {
    x.SetAxesMode(iamZoom);
    x.SetMinSpan(0, 100);
    const double length = x.ScaleLength();
    Drag(OnXAxis(100), OnXAxis(200));
    EXPECT_NEAR(x.Span(), 100 / std::pow(10.0, 100 / length / 4), 1e-9);

    // Ctrl pressed once the drag is under way scrolls instead...
    x.SetMinSpan(0, 100);
    Drag(OnXAxis(100), OnXAxis(200), Qt::NoModifier, Qt::ControlModifier);
    EXPECT_EQ(x.Span(), 100);
    EXPECT_NEAR(x.Min(), -100 / length * 100, 1e-9);

    // ...and zooms in scroll mode.
    x.SetAxesMode(iamScroll);
    x.SetMinSpan(0, 100);
    Drag(OnXAxis(100), OnXAxis(200), Qt::NoModifier, Qt::ControlModifier);
    EXPECT_NEAR(x.Span(), 100 / std::pow(10.0, 100 / length / 4), 1e-9);
    EXPECT_FALSE(x.TrackingEnabled());
}

TEST_F(AxisInput, CtrlPressOnAnAxisTogglesItsSelectionWithoutMovingIt) {
    FocusXAxis();
    ASSERT_TRUE(x.Focused());
    x.SetMinSpan(0, 100);
    y.SetMinSpan(0, 100);
    const TRect& yHit = y.HitRect();
    const QPoint onY((yHit.Left + yHit.Right) / 2, (y.ScaleRect().Top + y.ScaleRect().Bottom) / 2);

    Drag(onY, onY + QPoint(0, 40), Qt::ControlModifier);
    EXPECT_TRUE(y.Focused());
    EXPECT_TRUE(x.Focused()) << "Ctrl adds an axis to the selection";
    EXPECT_EQ(y.Min(), 0);
    EXPECT_EQ(y.Span(), 100);
    EXPECT_EQ(x.Min(), 0);

    // Both selected axes take the keys.
    QTest::keyClick(&plot, Qt::Key_PageUp);
    EXPECT_DOUBLE_EQ(x.Min(), 100);
    EXPECT_DOUBLE_EQ(y.Min(), 100);

    Drag(onY, onY, Qt::ControlModifier);
    EXPECT_FALSE(y.Focused()) << "a second Ctrl press takes it out again";
    EXPECT_TRUE(x.Focused());
}

TEST_F(AxisInput, KeysStepTheFocusedAxis) {
    x.SetMinSpan(0, 100);
    FocusXAxis();
    ASSERT_TRUE(x.Focused());
    x.SetTrackingEnabled(true);

    QTest::keyClick(&plot, Qt::Key_PageUp);
    EXPECT_DOUBLE_EQ(x.Min(), 100);
    EXPECT_FALSE(x.TrackingEnabled());
    QTest::keyClick(&plot, Qt::Key_Up);
    EXPECT_DOUBLE_EQ(x.Min(), 101);
    QTest::keyClick(&plot, Qt::Key_Left);
    QTest::keyClick(&plot, Qt::Key_Left);
    EXPECT_DOUBLE_EQ(x.Min(), 99);
    QTest::keyClick(&plot, Qt::Key_Home);
    EXPECT_DOUBLE_EQ(x.Min(), -1);
    EXPECT_EQ(y.Min(), 0) << "only the focused axis moves";

    x.SetTrackingEnabled(true);  // resuming brings back the range from before the keys
    EXPECT_DOUBLE_EQ(x.Min(), 0);
    QTest::keyClick(&plot, Qt::Key_A);  // any key pauses, only steps move
    EXPECT_FALSE(x.TrackingEnabled());
    EXPECT_DOUBLE_EQ(x.Min(), 0);

    x.SetAxesMode(iamZoom);
    x.SetMinSpan(0, 100);
    QTest::keyClick(&plot, Qt::Key_PageUp);
    EXPECT_DOUBLE_EQ(x.Min(), 45);
    EXPECT_DOUBLE_EQ(x.Span(), 10);
}

TEST_F(AxisInput, MasterInputMovesEveryAxisOfItsKindOnce) {
    TiPlotAxis& second = *plot.XAxis(plot.AddXAxis());
    Layout();
    x.SetMasterUIInput(true);
    x.SetMinSpan(0, 100);
    second.SetMinSpan(0, 100);
    y.SetMinSpan(0, 100);
    Drag(OnXAxis(100), OnXAxis(150));
    EXPECT_LT(x.Min(), 0);
    EXPECT_NEAR(second.Min(), x.Min() * x.ScaleLength() / second.ScaleLength(), 1e-9);
    EXPECT_EQ(y.Min(), 0);
    EXPECT_FALSE(second.Dragging());
}

TEST_F(AxisInput, HiddenTitleShowsAsHint) {
    TiHintData hint;
    x.MouseHover(MakeMouseData(120, 430, false), hint);
    EXPECT_EQ(hint.Text, "X-Axis 1");
    EXPECT_EQ(hint.Top, 410);
    EXPECT_EQ(hint.Left, 120);

    plot.OnXAxisCustomizeHint = [](int, std::string& text) { text += " (s)"; };
    x.MouseHover(MakeMouseData(120, 430, false), hint);
    EXPECT_EQ(hint.Text, "X-Axis 1 (s)");
}

TEST_F(AxisInput, PointerShapeFollowsTheMode) {
    EXPECT_EQ(x.MouseCursor({0, 0}), Qt::PointingHandCursor);
    x.SetAxesMode(iamZoom);
    EXPECT_EQ(x.MouseCursor({0, 0}), Qt::SizeHorCursor);
    y.SetAxesMode(iamZoom);
    EXPECT_EQ(y.MouseCursor({0, 0}), Qt::SizeVerCursor);
}

TEST_F(AxisInput, PopupMenuItemsAndStates) {
    QMenu menu;
    x.BuildPopupMenu(menu);
    QList<QAction*> items = menu.actions();
    ASSERT_GE(items.size(), 3);
    EXPECT_EQ(items[0]->text(), "Tracking Enabled");
    EXPECT_TRUE(items[0]->isChecked());
    EXPECT_EQ(items[1]->text(), "Update Resume Values");
    EXPECT_FALSE(items[1]->isEnabled());  // greyed while tracking
    EXPECT_EQ(items[2]->text(), "Zoom to Fit");
    EXPECT_TRUE(items[2]->isEnabled());

    items[0]->trigger();
    EXPECT_FALSE(x.TrackingEnabled());
    x.ScrollStep(1);
    x.BuildPopupMenu(menu);
    items = menu.actions();
    EXPECT_FALSE(items[0]->isChecked());
    ASSERT_TRUE(items[1]->isEnabled());
    const double min = x.Min();
    items[1]->trigger();
    x.SetTrackingEnabled(true);
    EXPECT_EQ(x.Min(), min);
}

}  // namespace
