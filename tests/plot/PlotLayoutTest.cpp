// Layout: level moves of the layout manager and the rectangles the layout
// pass gives objects around the data view.

#include <gtest/gtest.h>

#include "gdi/RecordingCanvas.h"
#include "plot/iPlot.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotDataView.h"
#include "plot/iPlotLabel.h"
#include "plot/iPlotLayoutManager.h"
#include "plot/iPlotLegend.h"
#include "plot/iPlotToolBar.h"

namespace {

// A plot with only the title label and a data view, so that every thickness
// comes from labels whose text metrics the recording canvas fixes.
struct LabelOnlyPlot {
    LabelOnlyPlot() {
        plot.resize(500, 200);
        plot.RemoveAllToolBars();
        plot.RemoveAllLegends();
        plot.RemoveAllDataCursors();
        plot.RemoveAllChannels();
        plot.RemoveAllXAxes();
        plot.RemoveAllYAxes();
    }
    TiPlotLabel* AddLabel(bool horizontal, int level, const std::string& caption) {
        TiPlotLabel* label = plot.Label(plot.AddLabel());
        label->SetHorizontal(horizontal);
        label->SetZOrder(level);
        label->SetCaption(caption);
        return label;
    }

    TiPlot plot;
    TRecordingCanvas canvas;
};

}  // namespace

TEST(PlotLayout, AddingIntoAnOccupiedLevelOpensANewLevelAndRemovingClosesIt) {
    TiPlot plot;
    const TiPlotLayoutManager& layout = plot.Master().LayoutManager();
    TiPlotLabel* title = plot.Label(0);
    ASSERT_EQ(plot.XAxis(0)->ZOrder(), 0);
    ASSERT_EQ(title->ZOrder(), 2);
    ASSERT_EQ(plot.ToolBar(0)->ZOrder(), 3);
    EXPECT_EQ(layout.Below(), (TiPlotLayoutManager::Stack{plot.XAxis(0)}));

    // Level 0 holds the X axis across the whole length: everything moves up,
    // the data view's level too, so every object keeps its side.
    TiPlotLabel* caption = plot.Label(plot.AddLabel());
    EXPECT_EQ(caption->ZOrder(), 0);
    EXPECT_EQ(plot.XAxis(0)->ZOrder(), 1);
    EXPECT_EQ(plot.DataViewZHorz(), 2);
    EXPECT_EQ(title->ZOrder(), 3);
    EXPECT_EQ(plot.ToolBar(0)->ZOrder(), 4);
    // The stacks read before the add are ordered again: the newer label first.
    EXPECT_EQ(layout.Below(), (TiPlotLayoutManager::Stack{caption, plot.XAxis(0)}));
    // Vertical objects are not touched.
    EXPECT_EQ(plot.DataViewZVert(), 1);
    EXPECT_EQ(plot.Legend(0)->ZOrder(), 2);

    plot.DeleteLabel(1);
    EXPECT_EQ(plot.XAxis(0)->ZOrder(), 0);
    EXPECT_EQ(plot.DataViewZHorz(), 1);
    EXPECT_EQ(title->ZOrder(), 2);
    EXPECT_EQ(plot.ToolBar(0)->ZOrder(), 3);
}

TEST(PlotLayout, ObjectsSharingALevelSideBySideStayInOneLevel) {
    TiPlot plot;
    TiPlotLayoutManager& layout = plot.Master().LayoutManager();
    TiPlotLabel* left = plot.Label(plot.AddLabel());
    layout.CloseLevel(left);
    left->SetHorizontal(false);
    left->SetStopPercent(50);
    layout.PlaceAtLevel(left, 2, TiPlotLayoutManager::plmIntoLevel);
    // The legend at level 2 spans 0..100 %, so the label gets a new level 2.
    EXPECT_EQ(left->ZOrder(), 2);
    EXPECT_EQ(plot.Legend(0)->ZOrder(), 3);

    plot.Legend(0)->SetStartPercent(50);
    layout.CloseLevel(plot.Legend(0));
    layout.PlaceAtLevel(plot.Legend(0), 2, TiPlotLayoutManager::plmIntoLevel);
    EXPECT_EQ(plot.Legend(0)->ZOrder(), 2);
    EXPECT_EQ(layout.RightLevelCount(), 1);
    // Sorted by level, then by start.
    EXPECT_EQ(layout.Right(), (TiPlotLayoutManager::Stack{left, plot.Legend(0)}));
}

