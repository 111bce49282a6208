// CPU the whole program uses, in percent of one core: with the port open and
// nothing arriving, and plotting 100 lines a second from the simulator with
// the receive view on screen. Beside them, the in-run baseline: a bare Qt
// window in the same process doing nothing for as long.
//
//   cpu_load [seconds-per-case]     (default 10)
//
// Prints cpu_percent_bare_window=, cpu_percent_idle_port_open= and
// cpu_percent_100_lines_per_s=.

#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "../common/WholeProgramRun.h"
#include "app/MainForm.h"
#include "console/PortSettingsFile.h"

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

// The program with its port open on `portPath`, plotting, on screen.
double ProgramPercent(const std::string& portPath, int seconds) {
    QTemporaryDir dir;
    TPortChoices choices;
    choices.portName = portPath;
    TMainForm form(ProgramOptions(dir, choices));
    form.show();
    form.Controls().sButton1->click();  // 打开
    form.Controls().sBitBtn6->click();  // 绘图其他
    RunEventsFor(1000);                 // the window settles, the first lines arrive
    const double percent = CpuPercentOver(seconds);
    form.Controls().sButton2->click();  // 关闭
    return percent;
}

// A pseudo-terminal nobody writes to: the port is open and quiet.
double IdlePortPercent(int seconds) {
    int device = -1, port = -1;
    char name[256] = {};
    if (::openpty(&device, &port, name, nullptr, nullptr) != 0)
        std::abort();
    const double percent = ProgramPercent(name, seconds);
    ::close(device);
    ::close(port);
    return percent;
}

double SimulatorPercent(int rate, int seconds) {
    QTemporaryDir dir;
    const QString link = dir.path() + "/sim";
    QProcess sim;
    sim.start(QCoreApplication::applicationDirPath() + "/kelvane-sim",
              {"--link", link, "--rate", QString::number(rate)});
    sim.waitForReadyRead(5000);
    const double percent = ProgramPercent(link.toStdString(), seconds);
    sim.terminate();
    sim.waitForFinished(5000);
    return percent;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    std::printf("cpu_percent_bare_window=%.2f\n", BareWindowPercent(seconds));
    std::printf("cpu_percent_idle_port_open=%.2f\n", IdlePortPercent(seconds));
    std::printf("cpu_percent_100_lines_per_s=%.2f\n", SimulatorPercent(100, seconds));
    return 0;
}
