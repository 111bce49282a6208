#include "plot/iPlotAnnotation.h"

#include "plot/iPlotDataView.h"

TiPlotAnnotation::TiPlotAnnotation(TiPlotHost* owner, TiPlotObjectHandlers handlers)
    : TiPlotManagerObject(owner, std::move(handlers)) {
    style_.Font.SetColor(clWhite);
    style_.Font.OnChange = [this] { DoChange(); };
}

void TiPlotAnnotation::SetStyle(const TiPlotAnnotationStyle& value) {
    style_ = value;
    DoChange();
}

const TiPublishedTable& TiPlotAnnotation::PublishedTable() {
    using A = TiPlotAnnotation;
    static const TiPublishedTable table =
        TiPublishedTableBuilder<A>("TiPlotAnnotation", &TiPlotObject::PublishedTable())
            .Object("Font", &A::Font)
            .Enumeration("BrushStyle", &A::BrushStyle, &A::SetBrushStyle, BrushStyleNames())
            .Color("BrushColor", &A::BrushColor, &A::SetBrushColor)
            .Enumeration("PenStyle", &A::PenStyle, &A::SetPenStyle, PenStyleNames())
            .Color("PenColor", &A::PenColor, &A::SetPenColor)
            .Integer("PenWidth", &A::PenWidth, &A::SetPenWidth, kPixelRange)
            .Build();
    return table;
}

void TiPlotAnnotation::ObjectRemoved(TiPlotObject* object) {
    if (object == dataView_)
        dataView_ = nullptr;
}

void TiPlotAnnotation::BuildPopupMenu(QMenu& menu) {
    TiPlotManagerObject::BuildPopupMenu(menu);
    AddEditItem(menu);
}
