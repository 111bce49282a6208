#pragma once

#include <cmath>

#include "plot/iPlotAxisRange.h"

// Maps values to pixels along an axis and back. Channels call
// PositionToPixel for every point they draw, so on a linear axis it is one
// multiply, one subtraction and one rounding with a factor computed whenever
// the scale ends or the span change.
class TiAxisMapping {
  public:
    struct Scale {
        int LowEnd = 0;   // left end of a horizontal scale, top of a vertical one
        int HighEnd = 0;  // right end, respectively bottom
        bool Horizontal = true;
        bool Reverse = false;
    };

    void SetScale(const Scale& scale);
    // Scalars rather than a TiAxisRange: the axis has just stored one half of
    // its range, and reading both back as one block stalls the processor.
    void SetRange(double min, double span, TiPlotScaleType type) {
        // A scrolling axis moves Min alone, and the linear factor depends on
        // the span only.
        const bool sameFactor = type == ipstLinear && type_ == ipstLinear && span == range_.Span;
        range_.Min = min;
        range_.Span = span;
        type_ = type;
        if (!sameFactor) {
            Update();
        }
    }

    const Scale& ScaleEnds() const { return scale_; }
    int ScaleStart() const { return scaleStart_; }
    int ScaleStop() const { return scaleStop_; }
    double PixelsPerUnit() const { return pixelsPerUnit_; }

    int PositionToPixel(double value) const {
        if (degenerate_) {
            return middle_;
        }
        if (type_ == ipstLog10) {
            return LogPositionToPixel(value);
        }
        return ClampedPixel(scaleStart_ - std::nearbyint((value - range_.Min) * pixelsPerUnit_));
    }

    double PixelToPosition(double pixel) const;

    // The value's pixel lies on the scale; never for a value that is not a number.
    bool InRange(double value) const;

  private:
    // Off-scale values (and NaN) land at the clamp limit instead of
    // overflowing the conversion to int.
    static int ClampedPixel(double pixel) {
        if (!(pixel < kPixelLimit)) {
            return kPixelLimit;
        }
        if (pixel < -kPixelLimit) {
            return -kPixelLimit;
        }
        return static_cast<int>(pixel);
    }
    int LogPositionToPixel(double value) const;
    void Update();

    static constexpr int kPixelLimit = 32000;

    Scale scale_;
    TiAxisRange range_;
    TiPlotScaleType type_ = ipstLinear;
    int scaleStart_ = 0;
    int scaleStop_ = 0;
    int middle_ = 0;
    bool degenerate_ = true;
    double pixelsPerUnit_ = 0;
    double logMin_ = 0;   // log10 of the (log-safe) Min
    double logSpan_ = 0;  // decades covered by the (log-safe) range
};
