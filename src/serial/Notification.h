// What the reader and writer threads tell the component, and the channel that
// carries it to the component's thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "serial/ArrivalMarks.h"
#include "serial/CommTypes.h"
#include "serial/ReadBudget.h"

enum class TNotifyCode : std::uint32_t {
    NOTIFY_DATA = 1025,
    NOTIFY_LINE_ERROR = 1026,
    NOTIFY_HANGUP = 1027,
    NOTIFY_MODEM = 1028,
    NOTIFY_SEND_IDLE = 1029,
};

// One notification. For NOTIFY_DATA, WParam is the byte count, Block holds
// the bytes followed by one 0 byte, BlockEnd says how the block ended and
// Arrival when its bytes came out of the driver; the block travels with the notification and is
// freed with it, delivered or not. Session names the open port it came from, so that nothing posted
// by a port since closed reaches the handlers of the next one.
struct TNotification {
    explicit TNotification(TNotifyCode code, std::uint32_t lParam = 0)
        : Code(code), LParam(lParam) {}
    TNotification(std::unique_ptr<std::uint8_t[]> block, std::uint32_t count, TBlockEnd end)
        : Code(TNotifyCode::NOTIFY_DATA), WParam(count), Block(std::move(block)), BlockEnd(end) {}

    TNotifyCode Code;
    std::uint32_t WParam = 0;
    std::uint32_t LParam = 0;
    std::unique_ptr<std::uint8_t[]> Block;
    TBlockEnd BlockEnd = TBlockEnd::Pause;
    TArrivalMarks Arrival;
    std::uint64_t Session = 0;
};

// An ordered, asynchronous channel to the component's thread. Post may be
// called from any thread and returns false when the notification cannot be
// queued.
class TNotifySink {
  public:
    virtual ~TNotifySink() = default;
    virtual bool Post(TNotification notification) = 0;
    // Wakes the owner for whatever waits; a sink that hands notifications
    // over as they come has nothing to do.
    virtual void Flush() {}
};

// The two threads of one open port post through this: it stamps each
// notification with the port's session and charges received blocks to the
// read budget, when there is one. A vanished device is usually noticed by
// both threads; the owner hears about it once.
class TThreadNotifier {
  public:
    explicit TThreadNotifier(TNotifySink& sink, std::uint64_t session = 0,
                             TReadBudget* budget = nullptr)
        : sink_(sink), session_(session), budget_(budget) {}

    bool Post(TNotification notification) {
        notification.Session = session_;
        const std::size_t cost =
            notification.Block && budget_ ? QueuedBlockCost(notification.WParam) : 0;
        if (cost > 0) {
            budget_->Charge(cost);
        }
        if (sink_.Post(std::move(notification))) {
            return true;
        }
        if (cost > 0) {
            budget_->Credit(cost);
        }
        return false;
    }
    void PostHangupRequest() {
        if (!hangupPosted_.exchange(true)) {
            Post(TNotification(TNotifyCode::NOTIFY_HANGUP));
        }
    }
    // Blocks while the owner has a full budget's worth of blocks to take;
    // false when the port is closing. Blocks the sink holds back for a
    // batch are sent on first, or the owner would never take them.
    bool WaitForRoom() {
        if (budget_ == nullptr) {
            return true;
        }
        if (budget_->Undelivered() + QueuedBlockCost(kReadBlockSize) > budget_->Limit()) {
            sink_.Flush();
        }
        return budget_->WaitForRoom();
    }

  private:
    TNotifySink& sink_;
    const std::uint64_t session_;
    TReadBudget* const budget_;
    std::atomic<bool> hangupPosted_ = false;
};
