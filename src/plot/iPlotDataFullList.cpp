#include "plot/iPlotDataFullList.h"

TiPlotDataPoint TiPlotDataFullList::GetPoint(int Index) const {
    const TiPlotFullPoint& point = At(Index);
    return {point.X, point.Y, point.Null, point.Empty};
}

int TiPlotDataFullList::Add(double X, double Y) {
    TiPlotFullPoint point{X, Y, 0.0, 0.0, 0.0, 0.0, Attributes(), false, false};
    point.Attributes.MarkerCharacter = 0;
    return Store(point);
}
