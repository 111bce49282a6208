#include "plot/iPlotChannelCustom.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <limits>
#include <stdexcept>

#include "plot/iPlotAxis.h"
#include "plot/iPlotDataCursor.h"
#include "plot/iPlotDataFiles.h"
#include "plot/iPlotDataListFactory.h"
#include "plot/iPlotDataView.h"
#include "plot/iPlotHost.h"
#include "plot/iPropertyText.h"

namespace {

const char* const kFileType = "Plot Channel Config";
const char* const kPropertyPrefix = "Channel";

// Reading a channel data file into the channel: plain points in runs, null
// points one by one.
class TChannelDataSink final : public TDataFileSink {
  public:
    explicit TChannelDataSink(TiPlotChannelCustom& channel) : channel_(channel) {}
    int ChannelCount() const override { return 1; }
    void AddPoint(int, double x, double y, TiDataPointMark mark) override {
        channel_.AddXY(x, y);
        if (mark == idpmNull)
            channel_.SetNull(channel_.Count() - 1, true);
    }
    void AddPoints(int, std::span<const double> xs, std::span<const double> ys) override {
        channel_.AddXYs(xs, ys);
    }

  private:
    TiPlotChannelCustom& channel_;
};

// The whole file, read in one go.
std::string ReadWholeFile(const std::string& fileName) {
    std::ifstream file(fileName, std::ios::binary | std::ios::ate);
    if (!file)
        throw std::runtime_error("Cannot open file \"" + fileName + "\"");
    std::string bytes(size_t(std::max<std::streamoff>(file.tellg(), 0)), '\0');
    file.seekg(0);
    file.read(bytes.data(), std::streamsize(bytes.size()));
    bytes.resize(size_t(std::max<std::streamsize>(file.gcount(), 0)));
    return bytes;
}

}  // namespace

TiPlotChannelCustom::TiPlotChannelCustom(TiPlotHost* owner, TiPlotObjectHandlers handlers)
    : TiPlotManagerObject(owner, std::move(handlers)), dataList_(CreatePlotDataList(ipdsStandard)) {
    TiPlotDataAttributes& attributes = dataList_->Attributes();
    attributes.TraceColor = clRed;
    attributes.TraceWidth = 1;
    attributes.MarkerSize = 3;
    attributes.MarkerPenColor = clRed;
    attributes.MarkerBrushColor = clRed;
    attributes.BarWidth = 5.0;
    attributes.BarPenColor = clRed;
    attributes.BarBrushColor = clRed;
    markersFont_.SetColor(clWhite);
    markersFont_.SetStyle(fsBold);
    markersFont_.OnChange = [this] { DoChange(); };
}

TiPlotChannelCustom::~TiPlotChannelCustom() = default;

