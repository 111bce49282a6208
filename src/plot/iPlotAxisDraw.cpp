// The axis's scale geometry, ticks, measures for the layout and drawing.

#include <QScopedValueRollback>
#include <algorithm>
#include <cmath>
#include <vector>

#include "plot/iDrawingHelpers.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotAxisScale.h"
#include "plot/iPlotHost.h"

namespace {

int Round(double value) {
    return static_cast<int>(std::nearbyint(value));
}

TPenStyle GridPenStyle(int style) {
    switch (style) {
        case 1:
            return psDash;
        case 2:
            return psDot;
        default:
            return psSolid;
    }
}

}  // namespace

// ------------------------------------------------------------------- scale

void TiPlotAxis::CalcScale(TCanvas& canvas) {
    const bool cartesian = cartesianStyle_ != ipcsNone;
    const bool horizontal = Horizontal();
    if (cartesian) {
        side_ = horizontal ? 3 : 1;
    } else if (horizontal) {
        side_ = FarSide() ? 2 : 3;
    } else {
        side_ = FarSide() ? 1 : 0;
    }
    canvas.Font() = labelsFont_;
    const TRect& r = LayoutRect();
    if (!horizontal) {
        const int c = canvas.TextHeight("0");
        const int d = RotatedLabels() ? MaxLabelWidth(canvas, labelsFont_)
                                      : TextBlockHeight(canvas, LabelText(Min()));
        const int e = cartesian ? 0 : (d + Round(c * stackingEndsMargin_)) / 2;
        scaleRect_ = {r.Left, StackedStop() ? r.Top + e : r.Top, r.Right,
                      StackedStart() ? r.Bottom - e : r.Bottom};
        hitRect_ = {r.Left + 2, scaleRect_.Top - e, r.Right - 2, scaleRect_.Bottom + e};
    } else {
        const int c = canvas.TextWidth("0");
        int d = RotatedLabels() ? TextBlockHeight(canvas, LabelText(Min()))
                                : MaxLabelWidth(canvas, labelsFont_);
        if (!labelsVisible_) {
            d = 0;
        }
        const int e = cartesian ? 0 : Round(d / 2.0) + Round(c * stackingEndsMargin_);
        scaleRect_ = {StackedStart() ? r.Left + e : r.Left, r.Top,
                      StackedStop() ? r.Right - e : r.Right, r.Bottom};
        hitRect_ = {scaleRect_.Left - e, r.Top + 2, scaleRect_.Right + e, r.Bottom - 2};
    }
    mapping_.SetScale({horizontal ? scaleRect_.Left : scaleRect_.Top,
                       horizontal ? scaleRect_.Right : scaleRect_.Bottom, horizontal,
                       reverseScale_});
}

int TiPlotAxis::LabelPitch(TCanvas& canvas) {
    const int w0 = canvas.TextWidth("0");
    const int h0 = canvas.TextHeight("0");
    const double separation = labelSeparation_ + 1;
    // Labels that run across the scale need their height, the others their width.
    const bool acrossByHeight = Horizontal() ? RotatedLabels() : !RotatedLabels();
    if (acrossByHeight) {
        return Round(h0 * separation);
    }
    return Round(MaxLabelWidth(canvas, labelsFont_) + w0 * separation);
}

