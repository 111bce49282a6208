#pragma once
// The compact interval data style: only Y is stored (a 32-bit float, 4 bytes a
// point); X is the first point's X plus the index times the spacing of the
// first two points. Later X values given to Add are ignored.

#include "plot/iPlotDataCompactList.h"

class TiPlotDataCompactIntervalList : public TiPlotDataArrayList<float, 4> {
  public:
    double Interval() const { return Interval_; }
    double FirstX() const { return FirstX_; }

    // Computed, so any index answers (GetX(-1) is the X before the first).
    double GetX(int Index) const override { return XAt(Index); }
    double GetY(int Index) const override { return At(Index); }
    TiPlotDataPoint GetPoint(int Index) const override;
    // Only the first point's X can be set; it moves the whole list.
    void SetX(int Index, double Value) override;
    void SetY(int Index, double Value) override;
    int Add(double X, double Y) override;
    void AddPoints(std::span<const double> X, std::span<const double> Y) override;
    void GetPoints(int First, std::span<TiPlotDataPoint> Out) const override;
    bool CopyFloatYs(int First, std::span<float> Out) const override;
    void Clear() override;

  private:
    double XAt(int Index) const { return Index * Interval_ + FirstX_; }
    static constexpr double UnknownInterval = -1.0;
    double Interval_ = UnknownInterval;
    double FirstX_ = 0.0;
};
