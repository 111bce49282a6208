#include "plot/iXYPlotChannel.h"

TiXYPlotChannel::TiXYPlotChannel(TiPlotComponent* owner, TiPlotObjectHandlers handlers)
    : TiPlotChannelCustom(owner, std::move(handlers)) {}
