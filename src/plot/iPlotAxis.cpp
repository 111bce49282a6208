#include "plot/iPlotAxis.h"

#include <QScopedValueRollback>
#include <cmath>

#include "plot/iPlotHost.h"
#include "plot/iPropertyText.h"

namespace {

const char* const kNoAxis = "<None>";

}  // namespace

TiPlotAxis::TiPlotAxis(TiPlotHost* owner, TiPlotObjectHandlers handlers, bool isXAxis)
    : TiPlotLayoutObject(owner, std::move(handlers)),
      rangeEvents_(owner->AxisRangeEvents(isXAxis)),
      isXAxis_(isXAxis) {
    cartesianRef_.SetName(kNoAxis);
    alignRef_.SetName(kNoAxis);
    titleFont_.SetName("Arial");
    titleFont_.SetSize(10);
    titleFont_.SetStyle(fsBold);
    titleFont_.SetColor(clWhite);
    labelsFont_.SetColor(clWhite);
    titleFont_.OnChange = [this] { DoChange(); };
    labelsFont_.OnChange = [this] { DoChange(); };
    UpdateMapping();
}

const TiPublishedTable& TiPlotAxis::PublishedTable() {
    using A = TiPlotAxis;
    static const std::vector<std::string> formats{"iptfValue",      "iptfExponent",
                                                  "iptfPrefix",     "iptfDateTime",
                                                  "iptfPrice32nds", "iptfThousands"};
    static const std::vector<std::string> precisions{"ipsSignificantDigits",
                                                     "ipsFixedDecimalPoints"};
    static const TiPublishedTable table =
        TiPublishedTableBuilder<A>("TiPlotAxis", &TiPlotLayoutObject::PublishedTable())
            .Float("Min", &A::Min, &A::SetMin)
            .Float("Span", &A::Span, &A::SetSpan)
            .Float("DesiredStart", &A::DesiredStart, &A::SetDesiredStart)
            .Float("DesiredIncrement", &A::DesiredIncrement, &A::SetDesiredIncrement)
            .Boolean("ReverseScale", &A::ReverseScale, &A::SetReverseScale)
            .Integer("InnerMargin", &A::InnerMargin, &A::SetInnerMargin, kPixelRange)
            .Integer("OuterMargin", &A::OuterMargin, &A::SetOuterMargin, kPixelRange)
            .String("Title", &A::Title, &A::SetTitle)
            .Float("TitleMargin", &A::TitleMargin, &A::SetTitleMargin, kCharacterRange)
            .Object("TitleFont", &A::TitleFont)
            .Boolean("TitleShow", &A::TitleShow, &A::SetTitleShow)
            .Boolean("TitleRotated", &A::TitleRotated, &A::SetTitleRotated)
            .Integer("MajorLength", &A::MajorLength, &A::SetMajorLength, kPixelRange)
            .Integer("MinorLength", &A::MinorLength, &A::SetMinorLength, kPixelRange)
            .Integer("MinorCount", &A::MinorCount, &A::SetMinorCount, kObjectCountRange)
            .Boolean("LabelsVisible", &A::LabelsVisible, &A::SetLabelsVisible)
            .Float("LabelsMargin", &A::LabelsMargin, &A::SetLabelsMargin, kCharacterRange)
            .Object("LabelsFont", &A::LabelsFont)
            .Float("LabelSeparation", &A::LabelSeparation, &A::SetLabelSeparation, kCharacterRange)
            .Enumeration("LabelsRotation", &A::LabelsRotation, &A::SetLabelsRotation,
                         {"ira000", "ira090", "ira180", "ira270"})
            .Integer("LabelsPrecision", &A::LabelsPrecision, &A::SetLabelsPrecision)
            .Enumeration("LabelsPrecisionStyle", &A::LabelsPrecisionStyle,
                         &A::SetLabelsPrecisionStyle, precisions)
            .Enumeration("LabelsFormatStyle", &A::LabelsFormatStyle, &A::SetLabelsFormatStyle,
                         formats)
            .String("DateTimeFormat", &A::DateTimeFormat, &A::SetDateTimeFormat)
            .Float("LabelsMinLength", &A::LabelsMinLength, &A::SetLabelsMinLength, kCharacterRange)
            .Boolean("LabelsMinLengthAutoAdjust", &A::LabelsMinLengthAutoAdjust,
                     &A::SetLabelsMinLengthAutoAdjust)
            .Boolean("ScaleLineShow", &A::ScaleLineShow, &A::SetScaleLineShow)
            .Boolean("ScaleLinesShow", &A::ScaleLinesShow, &A::SetScaleLinesShow)
            .Color("ScaleLinesColor", &A::ScaleLinesColor, &A::SetScaleLinesColor)
            .Float("StackingEndsMargin", &A::StackingEndsMargin, &A::SetStackingEndsMargin,
                   kCharacterRange)
            .Enumeration("ScaleType", &A::ScaleType, &A::SetScaleType, {"ipstLinear", "ipstLog10"})
            .Boolean("TrackingEnabled", &A::TrackingEnabled, &A::SetTrackingEnabled)
            .Enumeration("TrackingStyle", &A::TrackingStyle, &A::SetTrackingStyle,
                         {"iptsScaleMinMax", "iptsScaleMax", "iptsScaleMin", "iptsScrollSmooth",
                          "iptsScrollPage", "iptsExpandCollapse", "iptsExpandCollapseFast"})
            .Enumeration("TrackingAlignFirstStyle", &A::TrackingAlignFirstStyle,
                         &A::SetTrackingAlignFirstStyle,
                         {"ipafsMin", "ipafsMax", "ipafsAuto", "ipafsNone"})
            .Float("TrackingScrollCompressMax", &A::TrackingScrollCompressMax,
                   &A::SetTrackingScrollCompressMax)
            .Boolean("CursorUseDefaultFormat", &A::CursorUseDefaultFormat,
                     &A::SetCursorUseDefaultFormat)
            .Enumeration("CursorFormatStyle", &A::CursorFormatStyle, &A::SetCursorFormatStyle,
                         formats)
            .String("CursorDateTimeFormat", &A::CursorDateTimeFormat, &A::SetCursorDateTimeFormat)
            .Enumeration("CursorPrecisionStyle", &A::CursorPrecisionStyle,
                         &A::SetCursorPrecisionStyle, precisions)
            .Integer("CursorPrecision", &A::CursorPrecision, &A::SetCursorPrecision)
            .Float("CursorMinLength", &A::CursorMinLength, &A::SetCursorMinLength, kCharacterRange)
            .Boolean("CursorMinLengthAutoAdjust", &A::CursorMinLengthAutoAdjust,
                     &A::SetCursorMinLengthAutoAdjust)
            .Boolean("LegendUseDefaultFormat", &A::LegendUseDefaultFormat,
                     &A::SetLegendUseDefaultFormat)
            .Enumeration("LegendFormatStyle", &A::LegendFormatStyle, &A::SetLegendFormatStyle,
                         formats)
            .String("LegendDateTimeFormat", &A::LegendDateTimeFormat, &A::SetLegendDateTimeFormat)
            .Enumeration("LegendPrecisionStyle", &A::LegendPrecisionStyle,
                         &A::SetLegendPrecisionStyle, precisions)
            .Integer("LegendPrecision", &A::LegendPrecision, &A::SetLegendPrecision)
            .Float("LegendMinLength", &A::LegendMinLength, &A::SetLegendMinLength, kCharacterRange)
            .Boolean("LegendMinLengthAutoAdjust", &A::LegendMinLengthAutoAdjust,
                     &A::SetLegendMinLengthAutoAdjust)
            .Float("CursorScaler", &A::CursorScaler, &A::SetCursorScaler)
            .Boolean("ScrollMinMaxEnabled", &A::ScrollMinMaxEnabled, &A::SetScrollMinMaxEnabled)
            .Float("ScrollMax", &A::ScrollMax, &A::SetScrollMax)
            .Float("ScrollMin", &A::ScrollMin, &A::SetScrollMin)
            .Boolean("RestoreValuesOnResume", &A::RestoreValuesOnResume,
                     &A::SetRestoreValuesOnResume)
            .Boolean("MasterUIInput", &A::MasterUIInput, &A::SetMasterUIInput)
            .Enumeration("CartesianStyle", &A::CartesianStyle, &A::SetCartesianStyle,
                         {"ipcsNone", "ipcsMaster", "ipcsChild"})
            .String("CartesianChildRefAxisName", &A::CartesianChildRefAxisName,
                    &A::SetCartesianChildRefAxisName)
            .Float("CartesianChildRefValue", &A::CartesianChildRefValue,
                   &A::SetCartesianChildRefValue)
            .String("AlignRefAxisName", &A::AlignRefAxisName, &A::SetAlignRefAxisName)
            .Boolean("GridLinesVisible", &A::GridLinesVisible, &A::SetGridLinesVisible)
            .Boolean("ForceStacking", &A::ForceStacking, &A::SetForceStacking)
            // Older configurations: the span under its former name, and the
            // two reals that were stored apart when 0 (a 0 was left out).
            .Legacy("Span_2", "Span")
            .Legacy("Span", "Span")
            .Legacy("LabelSeparation", "LabelSeparation")
            .Legacy("TitleMargin", "TitleMargin")
            .Build();
    return table;
}

