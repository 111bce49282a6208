// The main window's chart as its set-up leaves it: the stored values of the
// configuration and those set at creation.
#include <gtest/gtest.h>

#include "feed/WaveformFeed.h"
#include "plot/iPlot.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotToolBar.h"

namespace {

TEST(MainChart, SetUpAppliesTheStoredConfiguration) {
    TiPlot plot;
    plot.resize(500, 200);
    SetUpMainChart(plot);
    EXPECT_EQ(plot.BorderStyle(), ibsNone);
    EXPECT_EQ(plot.Channel(0)->TitleText(), "数据");
    EXPECT_EQ(plot.TitleText(), "数据波形图");
    EXPECT_FALSE(plot.TitleVisible());
    EXPECT_EQ(plot.XAxis(0)->TrackingStyle(), iptsScrollSmooth);
    EXPECT_EQ(plot.YAxis(0)->TrackingStyle(), iptsScaleMinMax);
    EXPECT_DOUBLE_EQ(plot.XAxis(0)->Span(), 1);
    EXPECT_EQ(plot.XAxis(0)->Title(), "Time (Seconds)");

    // Without a bevel the background reaches the edges, and the toolbar
    // spans the full width from the very edge.
    const QImage picture = plot.RenderImage();
    for (const QPoint edge : {QPoint(0, 100), QPoint(499, 100), QPoint(0, 199), QPoint(499, 199)})
        EXPECT_EQ(picture.pixel(edge) & 0xFFFFFF, 0u) << edge.x() << "," << edge.y();
    EXPECT_EQ(plot.ToolBar(0)->LayoutRect().Left, 0);
}

}  // namespace
