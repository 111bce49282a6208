#include "serial/NotifyWindow.h"

#include <QCoreApplication>
#include <QEvent>

namespace {

const QEvent::Type kNotificationEventType = static_cast<QEvent::Type>(QEvent::registerEventType());

class TNotificationEvent : public QEvent {
  public:
    explicit TNotificationEvent(TNotification notification)
        : QEvent(kNotificationEventType), notification_(std::move(notification)) {}
    TNotification& Notification() { return notification_; }

  private:
    TNotification notification_;
};

}  // namespace

TNotifyWindow::TNotifyWindow(THandler handler) : handler_(std::move(handler)) {}

bool TNotifyWindow::Post(TNotification notification) {
    // postEvent takes ownership and is safe from any thread; an event still
    // queued when this object goes is deleted with its block.
    QCoreApplication::postEvent(this, new TNotificationEvent(std::move(notification)));
    return true;
}

void TNotifyWindow::customEvent(QEvent* event) {
    if (event->type() == kNotificationEventType) {
        handler_(static_cast<TNotificationEvent*>(event)->Notification());
    }
}
