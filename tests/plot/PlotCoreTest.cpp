// The plot component core: the paint pipeline's order, hit testing, mouse and
// key dispatch to plot objects, events by index, and the title label rules.

#include <gtest/gtest.h>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QVBoxLayout>

#include <stdexcept>
#include <string>
#include <vector>

#include "gdi/RecordingCanvas.h"
#include "plot/iPlot.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotDataView.h"
#include "plot/iPlotLabel.h"
#include "plot/iPlotLegend.h"
#include "plot/iPlotToolBar.h"

namespace {

// A channel that leaves a mark where it draws and takes clicks anywhere in the
// data view, so tests can see when and how the plot reaches it.
class MarkingChannel : public TiPlotChannel {
  public:
    using TiPlotChannel::TiPlotChannel;

    void PrepareDraw(TCanvas&) override { SetPrepared(true); }
    void Draw(TCanvas& canvas, TColor) override { canvas.TextOut(0, 0, "channel " + Name()); }
    bool HitTest(const TiPlotMouseData& data) override {
        return Owner()->DataView(0)->LayoutRect().Contains({data.X, data.Y});
    }
    void MouseUp(const TiPlotMouseData&) override {
        if (Pressed())
            Owner()->DoClickEvent(this);
    }
    void KeyDown(int& key, TShiftState) override { keys.push_back(key); }

    std::vector<int> keys;
};

class MarkingPlot : public TiPlot {
  public:
    MarkingPlot() {
        Master().SetChannelClass([](TiPlotHost* owner, const TiPlotObjectHandlers& handlers) {
            return std::make_unique<MarkingChannel>(owner, handlers);
        });
        RemoveAllChannels();
        AddChannel();
        resize(500, 200);
    }
    MarkingChannel* Marking(int index) const {
        return static_cast<MarkingChannel*>(Channel(index));
    }
    void Paint(TCanvas& canvas) { DoPaint(canvas); }
    QPoint DataViewCentre() const {
        const TRect& view = DataView(0)->LayoutRect();
        return {(view.Left + view.Right) / 2, (view.Top + view.Bottom) / 2};
    }
};

// Index of the first call matching the predicate, or -1.
template <class Predicate>
int FirstCall(const TRecordingCanvas& canvas, Predicate matches) {
    const auto& calls = canvas.Calls();
    for (size_t i = 0; i < calls.size(); ++i)
        if (matches(calls[i]))
            return static_cast<int>(i);
    return -1;
}

int TextCall(const TRecordingCanvas& canvas, const std::string& text) {
    return FirstCall(
        canvas, [&](const TCanvasCall& call) { return call.Name == "Text" && call.Text == text; });
}

}  // namespace

TEST(PlotCore, WithoutToolBarLegendOrDataViewThePaintDrawsNothing) {
    for (int missing = 0; missing < 3; ++missing) {
        MarkingPlot plot;
        if (missing == 0)
            plot.RemoveAllToolBars();
        if (missing == 1)
            plot.RemoveAllLegends();
        if (missing == 2)
            plot.RemoveAllDataViews();
        TRecordingCanvas canvas;
        plot.Paint(canvas);
        EXPECT_TRUE(canvas.Calls().empty()) << "missing kind " << missing;
    }
}

TEST(PlotCore, PaintDrawsBackgroundThenClippedChannelsInLayerOrderThenLabels) {
    MarkingPlot plot;
    plot.AddChannel();
    plot.Channel(1)->SetLayer(50);
    TRecordingCanvas canvas;
    plot.Paint(canvas);

    const TRect& view = plot.DataView(0)->LayoutRect();
    const int background = FirstCall(canvas, [](const TCanvasCall& call) {
        return (call.Name == "FillRect" || call.Name == "FillSolidRect") &&
               call.Args == std::vector<int>{0, 0, 500, 200};
    });
    const int lowLayer = TextCall(canvas, "channel Channel 2");
    const int highLayer = TextCall(canvas, "channel Channel 1");
    const int title = TextCall(canvas, "Untitled");
    ASSERT_GE(background, 0);
    ASSERT_GE(lowLayer, 0);
    ASSERT_GE(highLayer, 0);
    ASSERT_GE(title, 0);
    EXPECT_EQ(canvas.Calls()[background].Color, clBlack);
    EXPECT_LT(background, lowLayer);
    EXPECT_LT(lowLayer, highLayer);
    EXPECT_LT(highLayer, title);

    // Each channel draws inside the data view's clip, one pixel wider.
    const std::vector<int> clip{view.Left, view.Top, view.Right + 1, view.Bottom + 1};
    for (int drawn : {lowLayer, highLayer}) {
        int lastClip = -1;
        for (int i = 0; i < drawn; ++i)
            if (canvas.Calls()[i].Name == "Clip")
                lastClip = i;
        ASSERT_GE(lastClip, 0);
        EXPECT_EQ(canvas.Calls()[lastClip].Args, clip);
    }
    EXPECT_FALSE(plot.Painting());
}

