#include "gdi/PainterCanvas.h"

#include <QImage>
#include <QPaintEngine>
#include <QSvgRenderer>
#include <QTextLayout>
#include <algorithm>
#include <stdexcept>

#include "gdi/Metafile.h"
#include "gdi/TextCache.h"
#include "gdi/ThinLineRuns.h"

namespace {

Qt::PenStyle ToQtPenStyle(TPenStyle style) {
    switch (style) {
        case psDash:
            return Qt::DashLine;
        case psDot:
            return Qt::DotLine;
        case psDashDot:
            return Qt::DashDotLine;
        case psDashDotDot:
            return Qt::DashDotDotLine;
        case psClear:
            return Qt::NoPen;
        case psSolid:
        case psInsideFrame:
            break;
    }
    return Qt::SolidLine;
}

Qt::BrushStyle ToQtBrushStyle(TBrushStyle style) {
    switch (style) {
        case bsClear:
            return Qt::NoBrush;
        case bsHorizontal:
            return Qt::HorPattern;
        case bsVertical:
            return Qt::VerPattern;
        case bsFDiagonal:
            return Qt::BDiagPattern;  // Qt names the diagonals the other way
        case bsBDiagonal:
            return Qt::FDiagPattern;
        case bsCross:
            return Qt::CrossPattern;
        case bsDiagCross:
            return Qt::DiagCrossPattern;
        case bsSolid:
            break;
    }
    return Qt::SolidPattern;
}

QRect ToQRect(const TRect& r) {
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}

// Shapes take their outline inside (Left, Top, Right, Bottom): the pen runs
// along the last pixel row and column, as on the devices the plot was made for.
QRect OutlineRect(const TRect& r) {
    return QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1);
}

// Opaque runs written straight into a 32-bit image's pixels, inside the
// image and the clip.
class TRunWriter {
  public:
    TRunWriter(QImage& image, const std::optional<TRect>& clip, QRgb color)
        : bounds_(clip ? IntersectRect({0, 0, image.width(), image.height()}, *clip)
                       : TRect{0, 0, image.width(), image.height()}),
          stride_(image.bytesPerLine() / qsizetype(sizeof(QRgb))),
          pixels_(reinterpret_cast<QRgb*>(image.bits())),
          color_(color) {}

    void Fill(const TRect& rect) const {
        const TRect run = IntersectRect(rect, bounds_);
        if (run.IsEmpty())
            return;
        QRgb* row = pixels_ + run.Top * stride_ + run.Left;
        for (int y = run.Top; y < run.Bottom; ++y, row += stride_)
            std::fill(row, row + run.Width(), color_);
    }

  private:
    TRect bounds_;
    qsizetype stride_;
    QRgb* pixels_;
    QRgb color_;
};

}  // namespace

TPainterCanvas::TPainterCanvas(QPaintDevice& device) : device_(device) {
    if (!painter_.begin(&device))
        throw std::runtime_error("Canvas does not allow drawing");
}

TPainterCanvas::~TPainterCanvas() {
    if (painter_.isActive())
        painter_.end();
}

void TPainterCanvas::UsePen() {
    if (TakePenChange()) {
        const TPen& pen = Pen();
        // Widths 0 and 1 are the cosmetic hairline; a flat cap leaves out the
        // end point of a line the way LineTo does.
        const bool thin = pen.Width() <= 1;
        qpen_ = QPen(ToQColor(pen.Color()), thin ? 0 : pen.Width(), ToQtPenStyle(pen.Style()),
                     thin ? Qt::FlatCap : Qt::RoundCap, thin ? Qt::MiterJoin : Qt::RoundJoin);
        painterHasPen_ = false;
    }
    if (!painterHasPen_) {
        painter_.setPen(qpen_);
        painterHasPen_ = true;
        painterTextColor_.reset();
    }
}

// Text is drawn with a pen of the font's colour, which stays on the painter
// until lines need the canvas pen again.
void TPainterCanvas::UseTextPen() {
    const QRgb color = ToQColor(Font().Color()).rgb();
    if (painterTextColor_ == color)
        return;
    painter_.setPen(QColor::fromRgb(color));
    painterTextColor_ = color;
    painterHasPen_ = false;
}

void TPainterCanvas::UseBrush() {
    if (!TakeBrushChange())
        return;
    qbrush_ = QBrush(ToQColor(Brush().Color()), ToQtBrushStyle(Brush().Style()));
    painter_.setBrush(qbrush_);
}

