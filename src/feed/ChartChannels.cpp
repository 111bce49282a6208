#include "feed/ChartChannels.h"

#include <algorithm>
#include <limits>

#include "console/KelvaneOptions.h"
#include "platform/Gbk.h"
#include "plot/iPlot.h"

namespace {
constexpr double kNoX = -std::numeric_limits<double>::infinity();
}

TChartChannels::TChartChannels(TiPlot& plot, const TKelvaneOptions& options)
    : plot_(plot), options_(options) {
    Restart();
}

std::size_t TChartChannels::Count() const {
    return static_cast<std::size_t>(plot_.ChannelCount());
}

TiPlotChannel& TChartChannels::Channel(std::size_t index) {
    return *plot_.Channel(static_cast<int>(index));
}

std::string TChartChannels::DefaultTitle(std::size_t index) {
    return index == 0 ? "数据" : "数据" + std::to_string(index + 1);
}

std::vector<std::string> TChartChannels::Titles() const {
    std::vector<std::string> titles;
    for (int i = 0; i < plot_.ChannelCount(); ++i) {
        titles.push_back(plot_.Channel(i)->TitleText());
    }
    return titles;
}

void TChartChannels::Restart() {
    while (plot_.ChannelCount() > 1) {
        plot_.DeleteChannel(plot_.ChannelCount() - 1);
    }
    TiPlotChannel& first = Channel(0);
    first.Clear();
    first.SetTitleText(DefaultTitle(0));
    // A ring: a session of days stays flat in memory, the oldest points
    // giving way.
    first.SetRingBufferSize(options_.ChartPointLimit());
    map_ = {};
    names_.assign(1, {});
    lastX_ = kNoX;
    showsFile_ = false;
    ++generation_;
}

void TChartChannels::MakeChannelsUpTo(std::size_t index) {
    if (index < Count()) {
        return;
    }
    while (Count() <= index) {
        const std::size_t made = static_cast<std::size_t>(plot_.AddChannel());
        Channel(made).SetTitleText(DefaultTitle(made));
        names_.emplace_back();
    }
    ++generation_;
    // A ring that is full keeps its size: shrinking it now would drop points.
    const int share = std::max(1, options_.ChartPointLimit() / static_cast<int>(Count()));
    for (std::size_t i = 0; i < Count(); ++i) {
        TiPlotChannel& channel = Channel(i);
        const int ring = channel.RingBufferSize();
        if (ring != share && (ring == 0 || channel.Count() < ring)) {
            channel.SetRingBufferSize(share);
        }
    }
}

double TChartChannels::XFor(TArrivalTime arrival) {
    const TiPlotChannel& first = Channel(0);
    const double x =
        options_.ArrivalTimeX() ? first.ElapsedSecondsAt(arrival) : first.ElapsedSeconds();
    lastX_ = std::max(lastX_, x);
    return lastX_;
}

std::optional<double> TChartChannels::Plot(const std::vector<TLineValue>& values,
                                           TArrivalTime arrival,
                                           std::vector<std::optional<double>>& row) {
    row.clear();
    if (values.empty()) {
        return std::nullopt;
    }
    if (showsFile_) {
        Restart();
    }
    std::optional<double> x;
    for (const TLineValue& value : values) {
        const std::optional<std::size_t> index = map_.ChannelFor(value);
        if (!index) {
            continue;
        }
        MakeChannelsUpTo(*index);
        TiPlotChannel& channel = Channel(*index);
        if (names_[*index] != map_.NameOf(*index)) {
            names_[*index] = map_.NameOf(*index);
            channel.SetTitleText(GbkToUtf8(names_[*index]));
            ++generation_;
        }
        if (!x) {
            x = XFor(arrival);
        }
        channel.AddXY(*x, value.value);
        row.resize(Count());
        row[*index] = value.value;
    }
    return x;
}

void TChartChannels::ClearForFile() {
    Restart();
    showsFile_ = true;
}

TiPlotChannel& TChartChannels::FileChannel(std::size_t index, const std::string& title) {
    MakeChannelsUpTo(index);
    TiPlotChannel& channel = Channel(index);
    if (!title.empty() && channel.TitleText() != title) {
        channel.SetTitleText(title);
        ++generation_;
    }
    return channel;
}
