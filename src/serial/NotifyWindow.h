// Delivers notifications posted by the port threads on the thread that created
// this object, in posting order, through Qt's posted-event queue.
#pragma once

#include <QObject>
#include <functional>

#include "serial/Notification.h"

class TNotifyWindow : public QObject, public TNotifySink {
  public:
    using THandler = std::function<void(TNotification&)>;

    explicit TNotifyWindow(THandler handler);

    bool Post(TNotification notification) override;

  protected:
    void customEvent(QEvent* event) override;

  private:
    THandler handler_;
};
