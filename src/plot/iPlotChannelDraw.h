#pragma once
// How a channel's points become lines on the canvas: segments clipped to the
// axes in axis units, the plain trace with per-point pens, the fast trace that
// reduces any number of points to one stroke and one joining line per pixel
// column, and the marker shapes. Pure over a canvas and two axis mappings, so
// the channel classes only decide what to draw.

#include <optional>
#include <vector>

#include "gdi/Canvas.h"
#include "plot/iClasses.h"
#include "plot/iPlotAxisMapping.h"
#include "plot/iPlotDataCustomList.h"

class TiPlotMinMaxSummary;

// The two axes one trace is drawn against, as drawing needs them.
struct TiPlotTraceAxes {
    const TiAxisMapping* X = nullptr;
    const TiAxisMapping* Y = nullptr;
    double XMin = 0.0;
    double XMax = 0.0;
    double YMin = 0.0;
    double YMax = 0.0;
    // The X axis runs vertically: pixel coordinates are exchanged.
    bool Swap = false;
    // The data view's top and bottom pixels, for Y given in percent of its height.
    int PercentTop = 0;
    int PercentBottom = 0;
};

// The pixel of a point in axis units (Y in percent of the data view with
// Percent), exchanged when the X axis is vertical.
TPoint PixelOf(const TiPlotTraceAxes& Axes, double X, double Y, bool Percent = false);

class TiPlotSegmentPainter {
  public:
    TiPlotSegmentPainter(TCanvas& Canvas, const TiPlotTraceAxes& Axes)
        : Canvas_(Canvas), Axes_(Axes) {}

    TCanvas& Canvas() { return Canvas_; }
    const TiPlotTraceAxes& Axes() const { return Axes_; }

    // One line in axis units, clipped to both axis ranges; nothing when it
    // misses the view. With Percent, Y is a percent of the data view's height
    // and only X is clipped.
    void DrawSegment(double X1, double Y1, double X2, double Y2, bool Percent = false);
    // The pixels of that line, for drawing it later with others; nothing
    // when it misses the view.
    std::optional<TLineSegment> ClipSegment(double X1, double Y1, double X2, double Y2,
                                            bool Percent = false) const;

    TPoint ToPixel(double X, double Y, bool Percent = false) const {
        return PixelOf(Axes_, X, Y, Percent);
    }
    // Pixels covered by a length along each axis.
    int XLengthToPixels(double Length) const;
    int YLengthToPixels(double Length) const;
    int XPixel(double X) const { return Axes_.X->PositionToPixel(X); }
    bool InView(double X, double Y) const {
        return X >= Axes_.XMin && X <= Axes_.XMax && Y >= Axes_.YMin && Y <= Axes_.YMax;
    }

  private:
    TCanvas& Canvas_;
    const TiPlotTraceAxes& Axes_;
};

// A point that interrupts a trace: null, or with no position to draw at.
bool BreaksTrace(const TiPlotDataPoint& Point);

// Calls Segment(from, to, toIndex) for each pair of points First..Last that a
// trace joins: empty points are bridged, points that break the trace end it.
template <class SegmentFn>
void ForEachTraceSegment(const TiPlotDataCustomList& List, int First, int Last,
                         SegmentFn&& Segment) {
    bool havePrevious = false;
    TiPlotDataPoint previous;
    for (int i = First; i <= Last; ++i) {
        const TiPlotDataPoint point = List.GetPoint(i);
        if (point.Empty)
            continue;
        if (BreaksTrace(point)) {
            havePrevious = false;
            continue;
        }
        if (havePrevious)
            Segment(previous, point, i);
        previous = point;
        havePrevious = true;
    }
}

// Points First..Last as a polyline; null points break it, empty ones are
// bridged. PointPens sets each segment's pen from the point's own trace
// attributes (the plain trace); otherwise the canvas pen is kept.
void DrawStandardTrace(TiPlotSegmentPainter& Painter, const TiPlotDataCustomList& List, int First,
                       int Last, bool PointPens);

// The three column accumulators of one fast-trace pass: the column being
// filled, the next one, and a third whose arrival draws the first two. The
// pass draws all its lines in one canvas call when it finishes.
class TiPlotColumnReducer {
  public:
    explicit TiPlotColumnReducer(TiPlotSegmentPainter& Painter) : Painter_(Painter) {}

    void TakePoint(int Column, double X, double Y);
    // Points that all fall into one column, summarised in their order.
    void TakeRun(int Column, double FirstX, double FirstY, double MinY, double MaxY, double LastY);
    // A null point: draw what is pending and start afresh.
    void Break();
    void Finish();

  private:
    TiPlotMinMaxPoint& Route(int Column);
    void AfterTake(const TiPlotMinMaxPoint& Taker);
    void Flush();
    void DrawStroke(const TiPlotMinMaxPoint& Column);
    void DrawJoin(const TiPlotMinMaxPoint& From, const TiPlotMinMaxPoint& To);
    void AddLine(double X1, double Y1, double X2, double Y2);

    TiPlotSegmentPainter& Painter_;
    TiPlotMinMaxPoint A_, B_, C_;
    std::vector<TLineSegment> lines_;
};

// The fast trace over First..Last with the canvas pen. A summary (synced to
// List) lets long ranges skip whole blocks of points that share a column; the
// picture is the same as walking every point.
void DrawFastTrace(TiPlotSegmentPainter& Painter, const TiPlotDataCustomList& List, int First,
                   int Last, const TiPlotMinMaxSummary* Summary);

// One marker shape of half-size S around (X, Y) with the canvas pen and brush.
void DrawMarkerShape(TCanvas& Canvas, TiPlotMarkerStyle Style, int X, int Y, int S, char Character);

// Pen style of a trace line style (the two share their order).
TPenStyle PenStyleOf(TiPlotLineStyle Style);