TEST(PlotCore, HitTestPrefersFocusedObjectsThenOtherObjectsThenTheDataView) {
    MarkingPlot plot;
    plot.RemoveAllChannels();
    TRecordingCanvas canvas;
    plot.CalcLayout(canvas);
    const TRect view = plot.DataView(0)->LayoutRect();
    const int x = (view.Left + view.Right) / 2;
    const int y = (view.Top + view.Bottom) / 2;
    EXPECT_EQ(plot.HitTest(x, y), plot.DataView(0));

    // Two labels laid over the middle of the data view.
    TiPlotLabel* first = plot.Label(0);
    TiPlotLabel* second = plot.Label(plot.AddLabel());
    for (TiPlotLabel* label : {first, second})
        label->SetLayoutRect({x - 5, y - 5, x + 5, y + 5});
    EXPECT_EQ(plot.HitTest(x, y), first);
    second->SetFocused(true);
    EXPECT_EQ(plot.HitTest(x, y), second);
    second->SetEnabled(false);
    EXPECT_EQ(plot.HitTest(x, y), first);
    first->SetVisible(false);
    EXPECT_EQ(plot.HitTest(x, y), plot.DataView(0));
    EXPECT_EQ(plot.HitTest(-1, -1), nullptr);
}

TEST(PlotCore, LeftPressFocusesTheObjectAndDropsTheFocusOfOtherKinds) {
    MarkingPlot plot;
    plot.RemoveAllChannels();
    plot.show();
    plot.RenderImage();
    plot.XAxis(0)->SetFocused(true);
    std::vector<int> pressed;
    plot.OnMouseDownDataView = [&](int index, TMouseButton button, TShiftState, int, int) {
        EXPECT_EQ(button, mbLeft);
        pressed.push_back(index);
    };
    QTest::mousePress(&plot, Qt::LeftButton, {}, plot.DataViewCentre());
    EXPECT_TRUE(plot.DataView(0)->Focused());
    EXPECT_FALSE(plot.XAxis(0)->Focused());
    EXPECT_EQ(pressed, std::vector<int>{0});
    QTest::mouseRelease(&plot, Qt::LeftButton, {}, plot.DataViewCentre());

    // A press on nothing clears every focus.
    QTest::mousePress(&plot, Qt::LeftButton, {}, QPoint(1, plot.height() - 2));
    EXPECT_FALSE(plot.DataView(0)->Focused());
    QTest::mouseRelease(&plot, Qt::LeftButton, {}, QPoint(1, plot.height() - 2));
}

TEST(PlotCore, RightPressRaisesThePopupEventWhichMayCancelTheMenu) {
    MarkingPlot plot;
    plot.RemoveAllChannels();
    plot.show();
    plot.RenderImage();
    bool cancel = true;
    int raised = 0;
    plot.OnPopupMenuDataView = [&](int index, bool& Cancel, int, int) {
        EXPECT_EQ(index, 0);
        Cancel = cancel;
        ++raised;
    };
    QMenu* menu = plot.findChild<QMenu*>();
    ASSERT_NE(menu, nullptr);
    QTest::mousePress(&plot, Qt::RightButton, {}, plot.DataViewCentre());
    QTest::mouseRelease(&plot, Qt::RightButton, {}, plot.DataViewCentre());
    EXPECT_EQ(raised, 1);
    EXPECT_FALSE(menu->isVisible());

    cancel = false;
    QTest::mousePress(&plot, Qt::RightButton, {}, plot.DataViewCentre());
    EXPECT_EQ(raised, 2);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(plot.DataView(0)->Focused());
    menu->close();
    QTest::mouseRelease(&plot, Qt::RightButton, {}, plot.DataViewCentre());
}

TEST(PlotCore, ADoubleClickRaisesTheDoubleClickEventInsteadOfTheClick) {
    MarkingPlot plot;
    plot.show();
    plot.RenderImage();
    int clicks = 0;
    int doubleClicks = 0;
    plot.OnClickChannel = [&](int index) {
        EXPECT_EQ(index, 0);
        ++clicks;
    };
    plot.OnDblClickChannel = [&](int) { ++doubleClicks; };
    const QPoint centre = plot.DataViewCentre();
    QTest::mouseClick(&plot, Qt::LeftButton, {}, centre);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(doubleClicks, 0);
    QTest::mouseDClick(&plot, Qt::LeftButton, {}, centre);
    QTest::mouseRelease(&plot, Qt::LeftButton, {}, centre);
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_TRUE(plot.Channel(0)->Focused());
}

