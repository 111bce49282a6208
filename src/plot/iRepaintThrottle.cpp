#include "plot/iRepaintThrottle.h"

TiRepaintThrottle::TDecision TiRepaintThrottle::Invalidate(Clock::time_point now, bool background) {
    if (updating_ || autoFrameRate_)
        (background ? backgroundPending_ : changePending_) = true;
    if (updating_)
        return {};
    if (autoFrameRate_)
        return Request(now);
    return {iraPaintNow};
}

TiRepaintThrottle::TDecision TiRepaintThrottle::Request(Clock::time_point now) {
    if (autoFrameRate_ && updateFrameRate_ > 0) {
        const auto period = std::chrono::duration_cast<Clock::duration>(
            std::chrono::duration<double>(1.0 / updateFrameRate_));
        const Clock::time_point due = lastRepaint_ + period;
        if (now <= due) {
            // A request turned away is still owed a paint. The deferred
            // paint waits one frame past the end of this one: a steady
            // stream of requests (a feed ticking every 10 ms) is painted by
            // its next request that passes, so the timer only fires after
            // the last change of a burst.
            if (!Pending())
                changePending_ = true;
            return {iraPaintLater, due - now + period + Clock::duration(1)};
        }
    }
    return {iraPaintNow};
}

TiRepaintThrottle::TDecision TiRepaintThrottle::Flush(Clock::time_point now) {
    if (updating_ || !Pending())
        return {};
    return Request(now);
}

void TiRepaintThrottle::Repainted(Clock::time_point now) {
    changePending_ = false;
    backgroundPending_ = false;
    lastRepaint_ = now;
}

TiRepaintThrottle::TDecision TiRepaintThrottle::EndUpdate(Clock::time_point now) {
    updating_ = false;
    if (!Pending())
        return {};
    return Request(now);
}
