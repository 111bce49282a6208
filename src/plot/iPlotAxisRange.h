#pragma once

#include <algorithm>

// The arithmetic of an axis's visible range: clamping, tracking new values,
// scrolling and zooming. Pure functions over (Min, Span) so the rules can be
// checked without a plot; TiPlotAxis applies the results through SetMinSpan.

enum TiPlotScaleType { ipstLinear, ipstLog10 };

enum TiPlotTrackingStyle {
    iptsScaleMinMax,
    iptsScaleMax,
    iptsScaleMin,
    iptsScrollSmooth,
    iptsScrollPage,
    iptsExpandCollapse,
    iptsExpandCollapseFast
};

enum TiPlotAlignFirstStyle { ipafsMin, ipafsMax, ipafsAuto, ipafsNone };

struct TiAxisRange {
    double Min = 0;
    double Span = 100;

    double Max() const { return Min + Span; }
    bool operator==(const TiAxisRange&) const = default;
};

// Limits no range may pass, so pixel arithmetic never overflows a double.
inline constexpr double kAxisMinLimit = 1e300;
inline constexpr double kAxisSpanFloor = 1e-300;
inline constexpr double kAxisSpanCeiling = 1e300;

inline double ClampAxisMin(double value) {
    return std::clamp(value, -kAxisMinLimit, kAxisMinLimit);
}

inline double ClampAxisSpan(double value) {
    return std::clamp(value, kAxisSpanFloor, kAxisSpanCeiling);
}

// The lowest and highest of a set of values; Low above High when empty.
struct TiPlotExtents {
    double Low;
    double High;
};

// A logarithmic axis cannot start at or below zero nor have an empty span.
TiAxisRange LogSafeRange(TiAxisRange range);

struct TiAxisTrackingRule {
    TiPlotTrackingStyle Style = iptsScaleMinMax;
    TiPlotAlignFirstStyle AlignFirst = ipafsNone;
    double ScrollCompressMax = 0;  // 0 = the scroll styles keep their span
};

// The range after a channel reports value x. FirstValue is true for the first
// value since creation or RestartTracking. The fit styles are not handled here
// (they need the channels) and return the range unchanged, as does a value
// that is not finite.
TiAxisRange TrackedRange(const TiAxisTrackingRule& rule, const TiAxisRange& range,
                         bool firstValue, double x);

// Multiply the span about the centre (toolbar zoom). Throws for a linear
// factor not above zero.
TiAxisRange ZoomedRange(TiAxisRange range, TiPlotScaleType scale, double factor);

// Divide the span by 10^exponent about the centre (drag, wheel, keys).
TiAxisRange ZoomStepRange(TiAxisRange range, TiPlotScaleType scale, double exponent);

struct TiAxisScrollLimits {
    bool Enabled = false;
    double Min = 0;
    double Max = 100;
};

// Move the range by fraction × span (by that fraction of its decades on a
// logarithmic axis, where the limits do not apply).
TiAxisRange ScrollStepRange(TiAxisRange range, TiPlotScaleType scale, double fraction,
                            const TiAxisScrollLimits& limits);
