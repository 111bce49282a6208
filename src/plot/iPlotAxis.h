#pragma once
// An axis maps data values to pixels along one edge of the data view, draws
// its scale (ticks, labels, title), follows new data (tracking) and lets the
// user scroll and zoom it. X and Y axes differ only in their defaults and in
// which kind of axis their references name.
//
// The range arithmetic lives in iPlotAxisRange, the pixel mapping in
// iPlotAxisMapping, tick placement in iPlotAxisScale and label texts in
// iPlotAxisFormat; this class holds the properties and wires them to the
// plot. Drawing is in iPlotAxisDraw.cpp, user input in iPlotAxisInput.cpp.

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "plot/iPlotAxisFormat.h"
#include "plot/iPlotAxisMapping.h"
#include "plot/iPlotAxisRange.h"
#include "plot/iPlotObjects.h"

using TiPlotObjectDoubleValueChangeEvent =
    std::function<void(int Index, double OldValue, double NewValue)>;
using TiPlotAxesMinSpanChangeEvent =
    std::function<void(int Index, double OldMin, double OldSpan, double NewMin, double NewSpan)>;

// The plot's range events for one kind of axis. A scrolling axis asks with
// every point whether anyone listens, so it holds them by address.
struct TiAxisRangeEvents {
    const TiPlotObjectDoubleValueChangeEvent* MinChange;
    const TiPlotObjectDoubleValueChangeEvent* SpanChange;
    const TiPlotAxesMinSpanChangeEvent* MinSpanChange;

    [[gnu::always_inline]] bool Watched() const {
        return *MinChange || *SpanChange || *MinSpanChange;
    }
};

enum TiPlotCartesianStyle { ipcsNone, ipcsMaster, ipcsChild };
enum TiRotationAngle { ira000, ira090, ira180, ira270 };

// What a drag, the wheel and the keys do on an axis.
enum TiAxesMode { iamScroll = 0, iamZoom = 1 };

struct TiPlotTickObject {
    bool Minor = false;
    double Value = 0;
    std::string Text;  // major ticks only
    int Pixel = 0;
    bool Visible = false;
};

// Format settings of one use of the axis's texts (labels, cursor, legend).
struct TiAxisTextSettings {
    TiAxisTextFormat Format;
    double MinLength = 5;  // characters
    bool MinLengthAutoAdjust = false;
};

class TiPlotAxis : public TiPlotLayoutObject {
  public:
    TiPlotAxis(TiPlotHost* owner, TiPlotObjectHandlers handlers, bool isXAxis);
    static bool OfKind(TiPlotObjectKind kind) { return kind == ipokXAxis || kind == ipokYAxis; }

    static const TiPublishedTable& PublishedTable();
    const TiPublishedTable& Published() const override { return PublishedTable(); }

    // Which kind of axis this is picks the plot's X or Y events.
    bool IsXAxis() const { return isXAxis_; }

    // ---- range and mapping
    double Min() const { return range_.Min; }
    void SetMin(double value);
    double Span() const { return range_.Span; }
    void SetSpan(double value);
    double Max() const { return range_.Max(); }
    // Sets both with one combined change event.
    void SetMinSpan(double min, double span);

    int PositionToPixel(double value) const { return Mapping().PositionToPixel(value); }
    double PixelToPosition(double pixel) const { return Mapping().PixelToPosition(pixel); }
    bool InRange(double value) const { return Mapping().InRange(value); }
    double PixelsPerUnit() const { return Mapping().PixelsPerUnit(); }
    // The value-to-pixel map, for drawing loops that map many points.
    const TiAxisMapping& Mapping() const {
        if (mappingBehind_) {
            UpdateMapping();
        }
        return mapping_;
    }
    int LengthToPixels(double length) const;
    int MinPixel() const { return PositionToPixel(Min()); }
    int MaxPixel() const { return PositionToPixel(Max()); }
    int ScaleLength() const;
    int ScaleStart() const { return Mapping().ScaleStart(); }
    int ScaleStop() const { return Mapping().ScaleStop(); }
    const TRect& ScaleRect() const { return scaleRect_; }
    const TRect& HitRect() const { return hitRect_; }
    // 0 left of the data view, 1 right of it, 2 above, 3 below.
    int Side() const { return side_; }
    // Recomputes the scale from the layout rectangle.
    void CalcScale(TCanvas& canvas);

