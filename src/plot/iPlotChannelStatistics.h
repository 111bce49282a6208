#pragma once
// A channel's running statistics: extremes and means of X and Y, kept with
// sums in extended precision so that adding a point costs constant time. The
// means are divided out when read, not with every point.

#include "plot/iPlotDataCustomList.h"

class TiPlotChannelStatistics {
  public:
    TiPlotChannelStatistics() { Reset(); }

    void Reset();
    void Add(double X, double Y) {
        if (X > MaxX_)
            MaxX_ = X;
        if (X < MinX_)
            MinX_ = X;
        if (Y > MaxY_)
            MaxY_ = Y;
        if (Y < MinY_)
            MinY_ = Y;
        ++StatCount_;
        SumX_ += X;
        SumY_ += Y;
    }
    // Starts over from every point that is neither null nor empty.
    void RecalculateFrom(const TiPlotDataCustomList& List);

    double MinX() const { return MinX_; }
    double MaxX() const { return MaxX_; }
    double MeanX() const { return MeanOf(SumX_); }
    double MinY() const { return MinY_; }
    double MaxY() const { return MaxY_; }
    double MeanY() const { return MeanOf(SumY_); }
    int StatCount() const { return StatCount_; }

  private:
    double MeanOf(long double Sum) const {
        return StatCount_ == 0 ? 0.0 : static_cast<double>(Sum / StatCount_);
    }

    double MinX_, MaxX_, MinY_, MaxY_;
    int StatCount_;
    long double SumX_, SumY_;
};
