#pragma once
// The standard data style: X and Y doubles and a flag word (null, empty and
// the point's own marker visibility and style), 24 bytes a point.

#include "plot/iPlotDataCustomList.h"

struct TiPlotStandardPoint {
    double X;
    double Y;
    std::uint32_t Flags;
};

class TiPlotDataNullList : public TiPlotDataArrayList<TiPlotStandardPoint, 24> {
  public:
    double GetX(int Index) const override { return At(Index).X; }
    double GetY(int Index) const override { return At(Index).Y; }
    bool GetNull(int Index) const override;
    bool GetEmpty(int Index) const override;
    TiPlotDataPoint GetPoint(int Index) const override;
    void SetX(int Index, double Value) override;
    void SetY(int Index, double Value) override;
    void SetNull(int Index, bool Value) override;
    void SetEmpty(int Index, bool Value) override;
    TiPlotDataAttributes GetPointAttributes(int Index) const override;
    void SetPointAttributes(int Index, const TiPlotDataAttributes& Value) override;
    int Add(double X, double Y) override;
    void AddPoints(std::span<const double> X, std::span<const double> Y) override;
    void GetPoints(int First, std::span<TiPlotDataPoint> Out) const override;

  private:
    static TiPlotDataPoint PointOf(const TiPlotStandardPoint& Point);
    std::uint32_t NewPointFlags() const;
    void SetFlagBits(int Index, std::uint32_t Mask, std::uint32_t Bits);
};
