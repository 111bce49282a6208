#pragma once
// Axes for trace tests: X 0..XSpan over pixels 0..Width, Y 0..YSpan over
// Height..0 (upward), as a data view of that size would give them.

#include "plot/iPlotAxisMapping.h"
#include "plot/iPlotChannelDraw.h"

struct TraceTestAxes {
    TraceTestAxes(double XMin, double XSpan, double YMin, double YSpan, int Width, int Height) {
        XMap.SetScale({0, Width, true, false});
        XMap.SetRange(XMin, XSpan, ipstLinear);
        YMap.SetScale({0, Height, false, false});
        YMap.SetRange(YMin, YSpan, ipstLinear);
        Axes.X = &XMap;
        Axes.Y = &YMap;
        Axes.XMin = XMin;
        Axes.XMax = XMin + XSpan;
        Axes.YMin = YMin;
        Axes.YMax = YMin + YSpan;
        Axes.PercentTop = 0;
        Axes.PercentBottom = Height;
    }

    TiAxisMapping XMap;
    TiAxisMapping YMap;
    TiPlotTraceAxes Axes;
};
