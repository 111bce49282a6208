#pragma once
// The compact data style: X and Y as 32-bit floats, 8 bytes a point, no null
// or empty marks.

#include <cmath>
#include <limits>

#include "plot/iPlotDataCustomList.h"

// Nearest 32-bit float; values beyond its range become infinities instead of
// an undefined conversion.
inline float ToCompactFloat(double Value) {
    if (std::fabs(Value) > std::numeric_limits<float>::max() && std::isfinite(Value))
        return std::copysign(std::numeric_limits<float>::infinity(),
                             static_cast<float>(Value > 0 ? 1 : -1));
    return static_cast<float>(Value);
}

struct TiPlotCompactPoint {
    float X;
    float Y;
};

class TiPlotDataCompactList : public TiPlotDataArrayList<TiPlotCompactPoint, 8> {
  public:
    double GetX(int Index) const override { return At(Index).X; }
    double GetY(int Index) const override { return At(Index).Y; }
    TiPlotDataPoint GetPoint(int Index) const override;
    void SetX(int Index, double Value) override;
    void SetY(int Index, double Value) override;
    int Add(double X, double Y) override;
    void AddPoints(std::span<const double> X, std::span<const double> Y) override;
    void GetPoints(int First, std::span<TiPlotDataPoint> Out) const override;
    bool CopyFloatYs(int First, std::span<float> Out) const override;

  private:
    static TiPlotDataPoint PointOf(const TiPlotCompactPoint& Point) {
        return {Point.X, Point.Y, false, false};
    }
};
