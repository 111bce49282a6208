#include "plot/iPlotComponent.h"

#include <QFileDialog>
#include <QMenu>
#include <QPrinter>
#include <QScopedValueRollback>
#include <algorithm>
#include <stdexcept>

#include "plot/iDrawingHelpers.h"
#include "plot/iPlotAnnotation.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotChannelCustom.h"
#include "plot/iPlotDataCursor.h"
#include "plot/iPlotDataView.h"
#include "plot/iPlotLabel.h"
#include "plot/iPlotLayoutManager.h"
#include "plot/iPlotLegend.h"
#include "plot/iPlotLimit.h"
#include "plot/iPlotPropertyEditor.h"
#include "plot/iPlotTable.h"
#include "plot/iPlotToolBar.h"

namespace {

const char* const kAllChannels = "<All>";
constexpr int kFirstArrowKey = 37;  // left, up, right, down: 37 to 40
constexpr int kLastArrowKey = 40;

bool IsDataViewOrLegend(const TiPlotObject* object) {
    return object->Kind() == ipokDataView || object->Kind() == ipokLegend;
}

bool IsDataViewOrLegendOrMarker(const TiPlotObject* object) {
    return IsDataViewOrLegend(object) || object->Kind() == ipokLevelMarker;
}

bool IsAxis(const TiPlotObject* object) {
    return TiPlotAxis::OfKind(object->Kind());
}

bool IsToolBar(const TiPlotObject* object) {
    return object->Kind() == ipokToolBar;
}

// Parts of a toolbar or legend are buttons; they take the press themselves.
bool TakesPressItself(const TiPlotObject* object) {
    return object->Kind() == ipokButton;
}

template <class T>
std::vector<TiPlotAxis*> AxesOf(const TiPlotKindManager<T>& manager) {
    std::vector<TiPlotAxis*> axes;
    for (int i = 0; i < manager.Count(); ++i)
        axes.push_back(manager.Item(i));
    return axes;
}

}  // namespace

// The events a kind of object raises, with the object's index in its manager.
struct TiPlotComponent::KindEvents {
    int Index = -1;
    TiPlotObjectMouseEvent* MouseDown = nullptr;
    TiPlotObjectMouseEvent* MouseUp = nullptr;
    TiPlotObjectMouseMoveEvent* MouseMove = nullptr;
    TiPlotObjectEvent* Click = nullptr;
    TiPlotObjectEvent* DblClick = nullptr;
    TiPlotObjectEvent* GotFocus = nullptr;
    TiPlotObjectEvent* LostFocus = nullptr;
    TiPlotPopupMenuEvent* Popup = nullptr;
};

TiPlotComponent::KindEvents TiPlotComponent::EventsOf(const TiPlotObject* object) {
    if (!object)
        return {};
    switch (object->Kind()) {
        case ipokChannel:
            return {master_->ChannelManager().IndexOf(object),
                    &OnMouseDownChannel,
                    &OnMouseUpChannel,
                    &OnMouseMoveChannel,
                    &OnClickChannel,
                    &OnDblClickChannel,
                    &OnGotFocusChannel,
                    &OnLostFocusChannel,
                    &OnPopupMenuChannel};
        case ipokXAxis:
            return {master_->XAxisManager().IndexOf(object),
                    &OnMouseDownXAxis,
                    &OnMouseUpXAxis,
                    &OnMouseMoveXAxis,
                    &OnClickXAxis,
                    &OnDblClickXAxis,
                    &OnGotFocusXAxis,
                    &OnLostFocusXAxis,
                    &OnPopupMenuXAxis};
        case ipokYAxis:
            return {master_->YAxisManager().IndexOf(object),
                    &OnMouseDownYAxis,
                    &OnMouseUpYAxis,
                    &OnMouseMoveYAxis,
                    &OnClickYAxis,
                    &OnDblClickYAxis,
                    &OnGotFocusYAxis,
                    &OnLostFocusYAxis,
                    &OnPopupMenuYAxis};
        case ipokDataCursor:
            return {master_->DataCursorManager().IndexOf(object),
                    &OnMouseDownDataCursor,
                    &OnMouseUpDataCursor,
                    &OnMouseMoveDataCursor,
                    &OnClickDataCursor,
                    &OnDblClickDataCursor,
                    &OnGotFocusDataCursor,
                    &OnLostFocusDataCursor,
                    &OnPopupMenuDataCursor};
        case ipokDataView:
            return {master_->DataViewManager().IndexOf(object),
                    &OnMouseDownDataView,
                    &OnMouseUpDataView,
                    &OnMouseMoveDataView,
                    &OnClickDataView,
                    &OnDblClickDataView,
                    &OnGotFocusDataView,
                    &OnLostFocusDataView,
                    &OnPopupMenuDataView};
        case ipokLegend:
            return {master_->LegendManager().IndexOf(object),
                    &OnMouseDownLegend,
                    &OnMouseUpLegend,
                    &OnMouseMoveLegend,
                    &OnClickLegend,
                    &OnDblClickLegend,
                    &OnGotFocusLegend,
                    &OnLostFocusLegend,
                    &OnPopupMenuLegend};
        case ipokLimit:
            return {master_->LimitManager().IndexOf(object),
                    &OnMouseDownLimit,
                    &OnMouseUpLimit,
                    &OnMouseMoveLimit,
                    &OnClickLimit,
                    &OnDblClickLimit,
                    nullptr,
                    nullptr,
                    &OnPopupMenuLimit};
        case ipokAnnotation:
            return {master_->AnnotationManager().IndexOf(object),
                    &OnMouseDownAnnotation,
                    &OnMouseUpAnnotation,
                    &OnMouseMoveAnnotation,
                    &OnClickAnnotation,
                    &OnDblClickAnnotation,
                    &OnGotFocusAnnotation,
                    &OnLostFocusAnnotation,
                    &OnPopupMenuAnnotation};
        default:
            return {};
    }
}

