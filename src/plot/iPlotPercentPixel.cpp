#include "plot/iPlotPercentPixel.h"

#include <cmath>
#include <limits>

namespace {

// Halves go to even under the default rounding mode; values beyond the int
// range are pinned there instead of overflowing the conversion.
int RoundToPixel(double value) {
    constexpr double Lowest = std::numeric_limits<int>::min();
    constexpr double Highest = std::numeric_limits<int>::max();
    if (std::isnan(value)) {
        return 0;
    }
    const double rounded = std::nearbyint(value);
    if (rounded <= Lowest) {
        return std::numeric_limits<int>::min();
    }
    if (rounded >= Highest) {
        return std::numeric_limits<int>::max();
    }
    return static_cast<int>(rounded);
}

}  // namespace

double PixelToPercentAlongX(int x, int left, int right) {
    const int width = right - left;
    return width == 0 ? 0.0 : static_cast<double>(x - left) / width * 100.0;
}

double PixelToPercentAlongY(int y, int top, int bottom) {
    const int height = bottom - top;
    return height == 0 ? 0.0 : (1.0 - static_cast<double>(y - top) / height) * 100.0;
}

int PercentToPixelAlongX(double percent, int left, int right) {
    return RoundToPixel((right - left) * percent / 100.0 + left);
}

int PercentToPixelAlongY(double percent, int top, int bottom) {
    return RoundToPixel((bottom - top) * (100.0 - percent) / 100.0 + top);
}