    // ---- tracking
    // Every point of every channel on the axis comes here. Most land inside
    // the range, which no range style changes once the first value has been
    // aligned (the fit styles refit every time); on a scrolling axis the
    // rest are mostly new maxima. This, the quiet move below and the
    // channel's step that calls it are always inlined: left to itself the
    // compiler inlines them or not by how much else the calling file holds,
    // and a call costs a twentieth of an append.
    [[gnu::always_inline]] void TrackNewValue(double value) {
        if (firstValueSeen_ && value >= range_.Min && !FitTracking()) {
            if (value <= range_.Max()) {
                return;
            }
            if (value < HUGE_VAL && trackingEnabled_ && ScrollsSmoothly() &&
                !rangeEvents_.Watched()) {
                // TrackedRange's smooth scroll, in place.
                MoveRangeQuietly(ClampAxisMin(value - range_.Span), range_.Span);
                return;
            }
        }
        TrackValueBeyondRange(value);
    }
    void RestartTracking() { firstValueSeen_ = false; }
    bool TrackingEnabled() const { return trackingEnabled_; }
    void SetTrackingEnabled(bool value);
    void UpdateResumeValues();
    bool ResumeValuesDiffer() const;
    void ZoomToFit();
    void ZoomToFitFast();

    // ---- user operations
    TiAxesMode AxesMode() const { return axesMode_; }
    void SetAxesMode(TiAxesMode value) { SetProperty(axesMode_, value, &TiPlotObject::DoChange); }
    void Zoom(double factor);
    void ZoomStep(double exponent);
    void ScrollStep(double fraction);
    void ZoomToRect(const TRect& rect);

    // ---- scale and texts
    void GenerateTicks(TCanvas& canvas);
    void PlaceTicks();
    const std::vector<TiPlotTickObject>& Ticks() const { return ticks_; }
    std::string LabelText(double value);
    std::string CursorValueText(double value);
    std::string CursorDeltaText(double value);
    std::string LegendValueText(double value);
    int MaxLabelWidth(TCanvas& canvas, const TFont& font);
    int LegendMinWidth(TCanvas& canvas, const TFont& font);
    int CursorMinWidth(TCanvas& canvas, const TFont& font);
    int Thickness() const { return thickness_; }
    int RequiredThickness(TCanvas& canvas) override;
    int EndsMargin(TCanvas& canvas) override;
    void PrepareDraw(TCanvas& canvas) override;
    void Draw(TCanvas& canvas, TColor backgroundColor) override;
    // Lines across rect at the ticks, for the data view's grid. Styles:
    // 0 solid, 1 dash, 2 dot.
    void DrawGridLines(TCanvas& canvas, const TRect& rect, int majorWidth, int minorWidth,
                       TColor majorColor, TColor minorColor, int majorStyle, int minorStyle,
                       bool showMajors, bool showMinors);

    // ---- references to other axes
    TiPlotAxis* CartesianRefAxis();
    TiPlotAxis* AlignRefAxis();
    void ObjectRemoved(TiPlotObject* object) override;
    void ObjectRenamed(TiPlotObject* object) override;
    static bool FollowsRenamesOf(const TiPlotObject& renamed);

    // ---- user input
    void ObjectFocused(TiPlotObject* object) override;
    bool HitTest(const TiPlotMouseData& data) override;
    bool MouseWheel(int delta, TShiftState shift, TPoint point) override;
    void MouseHover(const TiPlotMouseData& data, TiHintData& hint) override;
    void MouseDown(const TiPlotMouseData& data) override;
    void MouseMove(const TiPlotMouseData& data) override;
    void MouseUp(const TiPlotMouseData& data) override;
    Qt::CursorShape MouseCursor(TPoint point) override;
    void KeyDown(int& key, TShiftState shift) override;
    void BuildPopupMenu(QMenu& menu) override;
    bool Dragging() const { return dragging_; }

