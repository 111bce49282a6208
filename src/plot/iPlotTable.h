#pragma once
// A table: a grid of texts the layout places beside the data view like a
// legend. The plot keeps tables so that stored configurations hold them;
// this program draws none, so a table takes no room.

#include "plot/iPlotObjects.h"

class TiPlotTable : public TiPlotLayoutObject {
  public:
    using TiPlotLayoutObject::TiPlotLayoutObject;
    TiPlotObjectKind Kind() const override { return ipokTable; }
    static bool OfKind(TiPlotObjectKind kind) { return kind == ipokTable; }

    // Nothing is drawn, so nothing is reserved and nothing is hit.
    bool HitTest(const TiPlotMouseData&) override { return false; }
    void ObjectFocused(TiPlotObject* object) override { YieldFocusTo(object); }
};
