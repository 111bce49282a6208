// How many received bytes may wait for the owner at once. The reader asks for
// room before each read and charges every block it posts; the owner credits
// the block once its handler has returned. A reader that finds no room waits,
// so a slow owner holds the data back in the driver instead of in memory.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <mutex>

// What one queued block costs: its bytes, the terminating 0 and its
// bookkeeping, so that a stream of tiny blocks is bounded as well.
constexpr std::size_t kQueuedBlockOverheadBytes = 64;
constexpr std::size_t QueuedBlockCost(std::size_t count) {
    return count + 1 + kQueuedBlockOverheadBytes;
}

class TReadBudget {
  public:
    explicit TReadBudget(std::size_t limitBytes) : limit_(limitBytes) {}

    // Reader: waits until a full block fits (or nothing waits at all, so a
    // limit below one block still lets data through). False once
    // interrupted: the port is closing.
    bool WaitForRoom();
    void Charge(std::size_t bytes);

    // Owner: a block was delivered or dropped.
    void Credit(std::size_t bytes);
    // Wakes a waiting reader for good, until Rearm for the next open.
    void Interrupt();
    void Rearm();

    std::size_t Undelivered() const;
    std::size_t Limit() const { return limit_; }

  private:
    const std::size_t limit_;
    mutable std::mutex mutex_;
    std::condition_variable room_;
    std::size_t undelivered_ = 0;
    bool interrupted_ = false;
};