// ------------------------------------------------------------------ lifecycle

TiPlotComponent::TiPlotComponent(QWidget* parent) : TiCustomComponent(parent) {
    resize(500, 200);
    SetBackGroundColor(clBlack);
    SetBorderStyle(ibsLowered);
    SetUpdateFrameRate(60);
    SetAutoFrameRate(true);

    master_ = std::make_unique<TiPlotMasterManager>(this, *this);
    master_->OnRemoveRelay = [this](TiPlotObject* object) { ForgetObject(object); };
    master_->OnRepaintRelay = [this] { RepaintNow(); };
    master_->OnEditRelay = [this](TiPlotObject* object) { ShowPlotPropertyEditor(*this, object); };

    popupMenu_ = std::make_unique<QMenu>(this);
    hintsFont_.OnChange = [this] { InvalidateChange(); };
    annotationDefaults_.Font.SetColor(clWhite);

    logTimer_.setSingleShot(true);
    QObject::connect(&logTimer_, &QTimer::timeout, this, [this] { WritePendingLogRows(); });
}

TiPlotComponent::~TiPlotComponent() {
    // Rows still waiting for the next event-loop turn belong in the log.
    if (dataLog_.Active())
        WritePendingLogRows();
    pressedObject_ = hoverObject_ = releasedObject_ = nullptr;
    master_->ObjectManager().DetachAll();
    master_.reset();
}

void TiPlotComponent::ForgetObject(TiPlotObject* object) {
    if (pressedObject_ == object)
        pressedObject_ = nullptr;
    if (hoverObject_ == object)
        hoverObject_ = nullptr;
    if (releasedObject_ == object)
        releasedObject_ = nullptr;
    if (TiPlotPropertyEditor* editor = FindPlotPropertyEditor(*this))
        editor->ObjectRemoved(object);
}

// ----------------------------------------------------------------- properties

const TiPublishedTable& TiPlotComponent::PublishedTable() {
    using P = TiPlotComponent;
    static const TiPublishedTable table =
        TiPublishedTableBuilder<P>("TiPlotComponent", &TiCustomComponent::PublishedTable())
            .Integer("DataViewZHorz", &P::DataViewZHorz, &P::SetDataViewZHorz)
            .Integer("DataViewZVert", &P::DataViewZVert, &P::SetDataViewZVert)
            .Boolean("XYAxesReverse", &P::XYAxesReverse, &P::SetXYAxesReverse)
            .Boolean("UserCanEditObjects", &P::UserCanEditObjects, &P::SetUserCanEditObjects)
            .Boolean("UserCanAddRemoveChannels", &P::UserCanAddRemoveChannels,
                     &P::SetUserCanAddRemoveChannels)
            .Integer("OuterMarginLeft", &P::OuterMarginLeft, &P::SetOuterMarginLeft, kPixelRange)
            .Integer("OuterMarginTop", &P::OuterMarginTop, &P::SetOuterMarginTop, kPixelRange)
            .Integer("OuterMarginRight", &P::OuterMarginRight, &P::SetOuterMarginRight, kPixelRange)
            .Integer("OuterMarginBottom", &P::OuterMarginBottom, &P::SetOuterMarginBottom,
                     kPixelRange)
            .Enumeration("PrintOrientation", &P::PrintOrientation, &P::SetPrintOrientation,
                         {"poPortrait", "poLandscape"})
            .Float("PrintMarginLeft", &P::PrintMarginLeft, &P::SetPrintMarginLeft)
            .Float("PrintMarginTop", &P::PrintMarginTop, &P::SetPrintMarginTop)
            .Float("PrintMarginRight", &P::PrintMarginRight, &P::SetPrintMarginRight)
            .Float("PrintMarginBottom", &P::PrintMarginBottom, &P::SetPrintMarginBottom)
            .Boolean("PrintShowDialog", &P::PrintShowDialog, &P::SetPrintShowDialog)
            .String("PrintDocumentName", &P::PrintDocumentName, &P::SetPrintDocumentName)
            .String("PrinterName", &P::PrinterName, &P::SetPrinterName)
            .Integer("HintsPause", &P::HintsPause, &P::SetHintsPause)
            .Integer("HintsHidePause", &P::HintsHidePause, &P::SetHintsHidePause)
            .Boolean("HintsShow", &P::HintsShow, &P::SetHintsShow)
            .Object("HintsFont", &P::HintsFont)
            .Enumeration("EditorFormStyle", &P::EditorFormStyle, &P::SetEditorFormStyle,
                         {"ipfsModal", "ipfsStayOnTop"})
            .Enumeration("CopyToClipBoardFormat", &P::CopyToClipBoardFormat,
                         &P::SetCopyToClipBoardFormat, {"ipefMetaFile", "ipefBitmap", "ipefJPEG"})
            .Boolean("TitleVisible", &P::TitleVisible, &P::SetTitleVisible)
            .String("TitleText", &P::TitleText, &P::SetTitleText)
            .Object("TitleFont", &P::TitleFont)
            .Float("TitleMargin", &P::TitleMargin, &P::SetTitleMargin, kCharacterRange)
            .Boolean("BackGroundGradientEnabled", &P::BackGroundGradientEnabled,
                     &P::SetBackGroundGradientEnabled)
            .Enumeration("BackGroundGradientDirection", &P::BackGroundGradientDirection,
                         &P::SetBackGroundGradientDirection,
                         {"ifdTopBottom", "ifdBottomTop", "ifdLeftRight", "ifdRightLeft",
                          "ifdTopLeftBottomRight", "ifdBottomRightTopLeft", "ifdBottomLeftTopRight",
                          "ifdTopRightBottomLeft", "ifdRectangleOut", "ifdRectangleIn",
                          "ifdCircleOut", "ifdCircleIn"})
            .Color("BackGroundGradientStartColor", &P::BackGroundGradientStartColor,
                   &P::SetBackGroundGradientStartColor)
            .Color("BackGroundGradientStopColor", &P::BackGroundGradientStopColor,
                   &P::SetBackGroundGradientStopColor)
            .Enumeration("DataFileColumnSeparator", &P::DataFileColumnSeparator,
                         &P::SetDataFileColumnSeparator, {"ipdfcsTab", "ipdfcsComma"})
            .Enumeration("DataFileFormat", &P::DataFileFormat, &P::SetDataFileFormat,
                         {"ipdffText", "ipdffCompactInterval"})
            .String("LogFileName", &P::LogFileName, &P::SetLogFileName)
            .Integer("LogBufferSize", &P::LogBufferSize, &P::SetLogBufferSize)
            .Object("AnnotationDefaultFont", &P::AnnotationDefaultFont)
            .Enumeration("AnnotationDefaultBrushStlye", &P::AnnotationDefaultBrushStlye,
                         &P::SetAnnotationDefaultBrushStlye, BrushStyleNames())
            .Color("AnnotationDefaultBrushColor", &P::AnnotationDefaultBrushColor,
                   &P::SetAnnotationDefaultBrushColor)
            .Enumeration("AnnotationDefaultPenStlye", &P::AnnotationDefaultPenStlye,
                         &P::SetAnnotationDefaultPenStlye, PenStyleNames())
            .Color("AnnotationDefaultPenColor", &P::AnnotationDefaultPenColor,
                   &P::SetAnnotationDefaultPenColor)
            .Integer("AnnotationDefaultPenWidth", &P::AnnotationDefaultPenWidth,
                     &P::SetAnnotationDefaultPenWidth, kPixelRange)
            .Boolean("ClipAnnotationsToAxes", &P::ClipAnnotationsToAxes,
                     &P::SetClipAnnotationsToAxes)
            .Color("BackGroundColor", &P::BackGroundColor, &P::SetBackGroundColor)
            .Enumeration("BorderStyle", &P::BorderStyle, &P::SetBorderStyle,
                         {"ibsNone", "ibsRaised", "ibsLowered"})
            .Build();
    return table;
}

