// The writer thread's request queue: blocks handed over by SendBlock, taken
// in order by the writer. Stop wakes a waiting writer for good; Shut refuses
// further requests once the writer has ended.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>

struct TWriteRequest {
    std::unique_ptr<std::uint8_t[]> Block;
    std::uint16_t Length = 0;
};

class TWriteQueue {
  public:
    // False when the writer has ended; the request is dropped with its block.
    bool Post(TWriteRequest request);
    std::optional<TWriteRequest> TryTake();
    // Blocks until a request is queued or Stop is called; false after Stop.
    bool WaitForRequest();
    void Stop();
    void Shut();

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<TWriteRequest> requests_;
    bool stopped_ = false;
    bool shut_ = false;
};
