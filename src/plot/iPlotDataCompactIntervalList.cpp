#include "plot/iPlotDataCompactIntervalList.h"

TiPlotDataPoint TiPlotDataCompactIntervalList::GetPoint(int Index) const {
    return {XAt(Index), At(Index), false, false};
}

void TiPlotDataCompactIntervalList::GetPoints(int First, std::span<TiPlotDataPoint> Out) const {
    CopyPoints(First, Out, [this](float y, int index) {
        return TiPlotDataPoint{XAt(index), y, false, false};
    });
}

bool TiPlotDataCompactIntervalList::CopyFloatYs(int First, std::span<float> Out) const {
    CopyPoints(First, Out, [](float y, int) { return y; });
    return true;
}

void TiPlotDataCompactIntervalList::SetX(int Index, double Value) {
    if (Index != 0 || Count() == 0)
        throw std::runtime_error(
            "Data Style does not support setting individual X-Value with the exception of the "
            "first X-Value");
    FirstX_ = Value;
    Touch();
}

void TiPlotDataCompactIntervalList::SetY(int Index, double Value) {
    At(Index) = ToCompactFloat(Value);
    Touch();
}

int TiPlotDataCompactIntervalList::Add(double X, double Y) {
    if (Count() == 0)
        FirstX_ = X;
    else if (Count() == 1 && Interval_ == UnknownInterval)
        Interval_ = X - FirstX_;
    const bool overwritesOldest = RingMode() && Count() == Capacity() && Count() > 0;
    const int slot = Store(ToCompactFloat(Y));
    if (overwritesOldest && Count() > 1)
        FirstX_ += Interval_;
    return slot;
}

void TiPlotDataCompactIntervalList::AddPoints(std::span<const double> X,
                                              std::span<const double> Y) {
    // The first two points fix where X starts and its spacing.
    std::size_t first = 0;
    for (; first < X.size() && Count() < 2; ++first)
        Add(X[first], Y[first]);
    const std::uint64_t addedBefore = AddedTotal();
    const int countBefore = Count();
    StoreAll(X.size() - first, [&](std::size_t i) { return ToCompactFloat(Y[first + i]); });
    // Each point that took the oldest one's slot moved the start on by one
    // interval, a sum at a time as Add does it.
    const std::uint64_t overwritten =
        AddedTotal() - addedBefore - std::uint64_t(Count() - countBefore);
    for (std::uint64_t i = 0; i < overwritten; ++i)
        FirstX_ += Interval_;
}

void TiPlotDataCompactIntervalList::Clear() {
    TiPlotDataCustomList::Clear();
    Interval_ = UnknownInterval;
}
