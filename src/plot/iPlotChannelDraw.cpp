#include "plot/iPlotChannelDraw.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>

#include "plot/iPlotMinMaxSummary.h"
#include "plot/iPlotPercentPixel.h"

namespace {

// Moves end (XA, YA) along the line to the other end until Y reaches Limit.
void MoveEndToY(double& XA, double& YA, double XB, double YB, double Limit) {
    if (XA != XB) {
        const double x = XA + (Limit - YA) * (XB - XA) / (YB - YA);
        XA = std::clamp(x, std::min(XA, XB), std::max(XA, XB));
    }
    YA = Limit;
}

void ClipEndToY(double& XA, double& YA, double XB, double YB, double YMin, double YMax) {
    if (YA > YMax)
        MoveEndToY(XA, YA, XB, YB, YMax);
    else if (YA < YMin)
        MoveEndToY(XA, YA, XB, YB, YMin);
}

// An infinite coordinate lies on the edge of the view it points to, so a
// point at +inf draws its segments up to the top edge rather than none.
double InfinityToEdge(double value, double min, double max) {
    if (std::isinf(value))
        return value > 0 ? max : min;
    return value;
}

// Past this many points, summarised blocks beat visiting every point.
constexpr int SummaryThreshold = 4096;

}  // namespace

TPoint PixelOf(const TiPlotTraceAxes& Axes, double X, double Y, bool Percent) {
    const int x = Axes.X->PositionToPixel(X);
    const int y = Percent ? PercentToPixelAlongY(Y, Axes.PercentTop, Axes.PercentBottom)
                          : Axes.Y->PositionToPixel(Y);
    return Axes.Swap ? TPoint{y, x} : TPoint{x, y};
}

int TiPlotSegmentPainter::XLengthToPixels(double Length) const {
    return std::abs(Axes_.X->PositionToPixel(Axes_.XMin + Length) -
                    Axes_.X->PositionToPixel(Axes_.XMin));
}

int TiPlotSegmentPainter::YLengthToPixels(double Length) const {
    return std::abs(Axes_.Y->PositionToPixel(Axes_.YMin + Length) -
                    Axes_.Y->PositionToPixel(Axes_.YMin));
}

void TiPlotSegmentPainter::DrawSegment(double X1, double Y1, double X2, double Y2, bool Percent) {
    if (const std::optional<TLineSegment> line = ClipSegment(X1, Y1, X2, Y2, Percent)) {
        Canvas_.MoveTo(line->From.X, line->From.Y);
        Canvas_.LineTo(line->To.X, line->To.Y);
    }
}

std::optional<TLineSegment> TiPlotSegmentPainter::ClipSegment(double X1, double Y1, double X2,
                                                              double Y2, bool Percent) const {
    X1 = InfinityToEdge(X1, Axes_.XMin, Axes_.XMax);
    X2 = InfinityToEdge(X2, Axes_.XMin, Axes_.XMax);
    if (!Percent) {
        Y1 = InfinityToEdge(Y1, Axes_.YMin, Axes_.YMax);
        Y2 = InfinityToEdge(Y2, Axes_.YMin, Axes_.YMax);
    }
    if (X1 > X2) {
        std::swap(X1, X2);
        std::swap(Y1, Y2);
    }
    const auto inX = [this](double x) { return x >= Axes_.XMin && x <= Axes_.XMax; };
    const auto inY = [this](double y) { return y >= Axes_.YMin && y <= Axes_.YMax; };
    const bool visibleX = (X1 < Axes_.XMin && X2 > Axes_.XMax) || inX(X1) || inX(X2);
    const bool visibleY = Percent || (Y1 < Axes_.YMin && Y2 > Axes_.YMax) ||
                          (Y1 > Axes_.YMax && Y2 < Axes_.YMin) || inY(Y1) || inY(Y2);
    if (!visibleX || !visibleY)
        return std::nullopt;
    if (X1 < Axes_.XMin) {
        Y1 += (Axes_.XMin - X1) * (Y2 - Y1) / (X2 - X1);
        X1 = Axes_.XMin;
    }
    if (X2 > Axes_.XMax) {
        Y2 -= (X2 - Axes_.XMax) * (Y2 - Y1) / (X2 - X1);
        X2 = Axes_.XMax;
    }
    if (!Percent) {
        ClipEndToY(X1, Y1, X2, Y2, Axes_.YMin, Axes_.YMax);
        ClipEndToY(X2, Y2, X1, Y1, Axes_.YMin, Axes_.YMax);
    }
    if (!inX(X1) || !inX(X2))
        return std::nullopt;
    if (!Percent && (!inY(Y1) || !inY(Y2)))
        return std::nullopt;
    return TLineSegment{ToPixel(X1, Y1, Percent), ToPixel(X2, Y2, Percent)};
}

bool BreaksTrace(const TiPlotDataPoint& Point) {
    return Point.Null || std::isnan(Point.X) || std::isnan(Point.Y);
}

TPenStyle PenStyleOf(TiPlotLineStyle Style) {
    return static_cast<TPenStyle>(Style);
}

void DrawStandardTrace(TiPlotSegmentPainter& Painter, const TiPlotDataCustomList& List, int First,
                       int Last, bool PointPens) {
    ForEachTraceSegment(
        List, First, Last, [&](const TiPlotDataPoint& from, const TiPlotDataPoint& to, int index) {
            if (PointPens) {
                const TiPlotDataAttributes attributes = List.GetPointAttributes(index);
                TPen& pen = Painter.Canvas().Pen();
                pen.SetColor(attributes.TraceColor);
                pen.SetStyle(PenStyleOf(attributes.TraceStyle));
                pen.SetWidth(attributes.TraceWidth == 1 ? 0 : attributes.TraceWidth);
            }
            Painter.DrawSegment(from.X, from.Y, to.X, to.Y);
        });
}

