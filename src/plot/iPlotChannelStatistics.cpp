#include "plot/iPlotChannelStatistics.h"

void TiPlotChannelStatistics::Reset() {
    totals_ = Totals();
    pendingCount_ = 0;
}

void TiPlotChannelStatistics::FoldPending() const {
    Fold(totals_, size_t(pendingCount_), [this](size_t i) { return pending_[i]; });
    pendingCount_ = 0;
}

void TiPlotChannelStatistics::AddAll(std::span<const double> X, std::span<const double> Y) {
    Folded();
    Fold(totals_, X.size(), [&X, &Y](size_t i) { return TPair{X[i], Y[i]}; });
}

void TiPlotChannelStatistics::RecalculateFrom(const TiPlotDataCustomList& List) {
    Reset();
    for (int i = 0; i < List.Count(); ++i) {
        const TiPlotDataPoint point = List.GetPoint(i);
        if (!point.Null && !point.Empty)
            totals_.AddAny(TPair{point.X, point.Y});
    }
}
