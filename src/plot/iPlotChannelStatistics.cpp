#include "plot/iPlotChannelStatistics.h"

void TiPlotChannelStatistics::Reset() {
    totals_ = Totals();
    pendingCount_ = 0;
}

void TiPlotChannelStatistics::FoldPending() const {
    Totals local = totals_;
    for (int i = 0; i < pendingCount_; ++i)
        local.Add(pending_[i]);
    totals_ = local;
    pendingCount_ = 0;
}

void TiPlotChannelStatistics::AddAll(std::span<const double> X, std::span<const double> Y) {
    // The inputs could alias the totals; a local copy keeps them in registers.
    Totals local = Folded();
    for (size_t i = 0; i < X.size(); ++i)
        local.Add(TPair{X[i], Y[i]});
    totals_ = local;
}

void TiPlotChannelStatistics::RecalculateFrom(const TiPlotDataCustomList& List) {
    Reset();
    for (int i = 0; i < List.Count(); ++i) {
        const TiPlotDataPoint point = List.GetPoint(i);
        if (!point.Null && !point.Empty)
            totals_.Add(TPair{point.X, point.Y});
    }
}
