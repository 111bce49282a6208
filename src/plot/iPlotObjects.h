#pragma once
// Plot objects: everything the plot shows (toolbars, legends, axes, channels,
// data views, data cursors, labels) is a TiPlotObject. An object is not a
// window: the plot component owns it through the master manager, the layout
// places it, it draws on the component's canvas and receives the component's
// mouse and key input. This file holds the bases every kind derives from, the
// plot button, the mouse record and the name links objects keep to each other.

#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>

#include "gdi/Canvas.h"
#include "plot/iComponent.h"
#include "plot/iPublished.h"

class QMenu;
class TiPlotHost;
class TiPlotObject;

// The pointer as an object sees it: client pixels, and the same pixels with X
// and Y exchanged when the plot runs its X axes vertically.
struct TiPlotMouseData {
    int X = 0;
    int Y = 0;
    int OrientedX = 0;
    int OrientedY = 0;
    bool DblClickActive = false;
};

TiPlotMouseData MakeMouseData(int x, int y, bool exchanged, bool doubleClick = false);

// Plot names compare without regard to case.
bool SameName(const std::string& a, const std::string& b);

// What an object is, for the managers and the plot that treat kinds apart.
enum TiPlotObjectKind {
    ipokPlain,  // a bare TiPlotObject
    ipokButton,
    ipokToolBar,
    ipokLegend,
    ipokXAxis,
    ipokYAxis,
    ipokChannel,
    ipokDataView,
    ipokDataCursor,
    ipokLabel,
    ipokTable,
    ipokLimit,
    ipokAnnotation,
    ipokLevelMarker,  // the data view's place among the layout levels
};

using TiPlotObjectHandler = std::function<void(TiPlotObject*)>;

// The handlers a manager hands to each object it creates.
struct TiPlotObjectHandlers {
    TiPlotObjectHandler OnChange;
    TiPlotObjectHandler OnInsert;
    TiPlotObjectHandler OnRemove;
    TiPlotObjectHandler OnRename;
};

// Checks that a manager or manager-owned object got everything it needs.
// The owner message differs in case between the two callers, so it is passed.
void ValidateOwnerAndHandlers(const TiPlotHost* owner, const TiPlotObjectHandlers& handlers,
                              const char* missingOwnerMessage);

class TiPlotObject : public TiPersistent {
  public:
    TiPlotObject(TiPlotHost* owner, TiPlotObjectHandlers handlers);
    ~TiPlotObject() override;
    TiPlotObject(const TiPlotObject&) = delete;
    TiPlotObject& operator=(const TiPlotObject&) = delete;

    static const TiPublishedTable& PublishedTable();
    const TiPublishedTable& Published() const override { return PublishedTable(); }

    TiPlotHost* Owner() const { return owner_; }

    virtual TiPlotObjectKind Kind() const { return ipokPlain; }

