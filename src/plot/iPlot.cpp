#include "plot/iPlot.h"

#include "plot/iPlotChannel.h"
#include "plot/iPlotLabel.h"
#include "plot/iPlotLayoutManager.h"
#include "plot/iPlotLegend.h"
#include "plot/iPlotToolBar.h"

TiPlot::TiPlot(QWidget* parent) : TiPlotComponent(parent) {
    BeginUpdate();
    Master().SetChannelClass([](TiPlotHost* owner, const TiPlotObjectHandlers& handlers) {
        return std::make_unique<TiPlotChannel>(owner, handlers);
    });
    // Strip charts scroll their X axes so the newest point stays at the right end.
    Master().XAxisManager().SetNewAxisDefaults(
        [](TiPlotXAxis& axis) { axis.SetTrackingStyle(iptsScrollSmooth); });
    TiPlotLayoutManager& layout = Master().LayoutManager();
    layout.SetEnabled(false);
    ToolBar(AddToolBar())->SetZOrder(3);
    Legend(AddLegend())->SetZOrder(2);
    AddXAxis();
    AddYAxis();
    AddChannel();
    AddDataView();
    AddDataCursor();
    TiPlotLabel* title = Label(AddLabel());
    title->SetZOrder(2);
    title->SetName("Title");
    title->SetCaption("Untitled");
    title->SetMarginBottom(0);
    layout.SetEnabled(true);
    EndUpdate();
}

TiPlotChannel* TiPlot::Channel(int index) const {
    return static_cast<TiPlotChannel*>(TiPlotComponent::Channel(index));
}
