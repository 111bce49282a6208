// Streams the simulator through a real pty into the program's receive
// handler, plot queue and chart at three rates, with the decimal plotting
// mode on, and prints how far the chart falls behind, whether every line
// became a point, the longest event-loop stall and the CPU used.
//
//   feed_end_to_end [seconds-per-rate]     (default 10)

#include <sys/resource.h>
#include <unistd.h>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/main_form.h"
#include "console/PlotLineQueue.h"
#include "console/PortSettingsFile.h"
#include "console/PortSettingsMessages.h"
#include "plot/iPlot.h"
#include "plot/iPlotChannel.h"
#include "plot/iPlotChannelCustom.h"
#include "serial/Comm.h"

namespace {

// Message boxes would block the run; say them on stderr instead.
class TStderrReporter : public TMessageReporter {
  public:
    void Show(const QString& caption, const QString& text, TMessageIcon) override {
        std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
    }
};

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void RunEventsFor(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

struct RateResult {
    double lagMax = 0;
    long points = 0;
    long lines = 0;
    double stallMaxMs = 0;
    double cpuPercent = 0;
};

RateResult RunRate(int rate, int seconds, const QString& simPath) {
    QTemporaryDir dir;
    const std::string link = (dir.path() + "/sim").toStdString();
    QProcess sim;
    sim.start(simPath, {"--link", QString::fromStdString(link), "--rate", QString::number(rate),
                        "--period", "200"});
    sim.waitForReadyRead(5000);

    TPortChoices choices;
    choices.portName = link;
    SavePortChoices(choices, (dir.path() + "/" + kSettingsFileName).toStdString());

    TMainFormOptions options;
    options.dataDir = dir.path().toStdString() + "/";
    options.reporter = std::make_shared<TStderrReporter>();
    options.globalHotKey = false;
    TMainForm form(std::move(options));
    form.show();

    // Count every complete line that reaches the program.
    long lines = 0;
    auto handler = form.Comm1().OnReceiveData;
    form.Comm1().OnReceiveData = [&](TComm* sender, const std::uint8_t* buffer,
                                     std::uint16_t length) {
        lines += std::count(buffer, buffer + length, '\n');
        handler(sender, buffer, length);
    };

    form.Controls().sButton1->click();  // 打开
    form.Controls().sBitBtn6->click();  // 绘图其他

    QElapsedTimer sinceTick;
    double stallMaxMs = 0;
    QTimer stallProbe;
    stallProbe.setTimerType(Qt::PreciseTimer);
    QObject::connect(&stallProbe, &QTimer::timeout, [&] {
        stallMaxMs = std::max(stallMaxMs, sinceTick.nsecsElapsed() / 1e6 - 1.0);
        sinceTick.restart();
    });

    TPlotLineQueue& queue = form.DecimalPlotQueue();
    double lagMax = 0;
    QTimer lagProbe;
    QObject::connect(&lagProbe, &QTimer::timeout,
                     [&] { lagMax = std::max(lagMax, double(queue.LineCount()) / rate); });

    RunEventsFor(500);  // let the first blocks arrive before measuring
    sinceTick.start();
    stallProbe.start(1);
    lagProbe.start(50);
    const double cpuStart = CpuSeconds();
    QElapsedTimer wall;
    wall.start();
    RunEventsFor(seconds * 1000);
    const double cpuPercent = 100.0 * (CpuSeconds() - cpuStart) / (wall.nsecsElapsed() / 1e9);
    stallProbe.stop();
    lagProbe.stop();

    sim.terminate();
    sim.waitForFinished(5000);
    RunEventsFor(500);  // what was on the wire arrives and drains
    for (int i = 0; i < 2000 && queue.HasLine(); ++i)
        RunEventsFor(10);

    RateResult result;
    result.lagMax = lagMax;
    result.points = form.Plot().Channel(0)->Count();
    result.lines = lines;
    result.stallMaxMs = stallMaxMs;
    result.cpuPercent = cpuPercent;
    form.Controls().sButton2->click();  // 关闭
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const QString simPath = QCoreApplication::applicationDirPath() + "/kelvane-sim";
    for (int rate : {100, 1000, 10000}) {
        const RateResult r = RunRate(rate, seconds, simPath);
        std::printf(
            "rate=%d lag_s_max=%.3f points=%ld lines=%ld max_event_loop_stall_ms=%.1f "
            "cpu_percent=%.1f\n",
            rate, r.lagMax, r.points, r.lines, r.stallMaxMs, r.cpuPercent);
        std::fflush(stdout);
    }
    return 0;
}
