#pragma once
// What tick generation and the layout passes read and leave behind: each
// layout object's rectangle, stacking and side, and each axis's range,
// labels minimum length, scale rectangle and ticks. A step of the paint that
// would start from a snapshot equal to the one an earlier run of the same
// step started from, with no change notice in between, finds what that run
// found; the plot skips it (TiPlotComponent::LayOut).

#include <string>
#include <vector>

#include "gdi/Geometry.h"

class TiPlotAxis;
class TiPlotLayoutManager;

class TiPlotLayoutSnapshot {
  public:
    TiPlotLayoutSnapshot(const TiPlotLayoutManager& manager, const std::vector<TiPlotAxis*>& axes);

    bool operator==(const TiPlotLayoutSnapshot&) const = default;

  private:
    struct Place {
        TRect Rect;
        bool StackedStart = false;
        bool StackedStop = false;
        bool FarSide = false;
        bool operator==(const Place&) const = default;
    };
    struct Tick {
        bool Minor = false;
        double Value = 0;
        std::string Text;
        bool operator==(const Tick&) const = default;
    };
    struct Scale {
        double Min = 0;
        double Span = 0;
        double LabelsMinLength = 0;
        TRect ScaleRect;
        std::vector<Tick> Ticks;
        bool operator==(const Scale&) const = default;
    };

    std::vector<Place> places_;
    std::vector<Scale> scales_;
};