int TiPlotComponent::DataViewZHorz() const {
    return master_->LayoutManager().HorzLevelMarker().ZOrder();
}

void TiPlotComponent::SetDataViewZHorz(int value) {
    master_->LayoutManager().HorzLevelMarker().SetZOrder(value);
}

int TiPlotComponent::DataViewZVert() const {
    return master_->LayoutManager().VertLevelMarker().ZOrder();
}

void TiPlotComponent::SetDataViewZVert(int value) {
    master_->LayoutManager().VertLevelMarker().SetZOrder(value);
}

void TiPlotComponent::SetXYAxesReverse(bool value) {
    if (value == master_->XYAxesReverse())
        return;
    master_->SetXYAxesReverse(value);
    InvalidateChange();
}

void TiPlotComponent::SetUserCanEditObjects(bool value) {
    master_->SetUserCanEditObjects(value);
}

void TiPlotComponent::SetMargin(int& field, int value) {
    if (field == value)
        return;
    field = value;
    InvalidateChange();
}

bool TiPlotComponent::TitleVisible() const {
    return LabelCount() > 0 && Label(0)->Visible();
}

void TiPlotComponent::SetTitleVisible(bool value) {
    if (LabelCount() > 0)
        Label(0)->SetVisible(value);
}

std::string TiPlotComponent::TitleText() const {
    return LabelCount() > 0 ? Label(0)->Caption() : std::string();
}

void TiPlotComponent::SetTitleText(const std::string& value) {
    if (LabelCount() > 0)
        Label(0)->SetCaption(value);
}

TiFont& TiPlotComponent::TitleFont() {
    return LabelCount() > 0 ? Label(0)->Font() : ownFont_;
}

void TiPlotComponent::SetTitleFont(const TFont& value) {
    if (LabelCount() > 0)
        Label(0)->SetFont(value);
}

double TiPlotComponent::TitleMargin() const {
    return LabelCount() > 0 ? Label(0)->MarginBottom() : 0;
}

void TiPlotComponent::SetTitleMargin(double value) {
    if (LabelCount() > 0)
        Label(0)->SetMarginBottom(value);
}

void TiPlotComponent::SetBackGroundGradientEnabled(bool value) {
    if (value == gradient_.Enabled)
        return;
    gradient_.Enabled = value;
    InvalidateChange();
}

void TiPlotComponent::SetBackGroundGradientDirection(TiFillDirection value) {
    if (value == gradient_.Direction)
        return;
    gradient_.Direction = value;
    InvalidateChange();
}

void TiPlotComponent::SetBackGroundGradientStartColor(TColor value) {
    if (value == gradient_.StartColor)
        return;
    gradient_.StartColor = value;
    InvalidateChange();
}

void TiPlotComponent::SetBackGroundGradientStopColor(TColor value) {
    if (value == gradient_.StopColor)
        return;
    gradient_.StopColor = value;
    InvalidateChange();
}

// ------------------------------------------------------------- object access

int TiPlotComponent::ChannelCount() const {
    return master_->ChannelManager().Count();
}
TiPlotChannelCustom* TiPlotComponent::Channel(int index) const {
    return master_->ChannelManager().Item(index);
}
int TiPlotComponent::XAxisCount() const {
    return master_->XAxisManager().Count();
}
TiPlotXAxis* TiPlotComponent::XAxis(int index) const {
    return master_->XAxisManager().Item(index);
}
int TiPlotComponent::YAxisCount() const {
    return master_->YAxisManager().Count();
}
TiPlotYAxis* TiPlotComponent::YAxis(int index) const {
    return master_->YAxisManager().Item(index);
}
int TiPlotComponent::DataViewCount() const {
    return master_->DataViewManager().Count();
}
TiPlotDataView* TiPlotComponent::DataView(int index) const {
    return master_->DataViewManager().Item(index);
}
int TiPlotComponent::DataCursorCount() const {
    return master_->DataCursorManager().Count();
}
TiPlotDataCursor* TiPlotComponent::DataCursor(int index) const {
    return master_->DataCursorManager().Item(index);
}
int TiPlotComponent::ToolBarCount() const {
    return master_->ToolBarManager().Count();
}
TiPlotToolBar* TiPlotComponent::ToolBar(int index) const {
    return master_->ToolBarManager().Item(index);
}
int TiPlotComponent::LegendCount() const {
    return master_->LegendManager().Count();
}
TiPlotLegend* TiPlotComponent::Legend(int index) const {
    return master_->LegendManager().Item(index);
}
int TiPlotComponent::LabelCount() const {
    return master_->LabelManager().Count();
}
TiPlotLabel* TiPlotComponent::Label(int index) const {
    return master_->LabelManager().Item(index);
}

