#include "plot/iPlotChannel.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "plot/iPlotAxis.h"
#include "plot/iPlotDataCursor.h"
#include "plot/iPlotHost.h"

TiPlotChannel::TiPlotChannel(TiPlotHost* owner, TiPlotObjectHandlers handlers)
    : TiPlotChannelCustom(owner, std::move(handlers)), startTime_(Now()) {}

const TiPublishedTable& TiPlotChannel::PublishedTable() {
    using C = TiPlotChannel;
    static const TiPublishedTable table =
        TiPublishedTableBuilder<C>("TiPlotChannel", &TiPlotChannelCustom::PublishedTable())
            .Boolean("FastDrawEnabled", &C::FastDrawEnabled, &C::SetFastDrawEnabled)
            .Enumeration("InterpolationStyle", &C::InterpolationStyle, &C::SetInterpolationStyle,
                         {"ipistStraightLine", "ipistCubicSpline", "ipistPolynomial",
                          "ipistRational", "ipistDifferential", "ipistDifferentialTerminated"})
            .Boolean("FillEnabled", &C::FillEnabled, &C::SetFillEnabled)
            .Float("FillReference", &C::FillReference, &C::SetFillReference)
            .Enumeration("FillStyle", &C::FillStyle, &C::SetFillStyle, BrushStyleNames())
            .Color("FillColor", &C::FillColor, &C::SetFillColor)
            .Boolean("FillUseChannelColor", &C::FillUseChannelColor, &C::SetFillUseChannelColor)
            .Boolean("DigitalEnabled", &C::DigitalEnabled, &C::SetDigitalEnabled)
            .Enumeration("DigitalReferenceStyle", &C::DigitalReferenceStyle,
                         &C::SetDigitalReferenceStyle, {"ipdrScale", "ipdrPercent"})
            .Float("DigitalReferenceLow", &C::DigitalReferenceLow, &C::SetDigitalReferenceLow)
            .Float("DigitalReferenceHigh", &C::DigitalReferenceHigh, &C::SetDigitalReferenceHigh)
            .Enumeration("HighLowStyle", &C::HighLowStyle, &C::SetHighLowStyle,
                         {"iphlsOpenClose", "iphlsCandleStick"})
            .Boolean("HighLowEnabled", &C::HighLowEnabled, &C::SetHighLowEnabled)
            .Color("HighLowBarColor", &C::HighLowBarColor, &C::SetHighLowBarColor)
            .Float("HighLowBarWidth", &C::HighLowBarWidth, &C::SetHighLowBarWidth)
            .Boolean("HighLowOpenShow", &C::HighLowOpenShow, &C::SetHighLowOpenShow)
            .Color("HighLowOpenColor", &C::HighLowOpenColor, &C::SetHighLowOpenColor)
            .Float("HighLowOpenWidth", &C::HighLowOpenWidth, &C::SetHighLowOpenWidth)
            .Float("HighLowOpenHeight", &C::HighLowOpenHeight, &C::SetHighLowOpenHeight)
            .Boolean("HighLowCloseShow", &C::HighLowCloseShow, &C::SetHighLowCloseShow)
            .Color("HighLowCloseColor", &C::HighLowCloseColor, &C::SetHighLowCloseColor)
            .Float("HighLowCloseWidth", &C::HighLowCloseWidth, &C::SetHighLowCloseWidth)
            .Float("HighLowCloseHeight", &C::HighLowCloseHeight, &C::SetHighLowCloseHeight)
            .Color("HighLowShadowColor", &C::HighLowShadowColor, &C::SetHighLowShadowColor)
            .Color("HighLowBullishColor", &C::HighLowBullishColor, &C::SetHighLowBullishColor)
            .Color("HighLowBearishColor", &C::HighLowBearishColor, &C::SetHighLowBearishColor)
            .Boolean("BarEnabled", &C::BarEnabled, &C::SetBarEnabled)
            .Boolean("BarPenUseChannelColor", &C::BarPenUseChannelColor,
                     &C::SetBarPenUseChannelColor)
            .Boolean("BarBrushUseChannelColor", &C::BarBrushUseChannelColor,
                     &C::SetBarBrushUseChannelColor)
            .Float("BarReference", &C::BarReference, &C::SetBarReference)
            .Float("BarWidth", &C::BarWidth, &C::SetBarWidth)
            .Color("BarPenColor", &C::BarPenColor, &C::SetBarPenColor)
            .Integer("BarPenWidth", &C::BarPenWidth, &C::SetBarPenWidth, kPixelRange)
            .Enumeration("BarPenStyle", &C::BarPenStyle, &C::SetBarPenStyle, PenStyleNames())
            .Color("BarBrushColor", &C::BarBrushColor, &C::SetBarBrushColor)
            .Enumeration("BarBrushStyle", &C::BarBrushStyle, &C::SetBarBrushStyle,
                         BrushStyleNames())
            .Enumeration("OPCXValueSource", &C::OPCXValueSource, &C::SetOPCXValueSource,
                         {"iopcxvsOPCServerTimeStamp", "iopcxvsSystemTimeStamp",
                          "iopcxvsElapsedTime", "iopcxvsElapsedSeconds"})
            .Build();
    return table;
}

