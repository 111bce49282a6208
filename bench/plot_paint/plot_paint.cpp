// Paint cost of the plot: one full paint of the default plot at 800 x 400
// into an image, and how many repaints a flood of change requests yields
// under the frame-rate throttle.
//
// Prints: reference_frame_ms= (the in-run baseline), empty_frame_ms= and
// its ratio to the reference, repaints_per_s=, last_change_painted= (1 when the
// final change of the flood reached the screen).

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "../common/ReferenceFrame.h"
#include "gdi/PainterCanvas.h"
#include "plot/iPlot.h"

namespace {

class BenchPlot : public TiPlot {
  public:
    void PaintInto(TCanvas& canvas) { DoPaint(canvas); }
};

double EmptyFrameMs() {
    BenchPlot plot;
    plot.resize(800, 400);
    QImage image(800, 400, QImage::Format_RGB32);
    constexpr int kWarmUp = 20;
    constexpr int kFrames = 500;
    std::vector<double> times;
    for (int i = 0; i < kWarmUp + kFrames; ++i) {
        TPainterCanvas canvas(image);
        QElapsedTimer clock;
        clock.start();
        plot.PaintInto(canvas);
        if (i >= kWarmUp)
            times.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

struct FloodResult {
    double RepaintsPerSecond = 0;
    bool LastChangePainted = false;
};

FloodResult Flood() {
    constexpr int kRequestsPerSecond = 10000;
    constexpr int kDurationMs = 2000;
    TiPlot plot;
    plot.resize(800, 400);
    plot.SetUpdateFrameRate(60);
    plot.show();
    QApplication::processEvents();

    int paints = 0;
    std::string painted;
    plot.OnAfterPaint = [&](TCanvas&) {
        ++paints;
        painted = plot.TitleText();
    };

    // Each request is a visible change: the title shows its number.
    long requests = 0;
    QElapsedTimer clock;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const long due = std::min<long>(clock.elapsed(), kDurationMs) * kRequestsPerSecond / 1000;
        for (; requests < due; ++requests)
            plot.SetTitleText(std::to_string(requests));
    });
    paints = 0;
    clock.start();
    ticker.start();
    while (clock.elapsed() < kDurationMs)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    ticker.stop();
    const int paintsDuringFlood = paints;
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 200)
        QApplication::processEvents(QEventLoop::AllEvents, 5);

    FloodResult result;
    result.RepaintsPerSecond = paintsDuringFlood * 1000.0 / kDurationMs;
    result.LastChangePainted = painted == plot.TitleText();
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    // Measured without a display, like the other benchmarks.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const double reference = ReferenceFrameMs();
    std::printf("reference_frame_ms=%.3f\n", reference);
    PrintAgainstReference("empty_frame_ms", EmptyFrameMs(), reference);
    const FloodResult flood = Flood();
    std::printf("repaints_per_s=%.1f\n", flood.RepaintsPerSecond);
    std::printf("last_change_painted=%d\n", flood.LastChangePainted ? 1 : 0);
    return 0;
}
