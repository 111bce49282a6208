#pragma once
// What a plot object may ask of the plot that holds it: the other objects by
// index and name, repaint and focus requests, the relays that raise the
// plot's events, the shared layout bookkeeping and the output commands. The
// plot component implements it; objects see only this, never the component,
// so an object's code cannot reach into the paint pipeline or the files.

#include <string>

#include "gdi/Geometry.h"
#include "plot/iInputEvents.h"

class QMenu;
class QWidget;
class TiPlotObject;
class TiPlotAxis;
class TiPlotXAxis;
class TiPlotYAxis;
class TiPlotChannelCustom;
class TiPlotDataView;
class TiPlotDataCursor;
class TiPlotToolBar;
class TiPlotLimit;
struct TiAxisRangeEvents;
struct TiPlotExtents;
struct TiPlotMouseData;

class TiPlotHost {
  public:
    // ---- the other objects
    virtual int ChannelCount() const = 0;
    virtual TiPlotChannelCustom* Channel(int index) const = 0;
    virtual TiPlotChannelCustom* ChannelByName(const std::string& name) const = 0;
    virtual int XAxisCount() const = 0;
    virtual TiPlotXAxis* XAxis(int index) const = 0;
    virtual int YAxisCount() const = 0;
    virtual TiPlotYAxis* YAxis(int index) const = 0;
    virtual TiPlotXAxis* XAxisByName(const std::string& name) const = 0;
    virtual TiPlotYAxis* YAxisByName(const std::string& name) const = 0;
    virtual int DataViewCount() const = 0;
    virtual TiPlotDataView* DataView(int index) const = 0;
    virtual int DataCursorCount() const = 0;
    virtual TiPlotDataCursor* DataCursor(int index) const = 0;

    // ---- requests
    virtual void RequestRepaint() = 0;
    // Drops what the plot remembers of `object` (under the pointer, pressed)
    // before it goes.
    virtual void ForgetObject(TiPlotObject* object) = 0;
    virtual void ClearFocus() = 0;
    virtual std::string Translate(const std::string& text) const = 0;
    virtual void DisableAllTracking() = 0;
    virtual void EnableAllTracking() = 0;
    virtual bool SelectModeActive() const = 0;
    virtual bool ZoomBoxModeActive() const = 0;
    virtual void SetSelectMode(bool value) = 0;
    // Label drawing shares the plot's free space: marks taken by axes, and
    // rects reserved so labels do not overlap.
    virtual void AddOccupiedRect(const TRect& rect) = 0;
    virtual bool TryReserveRect(const TRect& rect) = 0;

    // ---- channels and the plot's data log
    virtual void ChannelPointAdded(const TiPlotChannelCustom& channel) = 0;
    virtual bool LoggingActive() const = 0;
    virtual char DataFileSeparatorChar() const = 0;
    // What the channels on the named X (or Y) axis hold along it: their
    // extents, or with `fast` their running minimum and maximum.
    virtual TiPlotExtents ChannelExtents(bool xAxis, const std::string& axisName,
                                         bool fast) const = 0;

    // ---- output commands of the toolbar; failures are raised
    virtual void CopyToClipboard() = 0;
    virtual void SaveImage() = 0;
    virtual void Print() = 0;
    virtual void PrintPreview() = 0;
    // Opens the property editor on the whole plot.
    virtual void EditProperties() = 0;
    // The window that messages about the plot belong to.
    virtual QWidget* DialogParent() = 0;

    // ---- event relays
    virtual void DoMouseDownEvent(TiPlotObject* object, TMouseButton button, TShiftState shift,
                                  int x, int y) = 0;
    virtual void DoMouseMoveEvent(TiPlotObject* object, TShiftState shift, int x, int y) = 0;
    virtual void DoMouseUpEvent(TiPlotObject* object, TMouseButton button, TShiftState shift, int x,
                                int y) = 0;
    // OnDblClick of the kind after a double click, else OnClick.
    virtual void DoClickEvent(TiPlotObject* object) = 0;
    virtual void DoDataPointClickEvent(TiPlotChannelCustom* channel, int dataIndex) = 0;
    virtual void DoGotFocusEvent(TiPlotObject* object) = 0;
    virtual void DoLostFocusEvent(TiPlotObject* object) = 0;
    virtual void DoPopupEvent(TiPlotObject* object, bool& cancel, int screenX, int screenY) = 0;
    // Lets the application add its own items after an object built its menu.
    virtual void DoAddPopupMenuItems(QMenu& menu) = 0;
    // The range events of one kind of axis, held by address by its axes.
    virtual TiAxisRangeEvents AxisRangeEvents(bool xAxis) const = 0;
    virtual void DoAxisMinChange(TiPlotAxis* axis, double oldValue, double newValue) = 0;
    virtual void DoAxisSpanChange(TiPlotAxis* axis, double oldValue, double newValue) = 0;
    virtual void DoAxisMinSpanChange(TiPlotAxis* axis, double oldMin, double oldSpan, double newMin,
                                     double newSpan) = 0;
    virtual void DoAxisCustomizeLabel(TiPlotAxis* axis, double value, std::string& label) = 0;
    virtual void DoAxisCustomizeHint(TiPlotAxis* axis, std::string& text) = 0;
    virtual void DoDataCursorCustomizeHint(TiPlotDataCursor* cursor, std::string& text) = 0;
    virtual void DoDataCursorChange(TiPlotDataCursor* cursor) = 0;
    virtual void DoBeforeDataCursorUpdate(TiPlotDataCursor* cursor) = 0;
    virtual void DoToolBarCustomizeHint(TiPlotToolBar* toolBar, std::string& text) = 0;
    virtual void DoToolBarButtonClick(TiPlotToolBar* toolBar, int buttonType) = 0;
    virtual void DoBeforeZoomBox(TRect& zoomRect, bool& cancel) = 0;
    // Line is 1 or 2.
    virtual void DoLimitLinePositionChange(TiPlotLimit* limit, int line, double oldValue,
                                           double newValue) = 0;

    // Axes with MasterUIInput relay the user's input to the other axes of
    // their kind.
    virtual void EchoAxisMouseDown(TiPlotAxis* axis, const TiPlotMouseData& data) = 0;
    virtual void EchoAxisMouseMove(TiPlotAxis* axis, const TiPlotMouseData& data) = 0;
    virtual void EchoAxisMouseUp(TiPlotAxis* axis, const TiPlotMouseData& data) = 0;
    virtual void EchoAxisKeyDown(TiPlotAxis* axis, int& key, TShiftState shift) = 0;

  protected:
    ~TiPlotHost() = default;
};
