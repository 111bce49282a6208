#include "plot/iPlotTraceStyles.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "plot/iPlotInterpolation.h"

namespace {

using TCorner = std::pair<double, double>;

void PolygonInAxisUnits(TiPlotSegmentPainter& Painter, const std::array<TCorner, 4>& Corners,
                        bool Percent = false) {
    std::array<TPoint, 4> points;
    for (std::size_t i = 0; i < Corners.size(); ++i)
        points[i] = Painter.ToPixel(Corners[i].first, Corners[i].second, Percent);
    Painter.Canvas().Polygon(points);
}

// The rectangle covering pixel columns X1..X2 and rows Y1..Y2 (inclusive,
// either order) along the axes, exchanged when the X axis is vertical.
TRect InclusiveRect(int X1, int X2, int Y1, int Y2, bool Swap) {
    const int left = std::min(X1, X2);
    const int right = std::max(X1, X2) + 1;
    const int top = std::min(Y1, Y2);
    const int bottom = std::max(Y1, Y2) + 1;
    return Swap ? TRect{top, left, bottom, right} : TRect{left, top, right, bottom};
}

void SetSolidPenAndBrush(TCanvas& Canvas, TColor PenColor, TColor BrushColor) {
    Canvas.Pen().SetColor(PenColor);
    Canvas.Pen().SetWidth(0);
    Canvas.Pen().SetStyle(psSolid);
    Canvas.Brush().SetColor(BrushColor);
    Canvas.Brush().SetStyle(bsSolid);
}

void DrawOpenCloseMark(TiPlotSegmentPainter& Painter, int X, const TiPlotDataCustomList& List,
                       int Index, const TiPlotHighLowSettings& Settings) {
    TCanvas& canvas = Painter.Canvas();
    const TiAxisMapping& y = *Painter.Axes().Y;
    const bool swap = Painter.Axes().Swap;
    const int w = Painter.XLengthToPixels(Settings.BarWidth);
    const int left = X - w / 2;
    const int right = std::max(left, X + (w - w / 2) - 1);
    const int middle = (left + right) / 2;
    const auto tick = [&](bool show, TColor color, double width, double height, double value,
                          bool rightSide) {
        if (!show)
            return;
        const int o = Painter.XLengthToPixels(width);
        int from = rightSide ? middle : middle - o + 1;
        int to = rightSide ? middle + o - 1 : middle;
        if (o <= 1) {
            from = middle;
            to = middle + 1;
        }
        const int h = std::max(1, Painter.YLengthToPixels(height));
        const int top = y.PositionToPixel(value) - h / 2;
        SetSolidPenAndBrush(canvas, color, color);
        canvas.Rectangle(InclusiveRect(from, to, top, top + h - 1, swap));
    };
    tick(Settings.OpenShow, Settings.OpenColor, Settings.OpenWidth, Settings.OpenHeight,
         List.GetOpen(Index), false);
    tick(Settings.CloseShow, Settings.CloseColor, Settings.CloseWidth, Settings.CloseHeight,
         List.GetClose(Index), true);
    SetSolidPenAndBrush(canvas, Settings.BarColor, Settings.BarColor);
    canvas.Rectangle(InclusiveRect(left, right, y.PositionToPixel(List.GetHigh(Index)),
                                   y.PositionToPixel(List.GetLow(Index)), swap));
}

void DrawCandle(TiPlotSegmentPainter& Painter, int X, const TiPlotDataCustomList& List, int Index,
                const TiPlotHighLowSettings& Settings) {
    TCanvas& canvas = Painter.Canvas();
    const TiAxisMapping& y = *Painter.Axes().Y;
    const bool swap = Painter.Axes().Swap;
    const double open = List.GetOpen(Index);
    const double close = List.GetClose(Index);
    SetSolidPenAndBrush(canvas, Settings.ShadowColor,
                        open > close ? Settings.BearishColor : Settings.BullishColor);
    const int high = y.PositionToPixel(List.GetHigh(Index));
    const int low = y.PositionToPixel(List.GetLow(Index));
    canvas.MoveTo(swap ? high : X, swap ? X : high);
    canvas.LineTo(swap ? low : X, swap ? X : low);
    const int h = Painter.XLengthToPixels(Settings.BarWidth) / 2;
    canvas.Rectangle(
        InclusiveRect(X - h, X + h, y.PositionToPixel(open), y.PositionToPixel(close), swap));
}

// The run of equal levels a digital pass is drawing.
struct TDigitalSequenceData {
    bool Started = false;
    double StartX = 0.0;
    bool Level = false;
    bool HaveLast = false;
    double LastX = 0.0;
    bool HaveChange = false;
    double ChangeX = 0.0;