// ---------------------------------------------------------------- properties

void TiPlotChannel::SetFastDrawEnabled(bool value) {
    SetProperty(fastDrawEnabled_, value, &TiPlotObject::DoChange);
}
void TiPlotChannel::SetInterpolationStyle(TiPlotInterpolationStyle value) {
    SetProperty(interpolationStyle_, value, &TiPlotObject::DoChange);
}
void TiPlotChannel::SetFillEnabled(bool value) {
    SetProperty(fill_.Enabled, value, &TiPlotObject::DoChange);
}
void TiPlotChannel::SetFillReference(double value) {
    SetProperty(fill_.Reference, value, &TiPlotObject::DoChange);
}
void TiPlotChannel::SetFillStyle(TBrushStyle value) {
    SetProperty(fill_.Style, value, &TiPlotObject::DoChange);
}
void TiPlotChannel::SetFillColor(TColor value) {
    SetProperty(fill_.Color, value, &TiPlotObject::DoChange);
}
void TiPlotChannel::SetFillUseChannelColor(bool value) {
    SetProperty(fillUseChannelColor_, value, &TiPlotObject::DoChange);
}
void TiPlotChannel::SetDigitalEnabled(bool value) {
    SetProperty(digitalEnabled_, value, &TiPlotObject::DoChange);
}
void TiPlotChannel::SetDigitalReferenceStyle(TiPlotDigitalReferenceStyle value) {
    SetProperty(digitalReferenceStyle_, value, &TiPlotObject::DoChange);
}
void TiPlotChannel::SetDigitalReferenceLow(double value) {
    SetProperty(digitalReferenceLow_, value, &TiPlotObject::DoChange);
}
void TiPlotChannel::SetDigitalReferenceHigh(double value) {
    SetProperty(digitalReferenceHigh_, value, &TiPlotObject::DoChange);
}
void TiPlotChannel::SetHighLowEnabled(bool value) {
    SetProperty(highLowEnabled_, value, &TiPlotObject::DoChange);
}
void TiPlotChannel::SetBarEnabled(bool value) {
    SetProperty(barEnabled_, value, &TiPlotObject::DoChange);
}
void TiPlotChannel::SetBarPenUseChannelColor(bool value) {
    SetProperty(barPenUseChannelColor_, value, &TiPlotObject::DoChange);
}
void TiPlotChannel::SetBarBrushUseChannelColor(bool value) {
    SetProperty(barBrushUseChannelColor_, value, &TiPlotObject::DoChange);
}

TiPlotFillStyle TiPlotChannel::ResolvedFill() const {
    TiPlotFillStyle fill = fill_;
    if (fillUseChannelColor_)
        fill.Color = Color();
    return fill;
}

TiPlotDigitalLevels TiPlotChannel::DigitalLevels() const {
    return {digitalReferenceHigh_, digitalReferenceLow_, digitalReferenceStyle_ == ipdrPercent};
}

