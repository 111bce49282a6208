// Prints frame_ms_cursor, frame_ms_legend12 and zoom_box_ms as name=value
// lines: the median time of a full paint with a cursor reading a 1,000,000
// point channel, of a paint with a 12-channel legend showing live values, and
// of a zoom-box release plus the repaint on 10,000,000 points.

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "../common/ReferenceFrame.h"
#include "gdi/PainterCanvas.h"
#include "plot/iPlot.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotChannel.h"
#include "plot/iPlotDataCursor.h"
#include "plot/iPlotDataView.h"
#include "plot/iPlotLegend.h"
#include "plot/iPlotToolBar.h"

namespace {

using Clock = std::chrono::steady_clock;

// The median of `runs` timings of step; prepare runs untimed before each.
double MedianMs(
    int runs, const std::function<void()>& step, const std::function<void()>& prepare = [] {}) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        prepare();
        const auto start = Clock::now();
        step();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    return times[static_cast<size_t>(runs / 2)];
}

void Fill(TiPlotChannel& channel, int points) {
    for (int i = 0; i < points; ++i)
        channel.AddXY(i, (i * 7919) % 1000);
}

void PaintFrame(TiPlot& plot, QImage& image) {
    TPainterCanvas canvas(image);
    plot.PaintTo(canvas);
}

void Mouse(TiPlot& plot, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, plot.mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&plot, &event);
}

double CursorFrame() {
    TiPlot plot;
    plot.resize(1000, 600);
    Fill(*plot.Channel(0), 1'000'000);
    plot.ToolBar(0)->RunAction(iptbbtCursor);
    plot.DataCursor(0)->SetPointer1Position(37);
    QImage image(plot.size(), QImage::Format_RGB32);
    return MedianMs(30, [&] { PaintFrame(plot, image); });
}

double Legend12Frame() {
    TiPlot plot;
    plot.resize(1000, 600);
    while (plot.ChannelCount() < 12)
        plot.AddChannel();
    for (int i = 0; i < 12; ++i)
        Fill(*plot.Channel(i), 100'000);
    TiPlotLegend& legend = *plot.Legend(0);
    legend.SetShowColumnXValue(true);
    legend.SetShowColumnYValue(true);
    legend.SetShowColumnYMax(true);
    legend.SetShowColumnYMin(true);
    legend.SetShowColumnYMean(true);
    QImage image(plot.size(), QImage::Format_RGB32);
    return MedianMs(30, [&] { PaintFrame(plot, image); });
}

double ZoomBoxRelease() {
    TiPlot plot;
    plot.resize(1000, 600);
    Fill(*plot.Channel(0), 10'000'000);
    plot.show();
    QImage image(plot.size(), QImage::Format_RGB32);
    PaintFrame(plot, image);
    plot.ToolBar(0)->RunAction(iptbbtZoomBox);
    const TRect view = plot.DataView(0)->LayoutRect();
    const QPoint from(view.Left + view.Width() / 4, view.Top + 10);
    const QPoint to(view.Left + view.Width() / 2, view.Bottom - 10);
    return MedianMs(
        9,
        [&] {
            Mouse(plot, QEvent::MouseButtonRelease, to, Qt::NoButton);
            PaintFrame(plot, image);
        },
        [&] {
            plot.XAxis(0)->SetMin(0);
            plot.XAxis(0)->SetSpan(10'000'000);
            Mouse(plot, QEvent::MouseButtonPress, from, Qt::LeftButton);
            Mouse(plot, QEvent::MouseMove, to, Qt::LeftButton);
        });
}

}  // namespace

int main(int argc, char** argv) {
    // Measured without a display, like the other benchmarks.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const double reference = ReferenceFrameMs();
    std::printf("reference_frame_ms=%.3f\n", reference);
    PrintAgainstReference("frame_ms_cursor", CursorFrame(), reference);
    PrintAgainstReference("frame_ms_legend12", Legend12Frame(), reference);
    std::printf("zoom_box_ms=%.3f\n", ZoomBoxRelease());
    return 0;
}