const TiPublishedTable& TiPlotChannelCustom::PublishedTable() {
    using C = TiPlotChannelCustom;
    static const TiPublishedTable table =
        TiPublishedTableBuilder<C>("TiPlotChannelCustom", &TiPlotObject::PublishedTable())
            .String("TitleText", &C::TitleText, &C::SetTitleText)
            .Boolean("VisibleInLegend", &C::VisibleInLegend, &C::SetVisibleInLegend)
            .Integer("RingBufferSize", &C::RingBufferSize, &C::SetRingBufferSize)
            .Boolean("TraceVisible", &C::TraceVisible, &C::SetTraceVisible)
            .Color("Color", &C::Color, &C::SetColor)
            .Enumeration("TraceLineStyle", &C::TraceLineStyle, &C::SetTraceLineStyle,
                         {"iplsSolid", "iplsDash", "iplsDot", "iplsDashDot", "iplsDashDotDot"})
            .Integer("TraceLineWidth", &C::TraceLineWidth, &C::SetTraceLineWidth, kPixelRange)
            .Boolean("MarkersAllowIndividual", &C::MarkersAllowIndividual,
                     &C::SetMarkersAllowIndividual)
            .Boolean("MarkersPenUseChannelColor", &C::MarkersPenUseChannelColor,
                     &C::SetMarkersPenUseChannelColor)
            .Boolean("MarkersBrushUseChannelColor", &C::MarkersBrushUseChannelColor,
                     &C::SetMarkersBrushUseChannelColor)
            .Integer("MarkersTurnOffLimit", &C::MarkersTurnOffLimit, &C::SetMarkersTurnOffLimit)
            .Boolean("MarkersVisible", &C::MarkersVisible, &C::SetMarkersVisible)
            .Integer("MarkersSize", &C::MarkersSize, &C::SetMarkersSize, kPixelRange)
            .Enumeration(
                "MarkersStyle", &C::MarkersStyle, &C::SetMarkersStyle,
                {"ipmsCircle", "ipmsSquare", "ipmsDiamond", "ipmsCross", "ipmsPlus",
                 "ipmsTriangleUp", "ipmsTriangleDown", "ipmsTriangleLeft", "ipmsTriangleRight",
                 "ipmsVerticalLine", "ipmsHorizontalLine", "ipmsCharacter"})
            .Color("MarkersPenColor", &C::MarkersPenColor, &C::SetMarkersPenColor)
            .Enumeration("MarkersPenStyle", &C::MarkersPenStyle, &C::SetMarkersPenStyle,
                         PenStyleNames())
            .Integer("MarkersPenWidth", &C::MarkersPenWidth, &C::SetMarkersPenWidth, kPixelRange)
            .Color("MarkersBrushColor", &C::MarkersBrushColor, &C::SetMarkersBrushColor)
            .Enumeration("MarkersBrushStyle", &C::MarkersBrushStyle, &C::SetMarkersBrushStyle,
                         BrushStyleNames())
            .Object("MarkersFont", &C::MarkersFont)
            .String("XAxisName", &C::XAxisName, &C::SetXAxisName)
            .String("YAxisName", &C::YAxisName, &C::SetYAxisName)
            .Boolean("XAxisTrackingEnabled", &C::XAxisTrackingEnabled, &C::SetXAxisTrackingEnabled)
            .Boolean("YAxisTrackingEnabled", &C::YAxisTrackingEnabled, &C::SetYAxisTrackingEnabled)
            .String("LogFileName", &C::LogFileName, &C::SetLogFileName)
            .Integer("LogBufferSize", &C::LogBufferSize, &C::SetLogBufferSize)
            .Boolean("LoggingActive", &C::LoggingActive, nullptr, false)
            .Enumeration("DataStyle", &C::DataStyle, &C::SetDataStyle,
                         {"ipdsStandard", "ipdsCompact", "ipdsCompactInterval", "ipdsFullFeature"})
            .Variant("Tag", &C::Tag)
            .String("OPCGroupName", &C::OPCGroupName, &C::SetOPCGroupName)
            .String("OPCComputerName", &C::OPCComputerName, &C::SetOPCComputerName)
            .String("OPCServerName", &C::OPCServerName, &C::SetOPCServerName)
            .String("OPCItemName", &C::OPCItemName, &C::SetOPCItemName)
            .Integer("OPCUpdateRate", &C::OPCUpdateRate, &C::SetOPCUpdateRate)
            .Boolean("OPCAutoConnect", &C::OPCAutoConnect, &C::SetOPCAutoConnect)
            .Build();
    return table;
}

// ---------------------------------------------------------------- properties

void TiPlotChannelCustom::SetTitleText(const std::string& value) {
    SetProperty(titleText_, value, &TiPlotObject::DoChange);
}

void TiPlotChannelCustom::SetVisibleInLegend(bool value) {
    SetProperty(visibleInLegend_, value, &TiPlotObject::DoChange);
}

void TiPlotChannelCustom::SetRingBufferSize(int value) {
    dataList_->SetRingBufferSize(value);
    DoChange();
}

void TiPlotChannelCustom::SetTraceVisible(bool value) {
    SetProperty(traceVisible_, value, &TiPlotObject::DoChange);
}

void TiPlotChannelCustom::SetMarkersAllowIndividual(bool value) {
    SetProperty(markersAllowIndividual_, value, &TiPlotObject::DoChange);
}

void TiPlotChannelCustom::SetMarkersPenUseChannelColor(bool value) {
    SetProperty(markersPenUseChannelColor_, value, &TiPlotObject::DoChange);
}

void TiPlotChannelCustom::SetMarkersBrushUseChannelColor(bool value) {
    SetProperty(markersBrushUseChannelColor_, value, &TiPlotObject::DoChange);
}

void TiPlotChannelCustom::SetMarkersTurnOffLimit(int value) {
    SetProperty(markersTurnOffLimit_, value, &TiPlotObject::DoChange);
}