void TPainterCanvas::UseFont() {
    if (!TakeFontChange())
        return;
    const TFont& font = Font();
    qfont_ = QFont(QString::fromStdString(font.Name()));
    qfont_.setPixelSize(std::max(1, font.PixelHeight()));
    qfont_.setBold(font.Has(fsBold));
    qfont_.setItalic(font.Has(fsItalic));
    qfont_.setUnderline(font.Has(fsUnderline));
    qfont_.setStrikeOut(font.Has(fsStrikeOut));
    painter_.setFont(qfont_);
    metrics_.emplace(qfont_, &device_);
    ascent_ = metrics_->ascent();
}

const QPoint* TPainterCanvas::ToQPoints(std::span<const TPoint> points) {
    pointBuffer_.resize(points.size());
    for (size_t i = 0; i < points.size(); ++i)
        pointBuffer_[i] = QPoint(points[i].X, points[i].Y);
    return pointBuffer_.data();
}

void TPainterCanvas::DrawLine(TPoint from, TPoint to) {
    UsePen();
    painter_.drawLine(from.X, from.Y, to.X, to.Y);
}

// On the raster engine, lines of a thin solid pen that run straight or step
// aside by one pixel are filled as the runs of pixels stroking would cover:
// most lines of a dense trace are such. Every other line is stroked alone,
// since the stroker carries state from one line to the next within one call.
// Other devices (SVG, PDF) keep their lines as lines.
bool TPainterCanvas::FillsThinLines() {
    const TPen& pen = Pen();
    return pen.Width() <= 1 && (pen.Style() == psSolid || pen.Style() == psInsideFrame) &&
           painter_.paintEngine()->type() == QPaintEngine::Raster;
}

void TPainterCanvas::DrawLines(std::span<const TLineSegment> lines) {
    if (!FillsThinLines()) {
        TCanvas::DrawLines(lines);
        return;
    }
    UsePen();
    const QColor color = qpen_.color();
    QImage* image = WritableImage();
    const std::optional<TRunWriter> writer =
        image ? std::optional<TRunWriter>(std::in_place, *image, ClipRect(), color.rgba())
              : std::nullopt;
    for (const TLineSegment& line : lines) {
        if (const std::optional<TThinLineRuns> runs = ThinLineRuns(line)) {
            for (int i = 0; i < runs->Count; ++i) {
                if (writer)
                    writer->Fill(runs->Runs[i]);
                else
                    painter_.fillRect(ToQRect(runs->Runs[i]), color);
            }
        } else {
            painter_.drawLine(line.From.X, line.From.Y, line.To.X, line.To.Y);
        }
    }
}

// The image under the painter when an opaque fill may go straight into its
// pixels: a 32-bit image at one device pixel per pixel, painted without a
// transform or a composition other than plain source-over.
QImage* TPainterCanvas::WritableImage() {
    if (device_.devType() != QInternal::Image)
        return nullptr;
    auto& image = static_cast<QImage&>(device_);
    const QImage::Format format = image.format();
    const bool plain = format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
                       format == QImage::Format_ARGB32_Premultiplied;
    if (!plain || image.devicePixelRatio() != 1.0 || !painter_.worldTransform().isIdentity() ||
        painter_.compositionMode() != QPainter::CompositionMode_SourceOver)
        return nullptr;
    return &image;
}

void TPainterCanvas::Polyline(std::span<const TPoint> points) {
    if (points.size() < 2)
        return;
    UsePen();
    painter_.drawPolyline(ToQPoints(points), int(points.size()));
}

void TPainterCanvas::Rectangle(const TRect& rect) {
    UsePen();
    UseBrush();
    painter_.drawRect(OutlineRect(rect));
}

void TPainterCanvas::Ellipse(const TRect& rect) {
    UsePen();
    UseBrush();
    painter_.drawEllipse(OutlineRect(rect));
}

void TPainterCanvas::Polygon(std::span<const TPoint> points) {
    if (points.empty())
        return;
    UsePen();
    UseBrush();
    painter_.drawPolygon(ToQPoints(points), int(points.size()));
}

void TPainterCanvas::FillRect(const TRect& rect) {
    UseBrush();
    painter_.fillRect(ToQRect(rect), qbrush_);
}

// The one-pixel edges and marks drawn with it cost the raster engine far more
// per pixel than writing them; an empty or reversed rectangle is left to the
// painter, which has its own view of those.
void TPainterCanvas::FillSolidRect(const TRect& rect, TColor color) {
    QImage* image = rect.IsEmpty() ? nullptr : WritableImage();
    if (image)
        TRunWriter(*image, ClipRect(), ToQColor(color).rgba()).Fill(rect);
    else
        painter_.fillRect(ToQRect(rect), ToQColor(color));
}

