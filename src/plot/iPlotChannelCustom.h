#pragma once
// A channel is one trace of the plot: (X, Y) points drawn against one X axis
// and one Y axis, found by name. It keeps its points in a data list, keeps
// running statistics, reports every new point to its axes so they can scroll
// or rescale, draws its trace and markers, answers hit tests and clicks on
// its points, and saves, loads and logs its data.

#include <memory>
#include <span>
#include <string>

#include "plot/iClasses.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotChannelDraw.h"
#include "plot/iPlotChannelLog.h"
#include "plot/iPlotChannelStatistics.h"
#include "plot/iPlotDataCustomList.h"
#include "plot/iPlotMinMaxSummary.h"
#include "plot/iPlotObjects.h"

class TiPlotDataCursor;

// What a data cursor reads off a channel at one X.
enum TiPlotCursorStatus { ipcstValue = 0, ipcstNoValue = 1, ipcstOutside = 2 };

class TiPlotChannelCustom : public TiPlotManagerObject {
  public:
    TiPlotChannelCustom(TiPlotHost* owner, TiPlotObjectHandlers handlers);
    TiPlotObjectKind Kind() const override { return ipokChannel; }
    static bool OfKind(TiPlotObjectKind kind) { return kind == ipokChannel; }
    ~TiPlotChannelCustom() override;

    static const TiPublishedTable& PublishedTable();
    const TiPublishedTable& Published() const override { return PublishedTable(); }

    // ---- published properties
    const std::string& TitleText() const { return titleText_; }
    void SetTitleText(const std::string& value);
    bool VisibleInLegend() const { return visibleInLegend_; }
    void SetVisibleInLegend(bool value);
    int RingBufferSize() const { return dataList_->GetRingBufferSize(); }
    void SetRingBufferSize(int value);
    bool TraceVisible() const { return traceVisible_; }
    void SetTraceVisible(bool value);
    bool MarkersAllowIndividual() const { return markersAllowIndividual_; }
    void SetMarkersAllowIndividual(bool value);
    bool MarkersPenUseChannelColor() const { return markersPenUseChannelColor_; }
    void SetMarkersPenUseChannelColor(bool value);
    bool MarkersBrushUseChannelColor() const { return markersBrushUseChannelColor_; }
    void SetMarkersBrushUseChannelColor(bool value);
    int MarkersTurnOffLimit() const { return markersTurnOffLimit_; }
    void SetMarkersTurnOffLimit(int value);
    TiFont& MarkersFont() { return markersFont_; }
    void SetMarkersFont(const TFont& value) { markersFont_ = value; }
    const std::string& XAxisName() const { return xAxis_.Name(); }
    void SetXAxisName(const std::string& value);
    const std::string& YAxisName() const { return yAxis_.Name(); }
    void SetYAxisName(const std::string& value);
    bool XAxisTrackingEnabled() const { return xAxisTrackingEnabled_; }
    void SetXAxisTrackingEnabled(bool value);
    bool YAxisTrackingEnabled() const { return yAxisTrackingEnabled_; }
    void SetYAxisTrackingEnabled(bool value);
    const std::string& LogFileName() const { return logFileName_; }
    // Throws "Log File Name can not be changed while logging is active.".
    void SetLogFileName(const std::string& value);
    int LogBufferSize() const { return logBufferSize_; }
    void SetLogBufferSize(int value) { logBufferSize_ = value; }
    bool LoggingActive() const { return log_.Active(); }
    TiPlotDataStyle DataStyle() const { return dataStyle_; }
    // Starts a new list of the style's class: the points are dropped, the
    // drawing attributes and the ring size carry over.
    void SetDataStyle(TiPlotDataStyle value);

    // Free for the user: the plot never reads it.
    TiVariant& Tag() { return tag_; }
    void SetTag(const TiVariant& value) { tag_ = value; }

    // The industrial data-server link is stored with the channel but not run.
    const std::string& OPCGroupName() const { return opc_.GroupName; }
    void SetOPCGroupName(const std::string& value) { opc_.GroupName = value; }
    const std::string& OPCComputerName() const { return opc_.ComputerName; }
    void SetOPCComputerName(const std::string& value) { opc_.ComputerName = value; }
    const std::string& OPCServerName() const { return opc_.ServerName; }
    void SetOPCServerName(const std::string& value) { opc_.ServerName = value; }
    const std::string& OPCItemName() const { return opc_.ItemName; }
    void SetOPCItemName(const std::string& value) { opc_.ItemName = value; }
    int OPCUpdateRate() const { return opc_.UpdateRate; }
    void SetOPCUpdateRate(int value) { opc_.UpdateRate = value; }
    bool OPCAutoConnect() const { return opc_.AutoConnect; }
    void SetOPCAutoConnect(bool value) { opc_.AutoConnect = value; }

