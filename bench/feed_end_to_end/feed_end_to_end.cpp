// Streams the simulator through a real pty into the program's receive
// handler, plot queue and chart at three rates, with lines ended by CR LF and
// by LF alone, with the decimal plotting mode on, and prints how far the
// chart falls behind, whether every line became a point, the longest
// event-loop stall and the CPU used.
//
//   feed_end_to_end [seconds-per-rate]     (default 10)

#include <sys/resource.h>
#include <unistd.h>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "../common/WholeProgramRun.h"
#include "app/MainForm.h"
#include "console/PlotLineQueue.h"
#include "console/PortSettingsFile.h"
#include "console/PortSettingsMessages.h"
#include "plot/iPlot.h"
#include "plot/iPlotChannel.h"
#include "plot/iPlotChannelCustom.h"
#include "serial/Comm.h"

namespace {

// When each received line arrived, so a plotted line's wait can be told.
class TArrivalLog {
  public:
    void Add(long lines, double seconds) {
        if (lines > 0)
            blocks_.push_back({total_ += lines, seconds});
    }
    long Total() const { return total_; }
    // Arrival time of line `index` (0-based), or -1 when it has not arrived.
    double ArrivalOf(long index) const {
        auto it = std::upper_bound(blocks_.begin(), blocks_.end(), index,
                                   [](long i, const Block& b) { return i < b.linesAfter; });
        return it == blocks_.end() ? -1 : it->seconds;
    }

  private:
    struct Block {
        long linesAfter;
        double seconds;
    };
    std::vector<Block> blocks_;
    long total_ = 0;
};

struct RateResult {
    double lagMax = 0;
    long points = 0;
    long lines = 0;
    double stallMaxMs = 0;
    double cpuPercent = 0;
};

RateResult RunRate(int rate, const QString& eol, int seconds, const QString& simPath) {
    QTemporaryDir dir;
    const std::string link = (dir.path() + "/sim").toStdString();
    QProcess sim;
    sim.start(simPath, {"--link", QString::fromStdString(link), "--rate", QString::number(rate),
                        "--period", "200", "--eol", eol});
    sim.waitForReadyRead(5000);

    TPortChoices choices;
    choices.portName = link;
    TMainForm form(ProgramOptions(dir, choices));
    form.show();

    // Log when every complete line reaches the program.
    QElapsedTimer clock;
    clock.start();
    TArrivalLog arrivals;
    auto handler = form.Comm1().OnReceiveData;
    form.Comm1().OnReceiveData = [&](TComm* sender, const std::uint8_t* buffer,
                                     std::uint16_t length) {
        arrivals.Add(std::count(buffer, buffer + length, '\n'), clock.nsecsElapsed() / 1e9);
        handler(sender, buffer, length);
    };

    form.Controls().sButton1->click();  // 打开
    form.Controls().sBitBtn6->click();  // 绘图其他

    TStallProbe stalls;

    // The chart is as far behind as the oldest line still waiting to be plotted.
    TPlotLineQueue& queue = form.DecimalPlotQueue();
    auto& channel = *form.Plot().Channel(0);
    double lagMax = 0;
    QTimer lagProbe;
    QObject::connect(&lagProbe, &QTimer::timeout, [&] {
        const double arrived = arrivals.ArrivalOf(channel.Count());
        if (arrived >= 0)
            lagMax = std::max(lagMax, clock.nsecsElapsed() / 1e9 - arrived);
    });

    RunEventsFor(500);  // let the first blocks arrive before measuring
    stalls.Start();
    lagProbe.start(50);
    const double cpuStart = CpuSeconds();
    QElapsedTimer wall;
    wall.start();
    RunEventsFor(seconds * 1000);
    const double cpuPercent = 100.0 * (CpuSeconds() - cpuStart) / (wall.nsecsElapsed() / 1e9);
    stalls.Stop();
    lagProbe.stop();

    sim.terminate();
    sim.waitForFinished(5000);
    RunEventsFor(500);  // what was on the wire arrives and drains
    for (int i = 0; i < 2000 && queue.HasLine(); ++i)
        RunEventsFor(10);

    RateResult result;
    result.lagMax = lagMax;
    result.points = channel.Count();
    result.lines = arrivals.Total();
    result.stallMaxMs = stalls.MaxMs();
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
    for (const char* eol : {"crlf", "lf"}) {
        for (int rate : {100, 1000, 10000}) {
            const RateResult r = RunRate(rate, eol, seconds, simPath);
            std::printf(
                "eol=%s rate=%d lag_s_max=%.3f points=%ld lines=%ld max_event_loop_stall_ms=%.1f "
                "cpu_percent=%.1f\n",
                eol, rate, r.lagMax, r.points, r.lines, r.stallMaxMs, r.cpuPercent);
            std::fflush(stdout);
        }
    }
    return 0;
}
