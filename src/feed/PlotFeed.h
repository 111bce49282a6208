#pragma once
// Turns queued received lines into chart points at a steady pace.
//
// Each plotting mode owns a 10 ms timer that takes lines from the front of its
// queue, reads each as a number and hands it to the chart. Up to a hundred
// lines a second that is one line a tick; when more are waiting than the ticks
// clear in a second, a tick takes a share of the backlog big enough that the
// chart never falls more than about half a second behind the wire. Every line
// still becomes its own point, in order. What a line becomes is the sink's
// business; the mode hands it over with the time the line arrived.
//
// However far behind it is, a tick hands over lines for at most
// kTickBudget, so the window never waits long for the feed; what is left
// waits, in order, for the next tick.
//
// A mode that is on keeps its timer running only while lines wait: the
// first line into an empty queue starts it, and the tick that empties the
// queue stops it, so an idle port costs no wake-ups.

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>
#include <optional>
#include <string_view>

#include "serial/ArrivalMarks.h"

class TPlotLineQueue;

class TPlotFeedMode : public QObject {
    Q_OBJECT
  public:
    // Plots one line, or nothing for a line that reads as no number; may
    // throw for a point the chart refuses.
    using LineSink = std::function<void(std::string_view line, TArrivalTime arrival)>;

    static constexpr int kTickMs = 10;
    static constexpr size_t kTicksPerSecond = 1000 / kTickMs;
    static constexpr std::chrono::milliseconds kTickBudget{8};

    // Runs one tick's hand-overs. The chart's feed runs them as one update
    // batch, so that a tick asks the chart for one repaint, after its last
    // point: at a steady inflow the chart then paints on the feed's ticks
    // and needs no deferred paint of its own.
    using TickScope = std::function<void(const std::function<void()>& handOver)>;

    // `timer` is the mode's 10 ms timer (the main window's Timer3 or Timer6).
    TPlotFeedMode(QTimer& timer, TPlotLineQueue& queue, LineSink sink, QObject* parent = nullptr);

    void SetTickScope(TickScope scope) { scope_ = std::move(scope); }

    void Start();
    void Stop();
    // Whether the mode is on, lines waiting or not.
    bool Running() const { return on_; }

    // One timer tick: hands the lines due now to the sink.
    void Tick();

    // How many lines one tick takes from a backlog of `waiting` lines.
    static size_t LinesForTick(size_t waiting);

  private:
    void LineArrived();
    void HandOverDueLines();

    TPlotLineQueue& queue_;
    LineSink sink_;
    TickScope scope_;
    QTimer& timer_;
    bool on_ = false;
};

// The two ways a line reads as a value.
std::optional<double> ReadHexPlotLine(std::string_view line);
std::optional<double> ReadDecimalPlotLine(std::string_view line);