    // ---- published properties
    double DesiredStart() const { return desiredStart_; }
    void SetDesiredStart(double value) {
        SetProperty(desiredStart_, value, &TiPlotObject::DoChange);
    }
    double DesiredIncrement() const { return desiredIncrement_; }
    void SetDesiredIncrement(double value);
    bool ReverseScale() const { return reverseScale_; }
    void SetReverseScale(bool value);
    int InnerMargin() const { return innerMargin_; }
    void SetInnerMargin(int value) { SetProperty(innerMargin_, value, &TiPlotObject::DoChange); }
    int OuterMargin() const { return outerMargin_; }
    void SetOuterMargin(int value) { SetProperty(outerMargin_, value, &TiPlotObject::DoChange); }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& value) { SetProperty(title_, value, &TiPlotObject::DoChange); }
    double TitleMargin() const { return titleMargin_; }
    void SetTitleMargin(double value) { SetProperty(titleMargin_, value, &TiPlotObject::DoChange); }
    TiFont& TitleFont() { return titleFont_; }
    void SetTitleFont(const TFont& value) { titleFont_ = value; }
    bool TitleShow() const { return titleShow_; }
    void SetTitleShow(bool value) { SetProperty(titleShow_, value, &TiPlotObject::DoChange); }
    bool TitleRotated() const { return titleRotated_; }
    void SetTitleRotated(bool value) { SetProperty(titleRotated_, value, &TiPlotObject::DoChange); }
    int MajorLength() const { return majorLength_; }
    void SetMajorLength(int value) { SetProperty(majorLength_, value, &TiPlotObject::DoChange); }
    int MinorLength() const { return minorLength_; }
    void SetMinorLength(int value) { SetProperty(minorLength_, value, &TiPlotObject::DoChange); }
    int MinorCount() const { return minorCount_; }
    void SetMinorCount(int value) { SetProperty(minorCount_, value, &TiPlotObject::DoChange); }
    bool LabelsVisible() const { return labelsVisible_; }
    void SetLabelsVisible(bool value) {
        SetProperty(labelsVisible_, value, &TiPlotObject::DoChange);
    }
    double LabelsMargin() const { return labelsMargin_; }
    void SetLabelsMargin(double value) {
        SetProperty(labelsMargin_, value, &TiPlotObject::DoChange);
    }
    TiFont& LabelsFont() { return labelsFont_; }
    void SetLabelsFont(const TFont& value) { labelsFont_ = value; }
    double LabelSeparation() const { return labelSeparation_; }
    void SetLabelSeparation(double value) {
        SetProperty(labelSeparation_, value, &TiPlotObject::DoChange);
    }
    TiRotationAngle LabelsRotation() const { return labelsRotation_; }
    void SetLabelsRotation(TiRotationAngle value) {
        SetProperty(labelsRotation_, value, &TiPlotObject::DoChange);
    }
    int LabelsPrecision() const { return labels_.Format.Precision; }
    void SetLabelsPrecision(int value) { SetText(labels_.Format.Precision, value); }
    TiPrecisionStyle LabelsPrecisionStyle() const { return labels_.Format.PrecisionStyle; }
    void SetLabelsPrecisionStyle(TiPrecisionStyle value) {
        SetText(labels_.Format.PrecisionStyle, value);
    }
    TiPlotTextFormat LabelsFormatStyle() const { return labels_.Format.Style; }
    void SetLabelsFormatStyle(TiPlotTextFormat value) { SetText(labels_.Format.Style, value); }
    const std::string& DateTimeFormat() const { return labels_.Format.DateTimeFormat; }
    void SetDateTimeFormat(const std::string& value) {
        SetText(labels_.Format.DateTimeFormat, value);
    }
    double LabelsMinLength() const { return labels_.MinLength; }
    void SetLabelsMinLength(double value) { SetText(labels_.MinLength, value); }
    bool LabelsMinLengthAutoAdjust() const { return labels_.MinLengthAutoAdjust; }
    void SetLabelsMinLengthAutoAdjust(bool value) { SetText(labels_.MinLengthAutoAdjust, value); }
    // Stored with older configurations; drawing follows ScaleLinesShow.
    bool ScaleLineShow() const { return scaleLineShow_; }
    void SetScaleLineShow(bool value) { scaleLineShow_ = value; }
    bool ScaleLinesShow() const { return scaleLinesShow_; }
    void SetScaleLinesShow(bool value) {
        SetProperty(scaleLinesShow_, value, &TiPlotObject::DoChange);
    }
    TColor ScaleLinesColor() const { return scaleLinesColor_; }
    void SetScaleLinesColor(TColor value) {
        SetProperty(scaleLinesColor_, value, &TiPlotObject::DoChange);
    }
    double StackingEndsMargin() const { return stackingEndsMargin_; }
    void SetStackingEndsMargin(double value) {
        SetProperty(stackingEndsMargin_, value, &TiPlotObject::DoChange);
    }
    TiPlotScaleType ScaleType() const { return scaleType_; }
    void SetScaleType(TiPlotScaleType value);
    TiPlotTrackingStyle TrackingStyle() const { return tracking_.Style; }
    void SetTrackingStyle(TiPlotTrackingStyle value) {
        SetProperty(tracking_.Style, value, &TiPlotObject::DoChange);
    }
    TiPlotAlignFirstStyle TrackingAlignFirstStyle() const { return tracking_.AlignFirst; }
    void SetTrackingAlignFirstStyle(TiPlotAlignFirstStyle value) {
        SetProperty(tracking_.AlignFirst, value, &TiPlotObject::DoChange);
    }
    double TrackingScrollCompressMax() const { return tracking_.ScrollCompressMax; }
    void SetTrackingScrollCompressMax(double value) {
        SetProperty(tracking_.ScrollCompressMax, value, &TiPlotObject::DoChange);
    }

    bool CursorUseDefaultFormat() const { return cursorUseDefaultFormat_; }
    void SetCursorUseDefaultFormat(bool value) { SetText(cursorUseDefaultFormat_, value); }
    TiPlotTextFormat CursorFormatStyle() const { return cursor_.Format.Style; }
    void SetCursorFormatStyle(TiPlotTextFormat value) { SetText(cursor_.Format.Style, value); }
    const std::string& CursorDateTimeFormat() const { return cursor_.Format.DateTimeFormat; }
    void SetCursorDateTimeFormat(const std::string& value) {
        SetText(cursor_.Format.DateTimeFormat, value);
    }
    TiPrecisionStyle CursorPrecisionStyle() const { return cursor_.Format.PrecisionStyle; }
    void SetCursorPrecisionStyle(TiPrecisionStyle value) {
        SetText(cursor_.Format.PrecisionStyle, value);
    }
    int CursorPrecision() const { return cursor_.Format.Precision; }
    void SetCursorPrecision(int value) { SetText(cursor_.Format.Precision, value); }
    double CursorMinLength() const { return cursor_.MinLength; }
    void SetCursorMinLength(double value) { SetText(cursor_.MinLength, value); }
    bool CursorMinLengthAutoAdjust() const { return cursor_.MinLengthAutoAdjust; }
    void SetCursorMinLengthAutoAdjust(bool value) { SetText(cursor_.MinLengthAutoAdjust, value); }

    bool LegendUseDefaultFormat() const { return legendUseDefaultFormat_; }
    void SetLegendUseDefaultFormat(bool value) { SetText(legendUseDefaultFormat_, value); }
    TiPlotTextFormat LegendFormatStyle() const { return legend_.Format.Style; }
    void SetLegendFormatStyle(TiPlotTextFormat value) { SetText(legend_.Format.Style, value); }
    const std::string& LegendDateTimeFormat() const { return legend_.Format.DateTimeFormat; }
    void SetLegendDateTimeFormat(const std::string& value) {
        SetText(legend_.Format.DateTimeFormat, value);
    }
    TiPrecisionStyle LegendPrecisionStyle() const { return legend_.Format.PrecisionStyle; }
    void SetLegendPrecisionStyle(TiPrecisionStyle value) {
        SetText(legend_.Format.PrecisionStyle, value);
    }
    int LegendPrecision() const { return legend_.Format.Precision; }
    void SetLegendPrecision(int value) { SetText(legend_.Format.Precision, value); }
    double LegendMinLength() const { return legend_.MinLength; }
    void SetLegendMinLength(double value) { SetText(legend_.MinLength, value); }
    bool LegendMinLengthAutoAdjust() const { return legend_.MinLengthAutoAdjust; }
    void SetLegendMinLengthAutoAdjust(bool value) { SetText(legend_.MinLengthAutoAdjust, value); }

    double CursorScaler() const { return cursorScaler_; }
    void SetCursorScaler(double value) {
        SetProperty(cursorScaler_, value, &TiPlotObject::DoChange);
    }
    bool ScrollMinMaxEnabled() const { return scrollLimits_.Enabled; }
    void SetScrollMinMaxEnabled(bool value) {
        SetProperty(scrollLimits_.Enabled, value, &TiPlotObject::DoChange);
    }
    double ScrollMax() const { return scrollLimits_.Max; }
    void SetScrollMax(double value) {
        SetProperty(scrollLimits_.Max, value, &TiPlotObject::DoChange);
    }
    double ScrollMin() const { return scrollLimits_.Min; }
    void SetScrollMin(double value) {
        SetProperty(scrollLimits_.Min, value, &TiPlotObject::DoChange);
    }
    bool RestoreValuesOnResume() const { return restoreValuesOnResume_; }
    void SetRestoreValuesOnResume(bool value) {
        SetProperty(restoreValuesOnResume_, value, &TiPlotObject::DoChange);
    }
    bool MasterUIInput() const { return masterUIInput_; }
    void SetMasterUIInput(bool value) {
        SetProperty(masterUIInput_, value, &TiPlotObject::DoChange);
    }
    TiPlotCartesianStyle CartesianStyle() const { return cartesianStyle_; }
    void SetCartesianStyle(TiPlotCartesianStyle value) {
        SetProperty(cartesianStyle_, value, &TiPlotObject::DoChange);
    }
    const std::string& CartesianChildRefAxisName() const { return cartesianRef_.Name(); }
    void SetCartesianChildRefAxisName(const std::string& value);
    double CartesianChildRefValue() const { return cartesianChildRefValue_; }
    void SetCartesianChildRefValue(double value) {
        SetProperty(cartesianChildRefValue_, value, &TiPlotObject::DoChange);
    }
    const std::string& AlignRefAxisName() const { return alignRef_.Name(); }
    void SetAlignRefAxisName(const std::string& value);
    bool GridLinesVisible() const { return gridLinesVisible_; }
    void SetGridLinesVisible(bool value) {
        SetProperty(gridLinesVisible_, value, &TiPlotObject::DoChange);
    }

  protected:
    // X axes name Y axes as Cartesian references and X axes for alignment;
    // Y axes the other way round.
    virtual TiPlotAxis* FindCrossAxis(const std::string& name) const = 0;
    virtual TiPlotAxis* FindSameKindAxis(const std::string& name) const = 0;

  private:
    template <class T>
    void SetText(T& field, const T& value) {
        SetProperty(field, value, &TiPlotObject::DoChange);
    }
    void SetRange(TiAxisRange range);
    // TrackNewValue for the first value, the fit styles and a value outside
    // the range.
    void TrackValueBeyondRange(double value);
    bool FitTracking() const {
        return tracking_.Style == iptsExpandCollapse || tracking_.Style == iptsExpandCollapseFast;
    }
    // Smooth scrolling that keeps its span.
    bool ScrollsSmoothly() const {
        return tracking_.Style == iptsScrollSmooth && tracking_.ScrollCompressMax == 0 &&
               scaleType_ == ipstLinear;
    }
    // Store a new value, ask for a repaint and raise its own event.
    void ChangeMin(double old, double value);
    void ChangeSpan(double old, double value);
    // With nobody listening to range events a new range is only stored and
    // the mapping catches up when it is next read: a scrolling axis moves
    // with every point, and is read once a frame.
    [[gnu::always_inline]] void MoveRangeQuietly(double min, double span) {
        // A field is stored only when it changes: the next point's tracking
        // reads both, and a load that must wait for a fresh store holds it up.
        const bool minMoves = min != range_.Min;
        const bool spanMoves = span != range_.Span;
        if (minMoves) {
            range_.Min = min;
        }
        if (spanMoves) {
            range_.Span = span;
        }
        // One repaint request covers every move until the mapping is read
        // again: the paint that answers it reads it.
        if ((minMoves || spanMoves) && !mappingBehind_) {
            mappingBehind_ = true;
            DoChange();
        }
    }
    // Stores a new range and raises the range events, Min's and Span's first.
    void ChangeRangeAnnounced(double min, double span);
    void UpdateMapping() const;
    void FitTo(const TiPlotExtents& extents);
    bool LinearScale() const { return scaleType_ == ipstLinear; }
    // Text of value with one use's settings; measuring lets AutoAdjust raise
    // the use's MinLength.
    std::string FormatValue(const TiAxisTextFormat& format, double& minLength, bool autoAdjust,
                            double value);
    TiAxisTextSettings& CursorSettings() { return cursorUseDefaultFormat_ ? labels_ : cursor_; }
    TiAxisTextSettings& LegendSettings() { return legendUseDefaultFormat_ ? labels_ : legend_; }

    // Drawing (iPlotAxisDraw.cpp).
    int LabelPitch(TCanvas& canvas);
    bool RotatedLabels() const { return labelsRotation_ == ira090 || labelsRotation_ == ira270; }
    int LabelDepth(TCanvas& canvas);
    void DrawScaleLines(TCanvas& canvas);
    void DrawLabels(TCanvas& canvas);
    void DrawTitle(TCanvas& canvas);
    // A rectangle from `from` to `to` pixels outward from the inner edge,
    // spanning `low` to `high` along the scale.
    TRect OutwardRect(int from, int to, int low, int high) const;
    int InnerEdge() const;

    // Input (iPlotAxisInput.cpp).
    bool ZoomModeFor(bool ctrl) const;
    void UserScroll(double fraction);
    void UserZoom(double exponent);

    TiAxisRange range_;
    mutable TiAxisMapping mapping_;
    mutable bool mappingBehind_ = false;  // range_ moved since mapping_ was set
    TiAxisRangeEvents rangeEvents_;
    TiAxisTrackingRule tracking_;
    TiAxisScrollLimits scrollLimits_;
    TiPlotScaleType scaleType_ = ipstLinear;
    TiAxisTextSettings labels_;
    TiAxisTextSettings cursor_;
    TiAxisTextSettings legend_;

    double desiredStart_ = 0;
    double desiredIncrement_ = 0;
    bool reverseScale_ = false;
    int innerMargin_ = 5;
    int outerMargin_ = 5;
    std::string title_;
    double titleMargin_ = 0.25;
    TiFont titleFont_;
    bool titleShow_ = false;
    bool titleRotated_ = false;
    int majorLength_ = 7;
    int minorLength_ = 3;
    int minorCount_ = 1;
    bool labelsVisible_ = true;
    double labelsMargin_ = 0.25;
    TiFont labelsFont_;
    double labelSeparation_ = 2;
    TiRotationAngle labelsRotation_ = ira000;
    bool scaleLineShow_ = true;
    bool scaleLinesShow_ = true;
    TColor scaleLinesColor_ = clWhite;
    double stackingEndsMargin_ = 0.5;
    bool trackingEnabled_ = true;
    bool cursorUseDefaultFormat_ = true;
    bool legendUseDefaultFormat_ = true;
    double cursorScaler_ = 1;
    bool restoreValuesOnResume_ = true;
    bool masterUIInput_ = false;
    TiPlotCartesianStyle cartesianStyle_ = ipcsNone;
    TiPlotObjectLink cartesianRef_;
    double cartesianChildRefValue_ = 0;
    TiPlotObjectLink alignRef_;
    bool gridLinesVisible_ = true;

    // Internal state.
    const bool isXAxis_;
    TiAxesMode axesMode_ = iamScroll;
    TRect scaleRect_{};
    TRect hitRect_{};
    int side_ = 3;
    int thickness_ = 0;
    int innerThickness_ = 0;
    bool measuring_ = false;
    std::vector<TiPlotTickObject> ticks_;
    bool firstValueSeen_ = false;
    TiAxisRange resume_{0, 100};
    double resumeLabelsMinLength_ = 0;
    bool dragging_ = false;
    TPoint dragLast_;
    bool minSpanChanging_ = false;
};

class TiPlotXAxis final : public TiPlotAxis {
  public:
    TiPlotXAxis(TiPlotHost* owner, TiPlotObjectHandlers handlers);
    TiPlotObjectKind Kind() const override { return ipokXAxis; }
    static bool OfKind(TiPlotObjectKind kind) { return kind == ipokXAxis; }

  protected:
    TiPlotAxis* FindCrossAxis(const std::string& name) const override;
    TiPlotAxis* FindSameKindAxis(const std::string& name) const override;
};

class TiPlotYAxis final : public TiPlotAxis {
  public:
    TiPlotYAxis(TiPlotHost* owner, TiPlotObjectHandlers handlers);
    TiPlotObjectKind Kind() const override { return ipokYAxis; }
    static bool OfKind(TiPlotObjectKind kind) { return kind == ipokYAxis; }

  protected:
    TiPlotAxis* FindCrossAxis(const std::string& name) const override;
    TiPlotAxis* FindSameKindAxis(const std::string& name) const override;
};
