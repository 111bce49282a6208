#include "plot/iPlotDataListFactory.h"

#include "plot/iPlotDataCompactIntervalList.h"
#include "plot/iPlotDataCompactList.h"
#include "plot/iPlotDataFullList.h"
#include "plot/iPlotDataNullList.h"

std::unique_ptr<TiPlotDataCustomList> CreatePlotDataList(TiPlotDataStyle Style) {
    switch (Style) {
        case ipdsCompact:
            return std::make_unique<TiPlotDataCompactList>();
        case ipdsCompactInterval:
            return std::make_unique<TiPlotDataCompactIntervalList>();
        case ipdsFullFeature:
            return std::make_unique<TiPlotDataFullList>();
        case ipdsStandard:
            break;
    }
    return std::make_unique<TiPlotDataNullList>();
}
