#pragma once
// TCanvas: the one drawing surface every plot object paints on. The same
// paint routine runs on the screen's off-screen image, exported images, the
// vector metafile and the printer page, so everything device-specific sits
// behind the protected virtuals below.
//
// The canvas behaves like the classic device context the plot was designed
// for: a current pen, brush and font; MoveTo/LineTo leave out the end point;
// Rectangle and Ellipse take (Left, Top, Right, Bottom) with Right and Bottom
// outside the shape; text is placed by its top-left corner and drawn over a
// brush-coloured box unless the brush is clear.

#include <QString>
#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "gdi/Brush.h"
#include "gdi/Color.h"
#include "gdi/Font.h"
#include "gdi/Geometry.h"
#include "gdi/Pen.h"
#include "gdi/TextFormat.h"

class QImage;
class TMetafile;
class TTextCache;

enum TEdgeStyle { edSunken, edRaised };

class TCanvas {
  public:
    TCanvas();
    virtual ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TPen& Pen() { return pen_; }
    TBrush& Brush() { return brush_; }
    TFont& Font() { return font_; }

    // Lines
    void MoveTo(int x, int y) { penPos_ = {x, y}; }
    void LineTo(int x, int y);
    TPoint PenPos() const { return penPos_; }
    // Many separate lines in one call, each as MoveTo/LineTo would draw it;
    // the pen ends at the last line's end. Devices may draw them faster
    // together than one by one, never differently.
    void Lines(std::span<const TLineSegment> lines);
    virtual void Polyline(std::span<const TPoint> points) = 0;

    // Shapes: outlined with the pen, filled with the brush.
    virtual void Rectangle(const TRect& rect) = 0;
    void Rectangle(int left, int top, int right, int bottom) {
        Rectangle(TRect{left, top, right, bottom});
    }
    virtual void Ellipse(const TRect& rect) = 0;
    void Ellipse(int left, int top, int right, int bottom) {
        Ellipse(TRect{left, top, right, bottom});
    }
    virtual void Polygon(std::span<const TPoint> points) = 0;
    // Fills with the brush, no outline.
    virtual void FillRect(const TRect& rect) = 0;
    // A one-pixel frame in the brush colour.
    void FrameRect(const TRect& rect);
    void SetPixel(int x, int y, TColor color) { FillSolidRect({x, y, x + 1, y + 1}, color); }
    // The three-dimensional edge on all four sides, in system colours.
    void DrawEdge(const TRect& rect, TEdgeStyle style);
    // The dotted selection frame; drawing it twice removes it on the screen.
    virtual void DrawFocusRect(const TRect& rect) = 0;

    // Text, UTF-8. Extents ignore the font's rotation.
    void TextOut(int x, int y, std::string_view text);
    TSize TextExtent(std::string_view text);
    int TextWidth(std::string_view text) { return TextExtent(text).Width; }
    int TextHeight(std::string_view text) { return TextExtent(text).Height; }
    // Formats text into rect with DT_* flags. With DT_CALCRECT nothing is
    // drawn and rect's Right and Bottom are set to fit the text. Returns the
    // text height (for single-line DT_VCENTER / DT_BOTTOM text: from rect's
    // top to the bottom of the text).
    int DrawText(std::string_view text, TRect& rect, unsigned format);

    // Pictures
    virtual void Draw(int x, int y, const QImage& image) = 0;
    virtual void StretchDraw(const TRect& rect, const QImage& image) = 0;
    virtual void PlayMetafile(const TRect& rect, const TMetafile& metafile) = 0;

    // Clipping. Saved clips nest; TClipSaver restores on scope exit.
    void SetClipRect(const TRect& rect);
    void IntersectClipRect(const TRect& rect);
    void ResetClip();
    const std::optional<TRect>& ClipRect() const { return clip_; }
    void SaveClip() { savedClips_.push_back(clip_); }
    void RestoreClip();

    // Device
    virtual int PixelsPerInchX() const = 0;
    virtual int PixelsPerInchY() const = 0;
    // Device pixels per canvas pixel.
    virtual double PixelRatio() const { return 1.0; }
    // True when drawing into a vector metafile rather than pixels.
    virtual bool IsMetafile() const { return false; }

    // Text extents (and, where the device draws glyphs, laid-out texts) come
    // from and go into the cache from now on; nullptr works every text out on
    // the device again. The cache must outlive the loan.
    void LendTextCache(TTextCache* cache);

  protected:
    virtual void DrawLine(TPoint from, TPoint to) = 0;
    // One by one through DrawLine, unless the device knows better.
    virtual void DrawLines(std::span<const TLineSegment> lines);
    virtual void FillSolidRect(const TRect& rect, TColor color) = 0;
    virtual void ApplyClip(const std::optional<TRect>& clip) = 0;
    // One line of text with its top-left corner at (x, y), in the canvas font.
    virtual void DrawTextLine(int x, int y, const QString& text) = 0;
    virtual int MeasureTextWidth(const QString& text) = 0;
    virtual int FontLineHeight() = 0;

    // True once after the pen, brush or font changed: devices that cache a
    // converted object rebuild it then.
    bool TakePenChange() { return std::exchange(penChanged_, false); }
    bool TakeBrushChange() { return std::exchange(brushChanged_, false); }
    bool TakeFontChange() { return std::exchange(fontChanged_, false); }

    TTextCache* LentTextCache() const { return textCache_; }
    int TextWidthOf(const QString& text);

  private:
    void DrawLaidOutText(const TTextLayout& layout);
    int LineHeight();

    TPen pen_;
    TBrush brush_;
    TFont font_;
    bool penChanged_ = true;
    bool brushChanged_ = true;
    bool fontChanged_ = true;
    TPoint penPos_;
    std::optional<TRect> clip_;
    std::vector<std::optional<TRect>> savedClips_;
    TTextCache* textCache_ = nullptr;
};

class TClipSaver {
  public:
    explicit TClipSaver(TCanvas& canvas) : canvas_(canvas) { canvas_.SaveClip(); }
    ~TClipSaver() { canvas_.RestoreClip(); }
    TClipSaver(const TClipSaver&) = delete;
    TClipSaver& operator=(const TClipSaver&) = delete;

  private:
    TCanvas& canvas_;
};

// Restores pen, brush and font on scope exit, for helpers that borrow them.
class TCanvasStateSaver {
  public:
    explicit TCanvasStateSaver(TCanvas& canvas)
        : canvas_(canvas), pen_(canvas.Pen()), brush_(canvas.Brush()), font_(canvas.Font()) {}
    ~TCanvasStateSaver() {
        canvas_.Pen() = pen_;
        canvas_.Brush() = brush_;
        canvas_.Font() = font_;
    }
    TCanvasStateSaver(const TCanvasStateSaver&) = delete;
    TCanvasStateSaver& operator=(const TCanvasStateSaver&) = delete;

  private:
    TCanvas& canvas_;
    TPen pen_;
    TBrush brush_;
    TFont font_;
};

inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}