    // Drawing attributes kept in the data list's attribute block, so that a
    // full-feature list copies them into each new point.
    TColor Color() const { return Attributes().TraceColor; }
    void SetColor(TColor value) { SetAttribute(&TiPlotDataAttributes::TraceColor, value); }
    TiPlotLineStyle TraceLineStyle() const { return Attributes().TraceStyle; }
    void SetTraceLineStyle(TiPlotLineStyle value) {
        SetAttribute(&TiPlotDataAttributes::TraceStyle, value);
    }
    int TraceLineWidth() const { return Attributes().TraceWidth; }
    void SetTraceLineWidth(int value) { SetAttribute(&TiPlotDataAttributes::TraceWidth, value); }
    bool MarkersVisible() const { return Attributes().MarkerVisible; }
    void SetMarkersVisible(bool value) {
        SetAttribute(&TiPlotDataAttributes::MarkerVisible, value);
    }
    int MarkersSize() const { return Attributes().MarkerSize; }
    void SetMarkersSize(int value) { SetAttribute(&TiPlotDataAttributes::MarkerSize, value); }
    TiPlotMarkerStyle MarkersStyle() const { return Attributes().MarkerStyle; }
    void SetMarkersStyle(TiPlotMarkerStyle value) {
        SetAttribute(&TiPlotDataAttributes::MarkerStyle, value);
    }
    TColor MarkersPenColor() const { return Attributes().MarkerPenColor; }
    void SetMarkersPenColor(TColor value) {
        SetAttribute(&TiPlotDataAttributes::MarkerPenColor, value);
    }
    TPenStyle MarkersPenStyle() const { return Attributes().MarkerPenStyle; }
    void SetMarkersPenStyle(TPenStyle value) {
        SetAttribute(&TiPlotDataAttributes::MarkerPenStyle, value);
    }
    int MarkersPenWidth() const { return Attributes().MarkerPenWidth; }
    void SetMarkersPenWidth(int value) {
        SetAttribute(&TiPlotDataAttributes::MarkerPenWidth, value);
    }
    TColor MarkersBrushColor() const { return Attributes().MarkerBrushColor; }
    void SetMarkersBrushColor(TColor value) {
        SetAttribute(&TiPlotDataAttributes::MarkerBrushColor, value);
    }
    TBrushStyle MarkersBrushStyle() const { return Attributes().MarkerBrushStyle; }
    void SetMarkersBrushStyle(TBrushStyle value) {
        SetAttribute(&TiPlotDataAttributes::MarkerBrushStyle, value);
    }
    double BarReference() const { return Attributes().BarReference; }
    void SetBarReference(double value) { SetAttribute(&TiPlotDataAttributes::BarReference, value); }
    double BarWidth() const { return Attributes().BarWidth; }
    void SetBarWidth(double value) { SetAttribute(&TiPlotDataAttributes::BarWidth, value); }
    TColor BarPenColor() const { return Attributes().BarPenColor; }
    void SetBarPenColor(TColor value) { SetAttribute(&TiPlotDataAttributes::BarPenColor, value); }
    int BarPenWidth() const { return Attributes().BarPenWidth; }
    void SetBarPenWidth(int value) { SetAttribute(&TiPlotDataAttributes::BarPenWidth, value); }
    TPenStyle BarPenStyle() const { return Attributes().BarPenStyle; }
    void SetBarPenStyle(TPenStyle value) {
        SetAttribute(&TiPlotDataAttributes::BarPenStyle, value);
    }
    TColor BarBrushColor() const { return Attributes().BarBrushColor; }
    void SetBarBrushColor(TColor value) {
        SetAttribute(&TiPlotDataAttributes::BarBrushColor, value);
    }
    TBrushStyle BarBrushStyle() const { return Attributes().BarBrushStyle; }
    void SetBarBrushStyle(TBrushStyle value) {
        SetAttribute(&TiPlotDataAttributes::BarBrushStyle, value);
    }