void TiPlotAxis::GenerateTicks(TCanvas& canvas) {
    CalcScale(canvas);
    ticks_.clear();
    canvas.Font() = labelsFont_;
    TiTickRequest request;
    request.Range = range_;
    request.ScaleType = scaleType_;
    request.FormatStyle = labels_.Format.Style;
    request.ScaleLength = ScaleLength();
    request.MaxIntervals = std::max(1, ScaleLength() / std::max(LabelPitch(canvas), 1));
    request.DesiredIncrement = desiredIncrement_;
    request.DesiredStart = desiredStart_;
    request.LabelsVisible = labelsVisible_;
    request.MinorCount = minorCount_;
    const TiTickPlan plan(request);
    if (plan.Range() != range_ && scaleType_ == ipstLinear) {
        // Calendar steps keep the range within the dates they can count.
        range_ = plan.Range();
        UpdateMapping();
    }
    for (const TiTickValue& tick : plan.Candidates()) {
        if (!InRange(tick.Value) || (scaleType_ == ipstLog10 && !(tick.Value > 0))) {
            continue;
        }
        ticks_.push_back(
            {tick.Minor, tick.Value, tick.Minor ? std::string() : LabelText(tick.Value), 0, false});
    }
    PlaceTicks();
}

void TiPlotAxis::PlaceTicks() {
    for (TiPlotTickObject& tick : ticks_) {
        tick.Visible = InRange(tick.Value);
        if (tick.Visible) {
            tick.Pixel = PositionToPixel(tick.Value);
        }
    }
}

// ---------------------------------------------------------------- measures

int TiPlotAxis::MaxLabelWidth(TCanvas& canvas, const TFont& font) {
    canvas.Font() = font;
    int width = Round(canvas.TextWidth("0") * labels_.MinLength);
    // A probe one span beyond a multiple of the span has as many digits as
    // the widest label the range can show.
    const double probe = range_.Span + std::trunc(range_.Min / range_.Span) * range_.Span;
    std::string probeText;
    {
        const QScopedValueRollback probing(measuring_, true);
        probeText = LabelText(probe);
    }
    width = std::max(width, TextBlockWidth(canvas, probeText));
    for (const TiPlotTickObject& tick : ticks_) {
        if (!tick.Minor) {
            width = std::max(width, TextBlockWidth(canvas, tick.Text));
        }
    }
    return width;
}

int TiPlotAxis::LegendMinWidth(TCanvas& canvas, const TFont& font) {
    canvas.Font() = font;
    return Round(canvas.TextWidth("0") * LegendSettings().MinLength);
}

int TiPlotAxis::CursorMinWidth(TCanvas& canvas, const TFont& font) {
    canvas.Font() = font;
    return Round(canvas.TextWidth("0") * CursorSettings().MinLength);
}

int TiPlotAxis::LabelDepth(TCanvas& canvas) {
    // Across the scale a label needs its width when it reads along the
    // scale's normal, its height otherwise.
    const bool byWidth = Horizontal() ? RotatedLabels() : !RotatedLabels();
    if (byWidth) {
        return MaxLabelWidth(canvas, labelsFont_);
    }
    canvas.Font() = labelsFont_;
    return TextBlockHeight(canvas, LabelText(Min()));
}

int TiPlotAxis::RequiredThickness(TCanvas& canvas) {
    int title = 0;
    if (titleShow_ && cartesianStyle_ == ipcsNone) {
        canvas.Font() = titleFont_;
        const int h = TextBlockHeight(canvas, title_);
        title = titleRotated_ ? Round(h * titleMargin_ + TextBlockWidth(canvas, title_))
                              : Round(h * titleMargin_ + h);
    }
    const int ticks = scaleLinesShow_ ? std::max(std::max(majorLength_, 0), minorLength_) : 0;
    int labelMargin = 0;
    int labelDepth = 0;
    if (labelsVisible_) {
        canvas.Font() = labelsFont_;
        labelMargin = Round(canvas.TextHeight("A") * labelsMargin_);
        labelDepth = LabelDepth(canvas);
    }
    innerThickness_ = innerMargin_ + ticks + labelMargin + labelDepth;
    thickness_ = innerThickness_ + outerMargin_ + title;
    return thickness_;
}

int TiPlotAxis::EndsMargin(TCanvas& canvas) {
    if (!labelsVisible_) {
        return 0;
    }
    canvas.Font() = labelsFont_;
    const bool alongByWidth = Horizontal() ? !RotatedLabels() : RotatedLabels();
    const int extent = alongByWidth ? MaxLabelWidth(canvas, labelsFont_) : canvas.TextHeight("XYZ");
    return extent / 2;
}

