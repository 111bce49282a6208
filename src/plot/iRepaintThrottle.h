#pragma once
// Decides when a requested repaint happens: at once, merged into a pending
// flag while updates are suspended, or - with AutoFrameRate - at most
// UpdateFrameRate times a second. A request turned away because it came too
// soon is answered with a delay after which the component paints whatever is
// still pending, so the last change of a burst always reaches the screen -
// at most two frames after it; until then the next request that comes after
// the frame paints it.
// Pure over the time it is given, so every edge can be tested.

#include <chrono>

class TiRepaintThrottle {
  public:
    using Clock = std::chrono::steady_clock;

    enum TAction { iraNone, iraPaintNow, iraPaintLater };
    struct TDecision {
        TAction Action = iraNone;
        Clock::duration Delay{};  // for iraPaintLater
    };

    explicit TiRepaintThrottle(Clock::time_point now) : lastRepaint_(now) {}

    int UpdateFrameRate() const { return updateFrameRate_; }
    void SetUpdateFrameRate(int value) { updateFrameRate_ = value; }
    bool AutoFrameRate() const { return autoFrameRate_; }
    void SetAutoFrameRate(bool value) { autoFrameRate_ = value; }

    // A content change (or, with background, a background change).
    TDecision Invalidate(Clock::time_point now, bool background);
    TDecision Request(Clock::time_point now);
    // The deferred paint is due: paint if something is still pending.
    TDecision Flush(Clock::time_point now);
    // A repaint was let through.
    void Repainted(Clock::time_point now);

    // A flag, not a counter: one EndUpdate ends any number of BeginUpdates.
    void BeginUpdate() { updating_ = true; }
    TDecision EndUpdate(Clock::time_point now);
    bool Updating() const { return updating_; }

    bool ChangePending() const { return changePending_; }
    bool BackgroundPending() const { return backgroundPending_; }

  private:
    bool Pending() const { return changePending_ || backgroundPending_; }

    int updateFrameRate_ = 60;
    bool autoFrameRate_ = false;
    bool updating_ = false;
    bool changePending_ = false;
    bool backgroundPending_ = false;
    Clock::time_point lastRepaint_;
};