    // ---- points
    // Returns what the data list's Add returns (the point's storage slot).
    int AddXY(double X, double Y);
    // The same as AddXY for each pair in turn; cheaper when no axis tracks
    // the channel and no log watches it, as when a data file is read.
    void AddXYs(std::span<const double> X, std::span<const double> Y);
    virtual void Clear();
    int Count() const { return dataList_->Count(); }
    double GetX(int Index) const { return dataList_->GetX(Index); }
    double GetY(int Index) const { return dataList_->GetY(Index); }
    bool GetNull(int Index) const { return dataList_->GetNull(Index); }
    bool GetEmpty(int Index) const { return dataList_->GetEmpty(Index); }
    void SetNull(int Index, bool Value);
    void SetEmpty(int Index, bool Value);
    const TiPlotDataCustomList& DataList() const { return *dataList_; }
    int Capacity() const { return dataList_->Capacity(); }
    int ItemSize() const { return dataList_->ItemSize(); }
    int MaxCapacity() const { return dataList_->MaxCapacity(); }
    std::int64_t MemoryUsed() const { return dataList_->MemoryUsed(); }

    // ---- statistics
    const TiPlotChannelStatistics& Statistics() const { return statistics_; }
    double MinX() const { return statistics_.MinX(); }
    double MaxX() const { return statistics_.MaxX(); }
    double MeanX() const { return statistics_.MeanX(); }
    double MinY() const { return statistics_.MinY(); }
    double MaxY() const { return statistics_.MaxY(); }
    double MeanY() const { return statistics_.MeanY(); }
    int StatCount() const { return statistics_.StatCount(); }
    void RecalculateStatistics();

    // ---- axes, drawing range and extents
    // Inline for the cached case: every new point asks for both.
    TiPlotAxis* XAxis() {
        TiPlotObject* cached = xAxis_.Cached();
        return static_cast<TiPlotAxis*>(cached ? cached : ResolveXAxis());
    }
    TiPlotAxis* YAxis() {
        TiPlotObject* cached = yAxis_.Cached();
        return static_cast<TiPlotAxis*>(cached ? cached : ResolveYAxis());
    }
    int FirstVisible() const { return firstVisible_; }
    int LastVisible() const { return lastVisible_; }
    // Unless a kind knows its X order, every point is in the drawing range.
    virtual int CalcFirstVisible() { return Count() > 0 ? 0 : -1; }
    virtual int CalcLastVisible() { return Count() - 1; }
    // Edges for the axes' zoom to fit, over every valid point unless a kind
    // knows better: ±1e300 when there is nothing to fit.
    virtual double MaxXExtent();
    virtual double MinXExtent();
    virtual double MaxYExtent();
    virtual double MinYExtent();

    const TRect& LegendRect() const { return legendRect_; }
    void SetLegendRect(const TRect& value) { legendRect_ = value; }
    // One marker at Point; Index −1 draws the channel's own marker (the legend sample).
    void DrawMarker(TCanvas& Canvas, int Index, TPoint Point);

    // A value in the axis's cursor format, or "No X-Axis" / "No Y-Axis".
    std::string XText(double Value);
    std::string YText(double Value);

    // Reads the values under the cursor's pointers, reports them to the
    // cursor and sets its hint. This base reads the axes only (any X order).
    virtual void UpdateDataCursor(TiPlotDataCursor& Cursor);
    // The hint text for a reading, by the cursor's style (an ordinal of
    // TiPlotDataCursorStyle).
    std::string CursorText(int Style, TiPlotCursorStatus Status, double Y, double X);
    // The last hint texts built for a cursor.
    const std::string& CursorXText() const { return cursorXText_; }
    const std::string& CursorYText() const { return cursorYText_; }

    // ---- files
    void SaveProperties(const std::string& FileName);
    void LoadProperties(const std::string& FileName);
    void SaveData(const std::string& FileName);
    void LoadData(const std::string& FileName, bool ClearFirst);
    void StartLogging(bool Append);
    void StopLogging();