TEST(PlotCore, KeysReachTheFocusedObjects) {
    MarkingPlot plot;
    plot.show();
    plot.Channel(0)->SetFocused(true);
    plot.setFocus();
    QTest::keyClick(&plot, Qt::Key_Left);
    QTest::keyClick(&plot, Qt::Key_Down);
    EXPECT_EQ(plot.Marking(0)->keys, (std::vector<int>{VK_LEFT, VK_DOWN}));
    plot.Channel(0)->SetFocused(false);
    QTest::keyClick(&plot, Qt::Key_Up);
    EXPECT_EQ(plot.Marking(0)->keys.size(), 2u);
}

// The plot in a small form between two edit boxes: Tab passes it by unless
// TabStop, a click focuses it, and from there Tab and Shift+Tab move on.
TEST(PlotCore, TabMovesFocusPastThePlot) {
    QWidget form;
    auto* before = new QLineEdit(&form);
    auto* plot = new TiPlot(&form);
    auto* after = new QLineEdit(&form);
    auto* layout = new QVBoxLayout(&form);
    for (QWidget* widget : {static_cast<QWidget*>(before), static_cast<QWidget*>(plot),
                            static_cast<QWidget*>(after)})
        layout->addWidget(widget);
    form.resize(500, 300);
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_FALSE(plot->TabStop());

    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), after);

    QTest::mouseClick(plot, Qt::LeftButton, {}, QPoint(5, 150));
    EXPECT_EQ(QApplication::focusWidget(), plot);
    QTest::keyClick(plot, Qt::Key_Left);  // arrows stay with the plot
    EXPECT_EQ(QApplication::focusWidget(), plot);
    QTest::keyClick(plot, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), after);
    QTest::mouseClick(plot, Qt::LeftButton, {}, QPoint(5, 150));
    QTest::keyClick(plot, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), before);

    plot->SetTabStop(true);
    QTest::keyClick(before, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), plot);
    QTest::keyClick(plot, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), after);
}

TEST(PlotCore, EventsNameTheObjectByItsIndexAndStayQuietWhileLoading) {
    MarkingPlot plot;
    plot.AddChannel();
    std::vector<int> focused;
    plot.OnGotFocusChannel = [&](int index) { focused.push_back(index); };
    plot.Channel(1)->SetFocused(true);
    plot.Channel(0)->SetFocused(true);
    EXPECT_EQ(focused, (std::vector<int>{1, 0}));

    plot.SetLoading(true);
    plot.Channel(1)->SetFocused(true);
    EXPECT_EQ(focused.size(), 2u);
}

TEST(PlotCore, TitleIsLabelZeroWhichCannotBeDeleted) {
    TiPlot plot;
    plot.SetTitleText("数据波形图");
    EXPECT_EQ(plot.Label(0)->Caption(), "数据波形图");
    plot.SetTitleVisible(false);
    EXPECT_FALSE(plot.Label(0)->Visible());
    plot.SetTitleMargin(0.5);
    EXPECT_DOUBLE_EQ(plot.Label(0)->MarginBottom(), 0.5);

    plot.RepaintNow();
    try {
        plot.DeleteLabel(0);
        FAIL() << "label 0 was deleted";
    } catch (const std::invalid_argument& error) {
        EXPECT_STREQ(error.what(), "Label Index 0 can not be Deleted (Resevered for Title)");
    }
    EXPECT_FALSE(plot.ChangePending());
    EXPECT_EQ(plot.LabelCount(), 1);

    plot.AddLabel();
    plot.AddLabel();
    plot.RemoveAllLabels();
    EXPECT_EQ(plot.LabelCount(), 1);
    EXPECT_EQ(plot.Label(0)->Name(), "Title");

    // Without any label the title properties answer blanks and set nothing.
    plot.Master().LabelManager().Clear();
    plot.SetTitleVisible(true);
    plot.SetTitleText("x");
    EXPECT_FALSE(plot.TitleVisible());
    EXPECT_EQ(plot.TitleText(), "");
    EXPECT_DOUBLE_EQ(plot.TitleMargin(), 0);
}

TEST(PlotCore, PauseAndResumeReachEveryAxis) {
    TiPlot plot;
    plot.AddXAxis();
    plot.AddYAxis();
    plot.DisableAllTracking();
    for (TiPlotAxis* axis :
         {static_cast<TiPlotAxis*>(plot.XAxis(0)), static_cast<TiPlotAxis*>(plot.XAxis(1)),
          static_cast<TiPlotAxis*>(plot.YAxis(0)), static_cast<TiPlotAxis*>(plot.YAxis(1))})
        EXPECT_FALSE(axis->TrackingEnabled());
    plot.EnableAllTracking();
    EXPECT_TRUE(plot.XAxis(1)->TrackingEnabled());
    EXPECT_TRUE(plot.YAxis(1)->TrackingEnabled());
}
