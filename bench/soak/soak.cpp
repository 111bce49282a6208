// A long run of the whole program against a device that never stops: a
// pseudo-terminal fed mixed lines at a steady rate while the receive box, the
// send box and the chart (decimal plotting on) take everything in. Prints
// the resident memory at the start, after the first minute, once every store
// is full (the receive and send boxes at their byte limit, the chart's ring
// at its point limit) and at the end; when each store filled; the longest
// event-loop stall before and after they all filled and how many stalls
// passed 50 ms; the bytes written and received (none may be lost) and the
// CPU used.
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

#include "../common/EventCosts.h"
#include "../common/WholeProgramRun.h"
#include "app/MainForm.h"
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
    ~TDeviceWriter() { Stop(); }
    long long Written() const { return written_; }
    // Returns once the last write has ended, so Written() is then final.
    void Stop() {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
    }

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

// Looks once a second at when each store that holds received data reached
// its limit, and at the memory once they all have.
class TFillWatch {
  public:
    explicit TFillWatch(TMainForm& form) : form_(form) {
        timer_.setInterval(1000);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Look(); });
        clock_.start();
        timer_.start();
    }
    bool AllFull() const { return receiveFull_ >= 0 && sendFull_ >= 0 && chartFull_ >= 0; }
    double RssWhenAllFull() const { return rssAllFull_; }
    void Print() const {
        std::printf("receive_box_full_s=%.0f\nsend_box_full_s=%.0f\nchart_ring_full_s=%.0f\n",
                    receiveFull_, sendFull_, chartFull_);
    }

  private:
    void Look() {
        const double now = double(clock_.elapsed()) / 1000.0;
        TConsole& console = form_.Console();
        if (receiveFull_ < 0 && console.Receiver().Store().FirstLine() > 0)
            receiveFull_ = now;
        if (sendFull_ < 0 && console.SendBox()->FirstShownLine() > 0)
            sendFull_ = now;
        const auto& chart = *form_.Plot().Channel(0);
        if (chartFull_ < 0 && chart.Count() >= chart.RingBufferSize())
            chartFull_ = now;
        if (AllFull() && rssAllFull_ < 0)
            rssAllFull_ = ResidentMegabytes();
    }

    TMainForm& form_;
    QTimer timer_;
    QElapsedTimer clock_;
    // Seconds into the run when each store filled; -1 until it has.
    double receiveFull_ = -1;
    double sendFull_ = -1;
    double chartFull_ = -1;
    double rssAllFull_ = -1;
};

}  // namespace

// Deliveries at least this long are listed with what they were.
constexpr double kSlowEventMs = 20;

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TTimedApplication app(argc, argv);
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
    TStallProbe stallsOnceFull;
    stalls.OnTick([&app](double stallMs) { app.EndSpan(stallMs, TStallProbe::kLongMs); });

    const double rssStart = ResidentMegabytes();
    const double cpuStart = CpuSeconds();
    QElapsedTimer wall;
    wall.start();
    double rssAfterMinute = rssStart;
    long long written = 0;
    TFillWatch fill(form);
    {
        TDeviceWriter writer(device, rate);
        app.KeepSlowerThan(kSlowEventMs);
        stalls.Start();
        const int firstMinute = std::min(seconds, 60);
        RunEventsFor(firstMinute * 1000);
        rssAfterMinute = ResidentMegabytes();
        for (int second = firstMinute; second < seconds; ++second) {
            if (fill.AllFull() && !stallsOnceFull.Running())
                stallsOnceFull.Start();
            RunEventsFor(1000);
        }
        writer.Stop();
        stalls.Stop();
        stallsOnceFull.Stop();
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
    fill.Print();
    if (fill.AllFull()) {
        std::printf("rss_all_full_mb=%.1f\nrss_growth_after_all_full_percent=%.1f\n",
                    fill.RssWhenAllFull(),
                    100.0 * (rssEnd - fill.RssWhenAllFull()) / fill.RssWhenAllFull());
    }
    std::printf("max_event_loop_stall_ms=%.1f\nstalls_over_50ms=%d\n", stalls.MaxMs(),
                stalls.LongStalls());
    std::printf("max_event_loop_stall_once_full_ms=%.1f\n", stallsOnceFull.MaxMs());
    // The work in the longest delivery: what the stall would be with a core
    // always free.
    std::printf("max_event_cpu_ms=%.1f\n", app.MaxCpuMs());
    // What the window was doing when it stalled, and when.
    app.PrintSlowest("slowest_event", 8);
    // What each stall past 50 ms was made of.
    app.PrintStalls("long_stall", 8);
    std::printf("bytes_written=%lld\nbytes_received=%lld\nbytes_lost=%lld\n", written, received,
                written - received);
    std::printf("cpu_percent=%.1f\n", cpuPercent);
    // Where the memory went: what each holder of received text keeps.
    std::printf("receive_box_bytes=%zu\nsend_box_bytes=%zu\ndecimal_plot_queue_bytes=%zu\n",
                form.Console().Receiver().Store().HeldBytes(),
                form.Console().SendBox()->Bytes().size(), form.DecimalPlotQueue().ByteCount());
    std::printf("chart_points=%d\n", form.Plot().Channel(0)->Count());
    form.Controls().sButton2->click();  // 关闭
    close(device);
    return 0;
}
