#include "PlotFuzz.h"

#include <QImage>

#include "FuzzSupport.h"
#include "gdi/PainterCanvas.h"
#include "plot/iPlotChannelCustom.h"
#include "plot/iPlotConfigFile.h"

std::unique_ptr<TiPlot> NewFuzzPlot() {
    EnsureFuzzApplication();
    auto plot = std::make_unique<TiPlot>();
    plot->resize(320, 240);
    return plot;
}

TiPlot& SharedFuzzPlot(int channels) {
    static const std::unique_ptr<TiPlot> plot = NewFuzzPlot();
    while (plot->ChannelCount() < channels)
        plot->AddChannel();
    return *plot;
}

void ResetFuzzChannel(TiPlotChannelCustom& channel) {
    static const TiStringList fresh = [] {
        TiStringList lines;
        PropertiesToText(*NewFuzzPlot()->Channel(0), "", lines);
        return lines;
    }();
    TiPropertyLines lines(fresh);
    PropertiesFromText(channel, "", lines);
}

void PaintFuzzPlot(TiPlot& plot) {
    // One image for every run: a fresh one costs more than the paint's
    // drawing, in page faults alone.
    static QImage image(320, 240, QImage::Format_RGB32);
    image.fill(Qt::white);
    TPainterCanvas canvas(image);
    try {
        plot.PaintTo(canvas);
    } catch (const std::exception&) {
    }
    canvas.End();
}

TiStringList FuzzPlotConfig(TiPlot& plot) {
    return PlotConfigLines(plot);
}
