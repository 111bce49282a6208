#include "app/ExitAfterFirstPaint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

TExitAfterFirstPaint::TExitAfterFirstPaint(QWidget& window, std::function<void()> exit)
    : QObject(&window), window_(window), exit_(std::move(exit)) {
    // Watches the whole application: a window covered by its children never
    // gets a paint event of its own, only they do.
    QCoreApplication::instance()->installEventFilter(this);
}

bool TExitAfterFirstPaint::Requested() {
    return !qEnvironmentVariableIsEmpty("KELVANE_EXIT_AFTER_FIRST_PAINT");
}

bool TExitAfterFirstPaint::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == &window_) {
        QCoreApplication::instance()->removeEventFilter(this);
        // Queued, so the rest of this paint finishes and reaches the screen first.
        QTimer::singleShot(0, this, exit_);
    }
    return false;
}
