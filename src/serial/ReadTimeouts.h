// How long a read that already holds bytes waits for the next one, from the
// read time-outs, how its block ends when none comes, and when a block that
// keeps growing is passed on. The first byte is always awaited without limit,
// so a read never completes empty.
#pragma once

#include <cstddef>
#include <cstdint>

#include "serial/CommTypes.h"

// ReadIntervalTimeout of all ones with no total time-out: return what is there.
constexpr std::uint32_t kReadReturnImmediately = 0xFFFFFFFF;

struct TNextByteWait {
    int Ms;            // -1 for no limit
    TBlockEnd EndsAs;  // how the block ends if no byte comes within Ms
};

// elapsedMs counts from the first byte of the read; capacity is the read's
// buffer size.
TNextByteWait NextByteWait(const TCommTimeouts& timeouts, std::size_t capacity,
                           std::uint64_t elapsedMs);

// Whether a block whose first byte came elapsedMs ago is passed on, cut, as
// soon as further bytes show up. A device that never pauses would otherwise
// wait for a full buffer (seconds of a slow stream); one interval from the
// first byte keeps it on screen within about that time. Cutting only when the
// next bytes are already there means a block is never cut just before the
// line goes quiet: that still ends it as a pause.
bool BlockOverdue(const TCommTimeouts& timeouts, std::uint64_t elapsedMs);
