#include "serial/ReadTimeouts.h"

#include <algorithm>
#include <climits>

namespace {

bool HasInterval(const TCommTimeouts& timeouts) {
    return timeouts.ReadIntervalTimeout != 0 &&
           timeouts.ReadIntervalTimeout != kReadReturnImmediately;
}

}  // namespace

bool BlockOverdue(const TCommTimeouts& timeouts, std::uint64_t elapsedMs) {
    return HasInterval(timeouts) && elapsedMs >= timeouts.ReadIntervalTimeout;
}

TNextByteWait NextByteWait(const TCommTimeouts& timeouts, std::size_t capacity,
                           std::uint64_t elapsedMs) {
    const bool hasTotal =
        timeouts.ReadTotalTimeoutMultiplier != 0 || timeouts.ReadTotalTimeoutConstant != 0;
    if (timeouts.ReadIntervalTimeout == kReadReturnImmediately && !hasTotal) {
        return {0, TBlockEnd::Pause};
    }
    std::int64_t wait = HasInterval(timeouts) ? std::int64_t{timeouts.ReadIntervalTimeout} : -1;
    TBlockEnd endsAs = TBlockEnd::Pause;
    if (hasTotal) {
        // The total limit ends a read whether or not the line went quiet.
        const std::uint64_t total = std::uint64_t{timeouts.ReadTotalTimeoutMultiplier} * capacity +
                                    timeouts.ReadTotalTimeoutConstant;
        const std::int64_t remaining =
            elapsedMs >= total ? 0 : static_cast<std::int64_t>(total - elapsedMs);
        if (wait < 0 || remaining < wait) {
            wait = remaining;
            endsAs = TBlockEnd::Cut;
        }
    }
    return {static_cast<int>(std::min<std::int64_t>(wait, INT_MAX)), endsAs};
}
