#include "plot/iPlotDataCompactIntervalList.h"

TiPlotDataPoint TiPlotDataCompactIntervalList::GetPoint(int Index) const {
    return {GetX(Index), At(Index), false, false};
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

void TiPlotDataCompactIntervalList::Clear() {
    TiPlotDataCustomList::Clear();
    Interval_ = UnknownInterval;
}