// ------------------------------------------------------------- drawing range

int TiPlotChannel::SearchX(double X) const {
    const TiPlotDataCustomList& list = DataList();
    int low = 0;
    int high = list.Count() - 1;
    int result = -1;
    while (low <= high) {
        const int mid = low + (high - low) / 2;
        result = mid;
        const double x = list.GetX(mid);
        if (x == X)
            break;
        // Descending data is the mirror image.
        if ((X < x) == xIncreasing_)
            high = mid - 1;
        else
            low = mid + 1;
    }
    return result;
}

int TiPlotChannel::CalcFirstVisible() {
    TiPlotAxis* axis = XAxis();
    if (axis == nullptr || Count() == 0)
        return -1;
    const double edge = xIncreasing_ ? axis->Min() : axis->Max();
    int first = SearchX(edge);
    if (xIncreasing_ ? edge < GetX(first) : edge > GetX(first))
        --first;
    return std::clamp(first, 0, Count() - 1);
}

int TiPlotChannel::CalcLastVisible() {
    TiPlotAxis* axis = XAxis();
    if (axis == nullptr || Count() == 0)
        return -1;
    const double edge = xIncreasing_ ? axis->Max() : axis->Min();
    int last = SearchX(edge);
    if (xIncreasing_ ? edge > GetX(last) : edge < GetX(last))
        ++last;
    return std::clamp(last, 0, Count() - 1);
}

void TiPlotChannel::PrepareDraw(TCanvas&) {
    SetPrepared(false);
    TiPlotAxis* x = XAxis();
    TiPlotAxis* y = YAxis();
    if (x == nullptr || y == nullptr || !Visible() || Count() == 0)
        return;
    xIncreasing_ = Count() < 3 || GetX(1) >= GetX(0);
    SetVisibleRange(CalcFirstVisible(), CalcLastVisible());
    if (!IsDifferential() && (FirstVisible() == -1 || LastVisible() == -1))
        return;
    pixelPoints_.Prepare(x->PositionToPixel(x->Min()), x->PositionToPixel(x->Max()));
    SetPrepared(true);
}

// ------------------------------------------------------------------- drawing

void TiPlotChannel::DrawChannel(TCanvas& Canvas, const TiPlotTraceAxes& Axes) {
    TiPlotSegmentPainter painter(Canvas, Axes);
    if (interpolationStyle_ == ipistStraightLine && !digitalEnabled_)
        DrawFill(painter, DataList(), FirstVisible(), LastVisible(), ResolvedFill());
    if (barEnabled_)
        DrawBars(painter, DataList(), FirstVisible(), LastVisible(),
                 {Color(), barPenUseChannelColor_, barBrushUseChannelColor_});
    DrawTrace(Canvas, Axes);
    DrawMarkers(Canvas, Axes);
    if (highLowEnabled_)
        DrawHighLow(painter, DataList(), FirstVisible(), LastVisible(), highLow_);
}

void TiPlotChannel::DrawTrace(TCanvas& Canvas, const TiPlotTraceAxes& Axes) {
    if (!TraceVisible())
        return;
    SelectTracePen(Canvas);
    TiPlotSegmentPainter painter(Canvas, Axes);
    if (digitalEnabled_) {
        DrawDigitalTrace(painter, DataList(), FirstVisible(), LastVisible(), DigitalLevels(),
                         ResolvedFill());
        return;
    }
    switch (interpolationStyle_) {
        case ipistStraightLine:
            if (fastDrawEnabled_)
                DrawFastTrace(painter, DataList(), FirstVisible(), LastVisible(), &SyncedSummary());
            else
                DrawStandardTrace(painter, DataList(), FirstVisible(), LastVisible(), true);
            break;
        case ipistDifferential:
        case ipistDifferentialTerminated:
            DrawDifferentialTrace(painter, DataList(), FirstVisible(), LastVisible(),
                                  interpolationStyle_ == ipistDifferentialTerminated,
                                  ResolvedFill());
            break;
        case ipistCubicSpline:
        case ipistPolynomial:
        case ipistRational:
            DrawInterpolatedTrace(painter, DataList(), interpolationStyle_, ResolvedFill(),
                                  pixelPoints_);
            break;
    }
}

