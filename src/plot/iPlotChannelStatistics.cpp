#include "plot/iPlotChannelStatistics.h"

void TiPlotChannelStatistics::Reset() {
    MinX_ = MinY_ = 1e300;
    MaxX_ = MaxY_ = -1e300;
    StatCount_ = 0;
    SumX_ = SumY_ = TiCompensatedSum();
}

void TiPlotChannelStatistics::RecalculateFrom(const TiPlotDataCustomList& List) {
    Reset();
    for (int i = 0; i < List.Count(); ++i) {
        const TiPlotDataPoint point = List.GetPoint(i);
        if (!point.Null && !point.Empty)
            Add(point.X, point.Y);
    }
}
