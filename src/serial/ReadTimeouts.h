// How long a read that already holds bytes waits for the next one, from the
// read time-outs. The first byte is always awaited without limit, so a read
// never completes empty.
#pragma once

#include <cstddef>
#include <cstdint>

#include "serial/CommTypes.h"

// ReadIntervalTimeout of all ones with no total time-out: return what is there.
constexpr std::uint32_t kReadReturnImmediately = 0xFFFFFFFF;

// Milliseconds to wait for the next byte, -1 for no limit. elapsedMs counts
// from the first byte of the read; capacity is the read's buffer size.
int NextByteWaitMs(const TCommTimeouts& timeouts, std::size_t capacity, std::uint64_t elapsedMs);
