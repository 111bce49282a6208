#include "plot/iPlotLabel.h"

#include <cmath>

#include "plot/iDrawingHelpers.h"

namespace {

constexpr unsigned kFormatLeft = 17;
constexpr unsigned kFormatCenter = 18;
constexpr unsigned kFormatRight = 20;
constexpr int kReadingUpward = 1;

int CharacterPixels(double characters, int unit) {
    return static_cast<int>(std::nearbyint(characters * unit));
}

}  // namespace

TiPlotLabel::TiPlotLabel(TiPlotHost* owner, TiPlotObjectHandlers handlers)
    : TiPlotLayoutObject(owner, std::move(handlers)) {
    SetHorizontal(true);
    font_.SetName("Arial");
    font_.SetSize(14);
    font_.SetStyle(fsBold);
    font_.SetColor(clWhite);
    font_.OnChange = [this] { DoChange(); };
}

const TiPublishedTable& TiPlotLabel::PublishedTable() {
    static const TiPublishedTable table =
        TiPublishedTableBuilder<TiPlotLabel>("TiPlotLabel", &TiPlotLayoutObject::PublishedTable())
            .Float("MarginLeft", &TiPlotLabel::MarginLeft, &TiPlotLabel::SetMarginLeft,
                   kCharacterRange)
            .Float("MarginTop", &TiPlotLabel::MarginTop, &TiPlotLabel::SetMarginTop,
                   kCharacterRange)
            .Float("MarginRight", &TiPlotLabel::MarginRight, &TiPlotLabel::SetMarginRight,
                   kCharacterRange)
            .Float("MarginBottom", &TiPlotLabel::MarginBottom, &TiPlotLabel::SetMarginBottom,
                   kCharacterRange)
            .String("Caption", &TiPlotLabel::Caption, &TiPlotLabel::SetCaption)
            .Enumeration("Alignment", &TiPlotLabel::Alignment, &TiPlotLabel::SetAlignment,
                         {"iahCenter", "iahLeft", "iahRight"})
            .Object("Font", &TiPlotLabel::Font)
            .Build();
    return table;
}

void TiPlotLabel::SetMarginLeft(double value) {
    SetProperty(marginLeft_, value, &TiPlotObject::DoChange);
}

void TiPlotLabel::SetMarginTop(double value) {
    SetProperty(marginTop_, value, &TiPlotObject::DoChange);
}

void TiPlotLabel::SetMarginRight(double value) {
    SetProperty(marginRight_, value, &TiPlotObject::DoChange);
}

void TiPlotLabel::SetMarginBottom(double value) {
    SetProperty(marginBottom_, value, &TiPlotObject::DoChange);
}

void TiPlotLabel::SetCaption(const std::string& value) {
    SetProperty(caption_, value, &TiPlotObject::DoChange);
}

void TiPlotLabel::SetAlignment(TiAlignmentHorizontal value) {
    SetProperty(alignment_, value, &TiPlotObject::DoChange);
}

TiPlotLabel::Measures TiPlotLabel::Measure(TCanvas& canvas) {
    canvas.Font() = font_;
    const int zeroWidth = TextBlockWidth(canvas, "0");
    const int zeroHeight = TextBlockHeight(canvas, "0");
    Measures margins;
    margins.Top = CharacterPixels(marginTop_, zeroHeight);
    margins.Bottom = CharacterPixels(marginBottom_, zeroHeight);
    margins.Left = CharacterPixels(marginLeft_, zeroWidth);
    margins.Right = CharacterPixels(marginRight_, zeroWidth);
    margins.Thickness = TextBlockHeight(canvas, caption_) + margins.Top + margins.Bottom;
    return margins;
}

int TiPlotLabel::RequiredThickness(TCanvas& canvas) {
    return Measure(canvas).Thickness;
}

void TiPlotLabel::Draw(TCanvas& canvas, TColor) {
    if (!Visible())
        return;
    const Measures margins = Measure(canvas);
    canvas.Font() = font_;
    canvas.Brush().SetStyle(bsClear);
    if (IsHorizontal())
        DrawHorizontal(canvas, margins);
    else
        DrawVertical(canvas, margins);
}

void TiPlotLabel::DrawHorizontal(TCanvas& canvas, const Measures& margins) {
    const TRect& rect = LayoutRect();
    TRect inner{rect.Left + margins.Left, rect.Top + margins.Top, rect.Right - margins.Right,
                rect.Bottom - margins.Bottom};
    const unsigned format = alignment_ == iahLeft    ? kFormatLeft
                            : alignment_ == iahRight ? kFormatRight
                                                     : kFormatCenter;
    DrawFormattedText(canvas, caption_, inner, format);
}

void TiPlotLabel::DrawVertical(TCanvas& canvas, const Measures& margins) {
    const TRect& rect = LayoutRect();
    const int textWidth = TextBlockWidth(canvas, caption_);
    int centreY = (rect.Top + rect.Bottom) / 2;
    if (alignment_ == iahLeft)
        centreY = rect.Bottom - textWidth / 2 - margins.Left;
    if (alignment_ == iahRight)
        centreY = rect.Top + textWidth / 2 + margins.Right;
    // The margins turn with the text: top and bottom margins run across.
    const TRect across{rect.Left + margins.Top, centreY, rect.Right - margins.Bottom, centreY};
    TRect textBox;
    DrawRotatedText(canvas, caption_, across, textBox, kReadingUpward);
}
