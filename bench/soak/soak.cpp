// A long run of the whole program against a device that never stops: a
// pseudo-terminal fed mixed lines at a steady rate while the receive box, the
// send box and the chart (decimal plotting on) take everything in. Prints
// the resident memory at the start, after the first minute and at the end,
// the longest event-loop stall, the bytes written and received (none may be
// lost) and the CPU used.
//
//   soak [seconds] [bytes-per-second]     (defaults 600 and 1000000)

#include <fcntl.h>
#include <pty.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

#include "../common/WholeProgramRun.h"
#include "app/main_form.h"
#include "console/Console.h"
#include "console/PlotLineQueue.h"
#include "console/PortSettingsFile.h"
#include "console/PortSettingsMessages.h"
#include "console/SendBox.h"
#include "plot/iPlot.h"
#include "plot/iPlotChannel.h"
#include "serial/Comm.h"

namespace {

double ResidentMegabytes() {
    long pages = 0;
    long resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// What a chatty device prints: numbers to plot, log text, blank lines, an
// occasional long line and a line ended by a lone LF.
std::string MixedLines() {
    std::string text;
    for (int i = 0; i < 200; ++i) {
        text += std::to_string((i * 7919) % 20001 - 10000) + "\r\n";
        if (i % 10 == 0)
            text += "temp=25.5C state=OK 数据\r\n";
        if (i % 50 == 0)
            text += "\r\n" + std::string(300, 'x') + "\n";
    }
    return text;
}

// Writes `rate` bytes a second into the pty's device end, 10 ms at a time,
// until told to stop; a full pty buffer makes it wait, never drop.
class TDeviceWriter {
  public:
    TDeviceWriter(int fd, long rate) : fd_(fd), rate_(rate), thread_([this] { Run(); }) {}
    ~TDeviceWriter() {
        stop_ = true;
        thread_.join();
    }
    long long Written() const { return written_; }
    void Stop() { stop_ = true; }

  private:
    void Run() {
        const std::string pattern = MixedLines();
        size_t at = 0;
        const auto start = std::chrono::steady_clock::now();
        while (!stop_) {
            const double elapsed =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            long long due = static_cast<long long>(elapsed * double(rate_)) - written_;
            while (due > 0 && !stop_) {
                const size_t chunk = std::min<size_t>(size_t(due), pattern.size() - at);
                const ssize_t n = write(fd_, pattern.data() + at, chunk);
                if (n <= 0) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                    continue;
                }
                written_ += n;
                due -= n;
                at = (at + size_t(n)) % pattern.size();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    int fd_;
    long rate_;
    std::atomic<bool> stop_{false};
    std::atomic<long long> written_{0};
    std::thread thread_;
};

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 600;
    const long rate = argc > 2 ? std::max(1L, std::atol(argv[2])) : 1000000;

    int device = -1;
    int port = -1;
    char portName[256] = {};
    termios raw{};
    cfmakeraw(&raw);
    if (openpty(&device, &port, portName, &raw, nullptr) != 0) {
        std::perror("openpty");
        return 1;
    }

    QTemporaryDir dir;
    TPortChoices choices;
    choices.portName = portName;
    choices.baudRate = "921600";
    TMainForm form(ProgramOptions(dir, choices));
    form.show();

    long long received = 0;
    auto handler = form.Comm1().OnReceiveData;
    form.Comm1().OnReceiveData = [&](TComm* sender, const std::uint8_t* buffer,
                                     std::uint16_t length) {
        received += length;
        handler(sender, buffer, length);
    };
    form.Controls().sButton1->click();  // 打开
    form.Controls().sBitBtn6->click();  // 绘图其他
    close(port);                        // the program holds its own descriptor now

    TStallProbe stalls;

    const double rssStart = ResidentMegabytes();
    const double cpuStart = CpuSeconds();
    QElapsedTimer wall;
    wall.start();
    double rssAfterMinute = rssStart;
    long long written = 0;
    {
        TDeviceWriter writer(device, rate);
        stalls.Start();
        const int firstMinute = std::min(seconds, 60);
        RunEventsFor(firstMinute * 1000);
        rssAfterMinute = ResidentMegabytes();
        if (seconds > firstMinute)
            RunEventsFor((seconds - firstMinute) * 1000);
        writer.Stop();
        stalls.Stop();
        written = writer.Written();
    }
    const double cpuPercent = 100.0 * (CpuSeconds() - cpuStart) / (wall.nsecsElapsed() / 1e9);
    const double rssEnd = ResidentMegabytes();
    // What is still on the wire arrives.
    for (int i = 0; i < 500 && received < written; ++i)
        RunEventsFor(10);

    std::printf("seconds=%d\nrate_bytes_per_s=%ld\n", seconds, rate);
    std::printf("rss_start_mb=%.1f\nrss_after_first_minute_mb=%.1f\nrss_end_mb=%.1f\n", rssStart,
                rssAfterMinute, rssEnd);
    std::printf("rss_growth_after_first_minute_percent=%.1f\n",
                100.0 * (rssEnd - rssAfterMinute) / rssAfterMinute);
    std::printf("max_event_loop_stall_ms=%.1f\n", stalls.MaxMs());
    std::printf("bytes_written=%lld\nbytes_received=%lld\nbytes_lost=%lld\n", written, received,
                written - received);
    std::printf("cpu_percent=%.1f\n", cpuPercent);
    // Where the memory went: what each holder of received text keeps.
    std::printf("receive_box_bytes=%zu\nsend_box_bytes=%zu\ndecimal_plot_queue_bytes=%zu\n",
                form.Console().Receiver().Store().ByteCount(),
                form.Console().SendBox()->Bytes().size(), form.DecimalPlotQueue().ByteCount());
    std::printf("chart_points=%d\n", form.Plot().Channel(0)->Count());
    form.Controls().sButton2->click();  // 关闭
    close(device);
    return 0;
}
