#include "plot/iPlotObjects.h"

#include <QMenu>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "plot/iPlotHost.h"

namespace {

constexpr double kMinPercentSpan = 5;

std::string ZeroPadded(long long value, int width) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%0*lld", width, value);
    return buffer;
}

}  // namespace

TiPlotMouseData MakeMouseData(int x, int y, bool exchanged, bool doubleClick) {
    TiPlotMouseData data;
    data.X = x;
    data.Y = y;
    data.OrientedX = exchanged ? y : x;
    data.OrientedY = exchanged ? x : y;
    data.DblClickActive = doubleClick;
    return data;
}

bool SameName(const std::string& a, const std::string& b) {
    return QString::compare(QString::fromStdString(a), QString::fromStdString(b),
                            Qt::CaseInsensitive) == 0;
}

void ValidateOwnerAndHandlers(const TiPlotHost* owner, const TiPlotObjectHandlers& handlers,
                              const char* missingOwnerMessage) {
    if (!owner)
        throw std::invalid_argument(missingOwnerMessage);
    if (!handlers.OnChange)
        throw std::invalid_argument("OnChange event handler can not be null");
    if (!handlers.OnInsert)
        throw std::invalid_argument("OnInsert event handler can not be null");
    if (!handlers.OnRemove)
        throw std::invalid_argument("OnRemove event handler can not be null");
    if (!handlers.OnRename)
        throw std::invalid_argument("AOnRename event handler can not be null");
}

// ---------------------------------------------------------------- TiPlotObject

TiPlotObject::TiPlotObject(TiPlotHost* owner, TiPlotObjectHandlers handlers)
    : OnChange(std::move(handlers.OnChange)),
      OnRemove(std::move(handlers.OnRemove)),
      OnInsert(std::move(handlers.OnInsert)),
      OnRename(std::move(handlers.OnRename)),
      owner_(owner) {}

TiPlotObject::~TiPlotObject() = default;

void TiPlotObject::SetName(const std::string& value) {
    if (value == name_)
        return;
    oldName_ = name_;
    name_ = value;
    if (OnRename)
        OnRename(this);
}

void TiPlotObject::SetVisible(bool value) {
    if (value == visible_)
        return;
    visible_ = value;
    DoChange();
}

void TiPlotObject::SetEnabled(bool value) {
    if (value == enabled_)
        return;
    enabled_ = value;
    if (!enabled_) {
        pressed_ = false;
        SetFocused(false);
    }
    DoChange();
}

void TiPlotObject::SetLayer(int value) {
    SetProperty(layer_, value, &TiPlotObject::DoChange);
}

void TiPlotObject::SetPopupEnabled(bool value) {
    SetProperty(popupEnabled_, value, &TiPlotObject::DoChange);
}

void TiPlotObject::SetFocused(bool value) {
    if (value == focused_)
        return;
    focused_ = value;
    if (OnFocusChange)
        OnFocusChange(this);
    if (focused_) {
        if (OnFocus)
            OnFocus(this);
        FocusGained();
    } else {
        FocusLost();
    }
}

const TiPublishedTable& TiPlotObject::PublishedTable() {
    static const TiPublishedTable table =
        TiPublishedTableBuilder<TiPlotObject>("TiPlotObject")
            .String("Name", &TiPlotObject::Name, &TiPlotObject::SetName)
            .Boolean("Visible", &TiPlotObject::Visible, &TiPlotObject::SetVisible)
            .Boolean("Enabled", &TiPlotObject::Enabled, &TiPlotObject::SetEnabled)
            .Integer("Layer", &TiPlotObject::Layer, &TiPlotObject::SetLayer)
            .Boolean("PopupEnabled", &TiPlotObject::PopupEnabled, &TiPlotObject::SetPopupEnabled)
            .Build();
    return table;
}

std::string TiPlotObject::LayerKey() const {
    return ZeroPadded(layer_, 6);
}

std::string TiPlotObject::Translate(const std::string& text) const {
    return owner_ ? owner_->Translate(text) : text;
}

void TiPlotObject::DoLayoutChange() {
    if (OnLayoutChange)
        OnLayoutChange(this);
    DoChange();
}

void TiPlotObject::ObjectRemoved(TiPlotObject*) {}
void TiPlotObject::ObjectRenamed(TiPlotObject*) {}
void TiPlotObject::ObjectFocused(TiPlotObject*) {}

void TiPlotObject::PrepareDraw(TCanvas&) {
    prepared_ = true;
}
void TiPlotObject::Draw(TCanvas&, TColor) {}

void TiPlotObject::HandleMouseDown(TMouseButton button, TShiftState shift, int x, int y,
                                   int screenX, int screenY, QMenu& menu) {
    if (!enabled_)
        return;
    const TiPlotMouseData data = MakeMouseData(x, y, exchanged_);
    if (button == mbRight) {
        if (popupEnabled_) {
            bool cancel = false;
            owner_->DoPopupEvent(this, cancel, screenX, screenY);
            if (!cancel) {
                BuildPopupMenu(menu);
                owner_->DoAddPopupMenuItems(menu);
                menu.popup(QPoint(screenX, screenY));
            }
        }
    } else if (button == mbLeft) {
        pressed_ = true;
        MouseDown(data);
    }
    if (HitTest(data))
        owner_->DoMouseDownEvent(this, button, shift, x, y);
}