void TiPlotChannelCustom::SetXAxisName(const std::string& value) {
    if (xAxis_.SetName(value))
        DoChange();
}

void TiPlotChannelCustom::SetYAxisName(const std::string& value) {
    if (yAxis_.SetName(value))
        DoChange();
}

void TiPlotChannelCustom::SetXAxisTrackingEnabled(bool value) {
    SetProperty(xAxisTrackingEnabled_, value, &TiPlotObject::DoChange);
}

void TiPlotChannelCustom::SetYAxisTrackingEnabled(bool value) {
    SetProperty(yAxisTrackingEnabled_, value, &TiPlotObject::DoChange);
}

void TiPlotChannelCustom::SetLogFileName(const std::string& value) {
    if (value == logFileName_)
        return;
    if (log_.Active())
        throw std::runtime_error("Log File Name can not be changed while logging is active.");
    logFileName_ = value;
    DoChange();
}

void TiPlotChannelCustom::SetDataStyle(TiPlotDataStyle value) {
    if (value == dataStyle_)
        return;
    std::unique_ptr<TiPlotDataCustomList> list = CreatePlotDataList(value);
    TiPlotDataAttributes attributes = dataList_->Attributes();
    attributes.MarkerCharacter = list->Attributes().MarkerCharacter;
    list->Attributes() = attributes;
    list->SetRingBufferSize(dataList_->GetRingBufferSize());
    dataList_ = std::move(list);
    dataStyle_ = value;
    SetVisibleRange(-1, -1);
    DoChange();
}

// -------------------------------------------------------------------- points

int TiPlotChannelCustom::AddXY(double X, double Y) {
    const int result = dataList_->Add(X, Y);
    statistics_.Add(X, Y);
    if (xAxisTrackingEnabled_ || yAxisTrackingEnabled_)
        TrackNewPoint(X, Y);
    if (log_.Active())
        log_.PointAdded(*dataList_, logBufferSize_, DataFileSeparator());
    if (Owner())
        Owner()->ChannelPointAdded(*this);
    if (!repaintAsked_) {
        repaintAsked_ = true;
        DoChange();
    }
    return result;
}

void TiPlotChannelCustom::AddXYs(std::span<const double> X, std::span<const double> Y) {
    const bool watchedPointByPoint = xAxisTrackingEnabled_ || yAxisTrackingEnabled_ ||
                                     log_.Active() || (Owner() && Owner()->LoggingActive());
    if (watchedPointByPoint) {
        for (size_t i = 0; i < X.size(); ++i)
            AddXY(X[i], Y[i]);
        return;
    }
    const std::uint64_t addedBefore = dataList_->AddedTotal();
    try {
        dataList_->AddPoints(X, Y);
    } catch (...) {
        // What the list took before refusing a point is counted as AddXY would.
        const auto added = size_t(dataList_->AddedTotal() - addedBefore);
        statistics_.AddAll(X.first(added), Y.first(added));
        DoChange();
        throw;
    }
    statistics_.AddAll(X, Y);
    DoChange();
}

// Inlined into AddXY always, as the axis's TrackNewValue is.
[[gnu::always_inline]] inline void TiPlotChannelCustom::TrackNewPoint(double X, double Y) {
    TiPlotAxis* x = xAxisTrackingEnabled_ ? XAxis() : nullptr;
    TiPlotAxis* y = yAxisTrackingEnabled_ ? YAxis() : nullptr;
    if (MarkersVisible()) {
        TrackNewMarker(x, X);
        TrackNewMarker(y, Y);
        return;
    }
    if (x)
        x->TrackNewValue(X);
    if (y)
        y->TrackNewValue(Y);
}

void TiPlotChannelCustom::TrackNewMarker(TiPlotAxis* Axis, double Value) {
    // The whole marker of the new point stays inside the range.
    if (Axis == nullptr)
        return;
    const double half = MarkerHalfLength(Axis);
    Axis->TrackNewValue(Value + half);
    Axis->TrackNewValue(Value - half);
}

double TiPlotChannelCustom::MarkerHalfLength(TiPlotAxis* Axis) const {
    return std::fabs(Axis->PixelToPosition(2.0 * MarkersSize()) - Axis->PixelToPosition(0.0)) / 2;
}

