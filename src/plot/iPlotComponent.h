#pragma once
// The plot component: the window control that owns the master manager and
// through it every plot object. It runs the paint pipeline (layout, the data
// view's contents in layer order, axes, labels, toolbars, cursors, legends,
// the hint), turns mouse and key input into calls on plot objects, raises the
// plot's events (each naming an object by its index within its kind) and
// offers the operations the application and the objects use.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QTimer>

#include "gdi/Metafile.h"
#include "gdi/TextCache.h"
#include "plot/iCustomComponent.h"
#include "plot/iDrawingHelpers.h"
#include "plot/iPlotAnnotation.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotDataLog.h"
#include "plot/iPlotHost.h"
#include "plot/iPlotLayoutSnapshot.h"
#include "plot/iPlotMasterManager.h"

class QFileDialog;
class QPrinter;
class TiPlotLegend;
class TiPlotLabel;
class TiPlotLayoutObject;
class TiPlotTable;

enum TiPlotFormStyle { ipfsModal, ipfsStayOnTop };
enum TiPlotExportFormat { ipefMetaFile, ipefBitmap, ipefJPEG };
enum TiPlotDataFileColumnSeparator { ipdfcsTab, ipdfcsComma };
enum TiPlotDataFileFormat { ipdffText, ipdffCompactInterval };
enum TPrinterOrientation { poPortrait, poLandscape };

