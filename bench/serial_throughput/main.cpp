// Throughput and latency of the serial engine over pseudo-terminals.
//
// Pushes 256 MiB from the device side of a pty pair into a TComm (events
// delivered on this thread, every byte checked) and the same amount through a
// plain read loop of 2048-byte reads on another pair as the baseline, in
// rounds that take turns; the ratio is the median of the rounds' ratios. Then measures, with the
// stored time-outs, how long after the last byte of a 10-byte message its
// OnReceiveData runs. Prints name=value lines.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <stdexcept>
#include <thread>
#include <vector>

#include "serial/Comm.h"

namespace {

using TClock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// The engine and the baseline take turns, so that a change in the machine's
// load during the run falls on both alike.
// Short rounds, each a ratio of its own: the median of those ratios holds
// on a machine whose load comes and goes.
constexpr int kRounds = 16;
constexpr std::size_t kTotalBytes = (std::size_t{256} << 20) / kRounds;  // per round
constexpr std::size_t kPatternBytes = std::size_t{1} << 20;
constexpr int kLatencySamples = 40;

class TRawPty {
  public:
    TRawPty() {
        char name[256] = {};
        if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
            throw std::runtime_error("openpty failed");
        }
        path_ = name;
        struct termios raw {};
        ::tcgetattr(slave_, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(slave_, TCSANOW, &raw);
    }
    ~TRawPty() {
        ::close(master_);
        ::close(slave_);
    }
    int Master() const { return master_; }
    int Slave() const { return slave_; }
    const std::string& Path() const { return path_; }

