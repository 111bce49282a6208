#pragma once
// The plot's channels seen as a data file's rows and columns: what the data
// file writers read and what the data file reader adds points to.

#include <vector>

#include "plot/iPlotDataFiles.h"

class TiPlotComponent;
class TiPlotChannelCustom;

class TiPlotChannelsSource final : public TDataFileSource {
  public:
    // The channels as they are now: a file is written in one go.
    explicit TiPlotChannelsSource(const TiPlotComponent& plot);

    int ChannelCount() const override;
    std::string ChannelTitle(int channel) const override;
    int PointCount(int channel) const override;
    double X(int channel, int index) const override;
    double Y(int channel, int index) const override;
    TiDataPointMark Mark(int channel, int index) const override;
    void Points(int channel, int first, std::span<TDataFilePoint> out) const override;
    void FloatYs(int channel, int first, std::span<float> out) const override;

  private:
    std::vector<const TiPlotChannelCustom*> channels_;
};

class TiPlotChannelsSink final : public TDataFileSink {
  public:
    explicit TiPlotChannelsSink(TiPlotComponent& plot);

    int ChannelCount() const override;
    void AddPoint(int channel, double x, double y, TiDataPointMark mark) override;
    void AddPoints(int channel, std::span<const double> xs, std::span<const double> ys) override;

  private:
    std::vector<TiPlotChannelCustom*> channels_;
};