// ------------------------------------------------------------------ range

void TiPlotAxis::SetMin(double value) {
    if (std::isnan(value)) {
        return;
    }
    value = ClampAxisMin(value);
    const double old = range_.Min;
    if (value == old) {
        return;
    }
    ChangeMin(old, value);
    if (!minSpanChanging_) {
        Owner()->DoAxisMinSpanChange(this, old, range_.Span, value, range_.Span);
    }
}

void TiPlotAxis::SetSpan(double value) {
    if (std::isnan(value)) {
        return;
    }
    value = ClampAxisSpan(value);
    const double old = range_.Span;
    if (value == old) {
        return;
    }
    ChangeSpan(old, value);
    if (!minSpanChanging_) {
        Owner()->DoAxisMinSpanChange(this, range_.Min, old, range_.Min, value);
    }
}

void TiPlotAxis::SetMinSpan(double min, double span) {
    if (scaleType_ == ipstLog10) {
        const TiAxisRange safe = LogSafeRange({min, span});
        min = safe.Min;
        span = safe.Span;
    }
    if (std::isnan(min) || std::isnan(span)) {
        return;
    }
    min = ClampAxisMin(min);
    span = ClampAxisSpan(span);
    if (min == range_.Min && span == range_.Span) {
        return;
    }
    if (rangeEvents_.Watched()) {
        ChangeRangeAnnounced(min, span);
    } else {
        MoveRangeQuietly(min, span);
    }
}

