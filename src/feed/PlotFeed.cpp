#include "feed/PlotFeed.h"

#include "console/PlotLineQueue.h"
#include "feed/LineParsers.h"
#include "platform/StrConv.h"

TPlotFeedMode::TPlotFeedMode(QTimer& timer, TPlotLineQueue& queue, LineSink sink, QObject* parent)
    : QObject(parent), queue_(queue), sink_(std::move(sink)), timer_(timer) {
    timer_.setInterval(kTickMs);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &TPlotFeedMode::Tick);
    queue_.SetFirstLineHandler([this] { LineArrived(); });
}

void TPlotFeedMode::Start() {
    on_ = true;
    if (queue_.HasLine()) {
        timer_.start();
    }
}

void TPlotFeedMode::Stop() {
    on_ = false;
    timer_.stop();
}

void TPlotFeedMode::LineArrived() {
    if (on_ && !timer_.isActive()) {
        timer_.start();
    }
}

size_t TPlotFeedMode::LinesForTick(size_t waiting) {
    if (waiting <= kTicksPerSecond)
        return 1;
    // Clear the backlog within half a second of ticks: at a steady inflow the
    // backlog then settles at half a second's worth of lines.
    constexpr size_t kCatchUpTicks = kTicksPerSecond / 2;
    return (waiting + kCatchUpTicks - 1) / kCatchUpTicks;
}

void TPlotFeedMode::Tick() {
    if (scope_)
        scope_([this] { HandOverDueLines(); });
    else
        HandOverDueLines();
    if (!queue_.HasLine()) {
        timer_.stop();  // the next line to arrive starts it again
    }
}

void TPlotFeedMode::HandOverDueLines() {
    const size_t due = LinesForTick(queue_.LineCount());
    const auto deadline = std::chrono::steady_clock::now() + kTickBudget;
    for (size_t i = 0; i < due && queue_.HasLine(); ++i) {
        if (i > 0 && std::chrono::steady_clock::now() >= deadline) {
            break;
        }
        try {
            sink_(*queue_.FirstLine(), queue_.FirstLineArrival());
        } catch (const std::exception&) {
            // A point the chart refuses costs only its own line.
        }
        queue_.RemoveFirstLine();
    }
}

std::optional<double> ReadHexPlotLine(std::string_view line) {
    const std::string_view digits = Trim(line, TBlanks::SpacesAndControls);
    if (digits.empty())
        return std::nullopt;
    return HexParse(digits);
}

std::optional<double> ReadDecimalPlotLine(std::string_view line) {
    if (line.empty())
        return std::nullopt;
    const std::optional<int32_t> value = ReadDecimalLine(line);
    if (!value)
        return std::nullopt;
    return *value;
}