using TiPlotObjectMouseEvent =
    std::function<void(int Index, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TiPlotObjectMouseMoveEvent = std::function<void(int Index, TShiftState Shift, int X, int Y)>;
using TiPlotObjectEvent = std::function<void(int Index)>;
using TiPlotClickDataPointEvent = std::function<void(int ChannelIndex, int DataIndex)>;
using TiPlotPopupMenuEvent = std::function<void(int Index, bool& Cancel, int ScreenX, int ScreenY)>;
using TiPlotAxesCustomizeLabelEvent =
    std::function<void(int Index, double Value, std::string& ALabel)>;
using TiPlotObjectCustomizeTextEvent = std::function<void(int Index, std::string& AText)>;
using TiPlotToolBarButtonEvent = std::function<void(int Index, int ButtonType)>;
using TiPlotZoomBoxEvent = std::function<void(TRect& ZoomRect, bool& Cancel)>;
using TiPlotNotifyEvent = std::function<void()>;

class TiPlotComponent : public TiCustomComponent, public TiPlotHost {
  public:
    explicit TiPlotComponent(QWidget* parent = nullptr);
    ~TiPlotComponent() override;

    static const TiPublishedTable& PublishedTable();
    const TiPublishedTable& Published() const override { return PublishedTable(); }

    TiPlotMasterManager& Master() const { return *master_; }
    // Drops what the plot remembers of `object` (under the pointer, pressed)
    // before it goes; objects and the buttons they own call it.
    void ForgetObject(TiPlotObject* object) override;
    void ClearFocus() override { master_->ClearFocus(); }
    void RequestRepaint() override { TiCustomComponent::RequestRepaint(); }

    // ---- published properties
    int DataViewZHorz() const;
    void SetDataViewZHorz(int value);
    int DataViewZVert() const;
    void SetDataViewZVert(int value);
    bool XYAxesReverse() const { return master_->XYAxesReverse(); }
    void SetXYAxesReverse(bool value);
    bool UserCanEditObjects() const { return master_->UserCanEditObjects(); }
    void SetUserCanEditObjects(bool value);
    bool UserCanAddRemoveChannels() const { return userCanAddRemoveChannels_; }
    void SetUserCanAddRemoveChannels(bool value) { userCanAddRemoveChannels_ = value; }
    int OuterMarginLeft() const { return outerMargins_.Left; }
    void SetOuterMarginLeft(int value) { SetMargin(outerMargins_.Left, value); }
    int OuterMarginTop() const { return outerMargins_.Top; }
    void SetOuterMarginTop(int value) { SetMargin(outerMargins_.Top, value); }
    int OuterMarginRight() const { return outerMargins_.Right; }
    void SetOuterMarginRight(int value) { SetMargin(outerMargins_.Right, value); }
    int OuterMarginBottom() const { return outerMargins_.Bottom; }
    void SetOuterMarginBottom(int value) { SetMargin(outerMargins_.Bottom, value); }

    TPrinterOrientation PrintOrientation() const { return printOrientation_; }
    void SetPrintOrientation(TPrinterOrientation value) { printOrientation_ = value; }
    double PrintMarginLeft() const { return printMargins_[0]; }
    void SetPrintMarginLeft(double value) { printMargins_[0] = value; }
    double PrintMarginTop() const { return printMargins_[1]; }
    void SetPrintMarginTop(double value) { printMargins_[1] = value; }
    double PrintMarginRight() const { return printMargins_[2]; }
    void SetPrintMarginRight(double value) { printMargins_[2] = value; }
    double PrintMarginBottom() const { return printMargins_[3]; }
    void SetPrintMarginBottom(double value) { printMargins_[3] = value; }
    bool PrintShowDialog() const { return printShowDialog_; }
    void SetPrintShowDialog(bool value) { printShowDialog_ = value; }
    const std::string& PrintDocumentName() const { return printDocumentName_; }
    void SetPrintDocumentName(const std::string& value) { printDocumentName_ = value; }
    const std::string& PrinterName() const { return printerName_; }
    void SetPrinterName(const std::string& value) { printerName_ = value; }

    int HintsPause() const { return hintsPause_; }
    void SetHintsPause(int value) { hintsPause_ = value; }
    int HintsHidePause() const { return hintsHidePause_; }
    void SetHintsHidePause(int value) { hintsHidePause_ = value; }
    bool HintsShow() const { return hintsShow_; }
    void SetHintsShow(bool value) { hintsShow_ = value; }
    TiFont& HintsFont() { return hintsFont_; }
    void SetHintsFont(const TFont& value) { hintsFont_ = value; }
    TiPlotFormStyle EditorFormStyle() const { return editorFormStyle_; }
    void SetEditorFormStyle(TiPlotFormStyle value) { editorFormStyle_ = value; }
    TiPlotExportFormat CopyToClipBoardFormat() const { return copyFormat_; }
    void SetCopyToClipBoardFormat(TiPlotExportFormat value) { copyFormat_ = value; }

    // The title is label 0; without labels these answer blanks and set nothing.
    bool TitleVisible() const;
    void SetTitleVisible(bool value);
    std::string TitleText() const;
    void SetTitleText(const std::string& value);
    TiFont& TitleFont();
    void SetTitleFont(const TFont& value);
    double TitleMargin() const;
    void SetTitleMargin(double value);

    bool BackGroundGradientEnabled() const { return gradient_.Enabled; }
    void SetBackGroundGradientEnabled(bool value);
    TiFillDirection BackGroundGradientDirection() const { return gradient_.Direction; }
    void SetBackGroundGradientDirection(TiFillDirection value);
    TColor BackGroundGradientStartColor() const { return gradient_.StartColor; }
    void SetBackGroundGradientStartColor(TColor value);
    TColor BackGroundGradientStopColor() const { return gradient_.StopColor; }
    void SetBackGroundGradientStopColor(TColor value);

    // The data file and log settings; none can change while the log is open.
    TiPlotDataFileColumnSeparator DataFileColumnSeparator() const { return columnSeparator_; }
    void SetDataFileColumnSeparator(TiPlotDataFileColumnSeparator value);
    TiPlotDataFileFormat DataFileFormat() const { return dataFileFormat_; }
    void SetDataFileFormat(TiPlotDataFileFormat value);
    char DataFileSeparatorChar() const override {
        return columnSeparator_ == ipdfcsComma ? ',' : '\t';
    }
    const std::string& LogFileName() const { return logFileName_; }
    void SetLogFileName(const std::string& value);
    // Kept for the property editor; the log writes once per event-loop turn.
    int LogBufferSize() const { return logBufferSize_; }
    void SetLogBufferSize(int value) { logBufferSize_ = value; }
    bool LoggingActive() const override { return dataLog_.Active(); }

    // What AddAnnotation gives every new annotation.
    TiFont& AnnotationDefaultFont() { return annotationDefaults_.Font; }
    void SetAnnotationDefaultFont(const TFont& value) { annotationDefaults_.Font = value; }
    TBrushStyle AnnotationDefaultBrushStlye() const { return annotationDefaults_.BrushStyle; }
    void SetAnnotationDefaultBrushStlye(TBrushStyle value) {
        annotationDefaults_.BrushStyle = value;
    }
    TColor AnnotationDefaultBrushColor() const { return annotationDefaults_.BrushColor; }
    void SetAnnotationDefaultBrushColor(TColor value) { annotationDefaults_.BrushColor = value; }
    TPenStyle AnnotationDefaultPenStlye() const { return annotationDefaults_.PenStyle; }
    void SetAnnotationDefaultPenStlye(TPenStyle value) { annotationDefaults_.PenStyle = value; }
    TColor AnnotationDefaultPenColor() const { return annotationDefaults_.PenColor; }
    void SetAnnotationDefaultPenColor(TColor value) { annotationDefaults_.PenColor = value; }
    int AnnotationDefaultPenWidth() const { return annotationDefaults_.PenWidth; }
    void SetAnnotationDefaultPenWidth(int value) { annotationDefaults_.PenWidth = value; }
    bool ClipAnnotationsToAxes() const { return clipAnnotationsToAxes_; }
    void SetClipAnnotationsToAxes(bool value) { clipAnnotationsToAxes_ = value; }

    // ---- objects by index and by name
    int ChannelCount() const override;
    TiPlotChannelCustom* Channel(int index) const override;
    int XAxisCount() const override;
    TiPlotXAxis* XAxis(int index) const override;
    int YAxisCount() const override;
    TiPlotYAxis* YAxis(int index) const override;
    int DataViewCount() const override;
    TiPlotDataView* DataView(int index) const override;
    int DataCursorCount() const override;
    TiPlotDataCursor* DataCursor(int index) const override;
    int ToolBarCount() const;
    TiPlotToolBar* ToolBar(int index) const;
    int LegendCount() const;
    TiPlotLegend* Legend(int index) const;
    int LabelCount() const;
    TiPlotLabel* Label(int index) const;
    int TableCount() const;
    TiPlotTable* Table(int index) const;
    int LimitCount() const;
    TiPlotLimit* Limit(int index) const;
    int AnnotationCount() const;
    TiPlotAnnotation* Annotation(int index) const;
    int TranslationCount() const;
    TiPlotTranslation* Translation(int index) const;
    TiPlotChannelCustom* ChannelByName(const std::string& name) const override;
    TiPlotXAxis* XAxisByName(const std::string& name) const override;
    TiPlotYAxis* YAxisByName(const std::string& name) const override;

    // ---- adding and deleting objects
    int AddToolBar() { return master_->AddToolBar(); }
    int AddLegend() { return master_->AddLegend(); }
    int AddXAxis() { return master_->AddXAxis(); }
    int AddYAxis() { return master_->AddYAxis(); }
    int AddChannel() { return master_->AddChannel(); }
    int AddDataView() { return master_->AddDataView(); }
    int AddDataCursor() { return master_->AddDataCursor(); }
    int AddLabel() { return master_->AddLabel(); }
    int AddTable() { return master_->AddTable(); }
    int AddLimit() { return master_->AddLimit(); }
    // The new annotation starts from the annotation defaults.
    int AddAnnotation();
    int AddTranslation() { return master_->Translations().Add(); }
    void DeleteToolBar(int index);
    void DeleteLegend(int index);
    void DeleteXAxis(int index);
    void DeleteYAxis(int index);
    void DeleteChannel(int index);
    void DeleteDataView(int index);
    void DeleteDataCursor(int index);
    void DeleteTable(int index);
    void DeleteLimit(int index);
    void DeleteAnnotation(int index);
    void DeleteTranslation(int index) { master_->Translations().Delete(index); }
    // Label 0 is the title and cannot be deleted.
    void DeleteLabel(int index);
    void RemoveAllToolBars() { master_->ToolBarManager().Clear(); }
    void RemoveAllLegends() { master_->LegendManager().Clear(); }
    void RemoveAllXAxes() { master_->XAxisManager().Clear(); }
    void RemoveAllYAxes() { master_->YAxisManager().Clear(); }
    void RemoveAllChannels() { master_->ChannelManager().Clear(); }
    void RemoveAllDataViews() { master_->DataViewManager().Clear(); }
    void RemoveAllDataCursors() { master_->DataCursorManager().Clear(); }
    void RemoveAllTables() { master_->TableManager().Clear(); }
    void RemoveAllLimits() { master_->LimitManager().Clear(); }
    void RemoveAllAnnotations() { master_->AnnotationManager().Clear(); }
    void RemoveAllTranslations() { master_->Translations().Clear(); }
    // Keeps label 0, the title.
    void RemoveAllLabels();

    // A fixed text as the translation table has it.
    std::string Translate(const std::string& text) const override {
        return master_->Translations().Translate(text);
    }

    // ---- operations for the toolbar, the data view and the application
    void DisableAllTracking() override { SetAllTracking(false); }
    void EnableAllTracking() override { SetAllTracking(true); }
    // Closes an open data log first.
    void ClearAllData();
    bool SelectModeActive() const override;
    bool ZoomBoxModeActive() const override;
    void SetSelectMode(bool value) override;
    void AddOccupiedRect(const TRect& rect) override { occupied_.push_back(rect); }
    // Reserves rect for label drawing unless it overlaps what is taken or,
    // once something is taken, leaves data view 0.
    bool TryReserveRect(const TRect& rect) override;

    // ---- files, pictures and printing. Failures are raised with the texts
    // the caller shows ("Error Loading Data - ...").
    void SaveProperties(const std::string& fileName) override;
    void LoadProperties(const std::string& fileName) override;
    // Every object the configuration file holds, with its prefix
    // ("Channel0", "XAxis0", ...), kind by kind in the file's order.
    void ForEachSavedObject(const std::function<void(TiPersistent&, const std::string&)>& visit);
    void SaveAnnotationsToFile(const std::string& fileName);
    void LoadAnnotationsFromFile(const std::string& fileName);
    void SaveDataToFile(const std::string& fileName);
    // Adds the file's points to what the channels hold.
    void LoadDataFromFile(const std::string& fileName);
    void LogActivate(bool append);
    void LogDeactivate();
    const std::string& PropertiesFileName() const { return propertiesFileName_; }
    const std::string& DataFileName() const { return dataFileName_; }
    // The picture without toolbars or selection marks, in CopyToClipBoardFormat.
    void CopyToClipboard() override;
    // Asks for a file name; the ending picks bitmap, metafile, JPEG or PNG.
    void SaveImage() override;
    // The picture on one page, after the printer dialog when PrintShowDialog.
    void Print() override;
    void PrintPreview() override;
    void EditProperties() override;
    QWidget* DialogParent() override { return this; }
    // The picture as a metafile kept by the plot.
    const TMetafile& SnapshotPicture();
    // The printer Print uses; made on first use.
    QPrinter& Printer();

    TiPlotExtents ChannelExtents(bool xAxis, const std::string& axisName, bool fast) const override;
    // A channel calls this for every point it adds.
    void ChannelPointAdded(const TiPlotChannelCustom& channel) override {
        if (dataLog_.Active())
            LogPointAdded(channel);
    }

    // ---- event entry points for the plot objects
    void DoMouseDownEvent(TiPlotObject* object, TMouseButton button, TShiftState shift, int x,
                          int y) override;
    void DoMouseMoveEvent(TiPlotObject* object, TShiftState shift, int x, int y) override;
    void DoMouseUpEvent(TiPlotObject* object, TMouseButton button, TShiftState shift, int x,
                        int y) override;
    // OnDblClick of the kind after a double click, else OnClick.
    void DoClickEvent(TiPlotObject* object) override;
    void DoDataPointClickEvent(TiPlotChannelCustom* channel, int dataIndex) override;
    void DoGotFocusEvent(TiPlotObject* object) override;
    void DoLostFocusEvent(TiPlotObject* object) override;
    void DoPopupEvent(TiPlotObject* object, bool& cancel, int screenX, int screenY) override;
    // Lets the application add its own items after an object built its menu.
    void DoAddPopupMenuItems(QMenu& menu) override {
        if (OnAddPopupMenuItems)
            OnAddPopupMenuItems(menu);
    }
    // The range events of one kind of axis, for its axes to look at.
    TiAxisRangeEvents AxisRangeEvents(bool xAxis) const override {
        return xAxis
                   ? TiAxisRangeEvents{&OnXAxisMinChange, &OnXAxisSpanChange, &OnXAxisMinSpanChange}
                   : TiAxisRangeEvents{&OnYAxisMinChange, &OnYAxisSpanChange,
                                       &OnYAxisMinSpanChange};
    }
    // A watched scrolling axis raises these with every point: whether
    // anyone listens is checked inline, the raising is not.
    void DoAxisMinChange(TiPlotAxis* axis, double oldValue, double newValue) override {
        if (OnXAxisMinChange || OnYAxisMinChange)
            RaiseAxisMinChange(axis, oldValue, newValue);
    }
    void DoAxisSpanChange(TiPlotAxis* axis, double oldValue, double newValue) override {
        if (OnXAxisSpanChange || OnYAxisSpanChange)
            RaiseAxisSpanChange(axis, oldValue, newValue);
    }
    void DoAxisMinSpanChange(TiPlotAxis* axis, double oldMin, double oldSpan, double newMin,
                             double newSpan) override {
        if (OnXAxisMinSpanChange || OnYAxisMinSpanChange)
            RaiseAxisMinSpanChange(axis, oldMin, oldSpan, newMin, newSpan);
    }
    void DoAxisCustomizeLabel(TiPlotAxis* axis, double value, std::string& label) override;
    void DoAxisCustomizeHint(TiPlotAxis* axis, std::string& text) override;
    void DoDataCursorCustomizeHint(TiPlotDataCursor* cursor, std::string& text) override;
    void DoDataCursorChange(TiPlotDataCursor* cursor) override;
    void DoBeforeDataCursorUpdate(TiPlotDataCursor* cursor) override;
    void DoToolBarCustomizeHint(TiPlotToolBar* toolBar, std::string& text) override;
    void DoToolBarButtonClick(TiPlotToolBar* toolBar, int buttonType) override;
    void DoBeforeZoomBox(TRect& zoomRect, bool& cancel) override;
    // Line is 1 or 2.
    void DoLimitLinePositionChange(TiPlotLimit* limit, int line, double oldValue,
                                   double newValue) override;

    // Axes with MasterUIInput relay the user's input to the other axes of
    // their kind; the guard stops the echo from echoing.
    void EchoAxisMouseDown(TiPlotAxis* axis, const TiPlotMouseData& data) override;
    void EchoAxisMouseMove(TiPlotAxis* axis, const TiPlotMouseData& data) override;
    void EchoAxisMouseUp(TiPlotAxis* axis, const TiPlotMouseData& data) override;
    void EchoAxisKeyDown(TiPlotAxis* axis, int& key, TShiftState shift) override;

    // ---- the pieces of a paint, public for exports and tests
    void CalcLayout(TCanvas& canvas);
    TiPlotObject* HitTest(int x, int y);
    bool Painting() const { return painting_; }

    // ---- published events
    TiPlotObjectMouseEvent OnMouseDownXAxis, OnMouseDownYAxis, OnMouseDownDataView,
        OnMouseDownLegend, OnMouseDownChannel, OnMouseDownLimit, OnMouseDownDataCursor,
        OnMouseDownAnnotation;
    TiPlotObjectMouseEvent OnMouseUpXAxis, OnMouseUpYAxis, OnMouseUpDataView, OnMouseUpLegend,
        OnMouseUpChannel, OnMouseUpLimit, OnMouseUpDataCursor, OnMouseUpAnnotation;
    TiPlotObjectMouseMoveEvent OnMouseMoveXAxis, OnMouseMoveYAxis, OnMouseMoveDataView,
        OnMouseMoveLegend, OnMouseMoveChannel, OnMouseMoveLimit, OnMouseMoveDataCursor,
        OnMouseMoveAnnotation;
    TiPlotObjectEvent OnClickXAxis, OnClickYAxis, OnClickDataView, OnClickLegend, OnClickChannel,
        OnClickLimit, OnClickDataCursor, OnClickAnnotation;
    TiPlotObjectEvent OnDblClickXAxis, OnDblClickYAxis, OnDblClickDataView, OnDblClickLegend,
        OnDblClickChannel, OnDblClickLimit, OnDblClickDataCursor, OnDblClickAnnotation;
    TiPlotClickDataPointEvent OnClickDataPoint, OnDblClickDataPoint;
    TiPlotObjectEvent OnGotFocusChannel, OnGotFocusXAxis, OnGotFocusYAxis, OnGotFocusDataCursor,
        OnGotFocusDataView, OnGotFocusLegend, OnGotFocusAnnotation;
    TiPlotObjectEvent OnLostFocusChannel, OnLostFocusXAxis, OnLostFocusYAxis, OnLostFocusDataCursor,
        OnLostFocusDataView, OnLostFocusLegend, OnLostFocusAnnotation;
    TiPlotPopupMenuEvent OnPopupMenuChannel, OnPopupMenuXAxis, OnPopupMenuYAxis,
        OnPopupMenuDataCursor, OnPopupMenuDataView, OnPopupMenuLegend, OnPopupMenuLimit,
        OnPopupMenuAnnotation;
    TiPlotObjectEvent OnDataCursorChange, OnBeforeDataCursorUpdate;
    TiPlotObjectDoubleValueChangeEvent OnXAxisMinChange, OnXAxisSpanChange, OnYAxisMinChange,
        OnYAxisSpanChange, OnLimitLine1PositionChange, OnLimitLine2PositionChange;
    TiPlotAxesMinSpanChangeEvent OnXAxisMinSpanChange, OnYAxisMinSpanChange;
    TiPlotAxesCustomizeLabelEvent OnXAxisCustomizeLabel, OnYAxisCustomizeLabel;
    TiPlotObjectCustomizeTextEvent OnXAxisCustomizeHint, OnYAxisCustomizeHint,
        OnDataCursorCustomizeHint, OnToolBarCustomizeHint;
    TiPlotToolBarButtonEvent OnToolBarButtonClick;
    TiPlotZoomBoxEvent OnBeforeZoomBox;
    // Not one of the component's published events: the application's items
    // for every object's context menu (the main window's CSV export and replay).
    std::function<void(QMenu& Menu)> OnAddPopupMenuItems;
    TiPlotNotifyEvent OnAfterSaveProperties, OnBeforeLoadProperties, OnAfterLoadProperties,
        OnAfterSaveData, OnAfterLoadData, OnBeforePrint, OnAfterPrint;

    // A frame reuses what earlier frames measured and laid out where nothing
    // it depends on changed (fonts, texts, sizes, ranges). Off, every frame
    // measures and lays out anew; the picture is the same either way.
    bool FrameCachesEnabled() const { return frameCachesEnabled_; }
    void SetFrameCachesEnabled(bool value);

  protected:
    void DoPaint(TCanvas& canvas) override;
    void DoMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void DoMouseMove(TShiftState shift, int x, int y) override;
    void DoMouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void DoDblClick() override;
    bool DoMouseWheel(int delta, TShiftState shift, TPoint point) override;
    void WantSpecialKey(int& key, bool& wanted) override;
    void DoKeyDown(int key, TShiftState shift) override;
    // The hint timer: show the hint after the pause, hide it after the next.
    void DoTimer() override;
    void leaveEvent(QEvent* event) override;

  private:
    struct KindEvents;
    struct Margins {
        int Left = 5;
        int Top = 5;
        int Right = 5;
        int Bottom = 5;
    };
    struct Gradient {
        bool Enabled = false;
        TiFillDirection Direction = ifdTopBottom;
        TColor StartColor = clBlue;
        TColor StopColor = clBlack;
    };

    KindEvents EventsOf(const TiPlotObject* object);
    bool EventsAllowed() const;
    void RaiseAxisMinChange(TiPlotAxis* axis, double oldValue, double newValue);
    void RaiseAxisSpanChange(TiPlotAxis* axis, double oldValue, double newValue);
    void RaiseAxisMinSpanChange(TiPlotAxis* axis, double oldMin, double oldSpan, double newMin,
                                double newSpan);
    void SetMargin(int& field, int value);
    void SetAllTracking(bool enabled);
    void Echo(TiPlotAxis* axis, const std::function<void(TiPlotAxis&)>& step);
    void DeleteFrom(TiPlotObjectOwnedManager& manager, int index);

    // Paint pipeline steps.
    void UpdateDataCursors();
    void LayOut(TCanvas& canvas);
    TiPlotLayoutSnapshot LayoutSnapshot() const;
    void GenerateAxisTicks(TCanvas& canvas);
    void PrepareObjects(TCanvas& canvas);
    void PaintPlotBackground(TCanvas& canvas);
    void DrawClippedObjects(TCanvas& canvas);
    void DrawOverlays(TCanvas& canvas);
    void DrawHint(TCanvas& canvas);

    void HideHint();
    TPoint ScreenPoint(int x, int y) const;

    // Files and output.
    class OutputScope;
    void Raise(const TiPlotNotifyEvent& event);
    TiDataLogForm LogForm() const;
    void CheckLogInactive(const char* message) const;
    void LogPointAdded(const TiPlotChannelCustom& channel);
    void WritePendingLogRows();
    void PrintOnPrinter();

    std::unique_ptr<TiPlotMasterManager> master_;
    std::unique_ptr<QMenu> popupMenu_;

    bool userCanAddRemoveChannels_ = false;
    Margins outerMargins_;
    TPrinterOrientation printOrientation_ = poLandscape;
    double printMargins_[4] = {1.0, 1.0, 1.0, 1.0};
    bool printShowDialog_ = true;
    std::string printDocumentName_ = "Untitled";
    std::string printerName_;
    int hintsPause_ = 500;
    int hintsHidePause_ = 2500;
    bool hintsShow_ = true;
    TiFont hintsFont_;
    // What TitleFont answers without a title label; changing it changes nothing.
    TiFont ownFont_;
    TiPlotFormStyle editorFormStyle_ = ipfsModal;
    TiPlotExportFormat copyFormat_ = ipefMetaFile;
    Gradient gradient_;
    TiPlotAnnotationStyle annotationDefaults_;
    bool clipAnnotationsToAxes_ = true;
    TiPlotDataFileColumnSeparator columnSeparator_ = ipdfcsTab;
    TiPlotDataFileFormat dataFileFormat_ = ipdffText;
    std::string logFileName_;
    int logBufferSize_ = 0;
    TiPlotDataLog dataLog_;
    QTimer logTimer_;
    std::string propertiesFileName_;
    std::string dataFileName_;
    TMetafile snapshot_;
    std::unique_ptr<QFileDialog> saveImageDialog_;
    std::unique_ptr<QPrinter> printer_;

    // Mouse state.
    TiPlotObject* pressedObject_ = nullptr;
    TiPlotObject* hoverObject_ = nullptr;
    TiPlotObject* releasedObject_ = nullptr;
    bool mouseDown_ = false;
    bool axisSelecting_ = false;
    bool doubleClick_ = false;

    // Hint state.
    TiHintData hint_;
    bool hintShowing_ = false;
    bool hintDrawn_ = false;
    bool suppressNextHint_ = false;

    std::multimap<std::string, TiPlotObject*> drawList_;
    std::vector<TRect> occupied_;
    bool echoing_ = false;
    bool painting_ = false;
    bool frameCachesEnabled_ = true;
    TTextCache textCache_;
};
