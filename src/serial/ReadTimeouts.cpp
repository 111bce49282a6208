#include "serial/ReadTimeouts.h"

#include <algorithm>
#include <climits>

int NextByteWaitMs(const TCommTimeouts& timeouts, std::size_t capacity, std::uint64_t elapsedMs) {
    const bool hasTotal =
        timeouts.ReadTotalTimeoutMultiplier != 0 || timeouts.ReadTotalTimeoutConstant != 0;
    const std::uint32_t interval = timeouts.ReadIntervalTimeout;
    if (interval == kReadReturnImmediately && !hasTotal) {
        return 0;
    }
    std::int64_t wait = -1;
    if (interval != 0 && interval != kReadReturnImmediately) {
        wait = interval;
    }
    if (hasTotal) {
        const std::uint64_t total = std::uint64_t{timeouts.ReadTotalTimeoutMultiplier} * capacity +
                                    timeouts.ReadTotalTimeoutConstant;
        const std::int64_t remaining =
            elapsedMs >= total ? 0 : static_cast<std::int64_t>(total - elapsedMs);
        wait = wait < 0 ? remaining : std::min(wait, remaining);
    }
    return static_cast<int>(std::min<std::int64_t>(wait, INT_MAX));
}