    void Clear() { Started = HaveLast = HaveChange = false; }
};

}  // namespace

void SelectFillBrush(TCanvas& Canvas, const TiPlotFillStyle& Fill) {
    Canvas.Brush().SetStyle(Fill.Style);
    Canvas.Brush().SetColor(Fill.Color);
    Canvas.Pen().SetColor(Fill.Color);
    Canvas.Pen().SetWidth(0);
    Canvas.Pen().SetStyle(psClear);
}

void DrawFill(TiPlotSegmentPainter& Painter, const TiPlotDataCustomList& List, int First, int Last,
              const TiPlotFillStyle& Fill) {
    if (!Fill.Draws())
        return;
    TCanvasStateSaver saver(Painter.Canvas());
    SelectFillBrush(Painter.Canvas(), Fill);
    ForEachTraceSegment(List, First, Last,
                        [&](const TiPlotDataPoint& from, const TiPlotDataPoint& to, int) {
                            PolygonInAxisUnits(Painter, {{{from.X, Fill.Reference},
                                                          {from.X, from.Y},
                                                          {to.X, to.Y},
                                                          {to.X, Fill.Reference}}});
                        });
}

void DrawBars(TiPlotSegmentPainter& Painter, const TiPlotDataCustomList& List, int First, int Last,
              const TiPlotBarStyle& Style) {
    TCanvas& canvas = Painter.Canvas();
    TCanvasStateSaver saver(canvas);
    for (int i = First; i <= Last; ++i) {
        const TiPlotDataPoint point = List.GetPoint(i);
        if (point.Empty || BreaksTrace(point))
            continue;
        const TiPlotDataAttributes bar = List.GetPointAttributes(i);
        if (!bar.BarVisible)
            continue;
        canvas.Pen().SetColor(Style.PenUseChannelColor ? Style.ChannelColor : bar.BarPenColor);
        canvas.Pen().SetWidth(bar.BarPenWidth);
        canvas.Pen().SetStyle(bar.BarPenStyle);
        canvas.Brush().SetColor(Style.BrushUseChannelColor ? Style.ChannelColor
                                                           : bar.BarBrushColor);
        canvas.Brush().SetStyle(bar.BarBrushStyle);
        const TPoint a = Painter.ToPixel(point.X - bar.BarWidth / 2, bar.BarReference);
        const TPoint b = Painter.ToPixel(point.X + bar.BarWidth / 2, point.Y);
        canvas.Rectangle(std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X),
                         std::max(a.Y, b.Y));
    }
}

void DrawHighLow(TiPlotSegmentPainter& Painter, const TiPlotDataCustomList& List, int First,
                 int Last, const TiPlotHighLowSettings& Settings) {
    TCanvasStateSaver saver(Painter.Canvas());
    for (int i = First; i <= Last; ++i) {
        const TiPlotDataPoint point = List.GetPoint(i);
        if (point.Empty || BreaksTrace(point))
            continue;
        const int x = Painter.XPixel(point.X);
        if (Settings.Style == iphlsCandleStick)
            DrawCandle(Painter, x, List, i, Settings);
        else
            DrawOpenCloseMark(Painter, x, List, i, Settings);
    }
}