void TiPlotAxis::ChangeRangeAnnounced(double min, double span) {
    // Field by field: the range is written that way (see TiAxisMapping::SetRange).
    const double oldMin = range_.Min;
    const double oldSpan = range_.Span;
    {
        const QScopedValueRollback changing(minSpanChanging_, true);
        if (min != oldMin) {
            ChangeMin(oldMin, min);
        }
        // A handler of the Min event may have moved the span already.
        if (span != range_.Span) {
            ChangeSpan(range_.Span, span);
        }
    }
    if (range_.Min != oldMin || range_.Span != oldSpan) {
        Owner()->DoAxisMinSpanChange(this, oldMin, oldSpan, range_.Min, range_.Span);
    }
}

void TiPlotAxis::SetRange(TiAxisRange range) {
    SetMinSpan(range.Min, range.Span);
}

void TiPlotAxis::ChangeMin(double old, double value) {
    range_.Min = value;
    UpdateMapping();
    DoChange();
    Owner()->DoAxisMinChange(this, old, value);
}

void TiPlotAxis::ChangeSpan(double old, double value) {
    range_.Span = value;
    UpdateMapping();
    DoChange();
    Owner()->DoAxisSpanChange(this, old, value);
}

void TiPlotAxis::UpdateMapping() const {
    mapping_.SetRange(range_.Min, range_.Span, scaleType_);
    mappingBehind_ = false;
}

