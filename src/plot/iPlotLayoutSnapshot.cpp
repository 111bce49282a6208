#include "plot/iPlotLayoutSnapshot.h"

#include "plot/iPlotAxis.h"
#include "plot/iPlotLayoutManager.h"

TiPlotLayoutSnapshot::TiPlotLayoutSnapshot(const TiPlotLayoutManager& manager,
                                           const std::vector<TiPlotAxis*>& axes) {
    for (TiPlotObject* object : manager.Objects()) {
        const auto* placed = static_cast<const TiPlotLayoutObject*>(object);
        places_.push_back({placed->LayoutRect(), placed->StackedStart(), placed->StackedStop(),
                           placed->FarSide()});
    }
    for (const TiPlotAxis* axis : axes) {
        Scale scale{axis->Min(), axis->Span(), axis->LabelsMinLength(), axis->ScaleRect(), {}};
        scale.Ticks.reserve(axis->Ticks().size());
        for (const TiPlotTickObject& tick : axis->Ticks())
            scale.Ticks.push_back({tick.Minor, tick.Value, tick.Text});
        scales_.push_back(std::move(scale));
    }
}
