#pragma once
// Which axes follow a drag or a wheel turn inside the data view when the
// data view drives the axes ("axes control").

#include <functional>

class TiPlotAxis;
class TiPlotHost;

enum TiPlotAxesControlStyle { ipacsXAxis, ipacsYAxis, ipacsBoth };

struct TiAxesToFollow {
    bool X = false;
    bool Y = false;
};

// The axes a wheel turn moves: the style's own kind, the other kind with
// Shift, or both kinds.
TiAxesToFollow WheelAxesToFollow(TiPlotAxesControlStyle style, bool shift);

// The axes a drag moves. With ipacsBoth and Shift the first clear movement
// decides the kind for the rest of the drag, so a roughly horizontal pan does
// not wobble the Y axes; a 4-pixel vertical movement wins over a horizontal
// one.
class TiAxesDragChoice {
  public:
    // A new press forgets the previous drag's choice.
    void Restart() { m_made = false; }

    // dx, dy: the pointer's offset from the press point.
    TiAxesToFollow Follow(TiPlotAxesControlStyle style, bool shift, int dx, int dy);

    bool Made() const { return m_made; }

  private:
    static constexpr int DecisiveDistance = 4;

    bool m_made = false;
    bool m_isX = false;
};

// Runs step on every X axis and then every Y axis of the plot, of the kinds
// asked for: the order every user action on "all axes" keeps.
void ForEachPlotAxis(const TiPlotHost& plot, const std::function<void(TiPlotAxis&)>& step,
                     TiAxesToFollow kinds = {true, true});
