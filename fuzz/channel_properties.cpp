// A channel property file of any bytes: what loads saves and loads back the
// same, and the plot paints with it.
#include "FuzzSupport.h"
#include "PlotFuzz.h"
#include "plot/iPlotChannelCustom.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const TScratchFile file(".txt");
    static const TScratchFile saved(".txt");
    file.Write(AsText(data, size));
    TiPlot& plot = SharedFuzzPlot(2);
    TiPlotChannelCustom& channel = *plot.Channel(0);
    ResetFuzzChannel(channel);
    try {
        channel.LoadProperties(file.Path());
    } catch (const std::exception&) {
        return 0;
    }
    channel.SaveProperties(saved.Path());
    const std::string first = saved.Read();
    // A saved file holds every property, so the copy's own earlier ones do
    // not matter.
    TiPlotChannelCustom& copy = *plot.Channel(1);
    copy.LoadProperties(saved.Path());
    copy.SaveProperties(saved.Path());
    FuzzCheck(saved.Read() == first, "a saved channel loads back the same");
    PaintFuzzPlot(plot);
    return 0;
}
