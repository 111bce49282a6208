#pragma once
// A canvas over any Qt paint device: the off-screen image the screen paint
// uses, exported bitmaps, the SVG metafile generator and the printer page.
// Pens, brushes and fonts are converted once per change, so a frame of many
// short lines costs little more than the lines themselves. On raster devices
// texts are drawn as glyph runs, which a lent text cache keeps laid out from
// one paint to the next.

#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QImage>
#include <QList>
#include <QPainter>
#include <optional>
#include <vector>

#include "gdi/Canvas.h"

class QPaintDevice;

class TPainterCanvas : public TCanvas {
  public:
    // Begins painting on the device; throws when the device cannot be painted.
    explicit TPainterCanvas(QPaintDevice& device);
    ~TPainterCanvas() override;

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
    int PixelsPerInchX() const override;
    int PixelsPerInchY() const override;
    double PixelRatio() const override;

    QPainter& Painter() { return painter_; }
    // Ends painting early, before the device is read back.
    void End() { painter_.end(); }

  protected:
    void DrawLine(TPoint from, TPoint to) override;
    void DrawLines(std::span<const TLineSegment> lines) override;
    void FillSolidRect(const TRect& rect, TColor color) override;
    void ApplyClip(const std::optional<TRect>& clip) override;
    void DrawTextLine(int x, int y, const QString& text) override;
    int MeasureTextWidth(const QString& text) override;
    int FontLineHeight() override;

  private:
    void UsePen();
    void UseTextPen();
    void UseBrush();
    void UseFont();
    void DrawTextAt(int x, int y, const QString& text);
    QList<QGlyphRun> GlyphsOf(const QString& text);
    QList<QGlyphRun> LayOutGlyphs(const QString& text) const;
    const QPoint* ToQPoints(std::span<const TPoint> points);
    bool FillsThinLines();
    QImage* WritableImage();

    QPaintDevice& device_;
    QPainter painter_;
    QPen qpen_;
    // Whether the painter's pen is qpen_, or else which text colour it is.
    bool painterHasPen_ = false;
    std::optional<QRgb> painterTextColor_;
    QBrush qbrush_;
    QFont qfont_;
    std::optional<QFontMetrics> metrics_;
    int ascent_ = 0;
    std::vector<QPoint> pointBuffer_;
};