void DrawDigitalTrace(TiPlotSegmentPainter& Painter, const TiPlotDataCustomList& List, int First,
                      int Last, const TiPlotDigitalLevels& Levels, const TiPlotFillStyle& Fill) {
    if (First == Last)
        return;
    TCanvas& canvas = Painter.Canvas();
    const bool percent = Levels.Percent;
    const auto levelOf = [&Levels](bool high) { return high ? Levels.High : Levels.Low; };
    TDigitalSequenceData run;
    const auto drawRun = [&](double endX) {
        const double level = levelOf(run.Level);
        if (Fill.Draws()) {
            const TPen pen = canvas.Pen();
            SelectFillBrush(canvas, Fill);
            PolygonInAxisUnits(Painter,
                               {{{run.StartX, Fill.Reference},
                                 {run.StartX, level},
                                 {endX, level},
                                 {endX, Fill.Reference}}},
                               percent);
            canvas.Pen() = pen;
        }
        Painter.DrawSegment(run.StartX, level, endX, level, percent);
    };
    const auto flush = [&] {
        if (run.HaveChange) {
            drawRun(run.ChangeX);
            Painter.DrawSegment(run.ChangeX, Levels.Low, run.ChangeX, Levels.High, percent);
        } else if (run.Started && run.HaveLast) {
            drawRun(run.LastX);
        }
        run.Clear();
    };
    for (int i = First; i <= Last; ++i) {
        const TiPlotDataPoint point = List.GetPoint(i);
        if (point.Empty)
            continue;
        if (BreaksTrace(point)) {
            flush();
            continue;
        }
        const bool level = point.Y != 0.0;
        if (run.Started && level == run.Level) {
            run.HaveLast = true;
            run.LastX = point.X;
            continue;
        }
        if (run.Started) {
            run.HaveChange = true;
            run.ChangeX = point.X;
            flush();
        }
        run.Started = true;
        run.StartX = point.X;
        run.Level = level;
    }
    flush();
}

void DrawDifferentialTrace(TiPlotSegmentPainter& Painter, const TiPlotDataCustomList& List,
                           int First, int Last, bool Terminated, const TiPlotFillStyle& Fill) {
    if (List.Count() == 0)
        return;
    TCanvas& canvas = Painter.Canvas();
    bool havePrevious = false;
    TiPlotDataPoint previous;
    // The level of the previous point held up to X.
    const auto hold = [&](double x) {
        if (Fill.Draws()) {
            const TPen pen = canvas.Pen();
            SelectFillBrush(canvas, Fill);
            PolygonInAxisUnits(Painter, {{{previous.X, Fill.Reference},
                                          {previous.X, previous.Y},
                                          {x, previous.Y},
                                          {x, Fill.Reference}}});
            canvas.Pen() = pen;
        }
        Painter.DrawSegment(previous.X, previous.Y, x, previous.Y);
    };
    for (int i = First; i <= Last; ++i) {
        const TiPlotDataPoint point = List.GetPoint(i);
        if (point.Empty)
            continue;
        if (BreaksTrace(point)) {
            if (havePrevious)
                hold(point.X);
            havePrevious = false;
            continue;
        }
        if (havePrevious) {
            hold(point.X);
            Painter.DrawSegment(point.X, previous.Y, point.X, point.Y);
        }
        previous = point;
        havePrevious = true;
    }
    if (!Terminated && havePrevious)
        Painter.DrawSegment(previous.X, previous.Y, Painter.Axes().XMax, previous.Y);
}

void TiPlotPixelPointList::Prepare(int FirstPixel, int LastPixel) {
    FirstPixel_ = std::min(FirstPixel, LastPixel);
    Width_ = std::abs(LastPixel - FirstPixel) + 1;
    if (Entries_.size() < static_cast<std::size_t>(Width_))
        Entries_.resize(static_cast<std::size_t>(Width_));
    std::fill_n(Entries_.begin(), Width_, Entry{});
}