void TiPlotChannel::DrawMarkers(TCanvas& Canvas, const TiPlotTraceAxes& Axes) {
    if (!digitalEnabled_) {
        TiPlotChannelCustom::DrawMarkers(Canvas, Axes);
        return;
    }
    if (!MarkersVisible() || FirstVisible() < 0 || MarkersTurnedOff())
        return;
    Canvas.Font() = MarkersFont();
    const TiPlotDigitalLevels levels = DigitalLevels();
    for (int i = FirstVisible(); i <= LastVisible(); ++i) {
        if (!MarkerWanted(i, Axes))
            continue;
        const double y = GetY(i);
        DrawMarker(Canvas, i,
                   PixelOf(Axes, GetX(i), y != 0.0 ? levels.High : levels.Low, levels.Percent));
    }
}

// ------------------------------------------------------------ reading values

int TiPlotChannel::IndexAtX(double X) {
    if (XAxis() == nullptr || Count() == 0)
        return -1;
    const double first = GetX(0);
    const double last = GetX(Count() - 1);
    if (xIncreasing_ ? (X < first || X > last) : (X > first || X < last))
        return -1;
    int i = SearchX(X);
    if (X > GetX(i))
        i += xIncreasing_ ? 1 : -1;
    return std::clamp(i, 0, Count() - 1);
}

bool TiPlotChannel::ValueAtX(double X, double& Y) {
    const int i = IndexAtX(X);
    if (i == -1)
        return false;
    const int j = xIncreasing_ ? i - 1 : i + 1;
    if (j < 0 || j >= Count())
        return false;
    if (digitalEnabled_) {
        Y = GetY(j);  // the value in force before the point
        return true;
    }
    if (X == GetX(i)) {
        Y = GetY(i);
        return true;
    }
    if (i <= 0 || GetNull(i) || GetNull(j))
        return false;
    TiPlotAxis* axis = XAxis();
    const int p = axis->PositionToPixel(X);
    const int pi = axis->PositionToPixel(GetX(i));
    const int pj = axis->PositionToPixel(GetX(j));
    // Interpolated in pixels, as the line on the screen runs.
    Y = (p == pi || pj == pi) ? GetY(i) : GetY(i) + (p - pi) * (GetY(j) - GetY(i)) / (pj - pi);
    return true;
}

TiPlotCursorStatus TiPlotChannel::CursorValueAt(double X, int XPixel, double& Y) {
    if (Count() == 0)
        return ipcstOutside;
    const double first = GetX(0);
    const double last = GetX(Count() - 1);
    const bool outside = X < std::min(first, last) || X > std::max(first, last);
    if (outside && (!IsDifferential() || digitalEnabled_))
        return ipcstOutside;
    switch (interpolationStyle_) {
        case ipistStraightLine:
            return ValueAtX(X, Y) ? ipcstValue : ipcstNoValue;
        case ipistCubicSpline:
        case ipistPolynomial:
        case ipistRational:
            return pixelPoints_.Get(XPixel, Y) ? ipcstValue : ipcstNoValue;
        case ipistDifferential:
        case ipistDifferentialTerminated:
            break;
    }
    const int i = IndexAtX(X);
    const int before = i == -1 ? -1 : (X == GetX(i) ? i : i + (xIncreasing_ ? -1 : 1));
    if (before >= 0 && before < Count()) {
        Y = GetY(before);
        return ipcstValue;
    }
    // Past the data the open-ended step holds the last value.
    const int lastIndex = Count() - 1;
    if (interpolationStyle_ == ipistDifferential && X > last && !GetNull(lastIndex) &&
        !GetEmpty(lastIndex)) {
        Y = GetY(lastIndex);
        return ipcstValue;
    }
    return ipcstNoValue;
}

