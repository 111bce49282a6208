#include "PlotUiTestSupport.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>

#include "gdi/PainterCanvas.h"
#include "plot/iPlotDataCursor.h"
#include "plot/iPlotDataView.h"
#include "plot/iPlotLegend.h"
#include "plot/iPlotToolBar.h"

namespace {

void SendMouse(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    QMouseEvent event(type, at, widget.mapToGlobal(at), button, buttons, modifiers);
    QApplication::sendEvent(&widget, &event);
}

}  // namespace

QPoint CenterOf(const TRect& rect) {
    return {(rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2};
}

UiTestPlot::UiTestPlot(int width, int height) : plot_(std::make_unique<TiPlot>()) {
    plot_->resize(width, height);
    plot_->show();
    Paint();
}

UiTestPlot::~UiTestPlot() = default;

TiPlotToolBar& UiTestPlot::ToolBar() {
    return *plot_->ToolBar(0);
}
TiPlotDataView& UiTestPlot::DataView() {
    return *plot_->DataView(0);
}
TiPlotLegend& UiTestPlot::Legend() {
    return *plot_->Legend(0);
}
TiPlotDataCursor& UiTestPlot::Cursor() {
    return *plot_->DataCursor(0);
}

void UiTestPlot::Paint() {
    // Through the plot's own paint routine: an offscreen window may never be
    // exposed, so repaint() alone would not lay the plot out.
    QImage image(plot_->size(), QImage::Format_RGB32);
    TPainterCanvas canvas(image);
    plot_->PaintTo(canvas);
}

void UiTestPlot::Press(QPoint at, Qt::KeyboardModifiers modifiers) {
    last_ = at;
    SendMouse(*plot_, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton, modifiers);
    SendMouse(*plot_, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton, modifiers);
}

void UiTestPlot::MoveTo(QPoint to, Qt::KeyboardModifiers modifiers) {
    last_ = to;
    SendMouse(*plot_, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton, modifiers);
}

void UiTestPlot::Release(QPoint at, Qt::KeyboardModifiers modifiers) {
    last_ = at;
    SendMouse(*plot_, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton, modifiers);
    Paint();
}

void UiTestPlot::Click(QPoint at, Qt::KeyboardModifiers modifiers) {
    Press(at, modifiers);
    Release(at, modifiers);
}

void UiTestPlot::RightClick(QPoint at) {
    last_ = at;
    SendMouse(*plot_, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    SendMouse(*plot_, QEvent::MouseButtonPress, at, Qt::RightButton, Qt::RightButton,
              Qt::NoModifier);
    SendMouse(*plot_, QEvent::MouseButtonRelease, at, Qt::RightButton, Qt::NoButton,
              Qt::NoModifier);
}

void UiTestPlot::Drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers) {
    Press(from, modifiers);
    constexpr int Steps = 4;
    for (int i = 1; i <= Steps; ++i) {
        MoveTo(from + (to - from) * i / Steps, modifiers);
    }
    Release(to, modifiers);
}

void UiTestPlot::Key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(plot_.get(), key, modifiers);
    Paint();
}

void UiTestPlot::Wheel(QPoint at, int delta, Qt::KeyboardModifiers modifiers) {
    QWheelEvent event(at, plot_->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(plot_.get(), &event);
    Paint();
}

void UiTestPlot::ClickButton(int buttonType) {
    Paint();
    const auto type = static_cast<TiPlotToolBarButtonType>(buttonType);
    Click(CenterOf(ToolBar().Button(type).ButtonRect()));
}
