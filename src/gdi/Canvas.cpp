#include "gdi/Canvas.h"

#include <typeinfo>
#include <utility>

#include "gdi/TextCache.h"

TCanvas::TCanvas() {
    pen_.OnChange = [this] { penChanged_ = true; };
    brush_.OnChange = [this] { brushChanged_ = true; };
    font_.OnChange = [this] { fontChanged_ = true; };
}

TCanvas::~TCanvas() = default;

void TCanvas::LineTo(int x, int y) {
    DrawLine(penPos_, {x, y});
    penPos_ = {x, y};
}

void TCanvas::Lines(std::span<const TLineSegment> lines) {
    if (lines.empty())
        return;
    DrawLines(lines);
    penPos_ = lines.back().To;
}

void TCanvas::DrawLines(std::span<const TLineSegment> lines) {
    for (const TLineSegment& line : lines)
        DrawLine(line.From, line.To);
}

void TCanvas::FrameRect(const TRect& r) {
    if (r.IsEmpty())
        return;
    const TColor color = brush_.Color();
    FillSolidRect({r.Left, r.Top, r.Right, r.Top + 1}, color);
    FillSolidRect({r.Left, r.Bottom - 1, r.Right, r.Bottom}, color);
    FillSolidRect({r.Left, r.Top, r.Left + 1, r.Bottom}, color);
    FillSolidRect({r.Right - 1, r.Top, r.Right, r.Bottom}, color);
}

void TCanvas::DrawEdge(const TRect& r, TEdgeStyle style) {
    if (r.IsEmpty())
        return;
    // Outer ring first, then the inner one, each lit from the top left.
    struct TRing {
        TColor TopLeft;
        TColor BottomRight;
    };
    const TRing sunken[] = {{clBtnShadow, clBtnHighlight}, {cl3DDkShadow, cl3DLight}};
    const TRing raised[] = {{cl3DLight, cl3DDkShadow}, {clBtnHighlight, clBtnShadow}};
    const TRing* rings = style == edSunken ? sunken : raised;
    TRect ring = r;
    for (int i = 0; i < 2 && !ring.IsEmpty(); ++i) {
        FillSolidRect({ring.Left, ring.Top, ring.Right - 1, ring.Top + 1}, rings[i].TopLeft);
        FillSolidRect({ring.Left, ring.Top, ring.Left + 1, ring.Bottom - 1}, rings[i].TopLeft);
        FillSolidRect({ring.Left, ring.Bottom - 1, ring.Right, ring.Bottom}, rings[i].BottomRight);
        FillSolidRect({ring.Right - 1, ring.Top, ring.Right, ring.Bottom}, rings[i].BottomRight);
        ring = {ring.Left + 1, ring.Top + 1, ring.Right - 1, ring.Bottom - 1};
    }
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
    const QString line = FromUtf8(text);
    DrawTextLine(x, y, line);
    penPos_ = {x + TextWidthOf(line), y};
}

TSize TCanvas::TextExtent(std::string_view text) {
    return {TextWidthOf(FromUtf8(text)), LineHeight()};
}

void TCanvas::LendTextCache(TTextCache* cache) {
    textCache_ = cache;
    if (cache)
        cache->UseDevice({&typeid(*this), PixelsPerInchX(), PixelsPerInchY(), PixelRatio()});
}

int TCanvas::TextWidthOf(const QString& text) {
    if (!textCache_)
        return MeasureTextWidth(text);
    if (const std::optional<int> width = textCache_->Width(font_, text))
        return *width;
    const int width = MeasureTextWidth(text);
    textCache_->StoreWidth(font_, text, width);
    return width;
}

int TCanvas::LineHeight() {
    if (!textCache_)
        return FontLineHeight();
    if (const std::optional<int> height = textCache_->LineHeight(font_))
        return *height;
    const int height = FontLineHeight();
    textCache_->StoreLineHeight(font_, height);
    return height;
}

int TCanvas::DrawText(std::string_view text, TRect& rect, unsigned format) {
    const TTextLayout layout =
        LayOutText(FromUtf8(text), rect, format, LineHeight(),
                   [this](const QString& line) { return TextWidthOf(line); });
    if (format & DT_CALCRECT) {
        rect.Right = rect.Left + layout.Width;
        rect.Bottom = rect.Top + layout.Height;
        return layout.ReturnHeight;
    }
    if (format & DT_NOCLIP) {
        DrawLaidOutText(layout);
    } else {
        TClipSaver saver(*this);
        IntersectClipRect(rect);
        DrawLaidOutText(layout);
    }
    return layout.ReturnHeight;
}

void TCanvas::DrawLaidOutText(const TTextLayout& layout) {
    for (const TTextLine& line : layout.Lines) {
        DrawTextLine(line.X, line.Y, line.Text);
        if (line.UnderlinedChar < 0)
            continue;
        const int left = line.X + TextWidthOf(line.Text.left(line.UnderlinedChar));
        const int right = left + TextWidthOf(line.Text.mid(line.UnderlinedChar, 1));
        const int y = line.Y + LineHeight() - 2;
        FillSolidRect({left, y, right, y + 1}, font_.Color());
    }
}

void TCanvas::SetClipRect(const TRect& rect) {
    clip_ = rect;
    ApplyClip(clip_);
}

void TCanvas::IntersectClipRect(const TRect& rect) {
    clip_ = clip_ ? IntersectRect(*clip_, rect) : rect;
    ApplyClip(clip_);
}

void TCanvas::ResetClip() {
    clip_.reset();
    ApplyClip(clip_);
}

void TCanvas::RestoreClip() {
    if (savedClips_.empty())
        return;
    clip_ = savedClips_.back();
    savedClips_.pop_back();
    ApplyClip(clip_);
}