void TiPlotChannelCustom::Clear() {
    statistics_.Reset();
    SetVisibleRange(-1, -1);
    if (log_.Active())
        StopLogging();
    dataList_->Clear();
    DoChange();
}

void TiPlotChannelCustom::SetNull(int Index, bool Value) {
    dataList_->SetNull(Index, Value);
    DoChange();
}

void TiPlotChannelCustom::SetEmpty(int Index, bool Value) {
    dataList_->SetEmpty(Index, Value);
    DoChange();
}

void TiPlotChannelCustom::RecalculateStatistics() {
    statistics_.RecalculateFrom(*dataList_);
}

// ---------------------------------------------------------------------- axes

TiPlotObject* TiPlotChannelCustom::ResolveXAxis() {
    return xAxis_.Resolve([this](const std::string& name) { return Owner()->XAxisByName(name); });
}

TiPlotObject* TiPlotChannelCustom::ResolveYAxis() {
    return yAxis_.Resolve([this](const std::string& name) { return Owner()->YAxisByName(name); });
}

void TiPlotChannelCustom::ObjectRemoved(TiPlotObject* object) {
    xAxis_.ObjectRemoved(object);
    yAxis_.ObjectRemoved(object);
}

bool TiPlotChannelCustom::FollowsRenamesOf(const TiPlotObject& renamed) {
    return TiPlotAxis::OfKind(renamed.Kind());  // X and Y axes
}

void TiPlotChannelCustom::ObjectRenamed(TiPlotObject* object) {
    if (KindCast<TiPlotXAxis>(object))
        xAxis_.ObjectRenamed(object);
    if (KindCast<TiPlotYAxis>(object))
        yAxis_.ObjectRenamed(object);
}

void TiPlotChannelCustom::ObjectFocused(TiPlotObject* object) {
    // The legend lists the channel and its data cursor reads it: selecting
    // either keeps the channel selected.
    if (object && object->Kind() == ipokLegend)
        return;
    if (auto* cursor = KindCast<TiPlotDataCursor>(object); cursor && cursor->Channel() == this)
        return;
    YieldFocusTo(object);
}

double TiPlotChannelCustom::ExtentOfAllPoints(TiPlotAxis* Axis, bool AlongX, bool Upper) {
    double extent = Upper ? -1e300 : 1e300;
    if (Axis == nullptr || !Visible())
        return extent;
    const double half = MarkersVisible() ? MarkerHalfLength(Axis) : 0.0;
    for (int i = 0; i < Count(); ++i) {
        const TiPlotDataPoint point = dataList_->GetPoint(i);
        if (point.Null || point.Empty)
            continue;
        const double value = AlongX ? point.X : point.Y;
        extent = Upper ? std::max(extent, value + half) : std::min(extent, value - half);
    }
    return extent;
}

double TiPlotChannelCustom::MaxXExtent() {
    return ExtentOfAllPoints(XAxis(), true, true);
}
double TiPlotChannelCustom::MinXExtent() {
    return ExtentOfAllPoints(XAxis(), true, false);
}
double TiPlotChannelCustom::MaxYExtent() {
    return ExtentOfAllPoints(YAxis(), false, true);
}
double TiPlotChannelCustom::MinYExtent() {
    return ExtentOfAllPoints(YAxis(), false, false);
}

std::string TiPlotChannelCustom::XText(double Value) {
    TiPlotAxis* axis = XAxis();
    return axis ? axis->CursorValueText(Value) : Translate("No X-Axis");
}

std::string TiPlotChannelCustom::YText(double Value) {
    TiPlotAxis* axis = YAxis();
    return axis ? axis->CursorValueText(Value) : Translate("No Y-Axis");
}

std::string TiPlotChannelCustom::CursorValueYText(TiPlotCursorStatus Status, double Y) {
    if (YAxis() == nullptr)
        return Translate("No Y-Axis");
    switch (Status) {
        case ipcstValue:
            return YText(Y);
        case ipcstNoValue:
            return Translate("Null");
        case ipcstOutside:
            break;
    }
    return Translate("Empty");
}