  private:
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
};

// Writes everything unless stop is set while the reader has stalled.
void WriteAll(int fd, const std::uint8_t* data, std::size_t size, const std::atomic<bool>& stop) {
    while (size > 0 && !stop) {
        struct pollfd room {
            fd, POLLOUT, 0
        };
        if (::poll(&room, 1, 100) <= 0) {
            continue;
        }
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            return;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

// Writes kTotalBytes of the repeating pattern to fd.
std::thread StartDevice(int fd, const std::vector<std::uint8_t>& pattern,
                        const std::atomic<bool>& stop) {
    return std::thread([fd, &pattern, &stop] {
        for (std::size_t sent = 0; sent < kTotalBytes; sent += pattern.size()) {
            WriteAll(fd, pattern.data(), std::min(pattern.size(), kTotalBytes - sent), stop);
        }
    });
}

// Checks received bytes against the pattern, counting those that match in order.
class TVerifier {
  public:
    explicit TVerifier(const std::vector<std::uint8_t>& pattern) : pattern_(pattern) {}

    void Take(const std::uint8_t* data, std::size_t size) {
        while (size > 0) {
            const std::size_t at = received_ % pattern_.size();
            const std::size_t run = std::min(size, pattern_.size() - at);
            if (std::memcmp(data, pattern_.data() + at, run) != 0) {
                mismatched_ = true;
            }
            received_ += run;
            data += run;
            size -= run;
        }
    }
    std::size_t Received() const { return received_; }
    std::size_t Lost() const { return mismatched_ ? kTotalBytes : kTotalBytes - received_; }

  private:
    const std::vector<std::uint8_t>& pattern_;
    std::size_t received_ = 0;
    bool mismatched_ = false;
};

// CPU time of the whole process (device side included, alike for both runs):
// a figure the load of other programs on the machine hardly moves.
double ProcessCpuSeconds() {
    struct rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double MegabytesPerSecond(std::size_t bytes, TClock::duration elapsed) {
    return bytes / 1e6 / std::chrono::duration<double>(elapsed).count();
}

void OpenRaw(TComm& comm, const std::string& path) {
    comm.SetCommName(path);
    comm.SetOutx_XonXoffFlow(false);
    comm.SetInx_XonXoffFlow(false);
    comm.OpenPort();
}

struct TRun {
    std::size_t Bytes = 0;
    TClock::duration Elapsed{};
    std::size_t LostBytes = 0;
    std::size_t Blocks = 0;  // OnReceiveData calls (engine only)
    double CpuSeconds = 0;

    TRun& operator+=(const TRun& other) {
        Bytes += other.Bytes;
        Elapsed += other.Elapsed;
        LostBytes += other.LostBytes;
        Blocks += other.Blocks;
        CpuSeconds += other.CpuSeconds;
        return *this;
    }
    double MBps() const { return MegabytesPerSecond(Bytes, Elapsed); }
};

TRun MeasureEngine(const std::vector<std::uint8_t>& pattern) {
    TRawPty pty;
    TComm comm;
    TVerifier verifier(pattern);
    std::size_t blocks = 0;
    QEventLoop loop;
    comm.OnReceiveData = [&](TComm*, const std::uint8_t* buffer, std::uint16_t length) {
        verifier.Take(buffer, length);
        ++blocks;
        if (verifier.Received() >= kTotalBytes) {
            loop.quit();
        }
    };
    OpenRaw(comm, pty.Path());
    QTimer::singleShot(300s, &loop, &QEventLoop::quit);  // a stall must not hang the bench

    std::atomic<bool> stop = false;
    const double cpuAtStart = ProcessCpuSeconds();
    const TClock::time_point start = TClock::now();
    std::thread device = StartDevice(pty.Master(), pattern, stop);
    loop.exec();
    const TClock::duration elapsed = TClock::now() - start;
    stop = true;
    device.join();
    comm.ClosePort();
    return {verifier.Received(), elapsed, verifier.Lost(), blocks,
            ProcessCpuSeconds() - cpuAtStart};
}

TRun MeasureBaseline(const std::vector<std::uint8_t>& pattern) {
    TRawPty pty;
    TVerifier verifier(pattern);
    std::vector<std::uint8_t> buffer(kReadBlockSize);
    std::atomic<bool> stop = false;
    const double cpuAtStart = ProcessCpuSeconds();
    const TClock::time_point start = TClock::now();
    std::thread device = StartDevice(pty.Master(), pattern, stop);
    while (verifier.Received() < kTotalBytes) {
        const ssize_t n = ::read(pty.Slave(), buffer.data(), buffer.size());
        if (n <= 0) {
            break;
        }
        verifier.Take(buffer.data(), static_cast<std::size_t>(n));
    }
    const TClock::duration elapsed = TClock::now() - start;
    stop = true;
    device.join();
    return {verifier.Received(), elapsed, verifier.Lost(), 0, ProcessCpuSeconds() - cpuAtStart};
}

// Milliseconds from the last byte of each message leaving the device side to
// its OnReceiveData, sorted.
std::vector<double> MeasureLatency() {
    TRawPty pty;
    TComm comm;  // stored time-outs: 100 ms read interval
    std::vector<double> samples;
    TClock::time_point written;
    QEventLoop loop;
    comm.OnReceiveData = [&](TComm*, const std::uint8_t*, std::uint16_t) {
        samples.push_back(
            std::chrono::duration<double, std::milli>(TClock::now() - written).count());
        loop.quit();
    };
    OpenRaw(comm, pty.Path());
    const std::atomic<bool> kNeverStop = false;
    const std::uint8_t message[10] = {'1', '2', '3', '4', '5', '6', '7', '8', '\r', '\n'};
    for (int i = 0; i < kLatencySamples; ++i) {
        WriteAll(pty.Master(), message, sizeof message, kNeverStop);
        written = TClock::now();
        QTimer::singleShot(10s, &loop, &QEventLoop::quit);
        loop.exec();
        std::this_thread::sleep_for(20ms);
    }
    comm.ClosePort();
    std::sort(samples.begin(), samples.end());
    return samples;
}

double Percentile(const std::vector<double>& sorted, double fraction) {
    if (sorted.empty()) {
        return -1;
    }
    const auto index = static_cast<std::size_t>(fraction * (sorted.size() - 1) + 0.5);
    return sorted[std::min(index, sorted.size() - 1)];
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::vector<std::uint8_t> pattern(kPatternBytes);
    std::mt19937 random(2026);
    std::generate(pattern.begin(), pattern.end(),
                  [&] { return static_cast<std::uint8_t>(random()); });

    TRun engine;
    TRun baseline;
    std::vector<double> ratios;
    for (int round = 0; round < kRounds; ++round) {
        const TRun engineRound = MeasureEngine(pattern);
        const TRun baselineRound = MeasureBaseline(pattern);
        ratios.push_back(engineRound.MBps() / baselineRound.MBps());
        engine += engineRound;
        baseline += baselineRound;
    }
    std::sort(ratios.begin(), ratios.end());
    const std::vector<double> latency = MeasureLatency();

    std::printf("engine_MBps=%.1f\n", engine.MBps());
    std::printf("baseline_MBps=%.1f\n", baseline.MBps());
    // The budget: the median of the rounds' ratios, with its quartiles.
    std::printf("ratio=%.2f\n", Percentile(ratios, 0.50));
    std::printf("ratio_p25=%.2f\n", Percentile(ratios, 0.25));
    std::printf("ratio_p75=%.2f\n", Percentile(ratios, 0.75));
    std::printf("lost_bytes=%zu\n", engine.LostBytes);
    std::printf("engine_cpu_s=%.2f\n", engine.CpuSeconds);
    std::printf("baseline_cpu_s=%.2f\n", baseline.CpuSeconds);
    std::printf("engine_mean_block_bytes=%.0f\n",
                static_cast<double>(engine.Bytes) / std::max<std::size_t>(engine.Blocks, 1));
    std::printf("latency_ms_p50=%.1f\n", Percentile(latency, 0.50));
    std::printf("latency_ms_p99=%.1f\n", Percentile(latency, 0.99));
    std::printf("latency_samples=%zu\n", latency.size());
    return engine.LostBytes == 0 ? 0 : 1;
}
