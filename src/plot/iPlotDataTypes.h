#pragma once
// Enumerations and the drawing-attribute block shared by a channel and its
// data list.

#include <cstdint>

#include "gdi/Brush.h"
#include "gdi/Color.h"
#include "gdi/Pen.h"

enum TiPlotDataStyle { ipdsStandard, ipdsCompact, ipdsCompactInterval, ipdsFullFeature };

enum TiPlotLineStyle : std::uint8_t { iplsSolid, iplsDash, iplsDot, iplsDashDot, iplsDashDotDot };

enum TiPlotMarkerStyle : std::uint8_t {
    ipmsCircle,
    ipmsSquare,
    ipmsDiamond,
    ipmsCross,
    ipmsPlus,
    ipmsTriangleUp,
    ipmsTriangleDown,
    ipmsTriangleLeft,
    ipmsTriangleRight,
    ipmsVerticalLine,
    ipmsHorizontalLine,
    ipmsCharacter
};

// The channel's trace, marker and bar settings. Wide fields first so that a
// full-feature point that embeds the block stays within its 136 bytes.
struct TiPlotDataAttributes {
    double BarReference = 0.0;
    double BarWidth = 0.0;
    TColor TraceColor = 0;
    std::int32_t TraceWidth = 0;
    std::int32_t MarkerSize = 0;
    TColor MarkerPenColor = 0;
    std::int32_t MarkerPenWidth = 0;
    TColor MarkerBrushColor = 0;
    TColor BarPenColor = 0;
    std::int32_t BarPenWidth = 0;
    TColor BarBrushColor = 0;
    TPenStyle MarkerPenStyle = psSolid;
    TBrushStyle MarkerBrushStyle = bsSolid;
    TPenStyle BarPenStyle = psSolid;
    TBrushStyle BarBrushStyle = bsSolid;
    TiPlotLineStyle TraceStyle = iplsSolid;
    bool MarkerVisible = false;
    TiPlotMarkerStyle MarkerStyle = ipmsCircle;
    char MarkerCharacter = 0;
    bool BarVisible = true;
};
