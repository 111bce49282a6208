#include "plot/iComponent.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "gdi/PainterCanvas.h"
#include "plot/iDrawingHelpers.h"
#include "plot/iPropertyText.h"

namespace {

// Holds the paint lock for a scope, also when drawing throws.
class TiPaintLock {
  public:
    explicit TiPaintLock(TiComponent& component) : component_(component) { component_.Lock(); }
    ~TiPaintLock() { component_.Unlock(); }
    TiPaintLock(const TiPaintLock&) = delete;
    TiPaintLock& operator=(const TiPaintLock&) = delete;

  private:
    TiComponent& component_;
};

const TiStringList kControlBasics = {"Left",    "Top",     "Width",    "Height",
                                     "Align",   "Cursor",  "ShowHint", "Tag",
                                     "Visible", "Enabled", "Hint",     "HelpContext"};

}  // namespace

TiComponent::TiComponent(QWidget* parent)
    : QWidget(parent), throttle_(TiRepaintThrottle::Clock::now()) {
    // Every pixel is painted from the off-screen image: Qt must not erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    // A click gives the control the focus; Tab reaches it only with TabStop,
    // and Tab always moves on, so the keyboard is never trapped here.
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(true);
    flushTimer_.setSingleShot(true);
    flushTimer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&flushTimer_, &QTimer::timeout, this, [this] { FlushDeferredRepaint(); });
}

TiComponent::~TiComponent() = default;

const TiPublishedTable& TiComponent::PublishedTable() {
    static const TiPublishedTable table =
        TiPublishedTableBuilder<TiComponent>("TiComponent")
            .Integer("Left", &TiComponent::Left, &TiComponent::SetLeft, kPixelRange)
            .Integer("Top", &TiComponent::Top, &TiComponent::SetTop, kPixelRange)
            .Integer("Width", &TiComponent::Width, &TiComponent::SetWidth)
            .Integer("Height", &TiComponent::Height, &TiComponent::SetHeight)
            .Boolean("Visible", &TiComponent::Visible, &TiComponent::SetVisible)
            .Boolean("Enabled", &TiComponent::Enabled, &TiComponent::SetEnabled)
            .Boolean("ShowHint", &TiComponent::ShowHint, &TiComponent::SetShowHint)
            .Boolean("TabStop", &TiComponent::TabStop, &TiComponent::SetTabStop)
            .Integer("UpdateFrameRate", &TiComponent::UpdateFrameRate,
                     &TiComponent::SetUpdateFrameRate)
            .Boolean("AutoFrameRate", &TiComponent::AutoFrameRate, &TiComponent::SetAutoFrameRate)
            .Boolean("OptionSaveAllProperties", &TiComponent::OptionSaveAllProperties,
                     &TiComponent::SetOptionSaveAllProperties)
            .Build();
    return table;
}

TiRepaintThrottle::Clock::time_point TiComponent::Now() const {
    return TiRepaintThrottle::Clock::now();
}

void TiComponent::SetBackGroundColor(TColor value) {
    SetProperty(backGroundColor_, value, icaInvalidateBackground);
}

bool TiComponent::TabStop() const {
    return focusPolicy() == Qt::StrongFocus;
}

void TiComponent::SetTabStop(bool value) {
    setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus);
}

void TiComponent::SetBorderStyle(TiBevelStyle value) {
    SetProperty(borderStyle_, value, icaInvalidateBackground);
}

void TiComponent::SetAutoFrameRate(bool value) {
    if (value == throttle_.AutoFrameRate())
        return;
    throttle_.SetAutoFrameRate(value);
    if (value)
        InvalidateBackground();
    else
        EndUpdate();
}

void TiComponent::SetBackgroundPicture(const QImage& value) {
    backgroundPicture_ = value;
    InvalidateBackground();
}

void TiComponent::InvalidateUncoveredChange() {
    // An owed deferred paint does not cover this change: if the frame is
    // over, the change paints now and the deferred paint is dropped.
    Apply(throttle_.Invalidate(Now(), false));
}

void TiComponent::InvalidateBackground() {
    backgroundDirty_ = true;
    Apply(throttle_.Invalidate(Now(), true));
}

void TiComponent::RequestRepaint() {
    Apply(throttle_.Request(Now()));
}

void TiComponent::RepaintNow() {
    throttle_.Repainted(Now());
    flushTimer_.stop();
    InvalidateWindow();
    windowInvalidated_ = true;
}

void TiComponent::BeginUpdate() {
    throttle_.BeginUpdate();
}

void TiComponent::EndUpdate() {
    Apply(throttle_.EndUpdate(Now()));
}