    const std::string& Name() const { return name_; }
    void SetName(const std::string& value);
    const std::string& OldName() const { return oldName_; }

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool value);
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool value);
    int Layer() const { return layer_; }
    void SetLayer(int value);
    bool PopupEnabled() const { return popupEnabled_; }
    void SetPopupEnabled(bool value);

    bool Focused() const { return focused_; }
    void SetFocused(bool value);
    bool UserCanEdit() const { return userCanEdit_; }
    void SetUserCanEdit(bool value) { userCanEdit_ = value; }
    bool XYAxesReverse() const { return exchanged_; }
    virtual void SetXYAxesReverse(bool value) { exchanged_ = value; }
    TShiftState ShiftState() const { return shiftState_; }
    void SetShiftState(TShiftState value) { shiftState_ = value; }
    bool Prepared() const { return prepared_; }
    bool Pressed() const { return pressed_; }

    // Layer in decimal padded to 6 digits: the draw list sorts by it.
    std::string LayerKey() const;
    std::string Translate(const std::string& text) const;

    // Handlers the master and the layout manager wire in.
    TiPlotObjectHandler OnChange;
    TiPlotObjectHandler OnLayoutChange;
    TiPlotObjectHandler OnRemove;
    TiPlotObjectHandler OnInsert;
    TiPlotObjectHandler OnRename;
    TiPlotObjectHandler OnFocus;
    TiPlotObjectHandler OnEdit;
    TiPlotObjectHandler OnFocusChange;

    // Every new point passes here; it stays a plain inline call.
    void DoChange() {
        if (OnChange)
            OnChange(this);
    }
    virtual void DoLayoutChange();
    virtual void ObjectRemoved(TiPlotObject* object);
    virtual void ObjectRenamed(TiPlotObject* object);
    // Whether a rename of `renamed` may concern an object of this class. A
    // class whose ObjectRenamed follows some kinds names them here: renames
    // reach only the managers of classes that follow them.
    static bool FollowsRenamesOf(const TiPlotObject&) { return false; }
    virtual void ObjectFocused(TiPlotObject* object);
    virtual void PrepareDraw(TCanvas& canvas);
    virtual void Draw(TCanvas& canvas, TColor backgroundColor);

    // Entry points the plot calls with the pointer in client pixels.
    virtual void HandleMouseDown(TMouseButton button, TShiftState shift, int x, int y, int screenX,
                                 int screenY, QMenu& menu);
    virtual void HandleMouseMove(TiHintData& hint, TShiftState shift, bool doubleClick, int x,
                                 int y, int screenX, int screenY);
    virtual void HandleMouseUp(TMouseButton button, TShiftState shift, bool doubleClick, int x,
                               int y, int screenX, int screenY);

    virtual bool HitTest(const TiPlotMouseData& data);
    virtual bool MouseWheel(int delta, TShiftState shift, TPoint point);
    virtual void MouseHover(const TiPlotMouseData& data, TiHintData& hint);
    virtual void MouseDown(const TiPlotMouseData& data);
    virtual void MouseMove(const TiPlotMouseData& data);
    virtual void MouseUp(const TiPlotMouseData& data);
    virtual void FocusGained();
    virtual void FocusLost();
    virtual void MouseLeave();
    // The part of this object under the point (a toolbar answers its button).
    virtual TiPlotObject* ObjectAt(int x, int y);
    virtual Qt::CursorShape MouseCursor(TPoint point);
    virtual void KeyDown(int& key, TShiftState shift);
    // Registers the object: until then no manager knows it.
    virtual void Loaded();
    virtual void BuildPopupMenu(QMenu& menu);

    // Calls the remove handler (the object leaves every manager) and lets the
    // layout react, while the object is still whole. Its manager does this
    // right before destroying it.
    void Unregister();
    void DetachHandlers();

  protected:
    void AddEditItem(QMenu& menu);
    // Gives up the focus when another object took it; most kinds answer
    // ObjectFocused with this.
    void YieldFocusTo(TiPlotObject* other);
    void SetPrepared(bool value) { prepared_ = value; }
    void SetPressed(bool value) { pressed_ = value; }

    // Store a changed value and call the notifier (DoChange or DoLayoutChange).
    template <class T>
    void SetProperty(T& field, const T& value, void (TiPlotObject::*notifier)()) {
        if (field == value)
            return;
        field = value;
        (this->*notifier)();
    }

  private:
    TiPlotHost* owner_;
    std::string name_;
    std::string oldName_;
    bool visible_ = true;
    bool enabled_ = true;
    int layer_ = 100;
    bool popupEnabled_ = true;
    bool focused_ = false;
    bool userCanEdit_ = false;
    bool exchanged_ = false;
    bool prepared_ = false;
    bool pressed_ = false;
    TShiftState shiftState_{};
    TiPlotObject* mouseObject_ = nullptr;
};

// An object created and owned by a manager: it must get an owner and all four
// handlers.
class TiPlotManagerObject : public TiPlotObject {
  public:
    TiPlotManagerObject(TiPlotHost* owner, TiPlotObjectHandlers handlers);
};

// An object the layout places beside the data view.
class TiPlotLayoutObject : public TiPlotManagerObject {
  public:
    TiPlotLayoutObject(TiPlotHost* owner, TiPlotObjectHandlers handlers);
    static bool OfKind(TiPlotObjectKind kind) {
        return kind == ipokToolBar || kind == ipokLegend || kind == ipokXAxis ||
               kind == ipokYAxis || kind == ipokDataView || kind == ipokLabel ||
               kind == ipokTable || kind == ipokLevelMarker;
    }

    static const TiPublishedTable& PublishedTable();
    const TiPublishedTable& Published() const override { return PublishedTable(); }

    bool Horizontal() const { return horizontal_; }
    void SetHorizontal(bool value);
    int ZOrder() const { return zOrder_; }
    void SetZOrder(int value);
    double StartPercent() const { return startPercent_; }
    void SetStartPercent(double value);
    double StopPercent() const { return stopPercent_; }
    void SetStopPercent(double value);
    bool ForceStacking() const { return forceStacking_; }
    void SetForceStacking(bool value);