int TiPlotComponent::TableCount() const {
    return master_->TableManager().Count();
}
TiPlotTable* TiPlotComponent::Table(int index) const {
    return master_->TableManager().Item(index);
}
int TiPlotComponent::LimitCount() const {
    return master_->LimitManager().Count();
}
TiPlotLimit* TiPlotComponent::Limit(int index) const {
    return master_->LimitManager().Item(index);
}
int TiPlotComponent::AnnotationCount() const {
    return master_->AnnotationManager().Count();
}
TiPlotAnnotation* TiPlotComponent::Annotation(int index) const {
    return master_->AnnotationManager().Item(index);
}
int TiPlotComponent::TranslationCount() const {
    return master_->Translations().Count();
}
TiPlotTranslation* TiPlotComponent::Translation(int index) const {
    return &master_->Translations().Item(index);
}

TiPlotChannelCustom* TiPlotComponent::ChannelByName(const std::string& name) const {
    return master_->ChannelManager().ItemByName(name);
}
TiPlotXAxis* TiPlotComponent::XAxisByName(const std::string& name) const {
    return master_->XAxisManager().ItemByName(name);
}
TiPlotYAxis* TiPlotComponent::YAxisByName(const std::string& name) const {
    return master_->YAxisManager().ItemByName(name);
}

// ---------------------------------------------------- adding and deleting

void TiPlotComponent::DeleteFrom(TiPlotObjectOwnedManager& manager, int index) {
    manager.Free(manager.Items(index));
    InvalidateChange();
}

void TiPlotComponent::DeleteToolBar(int index) {
    DeleteFrom(master_->ToolBarManager(), index);
}
void TiPlotComponent::DeleteLegend(int index) {
    DeleteFrom(master_->LegendManager(), index);
}
void TiPlotComponent::DeleteXAxis(int index) {
    DeleteFrom(master_->XAxisManager(), index);
}
void TiPlotComponent::DeleteYAxis(int index) {
    DeleteFrom(master_->YAxisManager(), index);
}
void TiPlotComponent::DeleteChannel(int index) {
    DeleteFrom(master_->ChannelManager(), index);
}
void TiPlotComponent::DeleteDataView(int index) {
    DeleteFrom(master_->DataViewManager(), index);
}
void TiPlotComponent::DeleteDataCursor(int index) {
    DeleteFrom(master_->DataCursorManager(), index);
}

void TiPlotComponent::DeleteTable(int index) {
    DeleteFrom(master_->TableManager(), index);
}
void TiPlotComponent::DeleteLimit(int index) {
    DeleteFrom(master_->LimitManager(), index);
}
void TiPlotComponent::DeleteAnnotation(int index) {
    DeleteFrom(master_->AnnotationManager(), index);
}

int TiPlotComponent::AddAnnotation() {
    const int index = master_->AddAnnotation();
    Annotation(index)->SetStyle(annotationDefaults_);
    return index;
}

void TiPlotComponent::DeleteLabel(int index) {
    if (index == 0)
        throw std::invalid_argument("Label Index 0 can not be Deleted (Resevered for Title)");
    DeleteFrom(master_->LabelManager(), index);
}

void TiPlotComponent::RemoveAllLabels() {
    TiPlotLabelManager& labels = master_->LabelManager();
    while (labels.Count() > 1)
        labels.Free(labels.Items(1));
}

// ------------------------------------------------------------------ operations

void TiPlotComponent::SetAllTracking(bool enabled) {
    for (int i = 0; i < XAxisCount(); ++i)
        XAxis(i)->SetTrackingEnabled(enabled);
    for (int i = 0; i < YAxisCount(); ++i)
        YAxis(i)->SetTrackingEnabled(enabled);
}

bool TiPlotComponent::SelectModeActive() const {
    return ToolBarCount() > 0 && ToolBar(0)->SelectDown();
}

bool TiPlotComponent::ZoomBoxModeActive() const {
    return ToolBarCount() > 0 && ToolBar(0)->ZoomBoxDown();
}

TiPlotExtents TiPlotComponent::ChannelExtents(bool xAxis, const std::string& axisName,
                                              bool fast) const {
    TiPlotExtents extents{kAxisMinLimit, -kAxisMinLimit};
    for (int i = 0; i < ChannelCount(); ++i) {
        TiPlotChannelCustom& channel = *Channel(i);
        if (!SameName(xAxis ? channel.XAxisName() : channel.YAxisName(), axisName))
            continue;
        const TiPlotExtents along =
            xAxis ? (fast ? TiPlotExtents{channel.MinX(), channel.MaxX()}
                          : TiPlotExtents{channel.MinXExtent(), channel.MaxXExtent()})
                  : (fast ? TiPlotExtents{channel.MinY(), channel.MaxY()}
                          : TiPlotExtents{channel.MinYExtent(), channel.MaxYExtent()});
        extents.Low = std::min(extents.Low, along.Low);
        extents.High = std::max(extents.High, along.High);
    }
    return extents;
}

void TiPlotComponent::SetSelectMode(bool value) {
    if (ToolBarCount() > 0 && SelectModeActive() != value)
        ToolBar(0)->ClickSelectButton();
}