void TiPlotObject::HandleMouseMove(TiHintData& hint, TShiftState shift, bool doubleClick, int x,
                                   int y, int, int) {
    const TiPlotMouseData data = MakeMouseData(x, y, exchanged_, doubleClick);
    if (pressed_)
        MouseMove(data);
    else
        MouseHover(data, hint);
    if (HitTest(data))
        owner_->DoMouseMoveEvent(this, shift, x, y);
}

void TiPlotObject::HandleMouseUp(TMouseButton button, TShiftState shift, bool doubleClick, int x,
                                 int y, int, int) {
    const TiPlotMouseData data = MakeMouseData(x, y, exchanged_, doubleClick);
    MouseUp(data);
    if (!pressed_)
        return;
    pressed_ = false;
    if (HitTest(data))
        owner_->DoMouseUpEvent(this, button, shift, x, y);
}

bool TiPlotObject::HitTest(const TiPlotMouseData&) {
    return false;
}
bool TiPlotObject::MouseWheel(int, TShiftState, TPoint) {
    return false;
}
void TiPlotObject::MouseHover(const TiPlotMouseData&, TiHintData&) {}
void TiPlotObject::MouseDown(const TiPlotMouseData&) {}
void TiPlotObject::MouseMove(const TiPlotMouseData&) {}
void TiPlotObject::MouseUp(const TiPlotMouseData&) {}
void TiPlotObject::FocusGained() {
    owner_->DoGotFocusEvent(this);
}
void TiPlotObject::FocusLost() {
    owner_->DoLostFocusEvent(this);
}
void TiPlotObject::MouseLeave() {}

TiPlotObject* TiPlotObject::ObjectAt(int, int) {
    mouseObject_ = this;
    return this;
}

Qt::CursorShape TiPlotObject::MouseCursor(TPoint point) {
    if (!mouseObject_) {
        mouseObject_ = this;
        return Qt::ArrowCursor;
    }
    if (mouseObject_ != this)
        return mouseObject_->MouseCursor(point);
    return Qt::ArrowCursor;
}

void TiPlotObject::KeyDown(int&, TShiftState) {}

void TiPlotObject::Loaded() {
    if (OnInsert)
        OnInsert(this);
}

void TiPlotObject::BuildPopupMenu(QMenu& menu) {
    menu.clear();
}

void TiPlotObject::Unregister() {
    if (OnRemove)
        OnRemove(this);
    DoLayoutChange();
}

void TiPlotObject::DetachHandlers() {
    OnRemove = nullptr;
    OnLayoutChange = nullptr;
    OnChange = nullptr;
}

void TiPlotObject::AddEditItem(QMenu& menu) {
    if (!userCanEdit_)
        return;
    QAction* edit = menu.addAction(QString::fromStdString(Translate("Edit...")));
    QObject::connect(edit, &QAction::triggered, [this] {
        if (OnEdit)
            OnEdit(this);
    });
}

void TiPlotObject::YieldFocusTo(TiPlotObject* other) {
    if (other != this && other->Focused())
        SetFocused(false);
}

// --------------------------------------------------------- TiPlotManagerObject

TiPlotManagerObject::TiPlotManagerObject(TiPlotHost* owner, TiPlotObjectHandlers handlers)
    : TiPlotObject(owner, (ValidateOwnerAndHandlers(owner, handlers, "Owner must be assigned"),
                           std::move(handlers))) {}

// ---------------------------------------------------------- TiPlotLayoutObject

TiPlotLayoutObject::TiPlotLayoutObject(TiPlotHost* owner, TiPlotObjectHandlers handlers)
    : TiPlotManagerObject(owner, std::move(handlers)) {}

const TiPublishedTable& TiPlotLayoutObject::PublishedTable() {
    static const TiPublishedTable table =
        TiPublishedTableBuilder<TiPlotLayoutObject>("TiPlotLayoutObject",
                                                    &TiPlotObject::PublishedTable())
            .Boolean("Horizontal", &TiPlotLayoutObject::Horizontal,
                     &TiPlotLayoutObject::SetHorizontal)
            .Integer("ZOrder", &TiPlotLayoutObject::ZOrder, &TiPlotLayoutObject::SetZOrder)
            .Float("StartPercent", &TiPlotLayoutObject::StartPercent,
                   &TiPlotLayoutObject::SetStartPercent, kPercentRange)
            .Float("StopPercent", &TiPlotLayoutObject::StopPercent,
                   &TiPlotLayoutObject::SetStopPercent, kPercentRange)
            .Build();
    return table;
}

