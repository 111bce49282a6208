#include "plot/iXYPlotChannel.h"

TiXYPlotChannel::TiXYPlotChannel(TiPlotHost* owner, TiPlotObjectHandlers handlers)
    : TiPlotChannelCustom(owner, std::move(handlers)) {}
