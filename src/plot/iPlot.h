#pragma once
// The strip-chart plot: a plot component that starts with one toolbar,
// legend, X axis, Y axis, channel, data view, data cursor and the title label,
// and whose channels are strip-chart channels.

#include "plot/iPlotChannel.h"
#include "plot/iPlotComponent.h"

class TiPlot : public TiPlotComponent {
  public:
    explicit TiPlot(QWidget* parent = nullptr);

    TiPlotChannel* Channel(int index) const override;
};
