#pragma once
// The strip-chart channel's other ways of drawing its points: a fill down to
// a reference level, bars, high-low marks (open-close ticks or candles), a
// two-level digital trace, step (differential) traces and curves interpolated
// through the points, one pixel column at a time. Each walks the drawing range
// First..Last, skips empty points and treats null points as breaks.

#include <functional>
#include <vector>

#include "plot/iPlotChannelDraw.h"

// Fill between the trace and a reference level; Color is already resolved
// from the channel colour or the fill colour.
struct TiPlotFillStyle {
    bool Enabled = false;
    double Reference = 0.0;
    TBrushStyle Style = bsSolid;
    TColor Color = clBlack;

    bool Draws() const { return Enabled && Style != bsClear; }
};

// Sets the canvas to fill with Fill's brush and no outline.
void SelectFillBrush(TCanvas& Canvas, const TiPlotFillStyle& Fill);

// One polygon from the reference up to each pair of consecutive valid points.
void DrawFill(TiPlotSegmentPainter& Painter, const TiPlotDataCustomList& List, int First, int Last,
              const TiPlotFillStyle& Fill);

struct TiPlotBarStyle {
    TColor ChannelColor = clRed;
    bool PenUseChannelColor = true;
    bool BrushUseChannelColor = true;
};

// A rectangle per valid point whose bar is visible, from its bar reference to
// Y and BarWidth wide, with the point's own bar pen and brush.
void DrawBars(TiPlotSegmentPainter& Painter, const TiPlotDataCustomList& List, int First, int Last,
              const TiPlotBarStyle& Style);

enum TiPlotHighLowStyle { iphlsOpenClose, iphlsCandleStick };

struct TiPlotHighLowSettings {
    TiPlotHighLowStyle Style = iphlsOpenClose;
    TColor BarColor = clAqua;
    double BarWidth = 0.5;
    bool OpenShow = true;
    TColor OpenColor = clLime;
    double OpenWidth = 1.0;
    double OpenHeight = 1.0;
    bool CloseShow = true;
    TColor CloseColor = clRed;
    double CloseWidth = 1.0;
    double CloseHeight = 1.0;
    TColor ShadowColor = clGray;
    TColor BullishColor = clWhite;
    TColor BearishColor = clGray;
};

void DrawHighLow(TiPlotSegmentPainter& Painter, const TiPlotDataCustomList& List, int First,
                 int Last, const TiPlotHighLowSettings& Settings);

// The two reference levels of a digital trace, in Y units or (Percent) in
// percent of the data view's height.
struct TiPlotDigitalLevels {
    double High = 90.0;
    double Low = 10.0;
    bool Percent = false;
};

// Points as a two-level signal: Y ≠ 0 is high. Uses the canvas pen for lines.
void DrawDigitalTrace(TiPlotSegmentPainter& Painter, const TiPlotDataCustomList& List, int First,
                      int Last, const TiPlotDigitalLevels& Levels, const TiPlotFillStyle& Fill);

// A step line that holds each value until the next point; unless Terminated,
// the last value runs on to the right end of the X axis.
void DrawDifferentialTrace(TiPlotSegmentPainter& Painter, const TiPlotDataCustomList& List,
                           int First, int Last, bool Terminated, const TiPlotFillStyle& Fill);

// The curve's Y at each X-pixel column, read back by the data cursor.
class TiPlotPixelPointList {
  public:
    // Covers columns FirstPixel..LastPixel, all empty. The storage only grows.
    void Prepare(int FirstPixel, int LastPixel);
    // Throws "Pixel List XPixel out of Range" outside the prepared columns.
    void Set(int XPixel, double Y);
    // False outside the prepared columns or for a column nothing was drawn in.
    bool Get(int XPixel, double& Y) const;

  private:
    struct Entry {
        bool Empty = true;
        double Y = 0.0;
    };
    int FirstPixel_ = 0;
    int Width_ = 0;
    std::vector<Entry> Entries_;
};

// Draws Curve from FromX to ToX (cut to the X axis) one pixel column at a
// time with the canvas pen, filling down to the reference when asked, and
// records each column's Y.
void DrawCurve(TiPlotSegmentPainter& Painter, double FromX, double ToX,
               const std::function<double(double)>& Curve, const TiPlotFillStyle& Fill,
               TiPlotPixelPointList& PixelPoints);

enum TiPlotInterpolationStyle {
    ipistStraightLine,
    ipistCubicSpline,
    ipistPolynomial,
    ipistRational,
    ipistDifferential,
    ipistDifferentialTerminated
};

// The spline, polynomial or rational curve through the list's points.
// Splines are drawn per run of valid points (a null point ends a run); the
// other two take every point.
void DrawInterpolatedTrace(TiPlotSegmentPainter& Painter, const TiPlotDataCustomList& List,
                           TiPlotInterpolationStyle Style, const TiPlotFillStyle& Fill,
                           TiPlotPixelPointList& PixelPoints);