void TiPlotComponent::EditProperties() {
    ShowPlotPropertyEditor(*this);
}

bool TiPlotComponent::TryReserveRect(const TRect& rect) {
    const auto overlaps = [&rect](const TRect& taken) {
        return rect.Left < taken.Right && taken.Left < rect.Right && rect.Top < taken.Bottom &&
               taken.Top < rect.Bottom;
    };
    if (std::any_of(occupied_.begin(), occupied_.end(), overlaps))
        return false;
    if (!occupied_.empty()) {
        if (DataViewCount() == 0)
            return false;
        const TRect& view = DataView(0)->LayoutRect();
        const bool inside = rect.Left >= view.Left && rect.Top >= view.Top &&
                            rect.Right <= view.Right && rect.Bottom <= view.Bottom;
        if (!inside)
            return false;
    }
    occupied_.push_back(rect);
    return true;
}

// --------------------------------------------------------------- event entries

bool TiPlotComponent::EventsAllowed() const {
    return !Loading();
}

void TiPlotComponent::DoMouseDownEvent(TiPlotObject* object, TMouseButton button, TShiftState shift,
                                       int x, int y) {
    const KindEvents events = EventsOf(object);
    if (EventsAllowed() && events.MouseDown && *events.MouseDown)
        (*events.MouseDown)(events.Index, button, shift, x, y);
}

void TiPlotComponent::DoMouseMoveEvent(TiPlotObject* object, TShiftState shift, int x, int y) {
    const KindEvents events = EventsOf(object);
    if (EventsAllowed() && events.MouseMove && *events.MouseMove)
        (*events.MouseMove)(events.Index, shift, x, y);
}

void TiPlotComponent::DoMouseUpEvent(TiPlotObject* object, TMouseButton button, TShiftState shift,
                                     int x, int y) {
    const KindEvents events = EventsOf(object);
    if (EventsAllowed() && events.MouseUp && *events.MouseUp)
        (*events.MouseUp)(events.Index, button, shift, x, y);
}

void TiPlotComponent::DoClickEvent(TiPlotObject* object) {
    const KindEvents events = EventsOf(object);
    TiPlotObjectEvent* event = doubleClick_ ? events.DblClick : events.Click;
    if (EventsAllowed() && event && *event)
        (*event)(events.Index);
    doubleClick_ = false;
}

void TiPlotComponent::DoDataPointClickEvent(TiPlotChannelCustom* channel, int dataIndex) {
    TiPlotClickDataPointEvent& event = doubleClick_ ? OnDblClickDataPoint : OnClickDataPoint;
    if (EventsAllowed() && event)
        event(master_->ChannelManager().IndexOf(channel), dataIndex);
}

void TiPlotComponent::DoGotFocusEvent(TiPlotObject* object) {
    const KindEvents events = EventsOf(object);
    if (EventsAllowed() && events.GotFocus && *events.GotFocus)
        (*events.GotFocus)(events.Index);
}

void TiPlotComponent::DoLostFocusEvent(TiPlotObject* object) {
    const KindEvents events = EventsOf(object);
    if (EventsAllowed() && events.LostFocus && *events.LostFocus)
        (*events.LostFocus)(events.Index);
}

void TiPlotComponent::DoPopupEvent(TiPlotObject* object, bool& cancel, int screenX, int screenY) {
    const KindEvents events = EventsOf(object);
    if (EventsAllowed() && events.Popup && *events.Popup)
        (*events.Popup)(events.Index, cancel, screenX, screenY);
}

void TiPlotComponent::RaiseAxisMinChange(TiPlotAxis* axis, double oldValue, double newValue) {
    auto& event = axis->IsXAxis() ? OnXAxisMinChange : OnYAxisMinChange;
    if (event && EventsAllowed())
        event(EventsOf(axis).Index, oldValue, newValue);
}

void TiPlotComponent::RaiseAxisSpanChange(TiPlotAxis* axis, double oldValue, double newValue) {
    auto& event = axis->IsXAxis() ? OnXAxisSpanChange : OnYAxisSpanChange;
    if (event && EventsAllowed())
        event(EventsOf(axis).Index, oldValue, newValue);
}

void TiPlotComponent::RaiseAxisMinSpanChange(TiPlotAxis* axis, double oldMin, double oldSpan,
                                             double newMin, double newSpan) {
    auto& event = axis->IsXAxis() ? OnXAxisMinSpanChange : OnYAxisMinSpanChange;
    if (event && EventsAllowed())
        event(EventsOf(axis).Index, oldMin, oldSpan, newMin, newSpan);
}

void TiPlotComponent::DoAxisCustomizeLabel(TiPlotAxis* axis, double value, std::string& label) {
    auto& event = axis->IsXAxis() ? OnXAxisCustomizeLabel : OnYAxisCustomizeLabel;
    if (event && EventsAllowed())
        event(EventsOf(axis).Index, value, label);
}

void TiPlotComponent::DoAxisCustomizeHint(TiPlotAxis* axis, std::string& text) {
    auto& event = axis->IsXAxis() ? OnXAxisCustomizeHint : OnYAxisCustomizeHint;
    if (event && EventsAllowed())
        event(EventsOf(axis).Index, text);
}

void TiPlotComponent::DoDataCursorCustomizeHint(TiPlotDataCursor* cursor, std::string& text) {
    if (EventsAllowed() && OnDataCursorCustomizeHint)
        OnDataCursorCustomizeHint(master_->DataCursorManager().IndexOf(cursor), text);
}

void TiPlotComponent::DoDataCursorChange(TiPlotDataCursor* cursor) {
    if (EventsAllowed() && OnDataCursorChange)
        OnDataCursorChange(master_->DataCursorManager().IndexOf(cursor));
}

void TiPlotComponent::DoBeforeDataCursorUpdate(TiPlotDataCursor* cursor) {
    if (EventsAllowed() && OnBeforeDataCursorUpdate)
        OnBeforeDataCursorUpdate(master_->DataCursorManager().IndexOf(cursor));
}