void TiPlotLayoutObject::SetHorizontal(bool value) {
    SetProperty(horizontal_, value, &TiPlotObject::DoLayoutChange);
}

void TiPlotLayoutObject::SetZOrder(int value) {
    SetProperty(zOrder_, value, &TiPlotObject::DoLayoutChange);
}

void TiPlotLayoutObject::SetForceStacking(bool value) {
    SetProperty(forceStacking_, value, &TiPlotObject::DoLayoutChange);
}

void TiPlotLayoutObject::SetStartPercent(double value) {
    value = std::clamp(value, 0.0, 100.0);
    if (stopPercent_ - value < kMinPercentSpan) {
        stopPercent_ = value + kMinPercentSpan;
        if (stopPercent_ > 100) {
            stopPercent_ = 100;
            value = 100 - kMinPercentSpan;
        }
    }
    SetProperty(startPercent_, value, &TiPlotObject::DoChange);
}

void TiPlotLayoutObject::SetStopPercent(double value) {
    value = std::clamp(value, 0.0, 100.0);
    if (value - startPercent_ < kMinPercentSpan) {
        startPercent_ = value - kMinPercentSpan;
        if (startPercent_ < 0) {
            startPercent_ = 0;
            value = kMinPercentSpan;
        }
    }
    SetProperty(stopPercent_, value, &TiPlotObject::DoChange);
}

int TiPlotLayoutObject::RequiredThickness(TCanvas&) {
    return 0;
}
int TiPlotLayoutObject::EndsMargin(TCanvas&) {
    return 0;
}

bool TiPlotLayoutObject::HitTest(const TiPlotMouseData& data) {
    return layoutRect_.Contains({data.X, data.Y});
}

void TiPlotLayoutObject::Loaded() {
    TiPlotObject::Loaded();
    if (OnLayoutChange)
        OnLayoutChange(this);
}

void TiPlotLayoutObject::SetStacked(bool start, bool stop) {
    stackedStart_ = start;
    stackedStop_ = stop;
}

std::string TiPlotLayoutObject::ZOrderKey() const {
    return ZeroPadded(zOrder_, 3);
}

std::string TiPlotLayoutObject::StartPercentKey() const {
    return ZeroPadded(std::llrint(startPercent_), 3);
}

// ---------------------------------------------------------------- TiPlotButton

namespace {
constexpr int kRepeatFirstMs = 500;
constexpr int kRepeatNextMs = 50;
}  // namespace

TiPlotButton::TiPlotButton(TiPlotHost* owner) : TiPlotObject(owner, {}) {}

// A button dies with the toolbar or legend that owns it, which the plot
// forgets; the plot may be holding the button itself as pressed or hovered.
TiPlotButton::~TiPlotButton() {
    if (Owner())
        Owner()->ForgetObject(this);
}

void TiPlotButton::SetDown(bool value) {
    if (value == down_)
        return;
    down_ = value;
    Invalidate();
    if (OnDownChange)
        OnDownChange(this);
}

void TiPlotButton::SetEnabled(bool value) {
    if (!value)
        repeatTimer_.reset();
    TiPlotObject::SetEnabled(value);
}

void TiPlotButton::MouseDown(const TiPlotMouseData&) {
    if (autoRepeat_) {
        repeatTimer_ = std::make_unique<QTimer>();
        repeatTimer_->setInterval(kRepeatFirstMs);
        QObject::connect(repeatTimer_.get(), &QTimer::timeout, [this] { RepeatTick(); });
        repeatTimer_->start();
        firstRepeat_ = true;
    }
    Invalidate();
}

void TiPlotButton::MouseUp(const TiPlotMouseData& data) {
    if (!Pressed())
        return;
    SetPressed(false);
    repeatTimer_.reset();
    Invalidate();
    if (!buttonRect_.Contains({data.X, data.Y}))
        return;
    if (groupIndex_ != 0 && OnGroupClick)
        OnGroupClick(this);
    if (OnClick)
        OnClick(this);
}

void TiPlotButton::Invalidate() {
    if (OnInvalidate)
        OnInvalidate(this);
}

void TiPlotButton::RepeatTick() {
    if (firstRepeat_) {
        firstRepeat_ = false;
        repeatTimer_->setInterval(kRepeatNextMs);
    }
    if (OnClick)
        OnClick(this);
    Invalidate();
}

// ------------------------------------------------------------ TiPlotObjectLink

bool TiPlotObjectLink::SetName(const std::string& value) {
    if (value == name_)
        return false;
    name_ = value;
    cached_ = nullptr;
    return true;
}

void TiPlotObjectLink::ObjectRemoved(const TiPlotObject* object) {
    if (object == cached_)
        cached_ = nullptr;
}

bool TiPlotObjectLink::ObjectRenamed(const TiPlotObject* object) {
    const bool isTarget =
        object == cached_ || (!object->OldName().empty() && SameName(object->OldName(), name_));
    if (!isTarget)
        return false;
    name_ = object->Name();
    cached_ = nullptr;
    return true;
}
