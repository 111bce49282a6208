#pragma once
// An annotation: a note the user places on the data view, with its own font,
// pen and brush. New annotations start from the plot's annotation defaults.
// Annotations live in a file of their own, not in the configuration; this
// program draws none.

#include "plot/iPlotObjects.h"

class TiPlotDataView;

// How an annotation looks; the plot keeps one as its annotation defaults.
struct TiPlotAnnotationStyle {
    TiFont Font;
    TBrushStyle BrushStyle = bsSolid;
    TColor BrushColor = clWhite;
    TPenStyle PenStyle = psSolid;
    TColor PenColor = clWhite;
    int PenWidth = 1;
};

class TiPlotAnnotation : public TiPlotManagerObject {
  public:
    TiPlotAnnotation(TiPlotHost* owner, TiPlotObjectHandlers handlers);
    TiPlotObjectKind Kind() const override { return ipokAnnotation; }
    static bool OfKind(TiPlotObjectKind kind) { return kind == ipokAnnotation; }

    static const TiPublishedTable& PublishedTable();
    const TiPublishedTable& Published() const override { return PublishedTable(); }

    TiFont& Font() { return style_.Font; }
    void SetFont(const TFont& value) { style_.Font = value; }
    TBrushStyle BrushStyle() const { return style_.BrushStyle; }
    void SetBrushStyle(TBrushStyle value) { SetLook(style_.BrushStyle, value); }
    TColor BrushColor() const { return style_.BrushColor; }
    void SetBrushColor(TColor value) { SetLook(style_.BrushColor, value); }
    TPenStyle PenStyle() const { return style_.PenStyle; }
    void SetPenStyle(TPenStyle value) { SetLook(style_.PenStyle, value); }
    TColor PenColor() const { return style_.PenColor; }
    void SetPenColor(TColor value) { SetLook(style_.PenColor, value); }
    int PenWidth() const { return style_.PenWidth; }
    void SetPenWidth(int value) { SetLook(style_.PenWidth, value); }
    // Every look at once (the font's change hook stays the annotation's).
    void SetStyle(const TiPlotAnnotationStyle& value);

    // The plot's data view 0, handed over before every paint.
    TiPlotDataView* DataView() const { return dataView_; }
    void SetDataView(TiPlotDataView* value) { dataView_ = value; }

    void ObjectRemoved(TiPlotObject* object) override;
    void ObjectFocused(TiPlotObject* object) override { YieldFocusTo(object); }
    void BuildPopupMenu(QMenu& menu) override;

  private:
    template <class T>
    void SetLook(T& field, const T& value) {
        SetProperty(field, value, &TiPlotObject::DoChange);
    }

    TiPlotAnnotationStyle style_;
    TiPlotDataView* dataView_ = nullptr;
};
