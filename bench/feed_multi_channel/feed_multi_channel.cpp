// Lines of several values streamed through a real pty into the whole
// program with "绘图其他" on, and the figures that say whether it keeps up:
//
//   multi      10,000 and 1,000 lines/s of 8 values: how far the chart
//              falls behind, whether every value became a point, the
//              longest event-loop stall, the CPU used;
//   record     the same 10,000-line stream (about 1 MB/s) with and without
//              "记录" of the received bytes, and the CPU ratio;
//   arrival    50 lines/s, one every 20 ms, while the window is busy 50 ms
//              of every 100 so that they reach the chart in blocks: the coefficient of variation of
//              the X gaps, with "按接收时间" and without (the staircase).
//
//   feed_multi_channel [seconds-per-case] [multi|record|arrival]
//                                         (default 8 s, every case)

#include <pty.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "../common/EventCosts.h"
#include "../common/WholeProgramRun.h"
#include "app/MainForm.h"
#include "console/Console.h"
#include "console/FileRecorder.h"
#include "console/KelvaneOptions.h"
#include "console/ReceiveConsole.h"
#include "platform/Gbk.h"
#include "plot/iPlot.h"
#include "plot/iPlotChannel.h"
#include "serial/Comm.h"

namespace {

using TClock = std::chrono::steady_clock;

// Writes `rate` lines a second of `values` numbers each into a pty, a burst
// every `burstMs`, and keeps when each line went out.
class TLineWriter {
  public:
    TLineWriter(int rate, int values, int burstMs)
        : rate_(rate), values_(values), burstMs_(burstMs) {
        char name[256] = {};
        openpty(&master_, &slave_, name, nullptr, nullptr);
        path_ = name;
    }
    ~TLineWriter() {
        Stop();
        close(master_);
        close(slave_);
    }
    const std::string& Path() const { return path_; }
    void Start() {
        thread_ = std::thread([this] { Run(); });
    }
    void Stop() {
        running_ = false;
        if (thread_.joinable())
            thread_.join();
    }
    // When line `index` was written, or none yet.
    std::optional<TClock::time_point> WrittenAt(long index) {
        std::lock_guard lock(mutex_);
        if (index >= static_cast<long>(writtenAt_.size()))
            return std::nullopt;
        return writtenAt_[static_cast<std::size_t>(index)];
    }
    long Written() {
        std::lock_guard lock(mutex_);
        return static_cast<long>(writtenAt_.size());
    }

  private:
    void Run() {
        // The device is hardware of its own in real life: where allowed, it
        // is not kept waiting by the machine's other programs.
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), -10);
        const auto start = TClock::now();
        long sent = 0;
        for (int burst = 1; running_; ++burst) {
            std::this_thread::sleep_until(start + std::chrono::milliseconds(burst * burstMs_));
            const long due = static_cast<long>(burst) * burstMs_ * rate_ / 1000;
            std::string text;
            for (; sent < due; ++sent) {
                for (int v = 0; v < values_; ++v) {
                    text += std::to_string((sent * (v + 3)) % 100000 - 50000);
                    text += v + 1 < values_ ? ',' : '\n';
                }
            }
            for (std::size_t at = 0; at < text.size();) {
                const ssize_t n = write(master_, text.data() + at, text.size() - at);
                if (n <= 0)
                    break;
                at += static_cast<std::size_t>(n);
            }
            std::lock_guard lock(mutex_);
            writtenAt_.resize(static_cast<std::size_t>(sent), TClock::now());
        }
    }

    int rate_, values_, burstMs_;
    int master_ = -1, slave_ = -1;
    std::string path_;
    std::thread thread_;
    std::atomic<bool> running_ = true;
    std::mutex mutex_;
    std::vector<TClock::time_point> writtenAt_;
};

struct TCase {
    int rate;
    int values;
    int burstMs = 10;
    bool arrivalX = false;
    bool record = false;
    int busyMsPer100 = 0;  // the window's thread is busy this long every 100 ms
};

struct TResult {
    double lagMax = 0;
    long lines = 0;
    long points = 0;
    double stallMaxMs = 0;
    double cpuPercent = 0;
    double xGapCv = 0;      // of the gaps between the points' X
    double writeGapCv = 0;  // of the gaps between their lines' writes
    double xError = 0;      // X gaps against write gaps, relative to the mean gap
};

double CoefficientOfVariation(const std::vector<double>& gaps) {
    if (gaps.size() < 2)
        return 0;
    double mean = 0;
    for (double gap : gaps)
        mean += gap;
    mean /= static_cast<double>(gaps.size());
    double variance = 0;
    for (double gap : gaps)
        variance += (gap - mean) * (gap - mean);
    variance /= static_cast<double>(gaps.size());
    return mean > 0 ? std::sqrt(variance) / mean : 0;
}

// The gaps between the chart's points and between the writes of their lines:
// on a loaded machine the writer itself is late at times and sends several
// lines at once, so the device's own gaps are the baseline, and the X error
// is how far each X gap strays from its line's write gap, relative to the
// mean gap.
void CompareGaps(const TiPlotChannel& channel, TLineWriter& writer, TResult& result) {
    std::vector<double> xGaps, writeGaps;
    double squaredError = 0;
    for (int i = 1; i < channel.Count(); ++i) {
        const auto before = writer.WrittenAt(i - 1), after = writer.WrittenAt(i);
        if (!before || !after)
            break;
        xGaps.push_back(channel.GetX(i) - channel.GetX(i - 1));
        writeGaps.push_back(std::chrono::duration<double>(*after - *before).count());
        squaredError += (xGaps.back() - writeGaps.back()) * (xGaps.back() - writeGaps.back());
    }
    result.xGapCv = CoefficientOfVariation(xGaps);
    result.writeGapCv = CoefficientOfVariation(writeGaps);
    if (!writeGaps.empty()) {
        double mean = 0;
        for (double gap : writeGaps)
            mean += gap;
        mean /= static_cast<double>(writeGaps.size());
        result.xError = std::sqrt(squaredError / static_cast<double>(writeGaps.size())) / mean;
    }
}