void TiComponent::Apply(TiRepaintThrottle::TDecision decision) {
    if (decision.Action == TiRepaintThrottle::iraPaintNow) {
        RepaintNow();
    } else if (decision.Action == TiRepaintThrottle::iraPaintLater && !flushTimer_.isActive()) {
        const auto ms = std::chrono::ceil<std::chrono::milliseconds>(decision.Delay);
        flushTimer_.start(ms);
    }
}

void TiComponent::FlushDeferredRepaint() {
    Apply(throttle_.Flush(Now()));
}

int TiComponent::MaxSide() {
    constexpr int kSmallestMaxSide = 4096;
    int side = kSmallestMaxSide;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect desktop = screen->virtualGeometry();
        side = std::max({side, desktop.width(), desktop.height()});
    }
    return side;
}

void TiComponent::SetWidth(int value) {
    resize(std::clamp(value, 0, MaxSide()), height());
}

void TiComponent::SetHeight(int value) {
    resize(width(), std::clamp(value, 0, MaxSide()));
}

void TiComponent::PaintTo(TCanvas& canvas) {
    TiPaintLock lock(*this);
    DoPaint(canvas);
}

void TiComponent::PaintBackground(TCanvas& canvas, TColor color) {
    backgroundDirty_ = false;
    const TRect client{0, 0, width(), height()};
    if (!backgroundPicture_.isNull() && backgroundPicture_.width() != 0) {
        canvas.StretchDraw(client, backgroundPicture_);
        return;
    }
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(color);
    canvas.FillRect(client);
    DrawBorder(canvas);
}

void TiComponent::DrawBorder(TCanvas& canvas) {
    const TRect client{0, 0, width(), height()};
    if (borderStyle_ == ibsRaised)
        DrawBevelBorder(canvas, client, 1);
    if (borderStyle_ == ibsLowered)
        DrawBevelBorder(canvas, client, 0);
}

void TiComponent::PaintErrorPicture(TCanvas& canvas, const std::string& message) {
    TRect client{0, 0, width(), height()};
    // The failed paint may have left a clip or a rotated font behind.
    canvas.ResetClip();
    canvas.Font().SetOrientation(0);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clBlack);
    canvas.FillRect(client);
    canvas.Font().SetColor(clWhite);
    DrawFormattedText(canvas, message, client, itfWordBreak);
}

void TiComponent::paintEvent(QPaintEvent*) {
    // Cleared first: a change made while painting needs a paint of its own.
    windowInvalidated_ = false;
    try {
        TiPaintLock lock(*this);
        // The window's backing store is already off the screen, so the frame
        // is drawn straight into it: no image of our own to fill and copy.
        TPainterCanvas canvas(*this);
        try {
            DoPaint(canvas);
        } catch (const std::exception& error) {
            PaintErrorPicture(canvas, error.what());
        }
        if (OnAfterPaint)
            OnAfterPaint(canvas);
    } catch (...) {
        // Nothing sensible can be drawn; the window keeps its old picture.
    }
}

void TiComponent::RunInput(const std::function<void()>& hook) {
    const QScopedValueRollback inside(inInput_, true);
    try {
        hook();
    } catch (...) {
        // A failed reaction to one click or key must not end the program.
    }
}

void TiComponent::mousePressEvent(QMouseEvent* event) {
    TMouseButton button;
    if (!MouseButtonFrom(event->button(), button))
        return;
    const TShiftState shift = ShiftStateFrom(event->modifiers(), event->buttons());
    const QPoint p = event->position().toPoint();
    if (button == mbLeft)
        leftPressed_ = true;
    RunInput([&] {
        DoMouseDown(button, shift, p.x(), p.y());
        if (OnMouseDown)
            OnMouseDown(button, shift, p.x(), p.y());
    });
}

void TiComponent::mouseDoubleClickEvent(QMouseEvent* event) {
    TMouseButton button;
    if (!MouseButtonFrom(event->button(), button))
        return;
    const TShiftState shift = ShiftStateFrom(event->modifiers(), event->buttons()) | ssDouble;
    const QPoint p = event->position().toPoint();
    // The second press of a double click is no click of its own.
    leftPressed_ = false;
    RunInput([&] {
        DoMouseDown(button, shift, p.x(), p.y());
        if (OnMouseDown)
            OnMouseDown(button, shift, p.x(), p.y());
        DoDblClick();
        if (OnDblClick)
            OnDblClick();
    });
}

