#pragma once
// Turns queued received lines into chart points at a steady pace.
//
// Each plotting mode owns a 10 ms timer that takes lines from the front of its
// queue, reads each as a number and hands it to the chart. Up to a hundred
// lines a second that is one line a tick; when more are waiting than the ticks
// clear in a second, a tick takes a share of the backlog big enough that the
// chart never falls more than about half a second behind the wire. Every line
// still becomes its own point, in order.

#include <QObject>
#include <QTimer>
#include <functional>
#include <optional>
#include <string_view>

class TPlotLineQueue;

class TPlotFeedMode : public QObject {
    Q_OBJECT
  public:
    using LineReader = std::function<std::optional<double>(std::string_view line)>;
    using PointSink = std::function<void(double y)>;

    static constexpr int kTickMs = 10;
    static constexpr size_t kTicksPerSecond = 1000 / kTickMs;

    // `timer` is the mode's 10 ms timer (the main window's Timer3 or Timer6).
    TPlotFeedMode(QTimer& timer, TPlotLineQueue& queue, LineReader reader, PointSink sink,
                  QObject* parent = nullptr);

    void Start();
    void Stop();
    bool Running() const { return timer_.isActive(); }

    // One timer tick: plots the lines due now, drops lines that read as no number.
    void Tick();

    // How many lines one tick takes from a backlog of `waiting` lines.
    static size_t LinesForTick(size_t waiting);

  private:
    TPlotLineQueue& queue_;
    LineReader reader_;
    PointSink sink_;
    QTimer& timer_;
};

// The two ways a line reads as a value.
std::optional<double> ReadHexPlotLine(std::string_view line);
std::optional<double> ReadDecimalPlotLine(std::string_view line);
