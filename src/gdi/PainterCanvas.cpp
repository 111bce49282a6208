#include "gdi/PainterCanvas.h"

#include <QImage>
#include <QPaintEngine>
#include <QSvgRenderer>
#include <algorithm>
#include <stdexcept>

#include "gdi/Metafile.h"
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

// Fills an opaque run straight into the pixels, inside the image and the clip.
void WriteRun(QImage& image, TRect run, const std::optional<TRect>& clip, QRgb color) {
    run = IntersectRect(run, {0, 0, image.width(), image.height()});
    if (clip)
        run = IntersectRect(run, *clip);
    if (run.IsEmpty())
        return;
    const qsizetype stride = image.bytesPerLine() / qsizetype(sizeof(QRgb));
    QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(run.Top)) + run.Left;
    for (int y = run.Top; y < run.Bottom; ++y, row += stride)
        std::fill(row, row + run.Width(), color);
}

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
        painter_.setPen(QPen(ToQColor(pen.Color()), thin ? 0 : pen.Width(),
                             ToQtPenStyle(pen.Style()), thin ? Qt::FlatCap : Qt::RoundCap,
                             thin ? Qt::MiterJoin : Qt::RoundJoin));
    }
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
    const QColor color = painter_.pen().color();
    QImage* image = WritableImage();
    for (const TLineSegment& line : lines) {
        if (const std::optional<TThinLineRuns> runs = ThinLineRuns(line)) {
            for (int i = 0; i < runs->Count; ++i) {
                if (image)
                    WriteRun(*image, runs->Runs[i], ClipRect(), color.rgba());
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

void TPainterCanvas::FillSolidRect(const TRect& rect, TColor color) {
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
    const int orientation = Font().Orientation();
    painter_.save();
    painter_.translate(x, y);
    if (orientation != 0)
        painter_.rotate(-orientation / 10.0);
    if (Brush().Style() == bsSolid)
        painter_.fillRect(QRect(0, 0, metrics_->horizontalAdvance(text), metrics_->height()),
                          ToQColor(Brush().Color()));
    painter_.setPen(ToQColor(Font().Color()));
    painter_.drawText(0, metrics_->ascent(), text);
    painter_.restore();
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