TEST(PlotLayout, ExchangingTheAxesPutsEveryAxisAtLevelZeroOfItsNewOrientation) {
    TiPlot plot;
    plot.SetXYAxesReverse(true);
    EXPECT_FALSE(plot.XAxis(0)->Horizontal());
    EXPECT_TRUE(plot.YAxis(0)->Horizontal());
    EXPECT_EQ(plot.XAxis(0)->ZOrder(), 0);
    EXPECT_EQ(plot.YAxis(0)->ZOrder(), 0);
    // The other objects keep their sides of the data view.
    EXPECT_LT(plot.DataViewZHorz(), plot.Label(0)->ZOrder());
    EXPECT_LT(plot.DataViewZHorz(), plot.ToolBar(0)->ZOrder());
    EXPECT_LT(plot.DataViewZVert(), plot.Legend(0)->ZOrder());
    const TiPlotLayoutManager& layout = plot.Master().LayoutManager();
    EXPECT_EQ(layout.Left(), (TiPlotLayoutManager::Stack{plot.XAxis(0)}));
    EXPECT_EQ(layout.Below(), (TiPlotLayoutManager::Stack{plot.YAxis(0)}));
}

TEST(PlotLayout, LabelsAroundTheDataViewGetTheirExactRectangles) {
    LabelOnlyPlot fixture;
    TiPlot& plot = fixture.plot;
    TiPlotLayoutManager& layout = plot.Master().LayoutManager();
    layout.SetEnabled(false);
    TiPlotLabel* left = fixture.AddLabel(false, 0, "Volts");
    TiPlotLabel* right = fixture.AddLabel(false, 2, "Right\nside");
    TiPlotLabel* below = fixture.AddLabel(true, 0, "Below");
    TiPlotLabel* title = plot.Label(0);
    title->SetZOrder(2);
    plot.SetDataViewZHorz(1);
    plot.SetDataViewZVert(1);
    layout.SetEnabled(true);

    TCanvas& canvas = fixture.canvas;
    const int tTitle = title->RequiredThickness(canvas);
    const int tLeft = left->RequiredThickness(canvas);
    const int tRight = right->RequiredThickness(canvas);
    const int tBelow = below->RequiredThickness(canvas);
    ASSERT_GT(tTitle, 0);
    EXPECT_EQ(tRight, 2 * tLeft) << "a two-line caption is two lines deep";

    plot.CalcLayout(canvas);
    const int border = 2;  // the default lowered bevel
    const TRect view{tLeft + border + 5, tTitle + border + 5, 500 - (tRight + border + 5) - 1,
                     200 - (tBelow + border + 5) - 1};
    EXPECT_EQ(plot.DataView(0)->LayoutRect(), view);
    EXPECT_EQ(title->LayoutRect(), (TRect{7, view.Top - tTitle, 7 + 488, view.Top}));
    EXPECT_EQ(below->LayoutRect(), (TRect{7, view.Bottom, 7 + 488, view.Bottom + tBelow}));
    EXPECT_EQ(left->LayoutRect(), (TRect{view.Left - tLeft, view.Top, view.Left, view.Bottom}));
    EXPECT_EQ(right->LayoutRect(), (TRect{view.Right, view.Top, view.Right + tRight, view.Bottom}));

    // Running the pass again changes nothing.
    plot.CalcLayout(canvas);
    EXPECT_EQ(plot.DataView(0)->LayoutRect(), view);
}

