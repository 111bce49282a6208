// Measures the per-repaint cost of an axis's scale (tick generation with
// label measuring) and the per-point cost of tracking. Prints name=value.

#include <QApplication>
#include <QImage>
#include <chrono>
#include <cstdio>

#include "../common/ReferenceFrame.h"
#include "gdi/PainterCanvas.h"
#include "platform/DateTime.h"
#include "plot/iPlot.h"
#include "plot/iPlotAxis.h"

namespace {

using Clock = std::chrono::steady_clock;

double MicrosecondsPerTickGeneration(TiPlotAxis& axis, TCanvas& canvas) {
    constexpr int kWarmUp = 200;
    constexpr int kRounds = 5000;
    for (int i = 0; i < kWarmUp; ++i) {
        axis.GenerateTicks(canvas);
    }
    const auto start = Clock::now();
    for (int i = 0; i < kRounds; ++i) {
        // A scrolling axis: every frame starts a little further on.
        axis.SetMin(axis.Min() + axis.Span() / 997);
        axis.GenerateTicks(canvas);
    }
    const std::chrono::duration<double, std::micro> elapsed = Clock::now() - start;
    return elapsed.count() / kRounds;
}

double NanosecondsPerTrackedValue(TiPlotAxis& axis) {
    constexpr int kValues = 10'000'000;
    axis.SetTrackingStyle(iptsScrollSmooth);
    axis.SetMinSpan(0, 10);
    axis.RestartTracking();
    const auto start = Clock::now();
    for (int i = 0; i < kValues; ++i) {
        axis.TrackNewValue(i * 0.01);
    }
    const std::chrono::duration<double, std::nano> elapsed = Clock::now() - start;
    return elapsed.count() / kValues;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TiPlot plot;
    plot.resize(900, 600);
    QImage image(900, 600, QImage::Format_RGB32);
    TPainterCanvas canvas(image);

    TiPlotAxis& axis = *plot.XAxis(0);
    axis.SetLayoutRect({50, 500, 850, 540});
    axis.SetMinSpan(0, 100);
    const double reference = ReferenceFrameMs();
    std::printf("reference_frame_ms=%.3f\n", reference);
    const double linear = MicrosecondsPerTickGeneration(axis, canvas);
    std::printf("ticks_us_linear=%.2f\nticks_linear_vs_reference=%.3f\n", linear,
                linear / 1000 / reference);

    axis.SetLabelsFormatStyle(iptfDateTime);
    axis.SetMinSpan(EncodeDateTime({2026, 12, 9, 11, 0, 0, 0}), 10.0 / 1440);
    const double datetime = MicrosecondsPerTickGeneration(axis, canvas);
    std::printf("ticks_us_datetime=%.2f\nticks_datetime_vs_reference=%.3f\n", datetime,
                datetime / 1000 / reference);

    std::printf("track_ns=%.2f\n", NanosecondsPerTrackedValue(axis));
    return 0;
}