std::string TiPlotChannel::CursorValueYText(TiPlotCursorStatus Status, double Y) {
    if (digitalEnabled_ && Status == ipcstValue && YAxis() != nullptr)
        return Translate(Y != 0.0 ? "High" : "Low");
    return TiPlotChannelCustom::CursorValueYText(Status, Y);
}

void TiPlotChannel::UpdateDataCursor(TiPlotDataCursor& Cursor) {
    TiPlotAxis* x = XAxis();
    if (x == nullptr) {
        TiPlotChannelCustom::UpdateDataCursor(Cursor);
        return;
    }
    const int pixel1 = Cursor.Pointer1Pixel();
    const double x1 = x->PixelToPosition(pixel1);
    const double x2 = x->PixelToPosition(Cursor.Pointer2Pixel());
    double y = 0.0;
    const TiPlotCursorStatus status = CursorValueAt(x1, pixel1, y);
    ReportCursorValues(Cursor, x1, x2, status, y);
}

// ------------------------------------------------------------------- extents

int TiPlotChannel::FirstValidIndex() const {
    for (int i = 0; i < Count(); ++i)
        if (!GetNull(i) && !GetEmpty(i))
            return i;
    return -1;
}

int TiPlotChannel::LastValidIndex() const {
    for (int i = Count() - 1; i >= 0; --i)
        if (!GetNull(i) && !GetEmpty(i))
            return i;
    return -1;
}

double TiPlotChannel::UpperEdge(TiPlotAxis* Axis, double Value) const {
    return MarkersVisible() ? Value + MarkerHalfLength(Axis) : Value;
}

double TiPlotChannel::LowerEdge(TiPlotAxis* Axis, double Value) const {
    return MarkersVisible() ? Value - MarkerHalfLength(Axis) : Value;
}

double TiPlotChannel::MaxXExtent() {
    TiPlotAxis* axis = XAxis();
    const int i = LastValidIndex();
    return axis == nullptr || !Visible() || i < 0 ? -1e300 : UpperEdge(axis, GetX(i));
}

double TiPlotChannel::MinXExtent() {
    TiPlotAxis* axis = XAxis();
    const int i = FirstValidIndex();
    return axis == nullptr || !Visible() || i < 0 ? 1e300 : LowerEdge(axis, GetX(i));
}

double TiPlotChannel::MaxYExtent() {
    TiPlotAxis* axis = YAxis();
    if (axis == nullptr || !Visible() || Count() == 0)
        return -1e300;
    double extent = -1e300;
    const int first = CalcFirstVisible();
    const int last = CalcLastVisible();
    for (int i = std::max(first, 0); i <= last; ++i)
        if (!GetNull(i) && !GetEmpty(i))
            extent = std::max(extent, UpperEdge(axis, GetY(i)));
    return extent;
}

double TiPlotChannel::MinYExtent() {
    TiPlotAxis* axis = YAxis();
    if (axis == nullptr || !Visible() || Count() == 0)
        return 1e300;
    double extent = 1e300;
    const int first = CalcFirstVisible();
    const int last = CalcLastVisible();
    for (int i = std::max(first, 0); i <= last; ++i)
        if (!GetNull(i) && !GetEmpty(i))
            extent = std::min(extent, LowerEdge(axis, GetY(i)));
    return extent;
}

// --------------------------------------------------------------------- mouse

bool TiPlotChannel::HitTest(const TiPlotMouseData& data) {
    if (TiPlotChannelCustom::HitTest(data))
        return true;
    TiPlotAxis* x = XAxis();
    TiPlotAxis* y = YAxis();
    if (x == nullptr || y == nullptr || !Owner()->SelectModeActive())
        return false;
    // Near the trace: within 10 pixels of its value at the pointer's X.
    const int along = XYAxesReverse() ? data.Y : data.X;
    const int across = XYAxesReverse() ? data.X : data.Y;
    double value = 0.0;
    if (!ValueAtX(x->PixelToPosition(along), value))
        return false;
    return std::abs(y->PositionToPixel(value) - across) <= 10;
}
