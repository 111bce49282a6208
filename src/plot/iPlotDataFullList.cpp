#include "plot/iPlotDataFullList.h"

TiPlotDataPoint TiPlotDataFullList::GetPoint(int Index) const {
    return PointOf(At(Index));
}

void TiPlotDataFullList::GetPoints(int First, std::span<TiPlotDataPoint> Out) const {
    CopyPoints(First, Out, [](const TiPlotFullPoint& point, int) { return PointOf(point); });
}

TiPlotFullPoint TiPlotDataFullList::NewPoint(double X, double Y) const {
    TiPlotFullPoint point{X, Y, 0.0, 0.0, 0.0, 0.0, Attributes(), false, false};
    point.Attributes.MarkerCharacter = 0;
    return point;
}

int TiPlotDataFullList::Add(double X, double Y) {
    return Store(NewPoint(X, Y));
}

void TiPlotDataFullList::AddPoints(std::span<const double> X, std::span<const double> Y) {
    const TiPlotFullPoint point = NewPoint(0.0, 0.0);
    StoreAll(X.size(), [&](std::size_t i) {
        TiPlotFullPoint item = point;
        item.X = X[i];
        item.Y = Y[i];
        return item;
    });
}
