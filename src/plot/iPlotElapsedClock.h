#pragma once
// Seconds since a channel was created, from a monotonic clock: setting the
// wall clock or a change to or from summer time must not make a strip chart's
// X jump back or ahead. The source can be replaced so tests can step time.

#include <chrono>
#include <functional>

class TiPlotElapsedClock {
  public:
    using TimePoint = std::chrono::steady_clock::time_point;
    using Source = std::function<TimePoint()>;

    TiPlotElapsedClock() : Source_(&std::chrono::steady_clock::now), Start_(Source_()) {}

    // Uses Source from now on; the start moves so that the seconds counted so
    // far are kept.
    void SetSource(Source NewSource) {
        const auto elapsed = Source_() - Start_;
        Source_ = std::move(NewSource);
        Start_ = Source_() - elapsed;
    }

    double ElapsedSeconds() const { return SecondsAt(Source_()); }
    // The seconds counted at `At`, a time of the source's clock.
    double SecondsAt(TimePoint At) const {
        return std::chrono::duration<double>(At - Start_).count();
    }

  private:
    Source Source_;
    TimePoint Start_;
};
