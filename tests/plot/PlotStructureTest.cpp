// How the plot tells its kinds of objects apart, the defaults a kind of plot
// gives the objects it makes, and what an axis learns from the plot about the
// channels drawn on it.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "plot/iPlot.h"
#include "plot/iPlotAnnotation.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotChannel.h"
#include "plot/iPlotDataCursor.h"
#include "plot/iPlotDataView.h"
#include "plot/iPlotLabel.h"
#include "plot/iPlotLayoutManager.h"
#include "plot/iPlotLegend.h"
#include "plot/iPlotLimit.h"
#include "plot/iPlotTable.h"
#include "plot/iPlotToolBar.h"

TEST(PlotObjectKinds, EachObjectIsOfItsOwnKindAndItsBasesOnly) {
    TiPlotComponent plot;
    struct Case {
        TiPlotObject* Object;
        TiPlotObjectKind Kind;
        bool LayoutObject;
    };
    const Case cases[] = {
        {plot.ToolBar(plot.AddToolBar()), ipokToolBar, true},
        {plot.Legend(plot.AddLegend()), ipokLegend, true},
        {plot.XAxis(plot.AddXAxis()), ipokXAxis, true},
        {plot.YAxis(plot.AddYAxis()), ipokYAxis, true},
        {plot.Channel(plot.AddChannel()), ipokChannel, false},
        {plot.DataView(plot.AddDataView()), ipokDataView, true},
        {plot.DataCursor(plot.AddDataCursor()), ipokDataCursor, false},
        {plot.Label(plot.AddLabel()), ipokLabel, true},
        {plot.Table(plot.AddTable()), ipokTable, true},
        {plot.Limit(plot.AddLimit()), ipokLimit, false},
        {plot.Annotation(plot.AddAnnotation()), ipokAnnotation, false},
        {&plot.Master().LayoutManager().HorzLevelMarker(), ipokLevelMarker, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Object->Name());
        EXPECT_EQ(c.Object->Kind(), c.Kind);
        EXPECT_EQ(KindCast<TiPlotLayoutObject>(c.Object) != nullptr, c.LayoutObject);
        EXPECT_EQ(KindCast<TiPlotAxis>(c.Object) != nullptr,
                  c.Kind == ipokXAxis || c.Kind == ipokYAxis);
        EXPECT_EQ(KindCast<TiPlotXAxis>(c.Object) != nullptr, c.Kind == ipokXAxis);
        EXPECT_EQ(KindCast<TiPlotChannelCustom>(c.Object) != nullptr, c.Kind == ipokChannel);
        EXPECT_EQ(KindCast<TiPlotButton>(c.Object), nullptr);
    }
    // Every object the layout stacks is among the layout manager's objects.
    for (const Case& c : cases)
        EXPECT_EQ(plot.Master().LayoutManager().IndexOf(c.Object) >= 0, c.LayoutObject)
            << c.Object->Name();
}

TEST(PlotObjectKinds, KindCastKeepsConstnessAndPassesNoneThrough) {
    TiPlot plot;
    const TiPlotObject* axis = plot.XAxis(0);
    const TiPlotAxis* asAxis = KindCast<TiPlotAxis>(axis);
    EXPECT_EQ(asAxis, plot.XAxis(0));
    EXPECT_EQ(KindCast<TiPlotYAxis>(axis), nullptr);
    EXPECT_EQ(KindCast<TiPlotAxis>(static_cast<TiPlotObject*>(nullptr)), nullptr);
}

TEST(PlotAxisDefaults, StripChartScrollsEveryXAxisItMakesAndAPlainPlotNone) {
    TiPlot strip;
    strip.AddXAxis();
    strip.AddYAxis();
    for (int i = 0; i < strip.XAxisCount(); ++i)
        EXPECT_EQ(strip.XAxis(i)->TrackingStyle(), iptsScrollSmooth) << i;
    for (int i = 0; i < strip.YAxisCount(); ++i)
        EXPECT_EQ(strip.YAxis(i)->TrackingStyle(), iptsScaleMinMax) << i;
    EXPECT_EQ(strip.XAxis(0)->TrackingAlignFirstStyle(), ipafsAuto);

    TiPlotComponent plain;
    EXPECT_EQ(plain.XAxis(plain.AddXAxis())->TrackingStyle(), iptsScaleMinMax);
    EXPECT_EQ(plain.XAxis(0)->TrackingAlignFirstStyle(), ipafsAuto);
}

TEST(PlotAxisDefaults, ALoadedConfigurationStillSetsTheTrackingStyle) {
    TiPlot plot;
    plot.XAxis(0)->SetTrackingStyle(iptsScaleMinMax);
    const std::string file = testing::TempDir() + "plot_structure_config.txt";
    plot.SaveProperties(file);

    TiPlot loaded;
    loaded.LoadProperties(file);
    EXPECT_EQ(loaded.XAxis(0)->TrackingStyle(), iptsScaleMinMax);
    std::remove(file.c_str());
}

TEST(PlotZoomToFit, AnAxisFitsTheChannelsDrawnOnItOnly) {
    TiPlotComponent plot;
    plot.AddXAxis();
    plot.AddYAxis();
    plot.AddYAxis();
    TiPlotChannelCustom& near = *plot.Channel(plot.AddChannel());
    TiPlotChannelCustom& far = *plot.Channel(plot.AddChannel());
    near.SetXAxisName(plot.XAxis(0)->Name());
    near.SetYAxisName(plot.YAxis(0)->Name());
    far.SetXAxisName(plot.XAxis(0)->Name());
    far.SetYAxisName(plot.YAxis(1)->Name());
    plot.DisableAllTracking();
    near.AddXY(2, -3);
    near.AddXY(4, 5);
    far.AddXY(10, 100);
    far.AddXY(12, 200);

    TiPlotYAxis& y = *plot.YAxis(0);
    y.SetMinSpan(1000, 1);
    y.ZoomToFit();
    EXPECT_DOUBLE_EQ(y.Min(), -3);
    EXPECT_DOUBLE_EQ(y.Span(), 8);

    TiPlotXAxis& x = *plot.XAxis(0);
    x.SetMinSpan(1000, 1);
    x.ZoomToFitFast();
    EXPECT_DOUBLE_EQ(x.Min(), 2);
    EXPECT_DOUBLE_EQ(x.Span(), 10);

    // No channel on it: the axis keeps its range.
    plot.AddYAxis();
    TiPlotYAxis& empty = *plot.YAxis(2);
    empty.SetMinSpan(7, 3);
    empty.ZoomToFit();
    EXPECT_DOUBLE_EQ(empty.Min(), 7);
    EXPECT_DOUBLE_EQ(empty.Span(), 3);
}
