#pragma once
// TiComponent: the window control the plot stands on. It paints everything
// itself: each paint draws DoPaint into an off-screen image and copies it to
// the screen in one go (no flicker), and an error raised while drawing shows
// its message in white on black instead of the picture. Repaint requests go
// through a frame-rate throttle; Qt's mouse, wheel and key events arrive at
// the Do* hooks as (button, shift set, client point) and virtual-key codes.
// It also saves and loads its published properties as a property text file.

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "gdi/Canvas.h"
#include "plot/iInputEvents.h"
#include "plot/iPublished.h"
#include "plot/iRepaintThrottle.h"

enum TiBevelStyle { ibsNone, ibsRaised, ibsLowered };

// What a property setter does after storing a changed value.
enum TiChangeAction { icaInvalidateChange, icaInvalidateBackground, icaNothing };

// A hint a plot object fills when the pointer rests on it.
struct TiHintData {
    std::string Text;
    int Top = 0;
    int Left = 0;
};

class TiComponent : public QWidget, public TiPersistent {
  public:
    explicit TiComponent(QWidget* parent = nullptr);
    ~TiComponent() override;

    static const TiPublishedTable& PublishedTable();
    const TiPublishedTable& Published() const override { return PublishedTable(); }

    TColor BackGroundColor() const { return backGroundColor_; }
    virtual void SetBackGroundColor(TColor value);
    TiBevelStyle BorderStyle() const { return borderStyle_; }
    virtual void SetBorderStyle(TiBevelStyle value);
    int UpdateFrameRate() const { return throttle_.UpdateFrameRate(); }
    void SetUpdateFrameRate(int value) { throttle_.SetUpdateFrameRate(value); }
    bool AutoFrameRate() const { return throttle_.AutoFrameRate(); }
    void SetAutoFrameRate(bool value);
    bool OptionSaveAllProperties() const { return optionSaveAllProperties_; }
    void SetOptionSaveAllProperties(bool value) { optionSaveAllProperties_ = value; }
    // Stretched over the client area instead of the colour fill when set.
    const QImage& BackgroundPicture() const { return backgroundPicture_; }
    void SetBackgroundPicture(const QImage& value);

