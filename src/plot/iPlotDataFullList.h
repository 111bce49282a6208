#pragma once
// The full-feature data style: every point carries null and empty marks, the
// high-low values and its own copy of the channel's drawing attributes, taken
// when the point was added.

#include "plot/iPlotDataCustomList.h"

struct TiPlotFullPoint {
    double X;
    double Y;
    double High;
    double Low;
    double Open;
    double Close;
    TiPlotDataAttributes Attributes;
    bool Null;
    bool Empty;
};

class TiPlotDataFullList : public TiPlotDataArrayList<TiPlotFullPoint, 136> {
  public:
    double GetX(int Index) const override { return At(Index).X; }
    double GetY(int Index) const override { return At(Index).Y; }
    bool GetNull(int Index) const override { return At(Index).Null; }
    bool GetEmpty(int Index) const override { return At(Index).Empty; }
    double GetHigh(int Index) const override { return At(Index).High; }
    double GetLow(int Index) const override { return At(Index).Low; }
    double GetOpen(int Index) const override { return At(Index).Open; }
    double GetClose(int Index) const override { return At(Index).Close; }
    TiPlotDataPoint GetPoint(int Index) const override;

    void SetX(int Index, double Value) override { Write(Index, &TiPlotFullPoint::X, Value); }
    void SetY(int Index, double Value) override { Write(Index, &TiPlotFullPoint::Y, Value); }
    void SetNull(int Index, bool Value) override { Write(Index, &TiPlotFullPoint::Null, Value); }
    void SetEmpty(int Index, bool Value) override { Write(Index, &TiPlotFullPoint::Empty, Value); }
    void SetHigh(int Index, double Value) override { Write(Index, &TiPlotFullPoint::High, Value); }
    void SetLow(int Index, double Value) override { Write(Index, &TiPlotFullPoint::Low, Value); }
    void SetOpen(int Index, double Value) override { Write(Index, &TiPlotFullPoint::Open, Value); }
    void SetClose(int Index, double Value) override {
        Write(Index, &TiPlotFullPoint::Close, Value);
    }

    TiPlotDataAttributes GetPointAttributes(int Index) const override {
        return At(Index).Attributes;
    }
    void SetPointAttributes(int Index, const TiPlotDataAttributes& Value) override {
        Write(Index, &TiPlotFullPoint::Attributes, Value);
    }
    int Add(double X, double Y) override;
    void AddPoints(std::span<const double> X, std::span<const double> Y) override;
    void GetPoints(int First, std::span<TiPlotDataPoint> Out) const override;

  private:
    static TiPlotDataPoint PointOf(const TiPlotFullPoint& Point) {
        return {Point.X, Point.Y, Point.Null, Point.Empty};
    }
    TiPlotFullPoint NewPoint(double X, double Y) const;
    template <class Field>
    void Write(int Index, Field TiPlotFullPoint::*Member, const Field& Value) {
        At(Index).*Member = Value;
        Touch();
    }
};
