#pragma once
// What the plot targets share: a fresh plot per run (so runs do not depend on
// each other), a paint of it, and the configuration as text to compare.

#include <memory>

#include "plot/iPlot.h"
#include "plot/iPropertyText.h"

std::unique_ptr<TiPlot> NewFuzzPlot();
// Paints the plot onto a small image, as the screen would; a paint that
// raises is what the screen shows as the error text, not a fault.
void PaintFuzzPlot(TiPlot& plot);
TiStringList FuzzPlotConfig(TiPlot& plot);
