#include "gdi/RecordingCanvas.h"

#include <QImage>
#include <cmath>

#include "gdi/Metafile.h"

std::vector<TCanvasCall> TRecordingCanvas::CallsNamed(const std::string& name) const {
    std::vector<TCanvasCall> result;
    for (const TCanvasCall& call : calls_)
        if (call.Name == name)
            result.push_back(call);
    return result;
}

TCanvasCall& TRecordingCanvas::Record(std::string name, std::vector<int> args) {
    TCanvasCall& call = calls_.emplace_back();
    call.Name = std::move(name);
    call.Args = std::move(args);
    call.Pen = Pen();
    call.Brush = Brush();
    call.Font = Font();
    return call;
}

std::vector<int> TRecordingCanvas::Flatten(std::span<const TPoint> points) {
    std::vector<int> args;
    for (TPoint p : points) {
        args.push_back(p.X);
        args.push_back(p.Y);
    }
    return args;
}

std::vector<int> TRecordingCanvas::Flatten(const TRect& r) {
    return {r.Left, r.Top, r.Right, r.Bottom};
}

void TRecordingCanvas::DrawLine(TPoint from, TPoint to) {
    Record("Line", {from.X, from.Y, to.X, to.Y});
}

void TRecordingCanvas::Polyline(std::span<const TPoint> points) {
    Record("Polyline", Flatten(points));
}

void TRecordingCanvas::Rectangle(const TRect& rect) {
    Record("Rectangle", Flatten(rect));
}
void TRecordingCanvas::Ellipse(const TRect& rect) {
    Record("Ellipse", Flatten(rect));
}
void TRecordingCanvas::Polygon(std::span<const TPoint> points) {
    Record("Polygon", Flatten(points));
}
void TRecordingCanvas::FillRect(const TRect& rect) {
    Record("FillRect", Flatten(rect)).Color = Brush().Color();
}
void TRecordingCanvas::FillSolidRect(const TRect& rect, TColor color) {
    Record("FillSolidRect", Flatten(rect)).Color = color;
}
void TRecordingCanvas::DrawFocusRect(const TRect& rect) {
    Record("FocusRect", Flatten(rect));
}

void TRecordingCanvas::Draw(int x, int y, const QImage& image) {
    Record("Draw", {x, y, image.width(), image.height()});
}

void TRecordingCanvas::StretchDraw(const TRect& rect, const QImage& image) {
    std::vector<int> args = Flatten(rect);
    args.push_back(image.width());
    args.push_back(image.height());
    Record("StretchDraw", std::move(args));
}

void TRecordingCanvas::PlayMetafile(const TRect& rect, const TMetafile& metafile) {
    Record("PlayMetafile", Flatten(rect)).Text = metafile.Description();
}

void TRecordingCanvas::ApplyClip(const std::optional<TRect>& clip) {
    if (clip)
        Record("Clip", Flatten(*clip));
    else
        Record("Clip", {});
}

void TRecordingCanvas::DrawTextLine(int x, int y, const QString& text) {
    Record("Text", {x, y}).Text = text.toStdString();
}

int TRecordingCanvas::MeasureTextWidth(const QString& text) {
    return int(text.size()) * CharWidthFor(Font());
}

int TRecordingCanvas::CharWidthFor(const TFont& font) {
    return int(std::lround(0.55 * font.PixelHeight()));
}

int TRecordingCanvas::LineHeightFor(const TFont& font) {
    return int(std::lround(1.2 * font.PixelHeight()));
}