    // Control basics, published so that OptionSaveAllProperties can save them.
    int Left() const { return x(); }
    void SetLeft(int value) { move(value, y()); }
    int Top() const { return y(); }
    void SetTop(int value) { move(x(), value); }
    int Width() const { return width(); }
    // Sizes are clamped to 0 .. MaxSide(): a size a file names never makes a
    // larger off-screen image than the desktop could show.
    void SetWidth(int value);
    int Height() const { return height(); }
    void SetHeight(int value);
    // The larger side of the whole desktop, and at least 4096 pixels so that
    // an exported picture may still be larger than a small screen.
    static int MaxSide();
    bool Visible() const { return !isHidden(); }
    void SetVisible(bool value) { setVisible(value); }
    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool value) { setEnabled(value); }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value) { showHint_ = value; }
    // Whether Tab stops at the control on its way through the window.
    bool TabStop() const;
    void SetTabStop(bool value);

    // Repaint requests.
    void InvalidateChange() {
        ++changeNotices_;
        // Points arrive far faster than frames: once the window has been
        // asked to paint, that paint shows every later change too.
        if (windowInvalidated_ && !throttle_.Updating())
            return;
        // Likewise an update batch that already owes a paint for its end.
        if (throttle_.Updating() && throttle_.ChangePending())
            return;
        InvalidateUncoveredChange();
    }
    void InvalidateBackground();
    void RepaintNow();
    void RequestRepaint();
    virtual void BeginUpdate();
    virtual void EndUpdate();
    bool Updating() const { return throttle_.Updating(); }
    bool ChangePending() const { return throttle_.ChangePending(); }
    bool BackgroundPending() const { return throttle_.BackgroundPending(); }
    bool BackgroundDirty() const { return backgroundDirty_; }
    // How many change notices the control has had: a paint step that saw no
    // new one since an earlier step knows no property moved in between.
    unsigned long ChangeNotices() const { return changeNotices_; }

    // While true the plot raises none of its events.
    bool Loading() const { return loading_; }
    void SetLoading(bool value) { loading_ = value; }
    bool Focused() const { return focused_; }
    bool InInput() const { return inInput_; }

    virtual void Lock() = 0;
    virtual void Unlock() = 0;
    virtual bool TimerActive() const = 0;
    virtual void StartTimer(int firstMs, int repeatMs) = 0;
    virtual void StopTimer() = 0;

    // The property text file; failures are raised as "Error Saving
    // Properties - ..." / "Error Loading Properties - ...".
    virtual void SaveProperties(const std::string& fileName);
    virtual void LoadProperties(const std::string& fileName);
    // The component's own published properties as property lines, without
    // Name and, unless OptionSaveAllProperties, without the control basics.
    void AppendOwnProperties(std::vector<std::string>& lines);

    // Draws the component as it would appear, on any canvas (export, print).
    void PaintTo(TCanvas& canvas);

    std::function<void(TCanvas&)> OnAfterPaint;
    std::function<void()> OnClick;
    std::function<void()> OnDblClick;
    std::function<void(TMouseButton, TShiftState, int, int)> OnMouseDown;
    std::function<void(TShiftState, int, int)> OnMouseMove;
    std::function<void(TMouseButton, TShiftState, int, int)> OnMouseUp;
    std::function<void(int&, TShiftState)> OnKeyDown;
    std::function<void(char16_t&)> OnKeyPress;
    std::function<void(int&, TShiftState)> OnKeyUp;
    std::function<void()> OnEnter;
    std::function<void()> OnExit;

  protected:
    virtual void DoPaint(TCanvas& canvas) = 0;
    virtual void PaintBackground(TCanvas& canvas, TColor color);
    virtual void DrawBorder(TCanvas& canvas);

    virtual void GotFocus();
    virtual void LostFocus();
    virtual void WantSpecialKey(int& /*key*/, bool& /*wanted*/) {}
    virtual void DoKeyUp(int& /*key*/, TShiftState /*shift*/) {}
    virtual void DoKeyDown(int /*key*/, TShiftState /*shift*/) {}
    virtual void DoKeyPress(char16_t& /*key*/) {}
    virtual void DoMouseDown(TMouseButton, TShiftState, int /*x*/, int /*y*/) {}
    virtual void DoMouseUp(TMouseButton, TShiftState, int /*x*/, int /*y*/) {}
    virtual void DoMouseMove(TShiftState, int /*x*/, int /*y*/) {}
    virtual void DoDblClick() {}
    virtual bool DoMouseWheel(int /*delta*/, TShiftState, TPoint /*screenPoint*/) { return false; }

    // Store a changed value and ask for what the property needs.
    template <class T>
    void SetProperty(T& field, const T& value, TiChangeAction action) {
        if (field == value)
            return;
        field = value;
        if (action == icaInvalidateChange)
            InvalidateChange();
        if (action == icaInvalidateBackground)
            InvalidateBackground();
    }

    // Seams: the clock the throttle reads and the window invalidation.
    virtual TiRepaintThrottle::Clock::time_point Now() const;
    virtual void InvalidateWindow() { update(); }
    // When transparent the off-screen image starts see-through and the
    // background is not filled.
    virtual bool PaintsTransparent() const { return false; }

    // Qt's side.
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

    // Runs an input hook with in-input set; errors are swallowed, as a failed
    // reaction to one key or click must not take the window down.
    void RunInput(const std::function<void()>& hook);

  private:
    void InvalidateUncoveredChange();
    void Apply(TiRepaintThrottle::TDecision decision);
    void FlushDeferredRepaint();
    void PaintErrorPicture(TCanvas& canvas, const std::string& message);

    TiRepaintThrottle throttle_;
    QTimer flushTimer_;
    TColor backGroundColor_ = clBtnFace;
    TiBevelStyle borderStyle_ = ibsNone;
    bool optionSaveAllProperties_ = false;
    bool backgroundDirty_ = true;
    bool windowInvalidated_ = false;  // asked the window to paint; it has not yet
    unsigned long changeNotices_ = 0;
    bool loading_ = false;
    bool focused_ = false;
    bool inInput_ = false;
    bool showHint_ = false;
    bool leftPressed_ = false;
    QImage backgroundPicture_;
    QImage offscreen_;
};

// Holds a component's update batch for a scope, ended on every path.
class TiUpdateBatch {
  public:
    explicit TiUpdateBatch(TiComponent& component) : component_(component) {
        component_.BeginUpdate();
    }
    ~TiUpdateBatch() { component_.EndUpdate(); }
    TiUpdateBatch(const TiUpdateBatch&) = delete;
    TiUpdateBatch& operator=(const TiUpdateBatch&) = delete;

  private:
    TiComponent& component_;
};
