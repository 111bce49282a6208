// A channel data file of any bytes: loaded points are finite, and what loads
// saves and loads back as the same points.
#include <cmath>

#include "FuzzSupport.h"
#include "PlotFuzz.h"
#include "plot/iPlotChannelCustom.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const TScratchFile file(".txt");
    static const TScratchFile saved(".txt");
    file.Write(AsText(data, size));
    // Loading replaces a channel's points, so one plot serves every run.
    TiPlot& plot = SharedFuzzPlot(2);
    TiPlotChannelCustom& channel = *plot.Channel(0);
    try {
        channel.LoadData(file.Path(), true);
    } catch (const std::exception&) {
    }
    for (int i = 0; i < channel.Count(); ++i)
        FuzzCheck(std::isfinite(channel.GetX(i)) && std::isfinite(channel.GetY(i)),
                  "loaded points are finite");
    channel.SaveData(saved.Path());
    TiPlotChannelCustom& copy = *plot.Channel(1);
    copy.LoadData(saved.Path(), true);
    FuzzCheck(copy.Count() == channel.Count(), "saved points load back");
    for (int i = 0; i < channel.Count(); ++i)
        FuzzCheck(copy.GetNull(i) == channel.GetNull(i), "null marks load back");
    PaintFuzzPlot(plot);
    return 0;
}
