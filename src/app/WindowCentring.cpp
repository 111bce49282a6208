#include "app/WindowCentring.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void CentreOnScreen(QWidget& window) {
    const QScreen* screen =
        window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

void TCentreOnShow::Watch(QWidget* window) {
    window->installEventFilter(this);
}

bool TCentreOnShow::eventFilter(QObject* watched, QEvent* event) {
    // Only shows the program asks for; a restore from the task bar keeps its place.
    if (event->type() == QEvent::Show && !event->spontaneous()) {
        CentreOnScreen(*static_cast<QWidget*>(watched));
    }
    return false;
}
