#pragma once
// The strip-chart channel: X values taken as sorted, so the drawing range is
// found by binary search; points at elapsed time; the fast trace; and the
// fill, bar, high-low, digital, step and interpolated styles.

#include "platform/DateTime.h"
#include "plot/iPlotChannelCustom.h"
#include "plot/iPlotElapsedClock.h"
#include "plot/iPlotTraceStyles.h"

enum TiPlotDigitalReferenceStyle { ipdrScale, ipdrPercent };
enum TiOPCXValueSource {
    iopcxvsOPCServerTimeStamp,
    iopcxvsSystemTimeStamp,
    iopcxvsElapsedTime,
    iopcxvsElapsedSeconds
};

class TiPlotChannel : public TiPlotChannelCustom {
  public:
    TiPlotChannel(TiPlotHost* owner, TiPlotObjectHandlers handlers);

    static const TiPublishedTable& PublishedTable();
    const TiPublishedTable& Published() const override { return PublishedTable(); }

    // ---- points at elapsed time, counted from the channel's creation on a
    // monotonic clock
    int AddYAtElapsedSeconds(double Y) { return AddXY(clock_.ElapsedSeconds(), Y); }
    int AddYAtElapsedTime(double Y) { return AddXY(clock_.ElapsedSeconds() / SecondsPerDay, Y); }
    // The X AddYAtElapsedSeconds gives now, and the one it would have given
    // at `At` (a time of the clock's source, by default the monotonic clock).
    double ElapsedSeconds() const { return clock_.ElapsedSeconds(); }
    double ElapsedSecondsAt(TiPlotElapsedClock::TimePoint At) const { return clock_.SecondsAt(At); }
    TDateTime StartTime() const { return startTime_; }
    void SetElapsedClockSource(TiPlotElapsedClock::Source Source) {
        clock_.SetSource(std::move(Source));
    }

    // ---- reading values
    bool XIncreasing() const { return xIncreasing_; }
    // The point found for X by the sorted search, or −1 outside the data.
    int IndexAtX(double X);
    bool ValueAtX(double X, double& Y);
    // The Y a data cursor shows at X (XPixel is X's column), by
    // InterpolationStyle; the status says whether there is one.
    TiPlotCursorStatus CursorValueAt(double X, int XPixel, double& Y);
    void UpdateDataCursor(TiPlotDataCursor& Cursor) override;

    // ---- published properties
    bool FastDrawEnabled() const { return fastDrawEnabled_; }
    void SetFastDrawEnabled(bool value);
    TiPlotInterpolationStyle InterpolationStyle() const { return interpolationStyle_; }
    void SetInterpolationStyle(TiPlotInterpolationStyle value);
    bool FillEnabled() const { return fill_.Enabled; }
    void SetFillEnabled(bool value);
    double FillReference() const { return fill_.Reference; }
    void SetFillReference(double value);
    TBrushStyle FillStyle() const { return fill_.Style; }
    void SetFillStyle(TBrushStyle value);
    TColor FillColor() const { return fill_.Color; }
    void SetFillColor(TColor value);
    bool FillUseChannelColor() const { return fillUseChannelColor_; }
    void SetFillUseChannelColor(bool value);
    bool DigitalEnabled() const { return digitalEnabled_; }
    void SetDigitalEnabled(bool value);
    TiPlotDigitalReferenceStyle DigitalReferenceStyle() const { return digitalReferenceStyle_; }
    void SetDigitalReferenceStyle(TiPlotDigitalReferenceStyle value);
    double DigitalReferenceLow() const { return digitalReferenceLow_; }
    void SetDigitalReferenceLow(double value);
    double DigitalReferenceHigh() const { return digitalReferenceHigh_; }
    void SetDigitalReferenceHigh(double value);
    TiPlotHighLowStyle HighLowStyle() const { return highLow_.Style; }
    void SetHighLowStyle(TiPlotHighLowStyle value) { SetHighLowField(highLow_.Style, value); }
    bool HighLowEnabled() const { return highLowEnabled_; }
    void SetHighLowEnabled(bool value);
    TColor HighLowBarColor() const { return highLow_.BarColor; }
    void SetHighLowBarColor(TColor value) { SetHighLowField(highLow_.BarColor, value); }
    double HighLowBarWidth() const { return highLow_.BarWidth; }
    void SetHighLowBarWidth(double value) { SetHighLowField(highLow_.BarWidth, value); }
    bool HighLowOpenShow() const { return highLow_.OpenShow; }
    void SetHighLowOpenShow(bool value) { SetHighLowField(highLow_.OpenShow, value); }
    TColor HighLowOpenColor() const { return highLow_.OpenColor; }
    void SetHighLowOpenColor(TColor value) { SetHighLowField(highLow_.OpenColor, value); }
    double HighLowOpenWidth() const { return highLow_.OpenWidth; }
    void SetHighLowOpenWidth(double value) { SetHighLowField(highLow_.OpenWidth, value); }
    double HighLowOpenHeight() const { return highLow_.OpenHeight; }
    void SetHighLowOpenHeight(double value) { SetHighLowField(highLow_.OpenHeight, value); }
    bool HighLowCloseShow() const { return highLow_.CloseShow; }
    void SetHighLowCloseShow(bool value) { SetHighLowField(highLow_.CloseShow, value); }
    TColor HighLowCloseColor() const { return highLow_.CloseColor; }
    void SetHighLowCloseColor(TColor value) { SetHighLowField(highLow_.CloseColor, value); }
    double HighLowCloseWidth() const { return highLow_.CloseWidth; }
    void SetHighLowCloseWidth(double value) { SetHighLowField(highLow_.CloseWidth, value); }
    double HighLowCloseHeight() const { return highLow_.CloseHeight; }
    void SetHighLowCloseHeight(double value) { SetHighLowField(highLow_.CloseHeight, value); }
    TColor HighLowShadowColor() const { return highLow_.ShadowColor; }
    void SetHighLowShadowColor(TColor value) { SetHighLowField(highLow_.ShadowColor, value); }
    TColor HighLowBullishColor() const { return highLow_.BullishColor; }
    void SetHighLowBullishColor(TColor value) { SetHighLowField(highLow_.BullishColor, value); }
    TColor HighLowBearishColor() const { return highLow_.BearishColor; }
    void SetHighLowBearishColor(TColor value) { SetHighLowField(highLow_.BearishColor, value); }
    bool BarEnabled() const { return barEnabled_; }
    void SetBarEnabled(bool value);
    bool BarPenUseChannelColor() const { return barPenUseChannelColor_; }
    void SetBarPenUseChannelColor(bool value);
    bool BarBrushUseChannelColor() const { return barBrushUseChannelColor_; }
    void SetBarBrushUseChannelColor(bool value);
    TiOPCXValueSource OPCXValueSource() const { return opcXValueSource_; }
    void SetOPCXValueSource(TiOPCXValueSource value) { opcXValueSource_ = value; }

