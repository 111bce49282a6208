#include "plot/iPlotAxesControl.h"

#include <cstdlib>

#include "plot/iPlotAxis.h"
#include "plot/iPlotHost.h"

namespace {

TiAxesToFollow OneKind(bool x) {
    return x ? TiAxesToFollow{true, false} : TiAxesToFollow{false, true};
}

}  // namespace

TiAxesToFollow WheelAxesToFollow(TiPlotAxesControlStyle style, bool shift) {
    switch (style) {
        case ipacsXAxis:
            return OneKind(!shift);
        case ipacsYAxis:
            return OneKind(shift);
        case ipacsBoth:
            break;
    }
    return {true, true};
}

TiAxesToFollow TiAxesDragChoice::Follow(TiPlotAxesControlStyle style, bool shift, int dx, int dy) {
    if (style != ipacsBoth) {
        return WheelAxesToFollow(style, shift);
    }
    if (shift && !m_made) {
        if (std::abs(dx) >= DecisiveDistance) {
            m_made = true;
            m_isX = true;
        }
        if (std::abs(dy) >= DecisiveDistance) {
            m_made = true;
            m_isX = false;
        }
    }
    return m_made ? OneKind(m_isX) : TiAxesToFollow{true, true};
}

void ForEachPlotAxis(const TiPlotHost& plot, const std::function<void(TiPlotAxis&)>& step,
                     TiAxesToFollow kinds) {
    if (kinds.X) {
        for (int i = 0; i < plot.XAxisCount(); ++i)
            step(*plot.XAxis(i));
    }
    if (kinds.Y) {
        for (int i = 0; i < plot.YAxisCount(); ++i)
            step(*plot.YAxis(i));
    }
}
