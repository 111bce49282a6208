#include "plot/iPlotLimit.h"

#include "plot/iPlotAxis.h"
#include "plot/iPlotHost.h"

TiPlotLimit::TiPlotLimit(TiPlotHost* owner, TiPlotObjectHandlers handlers)
    : TiPlotManagerObject(owner, std::move(handlers)) {}

const TiPublishedTable& TiPlotLimit::PublishedTable() {
    using L = TiPlotLimit;
    static const TiPublishedTable table =
        TiPublishedTableBuilder<L>("TiPlotLimit", &TiPlotObject::PublishedTable())
            .String("XAxisName", &L::XAxisName, &L::SetXAxisName)
            .String("YAxisName", &L::YAxisName, &L::SetYAxisName)
            .Float("Line1Position", &L::Line1Position, &L::SetLine1Position)
            .Float("Line2Position", &L::Line2Position, &L::SetLine2Position)
            .Build();
    return table;
}

void TiPlotLimit::SetXAxisName(const std::string& value) {
    if (xAxis_.SetName(value))
        DoChange();
}

void TiPlotLimit::SetYAxisName(const std::string& value) {
    if (yAxis_.SetName(value))
        DoChange();
}

void TiPlotLimit::SetLine1Position(double value) {
    MoveLine(1, line1Position_, value);
}

void TiPlotLimit::SetLine2Position(double value) {
    MoveLine(2, line2Position_, value);
}

void TiPlotLimit::MoveLine(int line, double& position, double value) {
    const double old = position;
    if (value == old)
        return;
    position = value;
    Owner()->DoLimitLinePositionChange(this, line, old, value);
    DoChange();
}

void TiPlotLimit::ObjectRemoved(TiPlotObject* object) {
    xAxis_.ObjectRemoved(object);
    yAxis_.ObjectRemoved(object);
}

bool TiPlotLimit::FollowsRenamesOf(const TiPlotObject& renamed) {
    return TiPlotAxis::OfKind(renamed.Kind());  // X and Y axes
}

void TiPlotLimit::ObjectRenamed(TiPlotObject* object) {
    if (KindCast<TiPlotXAxis>(object))
        xAxis_.ObjectRenamed(object);
    if (KindCast<TiPlotYAxis>(object))
        yAxis_.ObjectRenamed(object);
}

void TiPlotLimit::BuildPopupMenu(QMenu& menu) {
    TiPlotManagerObject::BuildPopupMenu(menu);
    AddEditItem(menu);
}