    const TiPlotPixelPointList& PixelPoints() const { return pixelPoints_; }

    // ---- drawing range and extents
    int CalcFirstVisible() override;
    int CalcLastVisible() override;
    double MaxXExtent() override;
    double MinXExtent() override;
    double MaxYExtent() override;
    double MinYExtent() override;

    void PrepareDraw(TCanvas& canvas) override;
    bool HitTest(const TiPlotMouseData& data) override;

  protected:
    void DrawChannel(TCanvas& Canvas, const TiPlotTraceAxes& Axes) override;
    void DrawTrace(TCanvas& Canvas, const TiPlotTraceAxes& Axes) override;
    void DrawMarkers(TCanvas& Canvas, const TiPlotTraceAxes& Axes) override;
    // "High" or "Low" in digital mode.
    std::string CursorValueYText(TiPlotCursorStatus Status, double Y) override;

  private:
    static constexpr double SecondsPerDay = 60.0 * 60.0 * 24.0;

    template <class T>
    void SetHighLowField(T& field, const T& value) {
        SetProperty(field, value, &TiPlotObject::DoChange);
    }

    // The last probed index of the binary search for X (−1 for no points).
    int SearchX(double X) const;
    TiPlotFillStyle ResolvedFill() const;
    TiPlotDigitalLevels DigitalLevels() const;
    bool IsDifferential() const {
        return interpolationStyle_ == ipistDifferential ||
               interpolationStyle_ == ipistDifferentialTerminated;
    }
    // The first or last point that is neither null nor empty; −1 for none.
    int FirstValidIndex() const;
    int LastValidIndex() const;
    // Edges of one point along an axis: its value ± half a marker.
    double UpperEdge(TiPlotAxis* Axis, double Value) const;
    double LowerEdge(TiPlotAxis* Axis, double Value) const;

    TiPlotElapsedClock clock_;
    TDateTime startTime_;
    bool xIncreasing_ = true;
    bool fastDrawEnabled_ = true;
    TiPlotInterpolationStyle interpolationStyle_ = ipistStraightLine;
    TiPlotFillStyle fill_;
    bool fillUseChannelColor_ = true;
    bool digitalEnabled_ = false;
    TiPlotDigitalReferenceStyle digitalReferenceStyle_ = ipdrScale;
    double digitalReferenceLow_ = 10.0;
    double digitalReferenceHigh_ = 90.0;
    bool highLowEnabled_ = false;
    TiPlotHighLowSettings highLow_;
    bool barEnabled_ = false;
    bool barPenUseChannelColor_ = true;
    bool barBrushUseChannelColor_ = true;
    TiOPCXValueSource opcXValueSource_ = iopcxvsOPCServerTimeStamp;
    TiPlotPixelPointList pixelPoints_;
};
