// CPU the whole program uses, in percent of one core: with the port open and
// nothing arriving, and plotting 100 lines a second from the simulator, both
// with the data panel open so that the receive and send boxes are on screen
// beside the chart. Beside them, the in-run baseline: a bare Qt window in the
// same process doing nothing for as long. The three take turns, round after
// round, and each figure is the median of its rounds.
//
//   cpu_load [seconds-per-case] [rounds]     (default 10 s, 3 rounds)
//
// Prints cpu_percent_bare_window=, cpu_percent_idle_port_open= and
// cpu_percent_100_lines_per_s=, and for each program case how often the
// chart, the receive box and the send box painted and the decimal feed timer
// ticked (chart_paints_per_s_idle=, feed_ticks_per_s_100_lines=, …), and
// the widgets and timers that painted and ticked most
// (paints_per_s_100_lines[class/name]=, timer_ticks_per_s_100_lines[…]=).

#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "../common/EventCosts.h"
#include "../common/WholeProgramRun.h"
#include "app/MainForm.h"
#include "app/MainFormControls.h"
#include "console/Console.h"
#include "console/PortSettingsFile.h"
#include "console/ReceiveView.h"
#include "console/SendBox.h"
#include "plot/iPlot.h"

namespace {

// Percent of one core the process used while the event loop ran `seconds`.
double CpuPercentOver(int seconds) {
    const double cpuStart = CpuSeconds();
    QElapsedTimer wall;
    wall.start();
    RunEventsFor(seconds * 1000);
    return 100.0 * (CpuSeconds() - cpuStart) / (wall.nsecsElapsed() / 1e9);
}

double BareWindowPercent(int seconds) {
    QWidget window;
    window.resize(800, 600);
    window.show();
    RunEventsFor(500);
    return CpuPercentOver(seconds);
}

// The program with its port open on `portPath`, plotting, the data panel
// open; what it painted goes to `tally`.
double ProgramPercent(const std::string& portPath, int seconds, TEventTally& tally) {
    QTemporaryDir dir;
    TPortChoices choices;
    choices.portName = portPath;
    TMainForm form(ProgramOptions(dir, choices));
    form.show();
    const TMainFormControls& c = form.Controls();
    c.sButton11->click();  // 显示面板
    c.sButton1->click();   // 打开
    c.sBitBtn6->click();   // 绘图其他
    tally.Watch("chart_paints", &form.Plot());
    tally.Watch("receive_box_paints", form.Console().MainReceiveView()->viewport());
    tally.Watch("send_box_paints", form.Console().SendBox()->viewport());
    tally.Watch("feed_ticks", c.Timer3);
    RunEventsFor(1000);  // the panel opens, the window settles, the first lines arrive
    tally.Reset();
    const double percent = CpuPercentOver(seconds);
    tally.Stop();
    c.sButton2->click();  // 关闭
    return percent;
}

// A pseudo-terminal nobody writes to: the port is open and quiet.
double IdlePortPercent(int seconds, TEventTally& tally) {
    int device = -1, port = -1;
    char name[256] = {};
    if (::openpty(&device, &port, name, nullptr, nullptr) != 0)
        std::abort();
    const double percent = ProgramPercent(name, seconds, tally);
    ::close(device);
    ::close(port);
    return percent;
}

double SimulatorPercent(int rate, int seconds, TEventTally& tally) {
    QTemporaryDir dir;
    const QString link = dir.path() + "/sim";
    QProcess sim;
    sim.start(QCoreApplication::applicationDirPath() + "/kelvane-sim",
              {"--link", link, "--rate", QString::number(rate)});
    sim.waitForReadyRead(5000);
    const double percent = ProgramPercent(link.toStdString(), seconds, tally);
    sim.terminate();
    sim.waitForFinished(5000);
    return percent;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    std::vector<double> bare, idle, lines;
    // Each round's windows are new: so are the tallies that watch them.
    std::unique_ptr<TEventTally> idleTally, linesTally;
    for (int round = 0; round < rounds; ++round) {
        idleTally = std::make_unique<TEventTally>();
        linesTally = std::make_unique<TEventTally>();
        bare.push_back(BareWindowPercent(seconds));
        idle.push_back(IdlePortPercent(seconds, *idleTally));
        lines.push_back(SimulatorPercent(100, seconds, *linesTally));
        std::fprintf(stderr, "round %d: bare %.2f idle %.2f lines %.2f\n", round + 1, bare.back(),
                     idle.back(), lines.back());
    }
    std::printf("rounds=%d\nseconds_per_case=%d\n", rounds, seconds);
    std::printf("cpu_percent_bare_window=%.2f\n", Median(bare));
    std::printf("cpu_percent_idle_port_open=%.2f\n", Median(idle));
    std::printf("cpu_percent_100_lines_per_s=%.2f\n", Median(lines));
    // The tallies hold the last round's counts.
    idleTally->Print("_idle", seconds);
    linesTally->Print("_100_lines", seconds);
    return 0;
}
