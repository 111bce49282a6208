#include "plot/iPlotAxisMapping.h"

#include <utility>

void TiAxisMapping::SetScale(const Scale& scale) {
    scale_ = scale;
    Update();
}

void TiAxisMapping::Update() {
    // A vertical scale grows upward, so its value origin is the bottom end.
    scaleStart_ = scale_.Horizontal ? scale_.LowEnd : scale_.HighEnd;
    scaleStop_ = scale_.Horizontal ? scale_.HighEnd : scale_.LowEnd;
    if (scale_.Reverse) {
        std::swap(scaleStart_, scaleStop_);
    }
    middle_ = (scaleStart_ + scaleStop_) / 2;
    degenerate_ = scaleStart_ == scaleStop_ || !(range_.Span > kAxisSpanFloor);
    pixelsPerUnit_ = degenerate_ ? 0 : (scaleStart_ - scaleStop_) / range_.Span;
    if (type_ == ipstLog10) {
        const TiAxisRange safe = LogSafeRange(range_);
        logMin_ = std::log10(safe.Min);
        logSpan_ = std::log10(safe.Max()) - logMin_;
    }
}

int TiAxisMapping::LogPositionToPixel(double value) const {
    if (logSpan_ == 0) {
        return 0;
    }
    const double logValue = value > 0 ? std::log10(value) : 0.0;
    return ClampedPixel(
        scaleStart_ - std::nearbyint((logValue - logMin_) * (scaleStart_ - scaleStop_) / logSpan_));
}

double TiAxisMapping::PixelToPosition(double pixel) const {
    const int a = scale_.LowEnd;
    const int b = scale_.HighEnd;
    if (a == b) {
        return range_.Min;
    }
    // Fraction of the way from Min to Max; vertical scales count upward.
    const bool fromLow = scale_.Horizontal != scale_.Reverse;
    const double f = fromLow ? (pixel - a) / (b - a) : (b - pixel) / (b - a);
    if (type_ == ipstLog10) {
        return std::pow(10.0, logMin_ + f * logSpan_);
    }
    return range_.Min + range_.Span * f;
}

bool TiAxisMapping::InRange(double value) const {
    if (std::isnan(value)) {
        return false;
    }
    const int pixel = PositionToPixel(value);
    return pixel >= scale_.LowEnd && pixel <= scale_.HighEnd;
}