std::string TiPlotChannelCustom::CursorText(int Style, TiPlotCursorStatus Status, double Y,
                                            double X) {
    TiPlotAxis* x = XAxis();
    if (x == nullptr)
        return Translate("No X-Axis");
    // Period, frequency and peak to peak are differences: plain numbers in
    // the axis's cursor precision, never a time of day.
    const auto style = static_cast<TiPlotDataCursorStyle>(Style);
    if (style == ipcsInverseDeltaX && X >= 1e301)
        cursorXText_ = Translate("Infinite");
    else if (style == ipcsDeltaX || style == ipcsInverseDeltaX)
        cursorXText_ = x->CursorDeltaText(X);
    else
        cursorXText_ = x->CursorValueText(X);
    if (style == ipcsDeltaY)
        cursorYText_ = YAxis() ? YAxis()->CursorDeltaText(Y) : Translate("No Y-Axis");
    else
        cursorYText_ = CursorValueYText(Status, Y);
    switch (style) {
        case ipcsValueXY:
            return cursorXText_ + ", " + cursorYText_;
        case ipcsValueY:
        case ipcsDeltaY:
            return cursorYText_;
        case ipcsValueX:
        case ipcsDeltaX:
        case ipcsInverseDeltaX:
            break;
    }
    return cursorXText_;
}

void TiPlotChannelCustom::ReportCursorValues(TiPlotDataCursor& Cursor, double X1, double X2,
                                             TiPlotCursorStatus Status, double YAtPointer1) {
    TiPlotAxis* x = XAxis();
    TiPlotAxis* y = YAxis();
    const double scaler = x ? x->CursorScaler() : 1.0;
    double reportedX = X1;
    double reportedY = YAtPointer1;
    const int style = Cursor.Style();
    switch (Cursor.Style()) {
        case ipcsValueXY:
            break;
        case ipcsValueX:
            reportedY = 0.0;
            Status = ipcstValue;
            break;
        case ipcsValueY:
            reportedX = 0.0;
            break;
        case ipcsDeltaX:
            reportedX = std::fabs(X1 - X2) * scaler;
            Status = ipcstValue;
            break;
        case ipcsDeltaY:
            reportedY = y ? std::fabs(y->PixelToPosition(Cursor.Pointer1Pixel()) -
                                      y->PixelToPosition(Cursor.Pointer2Pixel()))
                          : 0.0;
            Status = y ? ipcstValue : ipcstNoValue;
            break;
        case ipcsInverseDeltaX: {
            const double period = scaler * (X1 - X2);
            reportedX =
                period == 0.0 ? std::numeric_limits<double>::infinity() : std::fabs(1.0 / period);
            Status = ipcstValue;
            break;
        }
    }
    Cursor.ReportValues(Status, reportedY, reportedX);
    Cursor.SetHintText(CursorText(style, Status, reportedY, reportedX));
}

void TiPlotChannelCustom::UpdateDataCursor(TiPlotDataCursor& Cursor) {
    TiPlotAxis* x = XAxis();
    TiPlotAxis* y = YAxis();
    const double x1 = x ? x->PixelToPosition(Cursor.Pointer1Pixel()) : 0.0;
    const double x2 = x ? x->PixelToPosition(Cursor.Pointer2Pixel()) : 0.0;
    // Unsorted data has no "value at X": the cursor reads the axes.
    const double y2 = y ? y->PixelToPosition(Cursor.Pointer2Pixel()) : 0.0;
    ReportCursorValues(Cursor, x1, x2, ipcstValue, y2);
}

char TiPlotChannelCustom::DataFileSeparator() const {
    return Owner()->DataFileSeparatorChar();
}

// ------------------------------------------------------------------- drawing

bool TiPlotChannelCustom::GetTraceAxes(TiPlotTraceAxes& Axes) {
    TiPlotAxis* x = XAxis();
    TiPlotAxis* y = YAxis();
    if (x == nullptr || y == nullptr)
        return false;
    Axes.X = &x->Mapping();
    Axes.Y = &y->Mapping();
    Axes.XMin = x->Min();
    Axes.XMax = x->Max();
    Axes.YMin = y->Min();
    Axes.YMax = y->Max();
    Axes.Swap = XYAxesReverse();
    if (Owner()->DataViewCount() > 0) {
        const TRect& view = Owner()->DataView(0)->LayoutRect();
        Axes.PercentTop = Axes.Swap ? view.Left : view.Top;
        Axes.PercentBottom = Axes.Swap ? view.Right : view.Bottom;
    }
    return true;
}