    virtual bool IsHorizontal() const { return horizontal_; }
    // Depth across the object's length, in pixels.
    virtual int RequiredThickness(TCanvas& canvas);
    // How far the object reaches beyond the ends of its length (end labels).
    virtual int EndsMargin(TCanvas& canvas);

    bool HitTest(const TiPlotMouseData& data) override;
    void Loaded() override;

    // Set by the layout manager and the layout pass.
    bool FarSide() const { return farSide_; }
    void SetFarSide(bool value) { farSide_ = value; }
    const TRect& LayoutRect() const { return layoutRect_; }
    void SetLayoutRect(const TRect& value) { layoutRect_ = value; }
    bool StackedStart() const { return stackedStart_; }
    bool StackedStop() const { return stackedStop_; }
    void SetStacked(bool start, bool stop);

    // Sort keys of the layout stacks: level, then start, 3 digits each.
    std::string ZOrderKey() const;
    std::string StartPercentKey() const;

  private:
    bool horizontal_ = false;
    int zOrder_ = 0;
    double startPercent_ = 0;
    double stopPercent_ = 100;
    bool forceStacking_ = false;
    bool farSide_ = false;
    TRect layoutRect_{};
    bool stackedStart_ = false;
    bool stackedStop_ = false;
};

// A picture button inside a toolbar, legend or table. Not registered with any
// manager: its owner lays it out, draws it and forwards the mouse to it.
class TiPlotButton : public TiPlotObject {
  public:
    explicit TiPlotButton(TiPlotHost* owner);
    ~TiPlotButton() override;
    TiPlotObjectKind Kind() const override { return ipokButton; }
    static bool OfKind(TiPlotObjectKind kind) { return kind == ipokButton; }

    const TRect& ButtonRect() const { return buttonRect_; }
    void SetButtonRect(const TRect& value) { buttonRect_ = value; }
    bool Down() const { return down_; }
    void SetDown(bool value);
    bool AutoRepeat() const { return autoRepeat_; }
    void SetAutoRepeat(bool value) { autoRepeat_ = value; }
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value) { groupIndex_ = value; }
    bool Repeating() const { return repeatTimer_ != nullptr; }

    TiPlotObjectHandler OnClick;
    TiPlotObjectHandler OnGroupClick;
    TiPlotObjectHandler OnInvalidate;
    TiPlotObjectHandler OnDownChange;

    void SetEnabled(bool value) override;
    void MouseDown(const TiPlotMouseData& data) override;
    void MouseUp(const TiPlotMouseData& data) override;

  private:
    void Invalidate();
    void RepeatTick();

    TRect buttonRect_{};
    bool down_ = false;
    bool autoRepeat_ = false;
    int groupIndex_ = 0;
    bool firstRepeat_ = false;
    std::unique_ptr<QTimer> repeatTimer_;
};

// The object as a T when it is of one of T's kinds (T::OfKind), else none.
// OfKind must cover T and all its subclasses, so a class that shares its
// base's kind (TiPlotChannel, TiXYPlotChannel) is not a KindCast target.
template <class T, class Object>
auto KindCast(Object* object) {
    using Result = std::conditional_t<std::is_const_v<Object>, const T*, T*>;
    return object && T::OfKind(object->Kind()) ? static_cast<Result>(object) : nullptr;
}

// A reference to another object by name, as stored ("X-Axis 1"), with the
// resolved object as a cache. The master's remove and rename relays reach the
// holder's ObjectRemoved / ObjectRenamed, which pass them here: a removed
// object is forgotten, a renamed one lends its new name.
class TiPlotObjectLink {
  public:
    const std::string& Name() const { return name_; }
    // Returns true when the name changed.
    bool SetName(const std::string& value);
    // The named object, looked up once and then cached; none when absent.
    // Inline, as channels ask for their axes with every point they add.
    template <class Find>
    TiPlotObject* Resolve(const Find& find) {
        if (!cached_)
            cached_ = find(name_);
        return cached_;
    }
    TiPlotObject* Cached() const { return cached_; }

    void ObjectRemoved(const TiPlotObject* object);
    // Returns true when the link took the object's new name.
    bool ObjectRenamed(const TiPlotObject* object);

  private:
    std::string name_;
    TiPlotObject* cached_ = nullptr;
};
