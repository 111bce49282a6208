#include "plot/iPlotDataCompactList.h"

TiPlotDataPoint TiPlotDataCompactList::GetPoint(int Index) const {
    const TiPlotCompactPoint& point = At(Index);
    return {point.X, point.Y, false, false};
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
