#pragma once
// Picks the list class that stores a channel's data style.

#include <memory>

#include "plot/iPlotDataCustomList.h"

// A new, empty list of the class that stores the given data style.
std::unique_ptr<TiPlotDataCustomList> CreatePlotDataList(TiPlotDataStyle Style);