void TPainterCanvas::DrawFocusRect(const TRect& rect) {
    if (rect.IsEmpty())
        return;
    painter_.save();
    QPen dotted(Qt::white, 0, Qt::DotLine, Qt::FlatCap);
    // Inverting makes a second call erase the first, which selection marks rely on.
    if (painter_.paintEngine()->hasFeature(QPaintEngine::RasterOpModes))
        painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    else
        dotted.setColor(Qt::gray);
    painter_.setPen(dotted);
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(OutlineRect(rect));
    painter_.restore();
}

void TPainterCanvas::Draw(int x, int y, const QImage& image) {
    painter_.drawImage(x, y, image);
}

void TPainterCanvas::StretchDraw(const TRect& rect, const QImage& image) {
    painter_.drawImage(ToQRect(rect), image);
}

void TPainterCanvas::PlayMetafile(const TRect& rect, const TMetafile& metafile) {
    QSvgRenderer renderer(metafile.Data());
    if (!renderer.isValid())
        return;
    painter_.save();
    renderer.render(&painter_, QRectF(ToQRect(rect)));
    painter_.restore();
}

void TPainterCanvas::ApplyClip(const std::optional<TRect>& clip) {
    if (clip)
        painter_.setClipRect(ToQRect(*clip));
    else
        painter_.setClipping(false);
}

void TPainterCanvas::DrawTextLine(int x, int y, const QString& text) {
    UseFont();
    UseTextPen();
    const int orientation = Font().Orientation();
    if (orientation == 0) {
        DrawTextAt(x, y, text);
        return;
    }
    // Turned about its top-left corner.
    painter_.save();
    painter_.translate(x, y);
    painter_.rotate(-orientation / 10.0);
    DrawTextAt(0, 0, text);
    painter_.restore();
}

void TPainterCanvas::DrawTextAt(int x, int y, const QString& text) {
    if (Brush().Style() == bsSolid)
        painter_.fillRect(QRect(x, y, TextWidthOf(text), metrics_->height()),
                          ToQColor(Brush().Color()));
    const QPointF baseline(x, y + ascent_);
    // Vector devices are given the text itself, so that it stays text there.
    if (painter_.paintEngine()->type() != QPaintEngine::Raster) {
        painter_.drawText(baseline, text);
        return;
    }
    for (const QGlyphRun& run : GlyphsOf(text))
        painter_.drawGlyphRun(baseline, run);
}

// From the lent cache where it has them; laid out here otherwise, so a
// picture is the same with the cache and without it.
QList<QGlyphRun> TPainterCanvas::GlyphsOf(const QString& text) {
    TTextCache* cache = LentTextCache();
    if (!cache)
        return LayOutGlyphs(text);
    if (const QList<QGlyphRun>* glyphs = cache->Glyphs(Font(), text))
        return *glyphs;
    return cache->StoreGlyphs(Font(), text, LayOutGlyphs(text));
}

// The text on one line from x = 0 with its baseline at y = 0, in the painter's
// direction, as drawText would set it: a line separator in it does not start
// another line.
QList<QGlyphRun> TPainterCanvas::LayOutGlyphs(const QString& text) const {
    QTextLayout layout(text, qfont_, &device_);
    QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setWrapMode(QTextOption::NoWrap);
    option.setTextDirection(painter_.layoutDirection());
    layout.setTextOption(option);
    layout.beginLayout();
    while (layout.createLine().isValid()) {
    }
    layout.endLayout();
    qreal x = 0;
    for (int i = 0; i < layout.lineCount(); ++i) {
        QTextLine line = layout.lineAt(i);
        line.setPosition({x, -line.ascent()});
        x += line.horizontalAdvance();
    }
    return layout.glyphRuns();
}

int TPainterCanvas::MeasureTextWidth(const QString& text) {
    UseFont();
    return metrics_->horizontalAdvance(text);
}

int TPainterCanvas::FontLineHeight() {
    UseFont();
    return metrics_->height();
}

int TPainterCanvas::PixelsPerInchX() const {
    return device_.logicalDpiX();
}
int TPainterCanvas::PixelsPerInchY() const {
    return device_.logicalDpiY();
}

double TPainterCanvas::PixelRatio() const {
    return device_.devicePixelRatioF();
}
