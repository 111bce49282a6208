#include "plot/iPlotChannelsData.h"

#include "plot/iPlotChannelCustom.h"
#include "plot/iPlotComponent.h"

TiPlotChannelsSource::TiPlotChannelsSource(const TiPlotComponent& plot) {
    for (int i = 0; i < plot.ChannelCount(); ++i)
        channels_.push_back(plot.Channel(i));
}

int TiPlotChannelsSource::ChannelCount() const {
    return int(channels_.size());
}

std::string TiPlotChannelsSource::ChannelTitle(int channel) const {
    return channels_[channel]->TitleText();
}

int TiPlotChannelsSource::PointCount(int channel) const {
    return channels_[channel]->Count();
}

double TiPlotChannelsSource::X(int channel, int index) const {
    return channels_[channel]->GetX(index);
}

double TiPlotChannelsSource::Y(int channel, int index) const {
    return channels_[channel]->GetY(index);
}

TiDataPointMark TiPlotChannelsSource::Mark(int channel, int index) const {
    const TiPlotChannelCustom& item = *channels_[channel];
    if (item.GetNull(index))
        return idpmNull;
    if (item.GetEmpty(index))
        return idpmEmpty;
    return idpmNormal;
}

TiPlotChannelsSink::TiPlotChannelsSink(TiPlotComponent& plot) {
    for (int i = 0; i < plot.ChannelCount(); ++i)
        channels_.push_back(plot.Channel(i));
}

int TiPlotChannelsSink::ChannelCount() const {
    return int(channels_.size());
}

void TiPlotChannelsSink::AddPoint(int channel, double x, double y, TiDataPointMark mark) {
    TiPlotChannelCustom& item = *channels_[channel];
    item.AddXY(x, y);
    if (mark == idpmNull)
        item.SetNull(item.Count() - 1, true);
    else if (mark == idpmEmpty)
        item.SetEmpty(item.Count() - 1, true);
}

void TiPlotChannelsSink::AddPoints(int channel, std::span<const double> xs,
                                   std::span<const double> ys) {
    channels_[channel]->AddXYs(xs, ys);
}
