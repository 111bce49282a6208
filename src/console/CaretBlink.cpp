#include "console/CaretBlink.h"

#include <QApplication>
#include <QWidget>

TCaretBlink::TCaretBlink(QWidget* focusOwner, std::function<void()> repaint)
    : focusOwner_(focusOwner), repaint_(std::move(repaint)) {
    connect(&timer_, &QTimer::timeout, this, &TCaretBlink::Blink);
}

void TCaretBlink::Restart() {
    if (!focusOwner_->hasFocus()) {
        return;
    }
    // A flash time of zero asks for a caret that does not blink.
    const int halfPeriod = QApplication::cursorFlashTime() / 2;
    if (halfPeriod > 0) {
        timer_.start(halfPeriod);
    } else {
        timer_.stop();
    }
    Show(true);
}

void TCaretBlink::Blink() {
    if (focusOwner_->hasFocus()) {
        Show(!shown_);
    }
}

void TCaretBlink::Stop() {
    timer_.stop();
    Show(false);
}

void TCaretBlink::Show(bool shown) {
    if (shown != shown_) {
        shown_ = shown;
        repaint_();
    }
}