void TiPlotAxis::SetScaleType(TiPlotScaleType value) {
    if (value == scaleType_) {
        return;
    }
    scaleType_ = value;
    if (value == ipstLog10 && !(range_.Min > 0)) {
        range_.Min = 1;
    }
    UpdateMapping();
    DoChange();
}

void TiPlotAxis::SetDesiredIncrement(double value) {
    if (std::isnan(value)) {
        return;
    }
    SetProperty(desiredIncrement_, std::clamp(value, 0.0, kAxisSpanCeiling),
                &TiPlotObject::DoChange);
}

void TiPlotAxis::SetReverseScale(bool value) {
    if (value == reverseScale_) {
        return;
    }
    reverseScale_ = value;
    TiAxisMapping::Scale scale = mapping_.ScaleEnds();
    scale.Reverse = value;
    mapping_.SetScale(scale);
    DoChange();
}

int TiPlotAxis::LengthToPixels(double length) const {
    return std::abs(PositionToPixel(Min() + length) - PositionToPixel(Min()));
}

int TiPlotAxis::ScaleLength() const {
    return Horizontal() ? scaleRect_.Right - scaleRect_.Left : scaleRect_.Bottom - scaleRect_.Top;
}

// --------------------------------------------------------------- tracking

void TiPlotAxis::TrackValueBeyondRange(double value) {
    if (!trackingEnabled_ || !std::isfinite(value)) {
        return;
    }
    const bool first = !firstValueSeen_;
    firstValueSeen_ = true;
    switch (tracking_.Style) {
        case iptsExpandCollapse:
            ZoomToFit();
            break;
        case iptsExpandCollapseFast:
            ZoomToFitFast();
            break;
        default:
            SetRange(TrackedRange(tracking_, range_, first, value));
            break;
    }
}

void TiPlotAxis::SetTrackingEnabled(bool value) {
    if (value == trackingEnabled_) {
        return;
    }
    trackingEnabled_ = value;
    if (restoreValuesOnResume_) {
        if (value) {
            SetRange(resume_);
            labels_.MinLength = resumeLabelsMinLength_;
        } else {
            UpdateResumeValues();
        }
    }
    DoChange();
}

void TiPlotAxis::UpdateResumeValues() {
    resume_ = range_;
    resumeLabelsMinLength_ = labels_.MinLength;
}

bool TiPlotAxis::ResumeValuesDiffer() const {
    return range_ != resume_;
}

void TiPlotAxis::FitTo(const TiPlotExtents& extents) {
    if (extents.High > -kAxisMinLimit && extents.Low < kAxisMinLimit &&
        extents.High != extents.Low) {
        SetMinSpan(extents.Low, extents.High - extents.Low);
    }
}

void TiPlotAxis::ZoomToFit() {
    FitTo(Owner()->ChannelExtents(isXAxis_, Name(), false));
}

void TiPlotAxis::ZoomToFitFast() {
    FitTo(Owner()->ChannelExtents(isXAxis_, Name(), true));
}

// --------------------------------------------------------- user operations

void TiPlotAxis::Zoom(double factor) {
    SetRange(ZoomedRange(range_, scaleType_, factor));
}

void TiPlotAxis::ZoomStep(double exponent) {
    SetRange(ZoomStepRange(range_, scaleType_, exponent));
}

void TiPlotAxis::ScrollStep(double fraction) {
    SetRange(ScrollStepRange(range_, scaleType_, fraction, scrollLimits_));
}

void TiPlotAxis::ZoomToRect(const TRect& rect) {
    int a = Horizontal() ? rect.Left : rect.Bottom;
    int b = Horizontal() ? rect.Right : rect.Top;
    if (reverseScale_) {
        std::swap(a, b);
    }
    const double low = PixelToPosition(a);
    SetMinSpan(low, PixelToPosition(b) - low);
}

// ------------------------------------------------------------------- texts