TEST(PlotLayout, ObjectsOnOneLevelShareItAndMarkWhereTheyMeet) {
    LabelOnlyPlot fixture;
    TiPlot& plot = fixture.plot;
    TiPlotLabel* title = plot.Label(0);
    TiPlotLabel* second = fixture.AddLabel(true, 0, "Two\nlines");
    TiPlotLayoutManager& layout = plot.Master().LayoutManager();
    title->SetStopPercent(50);
    second->SetStartPercent(50);
    layout.CloseLevel(second);
    layout.PlaceAtLevel(second, title->ZOrder(), TiPlotLayoutManager::plmIntoLevel);
    ASSERT_EQ(second->ZOrder(), title->ZOrder());

    plot.CalcLayout(fixture.canvas);
    EXPECT_TRUE(title->StackedStop());
    EXPECT_FALSE(title->StackedStart());
    EXPECT_TRUE(second->StackedStart());
    EXPECT_FALSE(second->StackedStop());
    // The level is as deep as its deepest object, and both fill it.
    const int deepest = second->RequiredThickness(fixture.canvas);
    EXPECT_EQ(title->LayoutRect().Height(), deepest);
    EXPECT_EQ(second->LayoutRect().Top, title->LayoutRect().Top);
    EXPECT_EQ(title->LayoutRect().Right, second->LayoutRect().Left);

    second->SetForceStacking(true);
    title->SetStopPercent(40);
    plot.CalcLayout(fixture.canvas);
    EXPECT_TRUE(second->StackedStart());
    EXPECT_TRUE(second->StackedStop());
}

TEST(PlotLayout, ToolBarIsPinnedAcrossTheTopOfTheControl) {
    TiPlot plot;
    plot.resize(500, 200);
    TRecordingCanvas canvas;
    plot.CalcLayout(canvas);
    const TRect& bar = plot.ToolBar(0)->LayoutRect();
    EXPECT_EQ(bar.Left, 2);
    EXPECT_EQ(bar.Right, 497);
    EXPECT_EQ(bar.Top, 2);
    EXPECT_EQ(bar.Bottom, 2 + plot.ToolBar(0)->RequiredThickness(canvas));
}

// The stored configuration of the main window's chart.
TEST(PlotLayout, MainWindowChartLeavesRoomForTheAxisEndLabelsUnderTheToolBar) {
    TiPlot plot;
    plot.SetTitleVisible(false);
    plot.SetBorderStyle(ibsNone);
    TRecordingCanvas canvas;
    for (const auto& [width, height] : {std::pair{500, 200}, {800, 400}, {1200, 300}}) {
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        plot.resize(width, height);
        plot.CalcLayout(canvas);
        plot.CalcLayout(canvas);
        const TRect& view = plot.DataView(0)->LayoutRect();
        const int overhang = std::max(0, plot.YAxis(0)->EndsMargin(canvas));
        const int toolBar = plot.ToolBar(0)->RequiredThickness(canvas);
        EXPECT_EQ(view.Top, 5 + std::max(toolBar, overhang) + overhang);
        EXPECT_EQ(plot.ToolBar(0)->LayoutRect().Top, 0);
        EXPECT_EQ(plot.ToolBar(0)->LayoutRect().Right, width - 1);
        EXPECT_LE(plot.XAxis(0)->LayoutRect().Top, height);
        EXPECT_GE(plot.XAxis(0)->LayoutRect().Top, view.Bottom);
        EXPECT_LE(plot.YAxis(0)->LayoutRect().Right, view.Left);
        EXPECT_GE(plot.Legend(0)->LayoutRect().Left, view.Right);
        EXPECT_LT(view.Left, view.Right);
        EXPECT_LT(view.Top, view.Bottom);
        EXPECT_LT(view.Right, width);
        EXPECT_LT(view.Bottom, height);
    }
}

TEST(PlotLayout, ReservedRectanglesMayNotOverlapAndStayInTheDataView) {
    LabelOnlyPlot fixture;
    TiPlot& plot = fixture.plot;
    plot.CalcLayout(fixture.canvas);
    const TRect view = plot.DataView(0)->LayoutRect();
    // The first reservation may lie anywhere.
    EXPECT_TRUE(plot.TryReserveRect({0, 0, 10, 10}));
    EXPECT_FALSE(plot.TryReserveRect({5, 5, 15, 15}));
    EXPECT_FALSE(plot.TryReserveRect({view.Right - 5, view.Top, view.Right + 5, view.Top + 5}));
    EXPECT_TRUE(plot.TryReserveRect({view.Left, view.Top, view.Left + 10, view.Top + 10}));
    EXPECT_TRUE(plot.TryReserveRect({view.Left + 10, view.Top, view.Left + 20, view.Top + 10}));
}
