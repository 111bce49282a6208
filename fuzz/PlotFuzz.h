#pragma once
// What the plot targets share: a fresh plot per run (so runs do not depend on
// each other) or one plot for all runs whose channels each run resets, a
// paint of it, and the configuration as text to compare.

#include <memory>

#include "plot/iPlot.h"
#include "plot/iPropertyText.h"

class TiPlotChannelCustom;

std::unique_ptr<TiPlot> NewFuzzPlot();
// One plot with `channels` channels for every run of a target that reads
// into single channels: building a plot per run costs more than those
// readers do, and floods libFuzzer's coverage bookkeeping with the edges of
// building it.
TiPlot& SharedFuzzPlot(int channels);
// Gives `channel` a fresh channel's properties again, so that a run does not
// depend on what the runs before it read.
void ResetFuzzChannel(TiPlotChannelCustom& channel);
// Paints the plot onto a small image, as the screen would; a paint that
// raises is what the screen shows as the error text, not a fault.
void PaintFuzzPlot(TiPlot& plot);
TiStringList FuzzPlotConfig(TiPlot& plot);