void TiComponent::mouseReleaseEvent(QMouseEvent* event) {
    TMouseButton button;
    if (!MouseButtonFrom(event->button(), button))
        return;
    const TShiftState shift = ShiftStateFrom(event->modifiers(), event->buttons());
    const QPoint p = event->position().toPoint();
    const bool click = button == mbLeft && leftPressed_ && rect().contains(p);
    if (button == mbLeft)
        leftPressed_ = false;
    RunInput([&] {
        DoMouseUp(button, shift, p.x(), p.y());
        if (OnMouseUp)
            OnMouseUp(button, shift, p.x(), p.y());
        if (click && OnClick)
            OnClick();
    });
}

void TiComponent::mouseMoveEvent(QMouseEvent* event) {
    const TShiftState shift = ShiftStateFrom(event->modifiers(), event->buttons());
    const QPoint p = event->position().toPoint();
    RunInput([&] {
        DoMouseMove(shift, p.x(), p.y());
        if (OnMouseMove)
            OnMouseMove(shift, p.x(), p.y());
    });
}

void TiComponent::wheelEvent(QWheelEvent* event) {
    const TShiftState shift = ShiftStateFrom(event->modifiers(), event->buttons());
    const QPoint screen = event->globalPosition().toPoint();
    bool handled = false;
    RunInput([&] {
        handled = DoMouseWheel(event->angleDelta().y(), shift, {screen.x(), screen.y()});
    });
    event->setAccepted(handled);
}

void TiComponent::keyPressEvent(QKeyEvent* event) {
    const TShiftState shift = ShiftStateFrom(event->modifiers(), QGuiApplication::mouseButtons());
    int key = VirtualKeyFrom(*event);
    if (key != 0) {
        RunInput([&] {
            if (OnKeyDown)
                OnKeyDown(key, shift);
            DoKeyDown(key, shift);
        });
    }
    for (QChar c : event->text()) {
        char16_t ch = c.unicode();
        if (ch < ' ' && ch != '\r' && ch != '\b' && ch != 27)
            continue;
        RunInput([&] {
            if (OnKeyPress)
                OnKeyPress(ch);
            DoKeyPress(ch);
        });
    }
}

void TiComponent::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat())
        return;  // held keys repeat presses only
    const TShiftState shift = ShiftStateFrom(event->modifiers(), QGuiApplication::mouseButtons());
    int key = VirtualKeyFrom(*event);
    if (key == 0)
        return;
    RunInput([&] {
        if (OnKeyUp)
            OnKeyUp(key, shift);
        DoKeyUp(key, shift);
    });
}

bool TiComponent::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        int key = VirtualKeyFrom(*static_cast<QKeyEvent*>(event));
        bool wanted = false;
        WantSpecialKey(key, wanted);
        if (wanted) {
            event->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

void TiComponent::focusInEvent(QFocusEvent*) {
    GotFocus();
    if (OnEnter)
        OnEnter();
}

void TiComponent::focusOutEvent(QFocusEvent* event) {
    // A popup menu borrowing the focus is not the control losing it.
    if (event->reason() == Qt::PopupFocusReason)
        return;
    LostFocus();
    if (OnExit)
        OnExit();
}

void TiComponent::GotFocus() {
    focused_ = true;
    InvalidateWindow();
}

void TiComponent::LostFocus() {
    focused_ = false;
    // End a drag that was in progress.
    RunInput([&] { DoMouseUp(mbLeft, 0, 0, 0); });
    InvalidateWindow();
}

void TiComponent::resizeEvent(QResizeEvent*) {
    InvalidateBackground();
}

void TiComponent::AppendOwnProperties(TiStringList& lines) {
    TiStringList excluded = {"Name"};
    if (!optionSaveAllProperties_)
        excluded.insert(excluded.end(), kControlBasics.begin(), kControlBasics.end());
    PropertiesToText(*this, "", lines, &excluded);
}

void TiComponent::SaveProperties(const std::string& fileName) {
    try {
        TiStringList lines = {FileTypeLine(Published().ClassName())};
        AppendOwnProperties(lines);
        WriteTextLines(fileName, lines);
    } catch (const std::exception& error) {
        throw std::runtime_error(std::string("Error Saving Properties - ") + error.what());
    }
}

void TiComponent::LoadProperties(const std::string& fileName) {
    try {
        TiPropertyLines lines(ReadTextLines(fileName));
        // Updates resume even when a line is bad, or the control would never
        // repaint again.
        TiUpdateBatch batch(*this);
        PropertiesFromText(*this, "", lines);
    } catch (const std::exception& error) {
        throw std::runtime_error(std::string("Error Loading Properties - ") + error.what());
    }
}
