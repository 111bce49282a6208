// A plot configuration file of any bytes: a refused file leaves the plot
// exactly as it was (so painting it again would show nothing new), and a
// loaded one paints.
#include "FuzzSupport.h"
#include "PlotFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const TScratchFile file(".txt");
    file.Write(AsText(data, size));
    const auto plot = NewFuzzPlot();
    // Every run starts from the same fresh plot.
    static const TiStringList before = FuzzPlotConfig(*plot);
    try {
        plot->LoadProperties(file.Path());
    } catch (const std::exception&) {
        FuzzCheck(FuzzPlotConfig(*plot) == before, "a refused file leaves the plot as it was");
        return 0;
    }
    PaintFuzzPlot(*plot);
    return 0;
}
