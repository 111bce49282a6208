#include "plot/iPlotChannelStatistics.h"

void TiPlotChannelStatistics::Reset() {
    MinX_ = MinY_ = 1e300;
    MaxX_ = MaxY_ = -1e300;
    MeanX_ = MeanY_ = 0.0;
    StatCount_ = 0;
    SumX_ = SumY_ = 0.0L;
}

void TiPlotChannelStatistics::Add(double X, double Y) {
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
    MeanX_ = static_cast<double>(SumX_ / StatCount_);
    MeanY_ = static_cast<double>(SumY_ / StatCount_);
}

void TiPlotChannelStatistics::RecalculateFrom(const TiPlotDataCustomList& List) {
    Reset();
    for (int i = 0; i < List.Count(); ++i) {
        const TiPlotDataPoint point = List.GetPoint(i);
        if (!point.Null && !point.Empty)
            Add(point.X, point.Y);
    }
}
