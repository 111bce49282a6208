#include "serial/NotifyWindow.h"

#include <QCoreApplication>
#include <QEvent>
#include <chrono>
#include <optional>

namespace {

const QEvent::Type kWakeEventType = static_cast<QEvent::Type>(QEvent::registerEventType());

// A full block cut short means the reader is already reading the next: in a
// flood the owner is woken once for this many of them, or once the first of
// them has waited this long, not for each. The wait keeps a line that fills a
// block every few tens of milliseconds on screen block by block.
constexpr std::size_t kFloodBatchBlocks = 64;
constexpr std::chrono::milliseconds kFloodBatchWait{5};

// One wake hands over notifications for at most this long; the rest get a
// wake of their own behind the paints and timers that came meanwhile.
constexpr std::chrono::milliseconds kDeliveryBudget{8};

bool FloodBlock(const TNotification& notification) {
    return notification.Code == TNotifyCode::NOTIFY_DATA && notification.WParam == kReadBlockSize &&
           notification.BlockEnd == TBlockEnd::Cut;
}

}  // namespace

TNotifyWindow::TNotifyWindow(THandler handler) : handler_(std::move(handler)) {
    // What a profile or an event trace calls it.
    setObjectName("SerialNotifications");
}

bool TNotifyWindow::Post(TNotification notification) {
    const bool waitForMore = FloodBlock(notification);
    const auto now = waitForMore ? std::chrono::steady_clock::now() : TUnwokenSince{};
    bool wake = false;
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(std::move(notification));
        if (!wakePosted_) {
            unwokenSince_ = unwoken_ == 0 ? now : unwokenSince_;
            ++unwoken_;
            wake = !waitForMore || unwoken_ >= kFloodBatchBlocks ||
                   now - unwokenSince_ >= kFloodBatchWait;
        }
        MarkWake(wake);
    }
    if (wake) {
        PostWake();
    }
    return true;
}

void TNotifyWindow::Flush() {
    bool wake = false;
    {
        std::lock_guard lock(mutex_);
        wake = !wakePosted_ && !queue_.empty();
        MarkWake(wake);
    }
    if (wake) {
        PostWake();
    }
}

void TNotifyWindow::MarkWake(bool wake) {
    if (wake) {
        wakePosted_ = true;
        unwoken_ = 0;
    }
}

void TNotifyWindow::PostWake() {
    // postEvent is safe from any thread; a wake still queued when this
    // object goes is deleted with it, and the queue with its blocks.
    QCoreApplication::postEvent(this, new QEvent(kWakeEventType));
}

void TNotifyWindow::customEvent(QEvent* event) {
    if (event->type() != kWakeEventType) {
        return;
    }
    std::size_t due = 0;
    {
        std::lock_guard lock(mutex_);
        wakePosted_ = false;
        due = queue_.size();
    }
    // Only what had arrived by the wake: what comes meanwhile gets a wake of
    // its own, so painting and input get their turn on a line that never stops.
    // One at a time, since a handler may run a nested event loop that
    // delivers the following ones.
    const auto deadline = std::chrono::steady_clock::now() + kDeliveryBudget;
    for (bool first = true; due > 0; --due, first = false) {
        if (!first && std::chrono::steady_clock::now() >= deadline) {
            break;
        }
        std::optional<TNotification> next;
        {
            std::lock_guard lock(mutex_);
            if (queue_.empty()) {
                return;
            }
            next.emplace(std::move(queue_.front()));
            queue_.pop_front();
        }
        handler_(*next);
    }
    Flush();
}