void TiPlotComponent::DoToolBarCustomizeHint(TiPlotToolBar* toolBar, std::string& text) {
    if (EventsAllowed() && OnToolBarCustomizeHint)
        OnToolBarCustomizeHint(master_->ToolBarManager().IndexOf(toolBar), text);
}

void TiPlotComponent::DoToolBarButtonClick(TiPlotToolBar* toolBar, int buttonType) {
    if (EventsAllowed() && OnToolBarButtonClick)
        OnToolBarButtonClick(master_->ToolBarManager().IndexOf(toolBar), buttonType);
}

void TiPlotComponent::DoLimitLinePositionChange(TiPlotLimit* limit, int line, double oldValue,
                                                double newValue) {
    auto& event = line == 1 ? OnLimitLine1PositionChange : OnLimitLine2PositionChange;
    if (event && EventsAllowed())
        event(master_->LimitManager().IndexOf(limit), oldValue, newValue);
}

void TiPlotComponent::DoBeforeZoomBox(TRect& zoomRect, bool& cancel) {
    if (EventsAllowed() && OnBeforeZoomBox)
        OnBeforeZoomBox(zoomRect, cancel);
}

// ---------------------------------------------------------------- axis echo

void TiPlotComponent::Echo(TiPlotAxis* axis, const std::function<void(TiPlotAxis&)>& step) {
    if (echoing_)
        return;
    const QScopedValueRollback echoing(echoing_, true);
    const std::vector<TiPlotAxis*> axes =
        axis->IsXAxis() ? AxesOf(master_->XAxisManager()) : AxesOf(master_->YAxisManager());
    for (TiPlotAxis* other : axes)
        if (other != axis)
            step(*other);
}

void TiPlotComponent::EchoAxisMouseDown(TiPlotAxis* axis, const TiPlotMouseData& data) {
    Echo(axis, [&data](TiPlotAxis& other) { other.MouseDown(data); });
}

void TiPlotComponent::EchoAxisMouseMove(TiPlotAxis* axis, const TiPlotMouseData& data) {
    Echo(axis, [&data](TiPlotAxis& other) { other.MouseMove(data); });
}

void TiPlotComponent::EchoAxisMouseUp(TiPlotAxis* axis, const TiPlotMouseData& data) {
    Echo(axis, [&data](TiPlotAxis& other) { other.MouseUp(data); });
}

void TiPlotComponent::EchoAxisKeyDown(TiPlotAxis* axis, int& key, TShiftState shift) {
    Echo(axis, [&key, shift](TiPlotAxis& other) { other.KeyDown(key, shift); });
}

// ----------------------------------------------------------------------- paint

void TiPlotComponent::CalcLayout(TCanvas& canvas) {
    TiPlotLayoutFrame frame;
    frame.Width = width();
    frame.Height = height();
    frame.Border = BorderStyle() != ibsNone ? 2 : 0;
    frame.OuterMarginLeft = outerMargins_.Left;
    frame.OuterMarginTop = outerMargins_.Top;
    frame.OuterMarginRight = outerMargins_.Right;
    frame.OuterMarginBottom = outerMargins_.Bottom;
    frame.XYAxesReverse = XYAxesReverse();
    TiPlotLayoutPass pass(master_->LayoutManager(), frame,
                          DataViewCount() > 0 ? DataView(0) : nullptr,
                          AxesOf(master_->XAxisManager()), AxesOf(master_->YAxisManager()));
    pass.Run(canvas);
}

void TiPlotComponent::SetFrameCachesEnabled(bool value) {
    frameCachesEnabled_ = value;
    textCache_.Clear();
}

void TiPlotComponent::DoPaint(TCanvas& canvas) {
    painting_ = true;
    canvas.LendTextCache(frameCachesEnabled_ ? &textCache_ : nullptr);
    struct PaintScope {
        bool& flag;
        TCanvas& canvas;
        ~PaintScope() {
            flag = false;
            canvas.LendTextCache(nullptr);
        }
    } endOfPaint{painting_, canvas};
    for (int i = 0; i < ChannelCount(); ++i)
        Channel(i)->PaintStarted();

    if (ToolBarCount() == 0 || LegendCount() == 0 || DataViewCount() == 0)
        return;
    occupied_.clear();
    drawList_.clear();
    Legend(0)->SetShowAllCursorValues(false);

    UpdateDataCursors();
    LayOut(canvas);
    for (int i = 0; i < DataCursorCount(); ++i)
        DataCursor(i)->UpdateValues();
    PrepareObjects(canvas);
    PaintPlotBackground(canvas);
    DataView(0)->FillBackground(canvas);
    DrawClippedObjects(canvas);
    DrawOverlays(canvas);
    DrawHint(canvas);
}

// Ticks, then the layout twice so that sizes depending on each other settle,
// then the ticks again for the settled scale lengths. When the first pass
// leaves everything as it found it, the second would only repeat it; and when
// the first generation found the ticks and places the last paint left, so
// would the second. The first generation runs on every paint: a label
// handler may have a new answer without any notice.
void TiPlotComponent::LayOut(TCanvas& canvas) {
    const unsigned long notices = ChangeNotices();
    const TiPlotLayoutSnapshot beforeTicks = LayoutSnapshot();
    GenerateAxisTicks(canvas);
    const TiPlotLayoutSnapshot beforeLayout = LayoutSnapshot();
    CalcLayout(canvas);
    const TiPlotLayoutSnapshot settled = LayoutSnapshot();
    if (!frameCachesEnabled_ || ChangeNotices() != notices || settled != beforeLayout) {
        CalcLayout(canvas);
        GenerateAxisTicks(canvas);
    } else if (settled != beforeTicks) {
        GenerateAxisTicks(canvas);
    }
}