TiPlotMinMaxPoint& TiPlotColumnReducer::Route(int Column) {
    if (A_.Empty || Column == A_.XPixel)
        return A_;
    if (B_.Empty || Column == B_.XPixel)
        return B_;
    return C_;
}

// A third column has begun: the first two are complete and can be drawn.
void TiPlotColumnReducer::AfterTake(const TiPlotMinMaxPoint& Taker) {
    if (&Taker != &C_)
        return;
    Flush();
    A_.CopyFrom(C_);
    B_.Reset();
    C_.Reset();
}

void TiPlotColumnReducer::TakePoint(int Column, double X, double Y) {
    TiPlotMinMaxPoint& taker = Route(Column);
    taker.Take(Column, Y, X);
    AfterTake(taker);
}

void TiPlotColumnReducer::TakeRun(int Column, double FirstX, double FirstY, double MinY,
                                  double MaxY, double LastY) {
    TiPlotMinMaxPoint& taker = Route(Column);
    taker.Take(Column, FirstY, FirstX);
    // Every later point of the run lands in the same accumulator; these are
    // exactly the updates its Take calls would make.
    if (MaxY > taker.MaxY)
        taker.MaxY = MaxY;
    if (MinY < taker.MinY)
        taker.MinY = MinY;
    taker.LastY = LastY;
    AfterTake(taker);
}

void TiPlotColumnReducer::Break() {
    Flush();
    A_.Reset();
    B_.Reset();
    C_.Reset();
}

void TiPlotColumnReducer::Finish() {
    Flush();
    Painter_.Canvas().Lines(lines_);
}

void TiPlotColumnReducer::AddLine(double X1, double Y1, double X2, double Y2) {
    if (const std::optional<TLineSegment> line = Painter_.ClipSegment(X1, Y1, X2, Y2))
        lines_.push_back(*line);
}

void TiPlotColumnReducer::DrawStroke(const TiPlotMinMaxPoint& Column) {
    if (!Column.Empty && Column.MaxY != Column.MinY)
        AddLine(Column.X, Column.MaxY, Column.X, Column.MinY);
}

void TiPlotColumnReducer::DrawJoin(const TiPlotMinMaxPoint& From, const TiPlotMinMaxPoint& To) {
    if (!From.Empty && !To.Empty)
        AddLine(From.X, From.LastY, To.X, To.FirstY);
}

void TiPlotColumnReducer::Flush() {
    DrawStroke(A_);
    DrawStroke(B_);
    DrawJoin(A_, B_);
    DrawJoin(B_, C_);
}

void DrawFastTrace(TiPlotSegmentPainter& Painter, const TiPlotDataCustomList& List, int First,
                   int Last, const TiPlotMinMaxSummary* Summary) {
    if (First == Last)
        return;
    if (First > Last)
        std::swap(First, Last);
    TiPlotColumnReducer reducer(Painter);
    if (Summary != nullptr && Last - First >= SummaryThreshold) {
        Summary->Walk(List, First, Last, *Painter.Axes().X, reducer);
    } else {
        for (int i = First; i <= Last; ++i) {
            const TiPlotDataPoint point = List.GetPoint(i);
            if (point.Empty)
                continue;
            if (BreaksTrace(point))
                reducer.Break();
            else
                reducer.TakePoint(Painter.XPixel(point.X), point.X, point.Y);
        }
    }
    reducer.Finish();
}

void DrawMarkerShape(TCanvas& Canvas, TiPlotMarkerStyle Style, int X, int Y, int S,
                     char Character) {
    const auto polygon = [&Canvas](std::array<TPoint, 4> points, int count) {
        Canvas.Polygon(std::span<const TPoint>(points.data(), static_cast<std::size_t>(count)));
    };
    const auto line = [&Canvas](int x1, int y1, int x2, int y2) {
        Canvas.MoveTo(x1, y1);
        Canvas.LineTo(x2, y2);
    };
    switch (Style) {
        case ipmsCircle:
            Canvas.Ellipse(X - S, Y - S, X + S, Y + S);
            break;
        case ipmsSquare:
            Canvas.Rectangle(X - S, Y - S, X + S, Y + S);
            break;
        case ipmsDiamond:
            polygon({{{X + S, Y}, {X, Y + S}, {X - S, Y}, {X, Y - S}}}, 4);
            break;
        case ipmsCross:
            line(X + S, Y + S, X - S, Y - S);
            line(X + S, Y - S, X - S, Y + S);
            break;
        case ipmsPlus:
            line(X, Y + S, X, Y - S);
            line(X + S, Y, X - S, Y);
            break;
        case ipmsTriangleUp:
            polygon({{{X - S, Y + S}, {X, Y}, {X + S, Y + S}}}, 3);
            break;
        case ipmsTriangleDown:
            polygon({{{X - S, Y - S}, {X, Y}, {X + S, Y - S}}}, 3);
            break;
        case ipmsTriangleLeft:
            polygon({{{X + S, Y - S}, {X, Y}, {X + S, Y + S}}}, 3);
            break;
        case ipmsTriangleRight:
            polygon({{{X - S, Y - S}, {X, Y}, {X - S, Y + S}}}, 3);
            break;
        case ipmsVerticalLine:
            line(X, Y - S, X, Y + S);
            break;
        case ipmsHorizontalLine:
            line(X - S, Y, X + S, Y);
            break;
        case ipmsCharacter:
            if (Character != 0) {
                const TBrushStyle saved = Canvas.Brush().Style();
                Canvas.Brush().SetStyle(bsClear);
                Canvas.TextOut(X, Y, std::string(1, Character));
                Canvas.Brush().SetStyle(saved);
            }
            break;
    }
}
