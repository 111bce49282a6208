// Delivers notifications posted by the port threads on the thread that created
// this object, in posting order. They wait in a queue of their own; the owner's
// event loop is woken once for whatever has piled up, not once per block, and
// during a flood (full blocks, each with the next already being read) only
// once per batch of them, so a busy line costs the owner's thread few wake-ups.
// A wake that has handed over notifications for a few milliseconds leaves the
// rest, in order, to a wake of its own, so a backlog never holds up the
// owner's paints and timers.
#pragma once

#include <QObject>
#include <deque>
#include <functional>
#include <mutex>

#include "serial/Notification.h"

class TNotifyWindow : public QObject, public TNotifySink {
  public:
    using THandler = std::function<void(TNotification&)>;

    explicit TNotifyWindow(THandler handler);

    bool Post(TNotification notification) override;
    // Wakes the owner for whatever still waits; called once the threads have
    // ended, so that the last blocks of a flood are not left waiting.
    void Flush();

  protected:
    void customEvent(QEvent* event) override;

  private:
    void PostWake();

    THandler handler_;
    std::mutex mutex_;
    std::deque<TNotification> queue_;
    bool wakePosted_ = false;
};