TiPlotLayoutSnapshot TiPlotComponent::LayoutSnapshot() const {
    std::vector<TiPlotAxis*> axes = AxesOf(master_->XAxisManager());
    const std::vector<TiPlotAxis*> yAxes = AxesOf(master_->YAxisManager());
    axes.insert(axes.end(), yAxes.begin(), yAxes.end());
    return TiPlotLayoutSnapshot(master_->LayoutManager(), axes);
}

void TiPlotComponent::UpdateDataCursors() {
    for (int i = 0; i < DataCursorCount(); ++i) {
        TiPlotDataCursor* cursor = DataCursor(i);
        cursor->UpdateValues();
        if (cursor->Visible() && cursor->ChannelName() == kAllChannels &&
            cursor->ChannelShowAllInLegend())
            Legend(0)->SetShowAllCursorValues(true);
    }
}

void TiPlotComponent::GenerateAxisTicks(TCanvas& canvas) {
    for (int i = 0; i < XAxisCount(); ++i)
        XAxis(i)->GenerateTicks(canvas);
    for (int i = 0; i < YAxisCount(); ++i)
        YAxis(i)->GenerateTicks(canvas);
}

void TiPlotComponent::PrepareObjects(TCanvas& canvas) {
    for (int i = 0; i < ChannelCount(); ++i)
        Channel(i)->PrepareDraw(canvas);
    for (int i = 0; i < XAxisCount(); ++i)
        XAxis(i)->PrepareDraw(canvas);
    for (int i = 0; i < YAxisCount(); ++i)
        YAxis(i)->PrepareDraw(canvas);
    for (int i = 0; i < AnnotationCount(); ++i) {
        Annotation(i)->SetDataView(DataView(0));
        Annotation(i)->SetXYAxesReverse(XYAxesReverse());
    }
    for (int i = 0; i < DataCursorCount(); ++i)
        DataCursor(i)->SetDataView(DataView(0));
}

void TiPlotComponent::PaintPlotBackground(TCanvas& canvas) {
    if (gradient_.Enabled)
        FillGradient(canvas, {0, 0, width(), height()}, gradient_.Direction, gradient_.StartColor,
                     gradient_.StopColor);
    else
        PaintBackground(canvas, BackGroundColor());
}

void TiPlotComponent::DrawClippedObjects(TCanvas& canvas) {
    // Within a layer: data view grid, limits, Cartesian Y axes, Cartesian X
    // axes, channels, annotations. No limit here fills an area ("A").
    drawList_.emplace(DataView(0)->LayerKey() + "B", DataView(0));
    for (int i = 0; i < LimitCount(); ++i)
        drawList_.emplace(Limit(i)->LayerKey() + "C", Limit(i));
    for (int i = 0; i < YAxisCount(); ++i)
        if (YAxis(i)->CartesianStyle() != ipcsNone)
            drawList_.emplace(YAxis(i)->LayerKey() + "D", YAxis(i));
    for (int i = 0; i < XAxisCount(); ++i)
        if (XAxis(i)->CartesianStyle() != ipcsNone)
            drawList_.emplace(XAxis(i)->LayerKey() + "E", XAxis(i));
    for (int i = 0; i < ChannelCount(); ++i)
        if (Channel(i)->Prepared())
            drawList_.emplace(Channel(i)->LayerKey() + "F", Channel(i));
    for (int i = 0; i < AnnotationCount(); ++i)
        drawList_.emplace(Annotation(i)->LayerKey() + "G", Annotation(i));

    const TRect& view = DataView(0)->LayoutRect();
    for (const auto& [key, object] : drawList_) {
        TClipSaver clip(canvas);
        canvas.SetClipRect({view.Left, view.Top, view.Right + 1, view.Bottom + 1});
        object->Draw(canvas, BackGroundColor());
    }
}

void TiPlotComponent::DrawOverlays(TCanvas& canvas) {
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(BackGroundColor());
    DrawBorder(canvas);
    for (int i = 0; i < XAxisCount(); ++i)
        if (XAxis(i)->CartesianStyle() == ipcsNone)
            XAxis(i)->Draw(canvas, BackGroundColor());
    for (int i = 0; i < YAxisCount(); ++i)
        if (YAxis(i)->CartesianStyle() == ipcsNone)
            YAxis(i)->Draw(canvas, BackGroundColor());
    for (int i = 0; i < LabelCount(); ++i)
        Label(i)->Draw(canvas, BackGroundColor());
    for (int i = 0; i < ToolBarCount(); ++i)
        ToolBar(i)->Draw(canvas, BackGroundColor());
    for (int i = 0; i < DataCursorCount(); ++i)
        DataCursor(i)->Draw(canvas, BackGroundColor());
    for (int i = 0; i < LegendCount(); ++i)
        Legend(i)->Draw(canvas, BackGroundColor());
    for (int i = 0; i < TableCount(); ++i)
        Table(i)->Draw(canvas, BackGroundColor());
}

void TiPlotComponent::DrawHint(TCanvas& canvas) {
    hintDrawn_ = hintShowing_;
    if (!hintShowing_)
        return;
    canvas.Font() = hintsFont_;
    canvas.Font().SetColor(clInfoText);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clInfoBk);
    const TSize text = canvas.TextExtent(hint_.Text);
    const TRect box{hint_.Left, hint_.Top, hint_.Left + text.Width + 4,
                    hint_.Top + text.Height + 4};
    canvas.FillRect(box);
    TClipSaver clip(canvas);
    canvas.SetClipRect(box);
    canvas.TextOut(hint_.Left + 2, hint_.Top + 2, hint_.Text);
}

// ----------------------------------------------------------------------- input

TPoint TiPlotComponent::ScreenPoint(int x, int y) const {
    const QPoint global = mapToGlobal(QPoint(x, y));
    return {global.x(), global.y()};
}

