#pragma once
// A channel's running statistics: extremes and means of X and Y, kept with
// sums in extended precision so that adding a point costs constant time.

#include "plot/iPlotDataCustomList.h"

class TiPlotChannelStatistics {
  public:
    TiPlotChannelStatistics() { Reset(); }

    void Reset();
    void Add(double X, double Y);
    // Starts over from every point that is neither null nor empty.
    void RecalculateFrom(const TiPlotDataCustomList& List);

    double MinX() const { return MinX_; }
    double MaxX() const { return MaxX_; }
    double MeanX() const { return MeanX_; }
    double MinY() const { return MinY_; }
    double MaxY() const { return MaxY_; }
    double MeanY() const { return MeanY_; }
    int StatCount() const { return StatCount_; }

  private:
    double MinX_, MaxX_, MeanX_, MinY_, MaxY_, MeanY_;
    int StatCount_;
    long double SumX_, SumY_;
};
