#pragma once
// The main chart's traces as the feed fills them: the values of one line go
// to their channels (column k to channel k - 1, names to channels of their
// own, see TValueChannelMap), which are made on demand up to 32, each with
// the plot's next palette colour and its own legend row, all on the one X
// and Y axis. Channel 1 is "数据"; the others are "数据2", "数据3", ... or,
// once a name claims them, that name.
//
// All values of a line share one X: the seconds since the chart was made,
// at the moment the line is plotted, or with "按接收时间" the moment its last
// byte arrived. X never goes back, so the channels stay sorted.
//
// The chart keeps at most the "chartpoints" option's points, shared out
// among its channels as they appear.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "feed/MultiValueLine.h"
#include "feed/ValueChannelMap.h"
#include "serial/ArrivalMarks.h"

class TiPlot;
class TiPlotChannel;
class TKelvaneOptions;

class TChartChannels {
  public:
    TChartChannels(TiPlot& plot, const TKelvaneOptions& options);

    // Adds the values of one line that arrived at `arrival` and returns
    // their X, or nothing when the line gave no channel a point. `row` gets
    // each channel's value for the line, or none, one per channel.
    std::optional<double> Plot(const std::vector<TLineValue>& values, TArrivalTime arrival,
                               std::vector<std::optional<double>>& row);

    std::size_t Count() const;
    // Titles in channel order, UTF-8.
    std::vector<std::string> Titles() const;
    // Changes whenever channels come or go or a title changes.
    std::size_t Generation() const { return generation_; }

    // Empties the chart for points from a file: channel 1 alone, empty, as
    // at start; the next live line starts the chart afresh.
    void ClearForFile();
    // Channel `index` for a file's points, made if need be, with `title`.
    TiPlotChannel& FileChannel(std::size_t index, const std::string& title);
    // Whether the chart shows a file's points rather than live ones.
    bool ShowsFile() const { return showsFile_; }

  private:
    TiPlotChannel& Channel(std::size_t index);
    double XFor(TArrivalTime arrival);
    // Makes channels up to `index` and shares the point limit among them.
    void MakeChannelsUpTo(std::size_t index);
    // The title a channel gets while no name claims it.
    static std::string DefaultTitle(std::size_t index);
    void Restart();

    TiPlot& plot_;
    const TKelvaneOptions& options_;
    TValueChannelMap map_;
    std::vector<std::string> names_;  // the name each channel's title shows, as received
    double lastX_;
    bool showsFile_ = false;
    std::size_t generation_ = 0;
};
