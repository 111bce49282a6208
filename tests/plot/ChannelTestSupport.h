#pragma once
// A strip-chart plot laid out at a fixed size, with its first channel and axes
// at hand, for channel tests.

#include <QImage>

#include "gdi/PainterCanvas.h"
#include "plot/iPlot.h"
#include "plot/iPlotAxis.h"

class ChannelTestPlot : public TiPlot {
  public:
    ChannelTestPlot(int width = 800, int height = 400) { resize(width, height); }

    TiPlotChannel& Chan() { return *Channel(0); }
    TiPlotAxis& X() { return *XAxis(0); }
    TiPlotAxis& Y() { return *YAxis(0); }

    // Paints into an image, which also lays the objects out.
    QImage Render() {
        QImage image(width(), height(), QImage::Format_RGB32);
        image.fill(Qt::black);
        TPainterCanvas canvas(image);
        DoPaint(canvas);
        return image;
    }
    using TiPlot::DoPaint;
};
