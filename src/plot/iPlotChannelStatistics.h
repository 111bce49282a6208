#pragma once
// A channel's running statistics: extremes and means of X and Y, kept with
// running sums so that adding a point costs constant time. The means are
// divided out when read, not with every point.

#include <span>

#include "plot/iPlotDataCustomList.h"

// A running sum carried as a double and its accumulated rounding error, at
// least as precise as an 80-bit sum but free of the x87 load and store that
// an 80-bit sum costs with every point.
class TiCompensatedSum {
  public:
    void Add(double Value) {
        const double sum = High_ + Value;
        const double back = sum - High_;
        Low_ += (High_ - (sum - back)) + (Value - back);
        High_ = sum;
    }
    long double Value() const { return static_cast<long double>(High_) + Low_; }

  private:
    double High_ = 0.0;
    double Low_ = 0.0;
};

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
        SumX_.Add(X);
        SumY_.Add(Y);
    }
    // The same as Add for each point in turn, with the running values kept
    // in registers: the inputs could alias the members, a local copy cannot.
    void AddAll(std::span<const double> X, std::span<const double> Y) {
        TiPlotChannelStatistics local = *this;
        for (size_t i = 0; i < X.size(); ++i)
            local.Add(X[i], Y[i]);
        *this = local;
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
    double MeanOf(const TiCompensatedSum& Sum) const {
        return StatCount_ == 0 ? 0.0 : static_cast<double>(Sum.Value() / StatCount_);
    }

    double MinX_, MaxX_, MinY_, MaxY_;
    int StatCount_;
    TiCompensatedSum SumX_, SumY_;
};
