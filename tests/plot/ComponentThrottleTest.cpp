// The repaint throttle over fabricated time: what passes, what is merged, and
// that a turned-away request is always owed a paint within two frames.

#include <gtest/gtest.h>

#include "plot/iRepaintThrottle.h"

namespace {

using namespace std::chrono_literals;
using TClock = TiRepaintThrottle::Clock;

class Throttle : public ::testing::Test {
  protected:
    TClock::time_point t0 = TClock::time_point() + 1h;
    TiRepaintThrottle throttle{t0};

    void SetUp() override { throttle.SetAutoFrameRate(true); }
};

TEST_F(Throttle, SecondChangeInsideTheFrameWaitsForTheRestOfIt) {
    EXPECT_EQ(throttle.Invalidate(t0 + 100ms, false).Action, TiRepaintThrottle::iraPaintNow);
    throttle.Repainted(t0 + 100ms);
    const auto second = throttle.Invalidate(t0 + 105ms, false);
    EXPECT_EQ(second.Action, TiRepaintThrottle::iraPaintLater);
    EXPECT_TRUE(throttle.ChangePending());
    // 1/60 s after the last repaint is 16.67 ms; 5 ms of it are gone, and
    // the deferred paint waits one frame more for a request to pass.
    EXPECT_GT(second.Delay, 28ms);
    EXPECT_LT(second.Delay, 29ms);
    EXPECT_EQ(throttle.Flush(t0 + 110ms).Action, TiRepaintThrottle::iraPaintLater);
    EXPECT_EQ(throttle.Flush(t0 + 117ms).Action, TiRepaintThrottle::iraPaintNow);
}

TEST_F(Throttle, TurnedAwayPlainRequestIsStillOwedAPaint) {
    throttle.Repainted(t0);
    EXPECT_EQ(throttle.Request(t0 + 1ms).Action, TiRepaintThrottle::iraPaintLater);
    EXPECT_EQ(throttle.Flush(t0 + 20ms).Action, TiRepaintThrottle::iraPaintNow);
}

// A feed ticking every 10 ms against 60 frames a second: every other tick
// passes and paints, so the deferred paint's timer never comes due, and the
// last tick (an odd one, turned away) is still painted when it does.
TEST_F(Throttle, SteadyRequestsArePaintedByTheNextOneThatPasses) {
    throttle.Repainted(t0);
    TClock::time_point timerDue{};
    int paints = 0, timerPaints = 0;
    for (int tick = 1; tick <= 101; ++tick) {
        const TClock::time_point now = t0 + tick * 10ms;
        if (timerDue != TClock::time_point() && timerDue <= now) {
            ++timerPaints;
            timerDue = {};
        }
        const auto decision = throttle.Invalidate(now, false);
        if (decision.Action == TiRepaintThrottle::iraPaintNow) {
            ++paints;
            throttle.Repainted(now);
            timerDue = {};
        } else if (decision.Action == TiRepaintThrottle::iraPaintLater &&
                   timerDue == TClock::time_point()) {
            timerDue = now + decision.Delay;
        }
    }
    EXPECT_EQ(paints, 50);
    EXPECT_EQ(timerPaints, 0);
    ASSERT_NE(timerDue, TClock::time_point()) << "the last tick is owed a paint";
    EXPECT_LE(timerDue, t0 + 1010ms + 2 * 16700us);
    EXPECT_EQ(throttle.Flush(timerDue).Action, TiRepaintThrottle::iraPaintNow);
}

TEST_F(Throttle, FlushWithNothingPendingDoesNothing) {
    throttle.Repainted(t0);
    EXPECT_EQ(throttle.Flush(t0 + 50ms).Action, TiRepaintThrottle::iraNone);
}

TEST_F(Throttle, FrameRateZeroOrAutoOffLetsEveryRequestThrough) {
    throttle.Repainted(t0);
    throttle.SetUpdateFrameRate(0);
    EXPECT_EQ(throttle.Invalidate(t0 + 1ms, false).Action, TiRepaintThrottle::iraPaintNow);
    throttle.SetUpdateFrameRate(60);
    throttle.SetAutoFrameRate(false);
    EXPECT_EQ(throttle.Invalidate(t0 + 2ms, true).Action, TiRepaintThrottle::iraPaintNow);
}

TEST_F(Throttle, UpdatesMergeEverythingIntoOneRepaintAtTheEnd) {
    throttle.BeginUpdate();
    throttle.BeginUpdate();
    EXPECT_EQ(throttle.Invalidate(t0 + 1s, false).Action, TiRepaintThrottle::iraNone);
    EXPECT_EQ(throttle.Invalidate(t0 + 2s, true).Action, TiRepaintThrottle::iraNone);
    EXPECT_TRUE(throttle.ChangePending());
    EXPECT_TRUE(throttle.BackgroundPending());
    EXPECT_EQ(throttle.Flush(t0 + 3s).Action, TiRepaintThrottle::iraNone) << "still updating";
    // One EndUpdate ends both BeginUpdates.
    EXPECT_EQ(throttle.EndUpdate(t0 + 4s).Action, TiRepaintThrottle::iraPaintNow);
    EXPECT_FALSE(throttle.Updating());
    throttle.Repainted(t0 + 4s);
    EXPECT_EQ(throttle.EndUpdate(t0 + 5s).Action, TiRepaintThrottle::iraNone) << "nothing asked";
}

TEST_F(Throttle, UpdatesHoldRequestsEvenWithoutAutoFrameRate) {
    throttle.SetAutoFrameRate(false);
    throttle.BeginUpdate();
    EXPECT_EQ(throttle.Invalidate(t0 + 1s, false).Action, TiRepaintThrottle::iraNone);
    EXPECT_EQ(throttle.EndUpdate(t0 + 1s).Action, TiRepaintThrottle::iraPaintNow);
}

}  // namespace