void TiPlotChannelCustom::PrepareDraw(TCanvas&) {
    SetPrepared(false);
    if (XAxis() == nullptr || YAxis() == nullptr || !Visible() || Count() == 0)
        return;
    SetVisibleRange(CalcFirstVisible(), CalcLastVisible());
    SetPrepared(true);
}

void TiPlotChannelCustom::Draw(TCanvas& canvas, TColor) {
    TiPlotTraceAxes axes;
    if (!Prepared() || !GetTraceAxes(axes))
        return;
    TCanvasStateSaver saver(canvas);
    try {
        DrawChannel(canvas, axes);
    } catch (const std::exception&) {
        // A bad point or curve skips the rest of this channel; the plot goes on.
    }
}

void TiPlotChannelCustom::DrawChannel(TCanvas& Canvas, const TiPlotTraceAxes& Axes) {
    DrawTrace(Canvas, Axes);
    DrawMarkers(Canvas, Axes);
}

void TiPlotChannelCustom::SelectTracePen(TCanvas& Canvas) const {
    Canvas.Pen().SetColor(Color());
    Canvas.Pen().SetStyle(PenStyleOf(TraceLineStyle()));
    Canvas.Pen().SetWidth(TraceLineWidth() == 1 ? 0 : TraceLineWidth());
    Canvas.Brush().SetStyle(bsClear);
}

void TiPlotChannelCustom::DrawTrace(TCanvas& Canvas, const TiPlotTraceAxes& Axes) {
    if (!traceVisible_)
        return;
    SelectTracePen(Canvas);
    TiPlotSegmentPainter painter(Canvas, Axes);
    DrawStandardTrace(painter, *dataList_, firstVisible_, lastVisible_, true);
}

bool TiPlotChannelCustom::MarkersTurnedOff() const {
    return markersTurnOffLimit_ > 0 &&
           std::abs(lastVisible_ - firstVisible_) > markersTurnOffLimit_;
}

bool TiPlotChannelCustom::MarkerWanted(int Index, const TiPlotTraceAxes& Axes) const {
    const TiPlotDataPoint point = dataList_->GetPoint(Index);
    if (point.Null || point.Empty)
        return false;
    if (markersAllowIndividual_ && !dataList_->GetMarkerVisible(Index))
        return false;
    return point.X >= Axes.XMin && point.X <= Axes.XMax && point.Y >= Axes.YMin &&
           point.Y <= Axes.YMax;
}

void TiPlotChannelCustom::DrawMarkers(TCanvas& Canvas, const TiPlotTraceAxes& Axes) {
    if (!MarkersVisible() || firstVisible_ < 0)
        return;
    Canvas.Font() = markersFont_;
    if (MarkersTurnedOff())
        return;
    TiPlotSegmentPainter painter(Canvas, Axes);
    for (int i = firstVisible_; i <= lastVisible_; ++i)
        if (MarkerWanted(i, Axes))
            DrawMarker(Canvas, i, painter.ToPixel(GetX(i), GetY(i)));
}

void TiPlotChannelCustom::DrawMarker(TCanvas& Canvas, int Index, TPoint Point) {
    const bool individual = Index >= 0 && markersAllowIndividual_;
    const TiPlotDataAttributes marker =
        individual ? dataList_->GetPointAttributes(Index) : Attributes();
    int size = marker.MarkerSize;
    if (Index < 0)
        size = std::min(size, 6);  // the legend sample stays small
    Canvas.Pen().SetWidth(marker.MarkerPenWidth);
    Canvas.Pen().SetStyle(marker.MarkerPenStyle);
    Canvas.Pen().SetColor(markersPenUseChannelColor_ ? Color() : marker.MarkerPenColor);
    Canvas.Brush().SetColor(markersBrushUseChannelColor_ ? Color() : marker.MarkerBrushColor);
    Canvas.Brush().SetStyle(MarkersBrushStyle());
    DrawMarkerShape(Canvas, marker.MarkerStyle, Point.X, Point.Y, size, marker.MarkerCharacter);
}

const TiPlotMinMaxSummary& TiPlotChannelCustom::SyncedSummary() {
    summary_.Sync(*dataList_);
    return summary_;
}

// --------------------------------------------------------------------- mouse

