// The writer thread's request queue: blocks handed over by SendBlock, taken
// in order by the writer. It counts the bytes accepted and not yet written,
// which bounds it and tells, once the writer has ended, how much never went
// out. Stop wakes a waiting writer for good; Shut refuses further requests
// once the writer has ended.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>

#include "serial/CommTypes.h"

struct TWriteRequest {
    std::unique_ptr<std::uint8_t[]> Block;
    std::uint16_t Length = 0;
};

enum class TPostResult { Queued, Shut, Full };

class TWriteQueue {
  public:
    explicit TWriteQueue(std::size_t limitBytes = kWriteQueueLimitBytes) : limit_(limitBytes) {}

    // Shut: the writer has ended. Full: the block would take the unwritten
    // bytes past the limit (a block always fits into an empty queue). A
    // refused request is dropped with its block.
    TPostResult Post(TWriteRequest request);
    std::optional<TWriteRequest> TryTake();
    // Blocks until a request is queued or Stop is called; false after Stop.
    bool WaitForRequest();
    void Stop();
    void Shut();

    // Writer: this many bytes of the block taken last went out.
    void MarkWritten(std::size_t bytes);
    // Accepted and not yet written: queued blocks and the unwritten rest of
    // the one being written.
    std::size_t PendingBytes() const;

  private:
    const std::size_t limit_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<TWriteRequest> requests_;
    std::size_t pendingBytes_ = 0;
    bool stopped_ = false;
    bool shut_ = false;
};
