// Send-box editing benchmark: fills the send box with 50 MB of received
// 60-character lines, then types into it at its end, in its middle and at
// its start, and double-clicks a word there, repainting after each step as
// the event loop would.
//
// Prints keystroke_at_end_ms, keystroke_at_middle_ms, keystroke_at_start_ms
// (mean cost of typing one character and painting) and double_click_ms.

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include <cstdio>
#include <string>

#include "console/SendBox.h"

namespace {

constexpr size_t kTotalBytes = 50u << 20;
constexpr size_t kLineLength = 60;  // CR LF included
constexpr size_t kBlockBytes = 2048;
constexpr int kKeystrokes = 50;

void Fill(TSendBox& box) {
    std::string pending;
    for (size_t line = 0; line * kLineLength < kTotalBytes; ++line) {
        std::string text = "value " + std::to_string(line * 7919 % 1000003);
        text.resize(kLineLength - 2, '.');
        pending += text + "\r\n";
        if (pending.size() >= kBlockBytes) {
            box.AppendReceived(pending, true);
            pending.clear();
        }
    }
    box.AppendReceived(pending, true);
}

void Key(TSendBox& box, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(&box, &press);
}

void Mouse(TSendBox& box, QEvent::Type type, const QPoint& point) {
    QMouseEvent event(type, point, box.viewport()->mapToGlobal(point), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(box.viewport(), &event);
}

// Places the caret at the start of the row shown first.
void ClickFirstShownRow(TSendBox& box) {
    const QPoint point(1, box.fontMetrics().lineSpacing() / 2);
    Mouse(box, QEvent::MouseButtonPress, point);
    Mouse(box, QEvent::MouseButtonRelease, point);
}

double KeystrokeMs(TSendBox& box) {
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kKeystrokes; ++i) {
        Key(box, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::processEvents();
    }
    return static_cast<double>(timer.nsecsElapsed()) / 1e6 / kKeystrokes;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    TSendBox box;
    box.resize(836, 80);
    box.show();
    box.setFocus();
    Fill(box);
    QApplication::processEvents();

    Key(box, Qt::Key_End, Qt::ControlModifier);
    std::printf("keystroke_at_end_ms=%.3f\n", KeystrokeMs(box));

    box.verticalScrollBar()->setValue(box.verticalScrollBar()->maximum() / 2);
    ClickFirstShownRow(box);
    std::printf("keystroke_at_middle_ms=%.3f\n", KeystrokeMs(box));

    Key(box, Qt::Key_Home, Qt::ControlModifier);
    std::printf("keystroke_at_start_ms=%.3f\n", KeystrokeMs(box));

    QElapsedTimer timer;
    timer.start();
    const QPoint word(1, box.fontMetrics().lineSpacing() / 2);
    Mouse(box, QEvent::MouseButtonDblClick, word);
    Mouse(box, QEvent::MouseButtonRelease, word);
    QApplication::processEvents();
    std::printf("double_click_ms=%.3f\n", static_cast<double>(timer.nsecsElapsed()) / 1e6);
    return box.Text().startsWith(QStringLiteral("aaa")) ? 0 : 1;
}
