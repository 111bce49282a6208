#include "plot/iPlotChannelsData.h"

#include <algorithm>

#include "plot/iPlotChannelCustom.h"
#include "plot/iPlotComponent.h"

namespace {

// A null point that is also empty is written as null.
TiDataPointMark MarkOf(bool null, bool empty) {
    return null ? idpmNull : (empty ? idpmEmpty : idpmNormal);
}

}  // namespace

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
    return MarkOf(item.GetNull(index), item.GetEmpty(index));
}

void TiPlotChannelsSource::Points(int channel, int first, std::span<TDataFilePoint> out) const {
    const TiPlotDataCustomList& list = channels_[channel]->DataList();
    // The list's own points a piece at a time, through a buffer that stays in
    // the cache.
    constexpr size_t kPiece = 256;
    TiPlotDataPoint piece[kPiece];
    for (size_t done = 0; done < out.size(); done += kPiece) {
        const std::span<TiPlotDataPoint> points(piece, std::min(kPiece, out.size() - done));
        list.GetPoints(first + int(done), points);
        for (size_t i = 0; i < points.size(); ++i) {
            const TiPlotDataPoint& point = points[i];
            out[done + i] = {point.X, point.Y, MarkOf(point.Null, point.Empty)};
        }
    }
}

void TiPlotChannelsSource::FloatYs(int channel, int first, std::span<float> out) const {
    // A compact list hands over what it stores as it is.
    if (!channels_[channel]->DataList().CopyFloatYs(first, out))
        TDataFileSource::FloatYs(channel, first, out);
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