void TiPlotPixelPointList::Set(int XPixel, double Y) {
    const int index = XPixel - FirstPixel_;
    if (index < 0 || index >= Width_)
        throw std::runtime_error("Pixel List XPixel out of Range");
    Entries_[static_cast<std::size_t>(index)] = {false, Y};
}

bool TiPlotPixelPointList::Get(int XPixel, double& Y) const {
    const int index = XPixel - FirstPixel_;
    if (index < 0 || index >= Width_ || Entries_[static_cast<std::size_t>(index)].Empty)
        return false;
    Y = Entries_[static_cast<std::size_t>(index)].Y;
    return true;
}

void DrawCurve(TiPlotSegmentPainter& Painter, double FromX, double ToX,
               const std::function<double(double)>& Curve, const TiPlotFillStyle& Fill,
               TiPlotPixelPointList& PixelPoints) {
    const TiPlotTraceAxes& axes = Painter.Axes();
    const double from = std::max(std::min(FromX, ToX), axes.XMin);
    const double to = std::min(std::max(FromX, ToX), axes.XMax);
    if (!(from <= to))
        return;
    int first = axes.X->PositionToPixel(from);
    int last = axes.X->PositionToPixel(to);
    if (first > last)
        std::swap(first, last);
    TCanvas& canvas = Painter.Canvas();
    const TColor traceColor = canvas.Pen().Color();
    double previousX = 0.0;
    double previousY = 0.0;
    for (int column = first; column <= last; ++column) {
        const double x = axes.X->PixelToPosition(column);
        const double y = Curve(x);
        if (Fill.Draws()) {
            canvas.Pen().SetColor(Fill.Color);
            Painter.DrawSegment(x, y, x, Fill.Reference);
            canvas.Pen().SetColor(traceColor);
        }
        if (column > first)
            Painter.DrawSegment(previousX, previousY, x, y);
        PixelPoints.Set(column, y);
        previousX = x;
        previousY = y;
    }
}

void DrawInterpolatedTrace(TiPlotSegmentPainter& Painter, const TiPlotDataCustomList& List,
                           TiPlotInterpolationStyle Style, const TiPlotFillStyle& Fill,
                           TiPlotPixelPointList& PixelPoints) {
    if (List.Count() < 2)
        return;
    std::vector<double> xs;
    std::vector<double> ys;
    if (Style == ipistCubicSpline) {
        const auto drawRun = [&] {
            if (xs.size() >= 2) {
                const double from = xs.front();
                const double to = xs.back();
                const TiCubicSpline spline(std::move(xs), std::move(ys));
                DrawCurve(
                    Painter, from, to, [&spline](double x) { return spline.ValueAt(x); }, Fill,
                    PixelPoints);
            }
            xs.clear();
            ys.clear();
        };
        for (int i = 0; i < List.Count(); ++i) {
            const TiPlotDataPoint point = List.GetPoint(i);
            if (point.Empty)
                continue;
            if (BreaksTrace(point)) {
                drawRun();
                continue;
            }
            xs.push_back(point.X);
            ys.push_back(point.Y);
        }
        drawRun();
        return;
    }
    for (int i = 0; i < List.Count(); ++i) {
        xs.push_back(List.GetX(i));
        ys.push_back(List.GetY(i));
    }
    const double from = xs.front();
    const double to = xs.back();
    if (Style == ipistPolynomial) {
        TiPolynomialInterpolation curve(std::move(xs), std::move(ys));
        DrawCurve(
            Painter, from, to, [&curve](double x) { return curve.ValueAt(x); }, Fill, PixelPoints);
    } else if (Style == ipistRational) {
        TiRationalInterpolation curve(std::move(xs), std::move(ys));
        DrawCurve(
            Painter, from, to, [&curve](double x) { return curve.ValueAt(x); }, Fill, PixelPoints);
    }
}