// ----------------------------------------------------------------- drawing

int TiPlotAxis::InnerEdge() const {
    if (cartesianStyle_ != ipcsNone) {
        return Horizontal() ? scaleRect_.Top : scaleRect_.Left;
    }
    const TRect& r = LayoutRect();
    switch (side_) {
        case 0:
            return r.Right;
        case 1:
            return r.Left;
        case 2:
            return r.Bottom;
        default:
            return r.Top;
    }
}

TRect TiPlotAxis::OutwardRect(int from, int to, int low, int high) const {
    const int inner = InnerEdge();
    switch (side_) {
        case 0:
            return {inner - to, low, inner - from, high};
        case 1:
            return {inner + from, low, inner + to, high};
        case 2:
            return {low, inner - to, high, inner - from};
        default:
            return {low, inner + from, high, inner + to};
    }
}

void TiPlotAxis::PrepareDraw(TCanvas& canvas) {
    TiPlotLayoutObject::PrepareDraw(canvas);
    if (cartesianStyle_ == ipcsNone) {
        return;
    }
    const TRect& s = scaleRect_;
    Owner()->AddOccupiedRect(Horizontal() ? TRect{s.Left, s.Top, s.Right + 1, s.Top + 1}
                                          : TRect{s.Left, s.Top, s.Left + 1, s.Bottom + 1});
}

void TiPlotAxis::Draw(TCanvas& canvas, TColor) {
    if (!Visible()) {
        return;
    }
    PlaceTicks();
    if (labelsVisible_) {
        DrawLabels(canvas);
    }
    if (scaleLinesShow_) {
        DrawScaleLines(canvas);
    }
    if (cartesianStyle_ != ipcsNone) {
        // A Cartesian axis answers the mouse along its line, over its depth.
        const int reach = InnerEdge() - (majorLength_ + 1) / 2 - 5;
        if (Horizontal()) {
            hitRect_.Top = reach;
            hitRect_.Bottom = InnerEdge() + innerThickness_;
        } else {
            hitRect_.Left = reach;
            hitRect_.Right = InnerEdge() + innerThickness_;
        }
    } else {
        DrawTitle(canvas);
    }
    if (Focused()) {
        canvas.Font().SetColor(clWhite);
        DrawFocusRectangle(canvas,
                           {hitRect_.Left, hitRect_.Top, hitRect_.Right + 1, hitRect_.Bottom + 1});
    }
}

void TiPlotAxis::DrawScaleLines(TCanvas& canvas) {
    canvas.Brush().SetStyle(bsSolid);
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetColor(scaleLinesColor_);
    const bool cartesian = cartesianStyle_ != ipcsNone;
    const int line = cartesian ? 0 : innerMargin_;
    const bool horizontal = Horizontal();
    const int low = horizontal ? scaleRect_.Left : scaleRect_.Top;
    const int high = horizontal ? scaleRect_.Right : scaleRect_.Bottom;
    const TRect scaleLine = OutwardRect(line, line, low, high + 1);
    // In one call, so the canvas can fill the straight marks instead of
    // stroking each.
    std::vector<TLineSegment> lines{
        {{scaleLine.Left, scaleLine.Top}, {scaleLine.Right, scaleLine.Bottom}}};
    for (const TiPlotTickObject& tick : ticks_) {
        if (!tick.Visible) {
            continue;
        }
        const int length = tick.Minor ? minorLength_ : majorLength_;
        const int reach = (length + 1) / 2;
        const TRect mark = cartesian ? OutwardRect(-reach, reach, tick.Pixel, tick.Pixel)
                                     : OutwardRect(line, line + length, tick.Pixel, tick.Pixel);
        lines.push_back({{mark.Left, mark.Top}, {mark.Right, mark.Bottom}});
        if (cartesian) {
            Owner()->AddOccupiedRect({mark.Left, mark.Top, mark.Right + 1, mark.Bottom + 1});
        }
    }
    canvas.Lines(lines);
}

