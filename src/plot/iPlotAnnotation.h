#pragma once
// An annotation: a note the user places on the data view, with its own font,
// pen and brush. New annotations start from the plot's annotation defaults.
// Annotations live in a file of their own, not in the configuration; this
// program draws none.

#include "plot/iPlotObjects.h"

class TiPlotDataView;

class TiPlotAnnotation : public TiPlotManagerObject {
  public:
    TiPlotAnnotation(TiPlotComponent* owner, TiPlotObjectHandlers handlers);

    static const TiPublishedTable& PublishedTable();
    const TiPublishedTable& Published() const override { return PublishedTable(); }

    TiFont& Font() { return font_; }
    void SetFont(const TFont& value) { font_ = value; }
    TBrushStyle BrushStyle() const { return brushStyle_; }
    void SetBrushStyle(TBrushStyle value) {
        SetProperty(brushStyle_, value, &TiPlotObject::DoChange);
    }
    TColor BrushColor() const { return brushColor_; }
    void SetBrushColor(TColor value) { SetProperty(brushColor_, value, &TiPlotObject::DoChange); }
    TPenStyle PenStyle() const { return penStyle_; }
    void SetPenStyle(TPenStyle value) { SetProperty(penStyle_, value, &TiPlotObject::DoChange); }
    TColor PenColor() const { return penColor_; }
    void SetPenColor(TColor value) { SetProperty(penColor_, value, &TiPlotObject::DoChange); }
    int PenWidth() const { return penWidth_; }
    void SetPenWidth(int value) { SetProperty(penWidth_, value, &TiPlotObject::DoChange); }

    // The plot's data view 0, handed over before every paint.
    TiPlotDataView* DataView() const { return dataView_; }
    void SetDataView(TiPlotDataView* value) { dataView_ = value; }

    void ObjectRemoved(TiPlotObject* object) override;
    void ObjectFocused(TiPlotObject* object) override { YieldFocusTo(object); }
    void BuildPopupMenu(QMenu& menu) override;

  private:
    TiFont font_;
    TBrushStyle brushStyle_ = bsSolid;
    TColor brushColor_ = clWhite;
    TPenStyle penStyle_ = psSolid;
    TColor penColor_ = clWhite;
    int penWidth_ = 1;
    TiPlotDataView* dataView_ = nullptr;
};
