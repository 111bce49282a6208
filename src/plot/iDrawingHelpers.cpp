#include "plot/iDrawingHelpers.h"

#include <QGuiApplication>
#include <QPageLayout>
#include <QPrinter>
#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace {

// Halves go to the even neighbour, as everywhere in the plot's arithmetic.
int RoundHalfEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

constexpr std::int32_t kSpanOverflow = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMinutesOverflow = 10000;
constexpr std::int64_t kMsPerDay = 86'400'000;

// Whole days and the time-of-day part in milliseconds, or false when the
// span is negative or too large for any of the conversions.
bool SplitSpan(double span, std::int64_t& days, std::int64_t& milliseconds) {
    if (!(span >= 0) || span > 1e9)
        return false;
    const double whole = std::trunc(span);
    days = static_cast<std::int64_t>(whole);
    milliseconds = std::llround((span - whole) * double(kMsPerDay));
    return true;
}

std::int32_t SpanResult(bool valid, std::int64_t value, std::int32_t overflow) {
    return valid && value <= std::numeric_limits<std::int32_t>::max()
               ? static_cast<std::int32_t>(value)
               : overflow;
}

void DrawGradientStep(TCanvas& canvas, TiFillDirection direction, const TRect& r, int i, int f) {
    const int w = r.Width();
    const int h = r.Height();
    const double t = f > 0 ? double(i) / f : 0.0;
    switch (direction) {
        case ifdTopBottom:
        case ifdBottomTop:
            canvas.MoveTo(r.Left, r.Top + i);
            canvas.LineTo(r.Right, r.Top + i);
            break;
        case ifdLeftRight:
        case ifdRightLeft:
            canvas.MoveTo(r.Left + i, r.Top);
            canvas.LineTo(r.Left + i, r.Bottom);
            break;
        case ifdTopLeftBottomRight:
        case ifdBottomRightTopLeft:
            canvas.MoveTo(RoundHalfEven(2 * t * (w - 1)) - 1, 0);
            canvas.LineTo(-1, RoundHalfEven(2 * t * (h - 1)));
            break;
        case ifdBottomLeftTopRight:
        case ifdTopRightBottomLeft:
            canvas.MoveTo(0, (h - 1) - RoundHalfEven(2 * t * (h - 1)));
            canvas.LineTo(RoundHalfEven(2 * t * (w - 1)), h - 1);
            break;
        case ifdRectangleOut:
        case ifdRectangleIn:
        case ifdCircleOut:
        case ifdCircleIn: {
            const bool circle = direction == ifdCircleOut || direction == ifdCircleIn;
            const double scale = circle ? 1.414 * t : t;
            const double cx = (w - 1) / 2.0, cy = (h - 1) / 2.0;
            const double hx = scale * (w - 1) / 2.0, hy = scale * (h - 1) / 2.0;
            const TRect shape{RoundHalfEven(cx - hx), RoundHalfEven(cy - hy),
                              RoundHalfEven(cx + hx), RoundHalfEven(cy + hy)};
            if (circle)
                canvas.Ellipse(shape);
            else
                canvas.Rectangle(shape);
            break;
        }
    }
}

}  // namespace

unsigned TextFormatFlags(unsigned bits) {
    unsigned flags = 0;
    if (bits & itfCenter)
        flags |= DT_CENTER;
    if (bits & itfRight)
        flags |= DT_RIGHT;
    if (bits & itfVCenter)
        flags |= DT_VCENTER;
    if (bits & itfBottom)
        flags |= DT_BOTTOM;
    if (bits & itfWordBreak)
        flags |= DT_WORDBREAK;
    if (bits & itfSingleLine)
        flags |= DT_SINGLELINE;
    if (bits & itfExpandTabs)
        flags |= DT_EXPANDTABS;
    if (bits & itfNoClip)
        flags |= DT_NOCLIP;
    if (!(bits & itfPrefix))
        flags |= DT_NOPREFIX;
    if (bits & itfCalcRect)
        flags |= DT_CALCRECT;
    if (bits & itfEndEllipsis)
        flags |= DT_END_ELLIPSIS;
    if (bits & itfPathEllipsis)
        flags |= DT_PATH_ELLIPSIS;
    if (bits & itfWordEllipsis)
        flags |= DT_WORD_ELLIPSIS;
    // The text is never written back: callers pass it by value.
    return flags;
}

int DrawFormattedText(TCanvas& canvas, std::string_view text, TRect& rect, unsigned format) {
    return canvas.DrawText(text, rect, TextFormatFlags(format));
}

