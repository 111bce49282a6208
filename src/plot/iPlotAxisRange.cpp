#include "plot/iPlotAxisRange.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

TiAxisRange LogSafeRange(TiAxisRange range) {
    if (!(range.Min > 0)) {
        range.Min = 1;
    }
    if (!(range.Span > 0)) {
        range.Span = 1;
    }
    return range;
}

namespace {

double AlignedFirstMin(TiPlotAlignFirstStyle style, TiAxisRange range, double x) {
    switch (style) {
        case ipafsMin:
            return x;
        case ipafsMax:
            return x - range.Span;
        case ipafsAuto:
            return (x < range.Min || x > range.Max()) ? x : range.Min;
        case ipafsNone:
            break;
    }
    return range.Min;
}

// The scroll styles may first widen the span to take in x, up to the
// compress limit, so a fresh trace fills the axis before it starts scrolling.
double CompressedSpan(const TiAxisTrackingRule& rule, TiAxisRange current, double m, double s,
                      double x) {
    if (rule.ScrollCompressMax == 0) {
        return s;
    }
    if (x - m > current.Span) {
        s = x - m;
    }
    if (current.Span > rule.ScrollCompressMax) {
        s = rule.ScrollCompressMax;
    }
    return s;
}

}  // namespace

TiAxisRange TrackedRange(const TiAxisTrackingRule& rule, const TiAxisRange& range,
                         bool firstValue, double x) {
    if (!std::isfinite(x)) {
        return range;
    }
    double m = range.Min;
    double s = range.Span;
    if (firstValue) {
        m = AlignedFirstMin(rule.AlignFirst, range, x);
    }
    const bool above = x > m + range.Span;
    switch (rule.Style) {
        case iptsScaleMinMax:
            if (above) {
                s = x - m;
            } else if (x < m) {
                m = x;
            }
            break;
        case iptsScaleMax:
            if (above) {
                s = x - m;
            }
            break;
        case iptsScaleMin:
            if (x < m) {
                m = x;
            }
            break;
        case iptsScrollSmooth:
            if (above) {
                s = CompressedSpan(rule, range, m, s, x);
                m = x - s;
            } else if (x < range.Min) {
                m = x;
            }
            break;
        case iptsScrollPage:
            if (above) {
                s = CompressedSpan(rule, range, m, s, x);
                m = m + s;
            } else if (x < range.Min) {
                m = m - s;
            }
            break;
        case iptsExpandCollapse:
        case iptsExpandCollapseFast:
            break;
    }
    return {m, s};
}

TiAxisRange ZoomedRange(TiAxisRange range, TiPlotScaleType scale, double factor) {
    if (scale == ipstLog10) {
        const double k = std::pow(10.0, factor);
        return {range.Min / k, k * range.Span};
    }
    if (!(factor > 0)) {
        throw std::runtime_error("Linear Scale Zoom Factor must be Greater than Zero");
    }
    const double span = factor * range.Span;
    return {(range.Min + range.Max()) / 2 - span / 2, span};
}

TiAxisRange ZoomStepRange(TiAxisRange range, TiPlotScaleType scale, double exponent) {
    const double k = std::pow(10.0, exponent);
    if (scale == ipstLog10) {
        return {k * range.Min, range.Span / k};
    }
    const double span = range.Span / k;
    return {(range.Min + range.Max()) / 2 - span / 2, span};
}

TiAxisRange ScrollStepRange(TiAxisRange range, TiPlotScaleType scale, double fraction,
                            const TiAxisScrollLimits& limits) {
    if (scale == ipstLog10) {
        const TiAxisRange safe = LogSafeRange(range);
        const double decades = std::log10(safe.Max()) - std::log10(safe.Min);
        const double g = std::pow(10.0, fraction * decades);
        return {safe.Min * g, safe.Max() * g - safe.Min * g};
    }
    double min = range.Min + fraction * range.Span;
    if (limits.Enabled) {
        if (min <= limits.Min) {
            min = limits.Min;
        } else if (min + range.Span >= limits.Max) {
            min = limits.Max - range.Span;
        }
    }
    return {min, range.Span};
}