void TiPlotAxis::DrawLabels(TCanvas& canvas) {
    canvas.Brush().SetStyle(bsClear);
    canvas.Font() = labelsFont_;
    const int margin = Round(canvas.TextHeight("A") * labelsMargin_);
    const bool cartesian = cartesianStyle_ != ipcsNone;
    int offset = margin + (scaleLinesShow_ ? innerMargin_ + majorLength_ : innerMargin_);
    if (cartesian) {
        offset = margin + (majorLength_ + 1) / 2;
    }
    const bool acrossByWidth = Horizontal() == RotatedLabels();
    for (const TiPlotTickObject& tick : ticks_) {
        if (!tick.Visible || tick.Minor) {
            continue;
        }
        const int w = TextBlockWidth(canvas, tick.Text);
        const int h = TextBlockHeight(canvas, tick.Text);
        const int depth = acrossByWidth ? w : h;
        const int along = acrossByWidth ? h : w;
        const int start = tick.Pixel - along / 2;
        const TRect box = OutwardRect(offset, offset + depth, start, start + along);
        if (cartesian && !Owner()->TryReserveRect(box)) {
            continue;
        }
        TRect textBox;
        DrawRotatedText(canvas, tick.Text, box, textBox, labelsRotation_);
    }
}

void TiPlotAxis::DrawTitle(TCanvas& canvas) {
    if (!titleShow_ || title_.find_first_not_of(" \t\r\n") == std::string::npos) {
        return;
    }
    canvas.Brush().SetStyle(bsClear);
    canvas.Font() = titleFont_;
    const int depth =
        titleRotated_ ? TextBlockWidth(canvas, title_) : TextBlockHeight(canvas, title_);
    const TRect& r = LayoutRect();
    const TRect& s = scaleRect_;
    TRect box;
    switch (side_) {
        case 0:
            box = {r.Left + outerMargin_, s.Top, r.Left + outerMargin_ + depth, s.Bottom};
            break;
        case 1:
            box = {r.Right - outerMargin_ - depth, s.Top, r.Right - outerMargin_, s.Bottom};
            break;
        case 2:
            box = {s.Left, r.Top + outerMargin_, s.Right, r.Top + outerMargin_ + depth};
            break;
        default:
            box = {s.Left, r.Bottom - outerMargin_ - depth, s.Right, r.Bottom - outerMargin_};
            break;
    }
    // A vertical axis reads its title upward unless asked to keep it level.
    const int rotation = Horizontal() == titleRotated_ ? 1 : 0;
    TRect textBox;
    DrawRotatedText(canvas, title_, box, textBox, rotation);
}

void TiPlotAxis::DrawGridLines(TCanvas& canvas, const TRect& rect, int majorWidth, int minorWidth,
                               TColor majorColor, TColor minorColor, int majorStyle, int minorStyle,
                               bool showMajors, bool showMinors) {
    if (!gridLinesVisible_) {
        return;
    }
    for (const TiPlotTickObject& tick : ticks_) {
        if (!tick.Visible || !(tick.Minor ? showMinors : showMajors)) {
            continue;
        }
        canvas.Pen().SetStyle(GridPenStyle(tick.Minor ? minorStyle : majorStyle));
        canvas.Pen().SetWidth(tick.Minor ? minorWidth : majorWidth);
        canvas.Pen().SetColor(tick.Minor ? minorColor : majorColor);
        if (Horizontal()) {
            canvas.MoveTo(tick.Pixel, rect.Top);
            canvas.LineTo(tick.Pixel, rect.Bottom);
        } else {
            canvas.MoveTo(rect.Left, tick.Pixel);
            canvas.LineTo(rect.Right, tick.Pixel);
        }
    }
}