    // ---- plot object
    void ObjectRemoved(TiPlotObject* object) override;
    void ObjectRenamed(TiPlotObject* object) override;
    static bool FollowsRenamesOf(const TiPlotObject& renamed);
    void ObjectFocused(TiPlotObject* object) override;
    // The plot is painting: new points ask for the next paint again.
    void PaintStarted() { repaintAsked_ = false; }
    void PrepareDraw(TCanvas& canvas) override;
    void Draw(TCanvas& canvas, TColor backgroundColor) override;
    bool HitTest(const TiPlotMouseData& data) override;
    void MouseDown(const TiPlotMouseData& data) override;
    void MouseUp(const TiPlotMouseData& data) override;
    Qt::CursorShape MouseCursor(TPoint point) override;
    // The common items only ("Edit...").
    void BuildPopupMenu(QMenu& menu) override;

  protected:
    const TiPlotDataAttributes& Attributes() const { return dataList_->Attributes(); }

    // Fills Axes from the two axes; false when either is missing.
    bool GetTraceAxes(TiPlotTraceAxes& Axes);
    // Sets the canvas pen for the trace (a width of 1 becomes the thin pen).
    void SelectTracePen(TCanvas& Canvas) const;
    virtual void DrawTrace(TCanvas& Canvas, const TiPlotTraceAxes& Axes);
    virtual void DrawMarkers(TCanvas& Canvas, const TiPlotTraceAxes& Axes);
    // A point of the drawing range that gets a marker.
    bool MarkerWanted(int Index, const TiPlotTraceAxes& Axes) const;
    bool MarkersTurnedOff() const;
    void SetVisibleRange(int First, int Last) {
        firstVisible_ = First;
        lastVisible_ = Last;
    }
    // Half the length that 2 × MarkersSize pixels cover on the axis.
    double MarkerHalfLength(TiPlotAxis* Axis) const;
    // The channel's draws are swallowed: a failure skips the rest of this
    // channel for this paint.
    virtual void DrawChannel(TCanvas& Canvas, const TiPlotTraceAxes& Axes);
    const TiPlotMinMaxSummary& SyncedSummary();
    // The Y text of a cursor reading: the Y axis's text, "Null" or "Empty".
    virtual std::string CursorValueYText(TiPlotCursorStatus Status, double Y);
    // The pointers' X values and, by style, the values a cursor reports;
    // YAtPointer1 is the channel's reading at the first pointer.
    void ReportCursorValues(TiPlotDataCursor& Cursor, double X1, double X2,
                            TiPlotCursorStatus Status, double YAtPointer1);
    char DataFileSeparator() const;

  private:
    template <class Field>
    void SetAttribute(Field TiPlotDataAttributes::*Member, const Field& Value) {
        dataList_->Attributes().*Member = Value;
        DoChange();
    }
    TiPlotObject* ResolveXAxis();
    TiPlotObject* ResolveYAxis();
    void TrackNewPoint(double X, double Y);
    void TrackNewMarker(TiPlotAxis* Axis, double Value);
    // The largest upper (Upper) or smallest lower edge of every valid point
    // along one axis.
    double ExtentOfAllPoints(TiPlotAxis* Axis, bool AlongX, bool Upper);

    struct OPCLink {
        std::string GroupName;
        std::string ComputerName;
        std::string ServerName;
        std::string ItemName;
        int UpdateRate = 500;
        bool AutoConnect = true;
    };

    std::unique_ptr<TiPlotDataCustomList> dataList_;
    TiPlotDataStyle dataStyle_ = ipdsStandard;
    TiPlotMinMaxSummary summary_;
    TiPlotChannelStatistics statistics_;
    TiPlotChannelLog log_;
    std::string titleText_;
    bool visibleInLegend_ = true;
    bool traceVisible_ = true;
    bool markersAllowIndividual_ = false;
    bool markersPenUseChannelColor_ = true;
    bool markersBrushUseChannelColor_ = true;
    int markersTurnOffLimit_ = 0;
    TiFont markersFont_;
    TiPlotObjectLink xAxis_;
    TiPlotObjectLink yAxis_;
    // A point added since the last paint has asked for a repaint; that paint
    // shows every point added until it runs, so the later ones need not ask.
    bool repaintAsked_ = false;
    bool xAxisTrackingEnabled_ = true;
    bool yAxisTrackingEnabled_ = true;
    std::string logFileName_;
    int logBufferSize_ = 0;
    TiVariant tag_;
    OPCLink opc_;
    int firstVisible_ = -1;
    int lastVisible_ = -1;
    TRect legendRect_{};
    int hitIndex_ = -1;
    TRect hitRect_{};
    bool markerPressed_ = false;
    std::string cursorXText_;
    std::string cursorYText_;
};
