#pragma once
// Which pixels the raster engine's thin solid pen covers for a line that runs
// straight or steps aside by one pixel over its length, as at most two
// one-pixel-wide rectangles: filling them leaves the picture stroking the
// line leaves, at a fraction of the cost. The engine walks such a line along
// its longer direction (X when both are equal) from the end nearer the
// origin, leaving out the far end; a line that steps back by one pixel takes
// the step after its first pixel, one that steps forward only at its end.

#include <optional>

#include "gdi/Geometry.h"

struct TThinLineRuns {
    int Count = 0;
    TRect Runs[2];
};

// Nothing for a single point or a line that steps aside further: those are
// left to the stroker.
std::optional<TThinLineRuns> ThinLineRuns(const TLineSegment& line);