std::string TiPlotAxis::FormatValue(const TiAxisTextFormat& format, double& minLength,
                                    bool autoAdjust, double value) {
    TiFormattedValue formatted =
        FormatAxisValue(format, scaleType_, range_.Span, value, UserDecimalSeparator());
    if (!formatted.Showable) {
        return formatted.Text;
    }
    Owner()->DoAxisCustomizeLabel(this, value, formatted.Text);
    if (autoAdjust && measuring_) {
        minLength = std::max(minLength, static_cast<double>(LabelLength(formatted.Text)));
    }
    return formatted.Text;
}

std::string TiPlotAxis::LabelText(double value) {
    return FormatValue(labels_.Format, labels_.MinLength, labels_.MinLengthAutoAdjust, value);
}

std::string TiPlotAxis::CursorValueText(double value) {
    TiAxisTextSettings& use = CursorSettings();
    return JoinLabelLines(FormatValue(use.Format, use.MinLength, use.MinLengthAutoAdjust, value));
}

std::string TiPlotAxis::CursorDeltaText(double value) {
    // A difference (period, peak to peak) is never shown as a date.
    TiAxisTextSettings& use = CursorSettings();
    TiAxisTextFormat format = use.Format;
    format.Style = iptfValue;
    format.DateTimeFormat.clear();
    return JoinLabelLines(FormatValue(format, use.MinLength, use.MinLengthAutoAdjust, value));
}

std::string TiPlotAxis::LegendValueText(double value) {
    TiAxisTextSettings& use = LegendSettings();
    return JoinLabelLines(FormatValue(use.Format, use.MinLength, use.MinLengthAutoAdjust, value));
}

// -------------------------------------------------------------- references

void TiPlotAxis::SetCartesianChildRefAxisName(const std::string& value) {
    if (cartesianRef_.SetName(value)) {
        DoChange();
    }
}

void TiPlotAxis::SetAlignRefAxisName(const std::string& value) {
    if (alignRef_.SetName(value)) {
        DoChange();
    }
}

TiPlotAxis* TiPlotAxis::CartesianRefAxis() {
    return static_cast<TiPlotAxis*>(
        cartesianRef_.Resolve([this](const std::string& name) { return FindCrossAxis(name); }));
}

TiPlotAxis* TiPlotAxis::AlignRefAxis() {
    TiPlotAxis* axis = static_cast<TiPlotAxis*>(
        alignRef_.Resolve([this](const std::string& name) { return FindSameKindAxis(name); }));
    return axis == this ? nullptr : axis;
}

void TiPlotAxis::ObjectRemoved(TiPlotObject* object) {
    cartesianRef_.ObjectRemoved(object);
    alignRef_.ObjectRemoved(object);
}

bool TiPlotAxis::FollowsRenamesOf(const TiPlotObject& renamed) {
    return OfKind(renamed.Kind());
}

void TiPlotAxis::ObjectRenamed(TiPlotObject* object) {
    if (!FollowsRenamesOf(*object)) {
        return;
    }
    cartesianRef_.ObjectRenamed(object);
    alignRef_.ObjectRenamed(object);
}

// ------------------------------------------------------------ X and Y axes

TiPlotXAxis::TiPlotXAxis(TiPlotHost* owner, TiPlotObjectHandlers handlers)
    : TiPlotAxis(owner, std::move(handlers), true) {
    SetHorizontal(true);
    SetTrackingStyle(iptsScaleMinMax);
    SetTrackingAlignFirstStyle(ipafsAuto);
}

TiPlotAxis* TiPlotXAxis::FindCrossAxis(const std::string& name) const {
    return Owner()->YAxisByName(name);
}

TiPlotAxis* TiPlotXAxis::FindSameKindAxis(const std::string& name) const {
    return Owner()->XAxisByName(name);
}

TiPlotYAxis::TiPlotYAxis(TiPlotHost* owner, TiPlotObjectHandlers handlers)
    : TiPlotAxis(owner, std::move(handlers), false) {
    SetTrackingStyle(iptsScaleMinMax);
    SetTrackingAlignFirstStyle(ipafsNone);
}

TiPlotAxis* TiPlotYAxis::FindCrossAxis(const std::string& name) const {
    return Owner()->XAxisByName(name);
}

TiPlotAxis* TiPlotYAxis::FindSameKindAxis(const std::string& name) const {
    return Owner()->YAxisByName(name);
}
