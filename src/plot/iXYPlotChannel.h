#pragma once
// The channel variant for X values in any order: every point is in the
// drawing range, the plain trace and markers are drawn, and the extents scan
// every point (all as TiPlotChannelCustom does).

#include "plot/iPlotChannelCustom.h"

class TiXYPlotChannel : public TiPlotChannelCustom {
  public:
    TiXYPlotChannel(TiPlotHost* owner, TiPlotObjectHandlers handlers);
};
