#include "plot/iPlotDataCompactList.h"

TiPlotDataPoint TiPlotDataCompactList::GetPoint(int Index) const {
    return PointOf(At(Index));
}

void TiPlotDataCompactList::GetPoints(int First, std::span<TiPlotDataPoint> Out) const {
    CopyPoints(First, Out, [](const TiPlotCompactPoint& point, int) { return PointOf(point); });
}

bool TiPlotDataCompactList::CopyFloatYs(int First, std::span<float> Out) const {
    CopyPoints(First, Out, [](const TiPlotCompactPoint& point, int) { return point.Y; });
    return true;
}

void TiPlotDataCompactList::SetX(int Index, double Value) {
    At(Index).X = ToCompactFloat(Value);
    Touch();
}

void TiPlotDataCompactList::SetY(int Index, double Value) {
    At(Index).Y = ToCompactFloat(Value);
    Touch();
}

int TiPlotDataCompactList::Add(double X, double Y) {
    return Store({ToCompactFloat(X), ToCompactFloat(Y)});
}

void TiPlotDataCompactList::AddPoints(std::span<const double> X, std::span<const double> Y) {
    StoreAll(X.size(), [&](std::size_t i) {
        return TiPlotCompactPoint{ToCompactFloat(X[i]), ToCompactFloat(Y[i])};
    });
}