// Deliveries at least this long are listed with what they were.
constexpr double kSlowEventMs = 20;

TResult Run(const TCase& test, int seconds) {
    QTemporaryDir dir;
    TLineWriter writer(test.rate, test.values, test.burstMs);
    const std::string settings = Utf8ToGbk("[系统参数]") + "\r\ncommname=" + writer.Path() +
                                 "\r\narrivalx=" + (test.arrivalX ? "1" : "0") + "\r\n";
    std::FILE* file = std::fopen((dir.path() + "/setfile.ini").toLocal8Bit().constData(), "wb");
    std::fwrite(settings.data(), 1, settings.size(), file);
    std::fclose(file);

    TMainFormOptions options;
    options.dataDir = dir.path().toStdString() + "/";
    options.reporter = std::make_shared<TStderrReporter>();
    options.globalHotKey = false;
    TMainForm form(std::move(options));
    form.show();
    form.Controls().sButton1->click();  // 打开
    form.Controls().sBitBtn6->click();  // 绘图其他
    if (test.record) {
        QString error;
        const QString path = dir.path() + "/received.log";
        form.Console().Receiver().Recorder().Start(OpenRecordFile(path, error), path);
    }
    writer.Start();

    TiPlot& plot = form.Plot();
    double lagMax = 0;
    QTimer lagProbe;
    QObject::connect(&lagProbe, &QTimer::timeout, [&] {
        // The chart is as far behind as the oldest line not yet plotted.
        const long plotted = plot.Channel(0)->Count();
        if (const auto written = writer.WrittenAt(plotted)) {
            lagMax =
                std::max(lagMax, std::chrono::duration<double>(TClock::now() - *written).count());
        }
    });
    QTimer busy;
    QObject::connect(&busy, &QTimer::timeout, [&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(test.busyMsPer100));
    });
    if (test.busyMsPer100 > 0)
        busy.start(100);
    RunEventsFor(500);
    static_cast<TTimedApplication*>(qApp)->KeepSlowerThan(kSlowEventMs);
    TStallProbe stalls;
    stalls.Start();
    lagProbe.start(50);
    const double cpuStart = CpuSeconds();
    const auto wallStart = TClock::now();
    RunEventsFor(seconds * 1000);
    TResult result;
    result.cpuPercent = 100.0 * (CpuSeconds() - cpuStart) /
                        std::chrono::duration<double>(TClock::now() - wallStart).count();
    stalls.Stop();
    lagProbe.stop();
    busy.stop();
    writer.Stop();
    for (int i = 0; i < 300 && plot.Channel(0)->Count() < writer.Written(); ++i)
        RunEventsFor(10);

    result.lagMax = lagMax;
    result.stallMaxMs = stalls.MaxMs();
    result.lines = writer.Written();
    for (int c = 0; c < plot.ChannelCount(); ++c)
        result.points += plot.Channel(c)->Count();
    CompareGaps(*plot.Channel(0), writer, result);
    form.Controls().sButton2->click();  // 关闭
    return result;
}

void Print(const char* name, const TCase& test, const TResult& r) {
    std::printf(
        "case=%s rate=%d values=%d lag_s_max=%.3f lines=%ld points=%ld expected_points=%ld "
        "max_event_loop_stall_ms=%.1f cpu_percent=%.1f x_gap_cv=%.3f write_gap_cv=%.3f "
        "x_gap_error=%.3f\n",
        name, test.rate, test.values, r.lagMax, r.lines, r.points, r.lines * test.values,
        r.stallMaxMs, r.cpuPercent, r.xGapCv, r.writeGapCv, r.xError);
    static_cast<TTimedApplication*>(qApp)->PrintSlowest((std::string(name) + "_slowest").c_str(),
                                                        3);
    std::fflush(stdout);
}

void MultiCases(int seconds) {
    for (int rate : {10'000, 1'000}) {
        const TCase test{.rate = rate, .values = 8};
        Print("multi", test, Run(test, seconds));
    }
}

void RecordCases(int seconds) {
    const TCase plain{.rate = 10'000, .values = 8};
    const TCase recorded{.rate = 10'000, .values = 8, .record = true};
    const TResult without = Run(plain, seconds);
    Print("record_off", plain, without);
    const TResult with = Run(recorded, seconds);
    Print("record_on", recorded, with);
    std::printf("record_cpu_ratio=%.3f record_cpu_added_points=%.1f\n",
                with.cpuPercent / without.cpuPercent, with.cpuPercent - without.cpuPercent);
}

void ArrivalCases(int seconds) {
    const TCase staircase{.rate = 50, .values = 1, .burstMs = 20, .busyMsPer100 = 50};
    const TCase arrival{
        .rate = 50, .values = 1, .burstMs = 20, .arrivalX = true, .busyMsPer100 = 50};
    Print("arrival_off", staircase, Run(staircase, seconds));
    Print("arrival_on", arrival, Run(arrival, seconds));
}

}  // namespace

// feed_multi_channel [seconds-per-case] [multi|record|arrival]
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TTimedApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 8;
    const std::string only = argc > 2 ? argv[2] : "";
    if (only.empty() || only == "multi")
        MultiCases(seconds);
    if (only.empty() || only == "record")
        RecordCases(seconds);
    if (only.empty() || only == "arrival")
        ArrivalCases(seconds);
    return 0;
}
