#include "DataFileFuzz.h"

#include <cmath>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "plot/iPlotDataFiles.h"

namespace {

struct TPoint {
    double X, Y;
    TiDataPointMark Mark;
};

class TRecordedChannels final : public TDataFileSource, public TDataFileSink {
  public:
    explicit TRecordedChannels(int channels) : points_(size_t(channels)) {}

    int ChannelCount() const override { return int(points_.size()); }
    std::string ChannelTitle(int channel) const override { return "c" + std::to_string(channel); }
    int PointCount(int channel) const override { return int(points_[size_t(channel)].size()); }
    double X(int channel, int index) const override { return At(channel, index).X; }
    double Y(int channel, int index) const override { return At(channel, index).Y; }
    TiDataPointMark Mark(int channel, int index) const override { return At(channel, index).Mark; }
    void AddPoint(int channel, double x, double y, TiDataPointMark mark) override {
        FuzzCheck(channel >= 0 && channel < ChannelCount(), "points go to an existing channel");
        FuzzCheck(std::isfinite(x) && std::isfinite(y), "a loaded value is finite");
        points_[size_t(channel)].push_back({x, y, mark});
    }
    size_t TotalPoints() const {
        size_t total = 0;
        for (const auto& channel : points_)
            total += channel.size();
        return total;
    }

  private:
    const TPoint& At(int channel, int index) const {
        return points_[size_t(channel)][size_t(index)];
    }
    std::vector<std::vector<TPoint>> points_;
};

constexpr int kChannels = 3;

}  // namespace

void FuzzDataFile(std::string_view bytes) {
    TRecordedChannels loaded(kChannels);
    try {
        ReadDataFile(bytes, loaded, '.');
    } catch (const TiDataFileError&) {
    }
    if (loaded.TotalPoints() > 100000)
        return;  // the round trip below would only be slow

    TRecordedChannels fromText(kChannels);
    ReadDataFile(WriteTextDataFile(loaded, '\t', '.'), fromText, '.');
    FuzzCheck(fromText.TotalPoints() <= loaded.TotalPoints(),
              "the text form loads back at most what was saved");

    TRecordedChannels fromCompact(kChannels);
    ReadDataFile(WriteCompactDataFile(loaded), fromCompact, '.');
}