void DrawRotatedText(TCanvas& canvas, std::string_view text, const TRect& rect, TRect& textBox,
                     int rotation) {
    const TPoint c{(rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2};
    const TSize extent = canvas.TextExtent(text);
    const int w = extent.Width;
    const int h = extent.Height;
    if (rotation == 0) {
        TRect target = rect;
        const bool multiLine = text.find('\r') != std::string_view::npos;
        DrawFormattedText(
            canvas, text, target,
            itfCenter | itfVCenter | itfNoClip | (multiLine ? 0u : unsigned(itfSingleLine)));
        textBox = {c.X - w / 2, c.Y - h / 2, c.X + w / 2, c.Y + h / 2};
        return;
    }
    TPoint start;
    int escapement = 0;
    if (rotation == 1) {
        escapement = 900;
        start = {c.X - h / 2, c.Y + w / 2};
    } else if (rotation == 2) {
        escapement = 1800;
        start = {c.X + w / 2, c.Y + h / 2};
    } else {
        escapement = 2700;
        start = {c.X + h - h / 2, c.Y - w / 2};
    }
    const int oldOrientation = canvas.Font().Orientation();
    canvas.Font().SetOrientation(escapement);
    TRect target{start.X, start.Y, start.X, start.Y};
    DrawFormattedText(canvas, text, target, itfLeft | itfTop | itfSingleLine | itfNoClip);
    canvas.Font().SetOrientation(oldOrientation);
    if (rotation == 2)
        textBox = {c.X - w / 2, c.Y - h / 2, c.X + w / 2, c.Y + h / 2};
    else
        textBox = {c.X - h / 2, c.Y - w / 2, c.X + h / 2, c.Y + w / 2};
}

bool NextTextLine(std::string_view text, size_t& cursor, std::string_view& line) {
    if (cursor >= text.size())
        return false;
    size_t end = text.find_first_of("\r\n", cursor);
    if (end == std::string_view::npos)
        end = text.size();
    line = text.substr(cursor, end - cursor);
    cursor = end;
    if (cursor < text.size() && text[cursor] == '\r')
        ++cursor;
    if (cursor < text.size() && text[cursor] == '\n')
        ++cursor;
    return true;
}

int TextBlockWidth(TCanvas& canvas, std::string_view text) {
    int widest = 0;
    size_t cursor = 0;
    std::string_view line;
    while (NextTextLine(text, cursor, line))
        widest = std::max(widest, canvas.TextWidth(line));
    return widest;
}

int TextBlockHeight(TCanvas& canvas, std::string_view text) {
    TRect rect{};
    return DrawFormattedText(canvas, text, rect, itfNoClip | itfCalcRect);
}

int WrappedTextHeight(TCanvas& canvas, std::string_view text, int width) {
    // Drawn above the visible area: only the reported height matters.
    TRect rect{0, -800, width, -100};
    return DrawFormattedText(canvas, text, rect, itfLeft | itfTop | itfWordBreak);
}

TPoint OrientPoint(bool swap, int a, int b) {
    return swap ? TPoint{b, a} : TPoint{a, b};
}

TRect NormalizedRect(int x1, int y1, int x2, int y2) {
    return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

TRect OrientRect(bool swap, int a1, int b1, int a2, int b2) {
    return swap ? NormalizedRect(b1, a1, b2, a2) : NormalizedRect(a1, b1, a2, b2);
}

void SwapInts(int& a, int& b) {
    std::swap(a, b);
}

void DrawFocusRectangle(TCanvas& canvas, const TRect& rect) {
    canvas.DrawFocusRect(rect);
}

void DrawBevelBorder(TCanvas& canvas, const TRect& rect, int style) {
    if (style == 0) {
        canvas.DrawEdge(rect, edSunken);
    } else if (style == 1) {
        canvas.DrawEdge(rect, edRaised);
    } else if (style == 2) {
        TCanvasStateSaver saver(canvas);
        canvas.Pen().SetStyle(psSolid);
        canvas.Pen().SetWidth(1);
        canvas.Pen().SetColor(clBtnShadow);
        // Outlined only: a filled shape would paint over what the border surrounds.
        const TPoint corners[] = {{rect.Left, rect.Top},
                                  {rect.Right - 1, rect.Top},
                                  {rect.Right - 1, rect.Bottom - 1},
                                  {rect.Left, rect.Bottom - 1},
                                  {rect.Left, rect.Top}};
        canvas.Polyline(corners);
    }
}

void FillGradient(TCanvas& canvas, const TRect& rect, TiFillDirection direction, TColor start,
                  TColor stop) {
    const int w = rect.Width();
    const int h = rect.Height();
    const int m = std::max(rect.Right, rect.Bottom);
    int steps = 0;
    int penWidth = 1;
    switch (direction) {
        case ifdTopBottom:
        case ifdBottomTop:
            steps = h - 1;
            break;
        case ifdLeftRight:
        case ifdRightLeft:
            steps = w - 1;
            break;
        case ifdRectangleOut:
        case ifdRectangleIn:
            steps = (m - 1) / 3;
            penWidth = 2;
            break;
        case ifdCircleOut:
        case ifdCircleIn:
            steps = (m - 1) / 8;
            penWidth = 16;
            break;
        default:
            steps = 2 * m - 2;
            break;
    }
    if (steps < 0 || rect.IsEmpty())
        return;

    // The first direction of each pair runs from start to stop.
    const bool forward = direction % 2 == 0;
    const TColor nearColor = ColorToRGB(forward ? start : stop);
    const TColor farColor = ColorToRGB(forward ? stop : start);
    auto blend = [&](int nearValue, int farValue, int i) {
        if (steps == 0)
            return nearValue;
        return RoundHalfEven(double(i) / steps * farValue + double(steps - i) / steps * nearValue);
    };

    TCanvasStateSaver saver(canvas);
    canvas.Brush().SetStyle(bsClear);
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(penWidth);
    for (int i = 0; i <= steps; ++i) {
        canvas.Pen().SetColor(RGBColor(blend(GetRValue(nearColor), GetRValue(farColor), i),
                                       blend(GetGValue(nearColor), GetGValue(farColor), i),
                                       blend(GetBValue(nearColor), GetBValue(farColor), i)));
        DrawGradientStep(canvas, direction, rect, i, steps);
    }
    const TPoint centre{rect.Left + w / 2 - 1, rect.Top + h / 2 - 1};
    if (direction == ifdRectangleOut)
        canvas.SetPixel(centre.X, centre.Y, start);
    if (direction == ifdRectangleIn)
        canvas.SetPixel(centre.X, centre.Y, stop);
}

int DecimalPlacesFor(int precision, TiPrecisionStyle style, double value1, double value2) {
    if (style == ipsFixedDecimalPoints)
        return precision;
    if (precision <= 0)
        return 0;
    const double span = std::fabs(value2 - value1);
    int places = 0;
    if (span != 0)
        places = precision - (static_cast<int>(std::trunc(std::log10(span))) + 1);
    if (span < 1)
        ++places;
    return std::max(places, 0);
}

std::int32_t DaysToMilliseconds(double span) {
    std::int64_t days = 0, ms = 0;
    const bool valid = SplitSpan(span, days, ms);
    return SpanResult(valid, days * kMsPerDay + ms, kSpanOverflow);
}

std::int32_t DaysToSeconds(double span) {
    std::int64_t days = 0, ms = 0;
    const bool valid = SplitSpan(span, days, ms);
    return SpanResult(valid, days * 86'400 + ms / 1000, kSpanOverflow);
}

std::int32_t DaysToMinutes(double span) {
    std::int64_t days = 0, ms = 0;
    const bool valid = SplitSpan(span, days, ms);
    return SpanResult(valid, days * 1'440 + ms / 60'000, kMinutesOverflow);
}

std::int32_t DaysToHours(double span) {
    std::int64_t days = 0, ms = 0;
    const bool valid = SplitSpan(span, days, ms);
    return SpanResult(valid, days * 24 + ms / 3'600'000, kSpanOverflow);
}

bool IsShiftDown() {
    return QGuiApplication::keyboardModifiers() & Qt::ShiftModifier;
}
bool IsCtrlDown() {
    return QGuiApplication::keyboardModifiers() & Qt::ControlModifier;
}

void PaperSizeInches(int paperCode, double& width, double& height) {
    auto millimetres = [&](double w, double h) {
        width = w / 10 / 2.54;
        height = h / 10 / 2.54;
    };
    switch (paperCode) {
        case 5:
            width = 8.5;
            height = 14;
            break;
        case 8:
            millimetres(297, 420);
            break;
        case 9:
            millimetres(210, 297);
            break;
        case 11:
            millimetres(148, 210);
            break;
        default:
            width = 8.5;
            height = 11;
            break;
    }
}

int PaperCodeOf(const QPrinter& printer) {
    switch (printer.pageLayout().pageSize().id()) {
        case QPageSize::Letter:
            return 1;
        case QPageSize::Legal:
            return 5;
        case QPageSize::A3:
            return 8;
        case QPageSize::A4:
            return 9;
        case QPageSize::A5:
            return 11;
        default:
            return 0;
    }
}

void PrinterPaperInches(const QPrinter& printer, double& width, double& height) {
    if (!printer.isValid())
        throw std::runtime_error("Could not initialize printer DeviceMode Structure");
    PaperSizeInches(PaperCodeOf(printer), width, height);
    if (printer.pageLayout().orientation() == QPageLayout::Landscape)
        std::swap(width, height);
}