bool TiPlotChannelCustom::HitTest(const TiPlotMouseData& data) {
    if (TiPlotManagerObject::HitTest(data))
        return true;
    const TPoint point{data.X, data.Y};
    if (visibleInLegend_ && legendRect_.Contains(point))
        return true;
    if (!Owner()->SelectModeActive())
        return false;
    hitIndex_ = -1;
    TiPlotTraceAxes axes;
    if (!MarkersVisible() || Count() == 0 || !GetTraceAxes(axes))
        return false;
    SetVisibleRange(CalcFirstVisible(), CalcLastVisible());
    if (firstVisible_ < 0)
        return false;
    const int s = MarkersSize();
    for (int i = firstVisible_; i <= lastVisible_; ++i) {
        if (!MarkerWanted(i, axes))
            continue;
        const TPoint p = PixelOf(axes, GetX(i), GetY(i));
        const TRect box{p.X - s, p.Y - s, p.X + s + 1, p.Y + s + 1};
        if (box.Contains(point)) {
            hitIndex_ = i;
            hitRect_ = box;
            return true;
        }
    }
    return false;
}

void TiPlotChannelCustom::MouseDown(const TiPlotMouseData& data) {
    markerPressed_ = hitIndex_ != -1 && hitRect_.Contains({data.X, data.Y});
}

void TiPlotChannelCustom::MouseUp(const TiPlotMouseData& data) {
    const TPoint point{data.X, data.Y};
    if (markerPressed_ && hitRect_.Contains(point)) {
        markerPressed_ = false;
        Owner()->DoDataPointClickEvent(this, hitIndex_);
        return;
    }
    markerPressed_ = false;
    if (Pressed() && legendRect_.Contains(point))
        Owner()->DoClickEvent(this);
}

Qt::CursorShape TiPlotChannelCustom::MouseCursor(TPoint) {
    return Qt::PointingHandCursor;
}

void TiPlotChannelCustom::BuildPopupMenu(QMenu& menu) {
    TiPlotManagerObject::BuildPopupMenu(menu);
    AddEditItem(menu);
}

// --------------------------------------------------------------------- files

void TiPlotChannelCustom::SaveData(const std::string& FileName) {
    const char separator = DataFileSeparator();
    const char decimal = UserDecimalSeparator();
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        const TiPlotDataPoint point = dataList_->GetPoint(i);
        if (point.Empty)
            continue;
        text += FormatDataNumber(point.X, decimal) + separator +
                (point.Null ? std::string("Null") : FormatDataNumber(point.Y, decimal)) + "\r\n";
    }
    std::ofstream file(FileName, std::ios::binary | std::ios::trunc);
    file << text;
    if (!file)
        throw std::runtime_error("Cannot write file \"" + FileName + "\"");
}

void TiPlotChannelCustom::LoadData(const std::string& FileName, bool ClearFirst) {
    if (log_.Active())
        StopLogging();
    const std::string bytes = ReadWholeFile(FileName);
    if (ClearFirst)
        Clear();
    TChannelDataSink sink(*this);
    // The same number rule as the plot's data files, so neither loads what
    // the other refuses.
    ReadChannelDataFile(bytes, sink, UserDecimalSeparator());
}

void TiPlotChannelCustom::StartLogging(bool Append) {
    log_.Start(logFileName_, Append);
}

void TiPlotChannelCustom::StopLogging() {
    log_.Stop(*dataList_, DataFileSeparator());
}

void TiPlotChannelCustom::SaveProperties(const std::string& FileName) {
    try {
        TiStringList lines{FileTypeLine(kFileType)};
        const TiStringList excluded{std::string(kPropertyPrefix) + ".Name"};
        PropertiesToText(*this, kPropertyPrefix, lines, &excluded);
        WriteTextLines(FileName, lines);
    } catch (const std::exception& e) {
        throw std::runtime_error(std::string("Error Saving Properties - ") + e.what());
    }
}

void TiPlotChannelCustom::LoadProperties(const std::string& FileName) {
    try {
        TiPropertyLines lines(ReadTextLines(FileName));
        if (!TakeFileType(kFileType, lines))
            throw std::runtime_error("Incompatible Plot Channel Configuration File Type");
        PropertiesFromText(*this, kPropertyPrefix, lines);
    } catch (const std::exception& e) {
        throw std::runtime_error(std::string("Error Loading Properties - ") + e.what());
    }
}
