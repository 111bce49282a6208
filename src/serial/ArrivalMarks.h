// When the bytes of a received block came out of the driver. A block gathers
// several reads (a device printing a line every 20 ms fills one 100 ms block
// with five of them), so it carries one mark per read: the offset its bytes
// end at and the time the read returned. Taken on the reader thread, on a
// monotonic clock, the moment the bytes arrive; whoever shows or plots them
// later still knows when they came.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <vector>

using TArrivalClock = std::chrono::steady_clock;
using TArrivalTime = TArrivalClock::time_point;

struct TArrivalMark {
    std::size_t End;  // bytes before this offset, back to the previous mark, came with it
    TArrivalTime At;
};

class TArrivalMarks {
  public:
    // Reads closer together than this share one mark (taking the later
    // time): a slow line read a byte at a time keeps a mark per millisecond,
    // not per byte.
    static constexpr auto kResolution = std::chrono::milliseconds(1);

    // The bytes up to `end` came with a read that returned at `at`; marks
    // come in order of offset and time.
    void Add(std::size_t end, TArrivalTime at) {
        if (!marks_.empty() && at - marks_.back().At < kResolution) {
            marks_.back() = {end, at};
            return;
        }
        marks_.push_back({end, at});
    }
    void Clear() { marks_.clear(); }
    bool Empty() const { return marks_.empty(); }
    const std::vector<TArrivalMark>& Marks() const { return marks_; }

    // When the byte at `offset` arrived: the time of the first mark ending
    // after it, or of the last mark for offsets beyond them all. A block
    // without marks arrived now.
    TArrivalTime TimeOf(std::size_t offset) const {
        if (marks_.empty()) {
            return TArrivalClock::now();
        }
        const auto after = std::upper_bound(
            marks_.begin(), marks_.end(), offset,
            [](std::size_t at, const TArrivalMark& mark) { return at < mark.End; });
        return after == marks_.end() ? marks_.back().At : after->At;
    }

  private:
    std::vector<TArrivalMark> marks_;
};
