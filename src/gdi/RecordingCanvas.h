#pragma once
// A canvas that draws nothing and logs every call, for tests of layout and
// paint code. Text metrics are fixed so expected positions can be worked out
// by hand: each character is round(0.55 x font pixel height) wide and a line
// is round(1.2 x font pixel height) high (6 and 13 for the default -11 font).

#include <string>
#include <vector>

#include "gdi/Canvas.h"

struct TCanvasCall {
    std::string Name;       // "Line", "Rectangle", "Text", "Clip", ...
    std::vector<int> Args;  // coordinates in the call's order
    std::string Text;       // text drawn, UTF-8
    TPen Pen;               // pen, brush and font as they were at the call
    TBrush Brush;
    TFont Font;
    TColor Color = clBlack;  // explicit colour of pixels and solid fills
};

class TRecordingCanvas : public TCanvas {
  public:
    explicit TRecordingCanvas(int pixelsPerInch = 96) : pixelsPerInch_(pixelsPerInch) {}

    const std::vector<TCanvasCall>& Calls() const { return calls_; }
    void ClearCalls() { calls_.clear(); }
    // The calls with this name, in order.
    std::vector<TCanvasCall> CallsNamed(const std::string& name) const;

    void Polyline(std::span<const TPoint> points) override;
    void Rectangle(const TRect& rect) override;
    using TCanvas::Rectangle;
    void Ellipse(const TRect& rect) override;
    using TCanvas::Ellipse;
    void Polygon(std::span<const TPoint> points) override;
    void FillRect(const TRect& rect) override;
    void DrawFocusRect(const TRect& rect) override;
    void Draw(int x, int y, const QImage& image) override;
    void StretchDraw(const TRect& rect, const QImage& image) override;
    void PlayMetafile(const TRect& rect, const TMetafile& metafile) override;
    int PixelsPerInchX() const override { return pixelsPerInch_; }
    int PixelsPerInchY() const override { return pixelsPerInch_; }

    static int CharWidthFor(const TFont& font);
    static int LineHeightFor(const TFont& font);

  protected:
    void DrawLine(TPoint from, TPoint to) override;
    void FillSolidRect(const TRect& rect, TColor color) override;
    void ApplyClip(const std::optional<TRect>& clip) override;
    void DrawTextLine(int x, int y, const QString& text) override;
    int MeasureTextWidth(const QString& text) override;
    int FontLineHeight() override { return LineHeightFor(Font()); }

  private:
    TCanvasCall& Record(std::string name, std::vector<int> args);
    static std::vector<int> Flatten(std::span<const TPoint> points);
    static std::vector<int> Flatten(const TRect& rect);

    int pixelsPerInch_;
    std::vector<TCanvasCall> calls_;
};
