// Delivers notifications posted by the port threads on the thread that created
// this object, in posting order. They wait in a queue of their own; the owner's
// event loop is woken once for whatever has piled up, not once per block, and
// during a flood (full blocks, each with the next already being read) only
// once per batch of them or a few milliseconds, so a busy line costs the
// owner's thread few wake-ups and a fast one is not held back.
// A wake that has handed over notifications for a few milliseconds leaves the
// rest, in order, to a wake of its own, so a backlog never holds up the
// owner's paints and timers.
#pragma once

#include <QObject>
#include <chrono>
#include <deque>
#include <functional>
#include <mutex>

#include "serial/Notification.h"

class TNotifyWindow : public QObject, public TNotifySink {
  public:
    using THandler = std::function<void(TNotification&)>;

    explicit TNotifyWindow(THandler handler);

    bool Post(TNotification notification) override;
    // Wakes the owner for whatever still waits: once the threads have ended,
    // so that the last blocks of a flood are not left waiting, and when the
    // reader is about to wait for the owner to take them.
    void Flush() override;

  protected:
    void customEvent(QEvent* event) override;

  private:
    using TUnwokenSince = std::chrono::steady_clock::time_point;

    // Called under the mutex: a wake is to be posted, which covers all that waits.
    void MarkWake(bool wake);
    void PostWake();

    THandler handler_;
    std::mutex mutex_;
    std::deque<TNotification> queue_;
    bool wakePosted_ = false;
    // Posted since the last wake, and since when.
    std::size_t unwoken_ = 0;
    TUnwokenSince unwokenSince_;
};
