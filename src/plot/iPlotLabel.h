#pragma once
// A label is a line (or a few lines) of text placed by the layout like a
// toolbar or an axis: the chart title above the plot, or a caption beside it.
// Label 0 is the plot's title.

#include <string>

#include "plot/iPlotObjects.h"

enum TiAlignmentHorizontal { iahCenter, iahLeft, iahRight };

class TiPlotLabel : public TiPlotLayoutObject {
  public:
    TiPlotLabel(TiPlotHost* owner, TiPlotObjectHandlers handlers);
    TiPlotObjectKind Kind() const override { return ipokLabel; }
    static bool OfKind(TiPlotObjectKind kind) { return kind == ipokLabel; }

    static const TiPublishedTable& PublishedTable();
    const TiPublishedTable& Published() const override { return PublishedTable(); }

    // Margins in characters of Font: left and right in widths of "0", top and
    // bottom in its heights.
    double MarginLeft() const { return marginLeft_; }
    void SetMarginLeft(double value);
    double MarginTop() const { return marginTop_; }
    void SetMarginTop(double value);
    double MarginRight() const { return marginRight_; }
    void SetMarginRight(double value);
    double MarginBottom() const { return marginBottom_; }
    void SetMarginBottom(double value);
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    TiAlignmentHorizontal Alignment() const { return alignment_; }
    void SetAlignment(TiAlignmentHorizontal value);
    TiFont& Font() { return font_; }
    void SetFont(const TFont& value) { font_ = value; }

    int RequiredThickness(TCanvas& canvas) override;
    void Draw(TCanvas& canvas, TColor backgroundColor) override;

  private:
    struct Measures {
        int Left = 0;
        int Top = 0;
        int Right = 0;
        int Bottom = 0;
        int Thickness = 0;
    };
    Measures Measure(TCanvas& canvas);
    void DrawHorizontal(TCanvas& canvas, const Measures& margins);
    void DrawVertical(TCanvas& canvas, const Measures& margins);

    double marginLeft_ = 0;
    double marginTop_ = 0;
    double marginRight_ = 0;
    double marginBottom_ = 0;
    std::string caption_;
    TiAlignmentHorizontal alignment_ = iahCenter;
    TiFont font_;
};