TiPlotObject* TiPlotComponent::HitTest(int x, int y) {
    const TiPlotMouseData data = MakeMouseData(x, y, XYAxesReverse());
    const std::vector<TiPlotObject*> objects = master_->ObjectManager().Objects();
    const auto firstHit = [&](auto&& eligible) -> TiPlotObject* {
        for (TiPlotObject* object : objects)
            if (eligible(object) && object->Enabled() && object->Visible() && object->HitTest(data))
                return object->ObjectAt(x, y);
        return nullptr;
    };
    if (TiPlotObject* hit = firstHit([](const TiPlotObject* object) {
            return object->Focused() && !IsDataViewOrLegendOrMarker(object);
        }))
        return hit;
    if (TiPlotObject* hit = firstHit(
            [](const TiPlotObject* object) { return !IsDataViewOrLegendOrMarker(object); }))
        return hit;
    return firstHit(IsDataViewOrLegend);
}

void TiPlotComponent::DoMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    master_->ObjectManager().SetShiftState(shift);
    mouseDown_ = true;
    setFocus();
    HideHint();
    const TPoint screen = ScreenPoint(x, y);

    if (button == mbRight)
        master_->ClearFocus();
    TiPlotObject* object = HitTest(x, y);
    pressedObject_ = object;
    releasedObject_ = nullptr;
    if (!object) {
        master_->ClearFocus();
        return;
    }
    if (shift & ssShift) {
        axisSelecting_ = IsAxis(object);
        object->SetFocused(true);
    } else if (shift & ssCtrl) {
        axisSelecting_ = IsAxis(object);
        object->SetFocused(axisSelecting_ ? !object->Focused() : true);
    } else if (!IsToolBar(object) && !TakesPressItself(object)) {
        object->SetFocused(true);
    }
    if (button == mbRight || TakesPressItself(object))
        object->HandleMouseDown(button, shift, x, y, screen.X, screen.Y, *popupMenu_);
    else
        master_->ObjectManager().DispatchMouseDown(button, shift, x, y, screen.X, screen.Y,
                                                   *popupMenu_);
}

void TiPlotComponent::DoMouseMove(TShiftState shift, int x, int y) {
    if (axisSelecting_)
        return;
    if (!rect().contains(x, y) && !mouseDown_ && QWidget::mouseGrabber() == this)
        releaseMouse();
    master_->ObjectManager().SetShiftState(shift);
    const TPoint screen = ScreenPoint(x, y);
    HideHint();

    TiHintData hint;
    const bool buttonDown = (shift & (ssLeft | ssRight)) != 0;
    if (buttonDown) {
        if (pressedObject_ && (IsToolBar(pressedObject_) || TakesPressItself(pressedObject_)))
            pressedObject_->HandleMouseMove(hint, shift, doubleClick_, x, y, screen.X, screen.Y);
        else
            master_->ObjectManager().DispatchMouseMove(hint, shift, doubleClick_, x, y, screen.X,
                                                       screen.Y);
        setCursor(Qt::ArrowCursor);
        return;
    }

    // No button is down: whatever was pressed is released now.
    if (pressedObject_)
        pressedObject_->HandleMouseUp(mbLeft, shift, doubleClick_, x, y, screen.X, screen.Y);
    master_->ObjectManager().DispatchMouseUp(mbLeft, shift, doubleClick_, x, y, screen.X, screen.Y);
    TiPlotObject* object = HitTest(x, y);
    if (hoverObject_ && hoverObject_ != object)
        hoverObject_->MouseLeave();
    hoverObject_ = nullptr;
    if (!object) {
        setCursor(Qt::ArrowCursor);
        return;
    }
    setCursor(object->MouseCursor({x, y}));
    object->HandleMouseMove(hint, shift, doubleClick_, x, y, screen.X, screen.Y);
    if (hintsShow_ && !hint.Text.empty()) {
        hint_ = hint;
        StopTimer();
        if (suppressNextHint_)
            suppressNextHint_ = false;
        else if (!mouseDown_)
            StartTimer(0, hintsPause_);
    }
    hoverObject_ = object;
}

void TiPlotComponent::DoMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    mouseDown_ = false;
    master_->ObjectManager().SetShiftState(shift);
    HideHint();
    axisSelecting_ = false;
    const TPoint screen = ScreenPoint(x, y);
    if (pressedObject_)
        pressedObject_->HandleMouseUp(button, shift, doubleClick_, x, y, screen.X, screen.Y);
    master_->ObjectManager().DispatchMouseUp(button, shift, doubleClick_, x, y, screen.X, screen.Y);
    releasedObject_ = pressedObject_;
    pressedObject_ = nullptr;
    doubleClick_ = false;
}

void TiPlotComponent::DoDblClick() {
    doubleClick_ = true;
}

bool TiPlotComponent::DoMouseWheel(int delta, TShiftState shift, TPoint point) {
    master_->ObjectManager().DispatchMouseWheel(delta, shift, point);
    return true;
}

void TiPlotComponent::WantSpecialKey(int& key, bool& wanted) {
    if (key >= kFirstArrowKey && key <= kLastArrowKey)
        wanted = true;
}

void TiPlotComponent::DoKeyDown(int key, TShiftState shift) {
    master_->ObjectManager().DispatchKeyDown(key, shift);
}

// ------------------------------------------------------------------------ hint

void TiPlotComponent::DoTimer() {
    StopTimer();
    if (hintShowing_) {
        HideHint();
    } else {
        hintShowing_ = true;
        StartTimer(0, hintsHidePause_);
    }
    RepaintNow();
}

void TiPlotComponent::HideHint() {
    StopTimer();
    if (hintDrawn_)
        RepaintNow();
    hintShowing_ = false;
}

void TiPlotComponent::leaveEvent(QEvent* event) {
    // The pointer left for another window: drop the hint and the hover.
    const bool wasDrawn = hintDrawn_;
    StopTimer();
    hintShowing_ = false;
    suppressNextHint_ = true;
    if (wasDrawn)
        RepaintNow();
    if (hoverObject_)
        hoverObject_->MouseLeave();
    hoverObject_ = nullptr;
    TiCustomComponent::leaveEvent(event);
}
