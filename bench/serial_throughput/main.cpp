// Throughput and latency of the serial engine over pseudo-terminals.
//
//   serial_throughput [rounds] [seconds-per-turn]     (default 15 rounds, 1 s)
//
// Pushes a random pattern from the device side of a pty pair into a TComm
// (events delivered on this thread, every byte checked) and the same amount
// through a plain read loop of 2048-byte reads on another pair as the
// baseline, read on a thread raised as the engine's reader is. Each round
// is one turn of each, the engine first in even rounds and the baseline
// first in odd ones, so neither always meets the machine as the other left
// it; a warm-up pair sizes the turns to about the seconds asked for. The ratio is the median of the rounds' ratios, with its
// quartiles. Beside the speed, what each side cost per megabyte in CPU time
// and in context switches (the whole process, device side included, alike
// for both), and the cpu_ratio of those costs, median and quartiles. Then measures, with the stored time-outs, how long after the
// last byte of a 10-byte message its OnReceiveData runs. Prints name=value
// lines.
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
#include <cstdlib>
#include <cstring>
#include <random>
#include <stdexcept>
#include <thread>
#include <vector>

#include "serial/Comm.h"
#include "serial/ThreadPriority.h"

namespace {

using TClock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int kDefaultRounds = 15;
constexpr double kDefaultTurnSeconds = 1.0;
constexpr std::size_t kWarmUpBytes = std::size_t{16} << 20;
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

// Writes `total` bytes of the repeating pattern to fd.
std::thread StartDevice(int fd, const std::vector<std::uint8_t>& pattern, std::size_t total,
                        const std::atomic<bool>& stop) {
    return std::thread([fd, &pattern, total, &stop] {
        for (std::size_t sent = 0; sent < total; sent += pattern.size()) {
            WriteAll(fd, pattern.data(), std::min(pattern.size(), total - sent), stop);
        }
    });
}

// Checks received bytes against the pattern, counting those that match in order.
class TVerifier {
  public:
    TVerifier(const std::vector<std::uint8_t>& pattern, std::size_t expected)
        : pattern_(pattern), expected_(expected) {}

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
    bool Complete() const { return received_ >= expected_; }
    std::size_t Received() const { return received_; }
    std::size_t Lost() const { return mismatched_ ? expected_ : expected_ - received_; }

  private:
    const std::vector<std::uint8_t>& pattern_;
    const std::size_t expected_;
    std::size_t received_ = 0;
    bool mismatched_ = false;
};

// CPU time and context switches of the whole process so far: figures the
// load of other programs on the machine hardly moves.
struct TProcessCost {
    double CpuSeconds = 0;
    long Switches = 0;

    static TProcessCost Now() {
        struct rusage usage {};
        ::getrusage(RUSAGE_SELF, &usage);
        const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
        return {seconds(usage.ru_utime) + seconds(usage.ru_stime), usage.ru_nvcsw + usage.ru_nivcsw};
    }
    TProcessCost operator-(const TProcessCost& start) const {
        return {CpuSeconds - start.CpuSeconds, Switches - start.Switches};
    }
};

void OpenRaw(TComm& comm, const std::string& path) {
    comm.SetCommName(path);
    comm.SetOutx_XonXoffFlow(false);
    comm.SetInx_XonXoffFlow(false);
    comm.OpenPort();
}

// One turn of the engine or the baseline.
struct TTurn {
    std::size_t Bytes = 0;
    TClock::duration Elapsed{};
    std::size_t LostBytes = 0;
    std::size_t Blocks = 0;  // OnReceiveData calls (engine only)
    TProcessCost Cost;

    double MBps() const { return Bytes / 1e6 / std::chrono::duration<double>(Elapsed).count(); }
    double CpuMsPerMB() const { return 1e3 * Cost.CpuSeconds / (Bytes / 1e6); }
    double SwitchesPerMB() const { return Cost.Switches / (Bytes / 1e6); }
};

// Feeds `total` bytes through `receive`, which reads until its verifier is
// complete; the clock and the cost cover the device and the receiver alike.
template <typename TReceive>
TTurn MeasureTurn(int deviceFd, const std::vector<std::uint8_t>& pattern, std::size_t total,
                  TVerifier& verifier, TReceive receive) {
    std::atomic<bool> stop = false;
    const TProcessCost costAtStart = TProcessCost::Now();
    const TClock::time_point start = TClock::now();
    std::thread device = StartDevice(deviceFd, pattern, total, stop);
    receive();
    const TClock::duration elapsed = TClock::now() - start;
    stop = true;
    device.join();
    return {verifier.Received(), elapsed, verifier.Lost(), 0, TProcessCost::Now() - costAtStart};
}

TTurn MeasureEngine(const std::vector<std::uint8_t>& pattern, std::size_t total) {
    TRawPty pty;
    TComm comm;
    TVerifier verifier(pattern, total);
    std::size_t blocks = 0;
    QEventLoop loop;
    comm.OnReceiveData = [&](TComm*, const std::uint8_t* buffer, std::uint16_t length) {
        verifier.Take(buffer, length);
        ++blocks;
        if (verifier.Complete()) {
            loop.quit();
        }
    };
    OpenRaw(comm, pty.Path());
    QTimer::singleShot(300s, &loop, &QEventLoop::quit);  // a stall must not hang the bench
    TTurn turn = MeasureTurn(pty.Master(), pattern, total, verifier, [&] { loop.exec(); });
    comm.ClosePort();
    turn.Blocks = blocks;
    return turn;
}

// The plain loop reads on a thread raised as the engine's reader is, so that
// on a busy machine neither side gets a larger share of it than the other.
TTurn MeasureBaseline(const std::vector<std::uint8_t>& pattern, std::size_t total) {
    TRawPty pty;
    TVerifier verifier(pattern, total);
    std::vector<std::uint8_t> buffer(kReadBlockSize);
    return MeasureTurn(pty.Master(), pattern, total, verifier, [&] {
        std::thread reader([&] {
            RaiseCurrentThreadPriority(kReaderPrioritySteps);
            while (!verifier.Complete()) {
                const ssize_t n = ::read(pty.Slave(), buffer.data(), buffer.size());
                if (n <= 0) {
                    break;
                }
                verifier.Take(buffer.data(), static_cast<std::size_t>(n));
            }
        });
        reader.join();
    });
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

double Percentile(std::vector<double> values, double fraction) {
    if (values.empty()) {
        return -1;
    }
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(fraction * (values.size() - 1) + 0.5);
    return values[std::min(index, values.size() - 1)];
}

// One figure of every turn, for its median.
template <typename TFigure>
std::vector<double> Each(const std::vector<TTurn>& turns, TFigure figure) {
    std::vector<double> values;
    for (const TTurn& turn : turns) {
        values.push_back(figure(turn));
    }
    return values;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultRounds;
    const double turnSeconds = argc > 2 ? std::max(0.05, std::atof(argv[2])) : kDefaultTurnSeconds;
    std::vector<std::uint8_t> pattern(kPatternBytes);
    std::mt19937 random(2026);
    std::generate(pattern.begin(), pattern.end(),
                  [&] { return static_cast<std::uint8_t>(random()); });

    // The warm-up pair is not counted; it says how many bytes fill a turn.
    const double warmUpMBps = std::max(MeasureEngine(pattern, kWarmUpBytes).MBps(),
                                       MeasureBaseline(pattern, kWarmUpBytes).MBps());
    const auto turnBytes = static_cast<std::size_t>(warmUpMBps * 1e6 * turnSeconds);

    std::vector<TTurn> engine;
    std::vector<TTurn> baseline;
    std::vector<double> ratios;
    std::vector<double> cpuRatios;
    std::size_t lostBytes = 0;
    for (int round = 0; round < rounds; ++round) {
        if (round % 2 == 0) {
            engine.push_back(MeasureEngine(pattern, turnBytes));
            baseline.push_back(MeasureBaseline(pattern, turnBytes));
        } else {
            baseline.push_back(MeasureBaseline(pattern, turnBytes));
            engine.push_back(MeasureEngine(pattern, turnBytes));
        }
        ratios.push_back(engine.back().MBps() / baseline.back().MBps());
        cpuRatios.push_back(baseline.back().CpuMsPerMB() / engine.back().CpuMsPerMB());
        lostBytes += engine.back().LostBytes;
    }
    const std::vector<double> latency = MeasureLatency();

    const auto mbps = [](const TTurn& turn) { return turn.MBps(); };
    const auto cpu = [](const TTurn& turn) { return turn.CpuMsPerMB(); };
    const auto switches = [](const TTurn& turn) { return turn.SwitchesPerMB(); };
    const auto blockBytes = [](const TTurn& turn) {
        return static_cast<double>(turn.Bytes) / std::max<std::size_t>(turn.Blocks, 1);
    };
    std::printf("rounds=%d\n", rounds);
    std::printf("turn_MB=%.1f\n", turnBytes / 1e6);
    std::printf("engine_MBps=%.1f\n", Percentile(Each(engine, mbps), 0.5));
    std::printf("baseline_MBps=%.1f\n", Percentile(Each(baseline, mbps), 0.5));
    // The budget: the median of the rounds' ratios, with its quartiles.
    std::printf("ratio=%.2f\n", Percentile(ratios, 0.50));
    std::printf("ratio_p25=%.2f\n", Percentile(ratios, 0.25));
    std::printf("ratio_p75=%.2f\n", Percentile(ratios, 0.75));
    std::printf("lost_bytes=%zu\n", lostBytes);
    // What a megabyte costs the plain loop against the engine, over the same
    // rounds: a figure the machine's load moves far less than the speed.
    std::printf("cpu_ratio=%.2f\n", Percentile(cpuRatios, 0.50));
    std::printf("cpu_ratio_p25=%.2f\n", Percentile(cpuRatios, 0.25));
    std::printf("cpu_ratio_p75=%.2f\n", Percentile(cpuRatios, 0.75));
    std::printf("engine_cpu_ms_per_MB=%.2f\n", Percentile(Each(engine, cpu), 0.5));
    std::printf("baseline_cpu_ms_per_MB=%.2f\n", Percentile(Each(baseline, cpu), 0.5));
    std::printf("engine_switches_per_MB=%.0f\n", Percentile(Each(engine, switches), 0.5));
    std::printf("baseline_switches_per_MB=%.0f\n", Percentile(Each(baseline, switches), 0.5));
    std::printf("engine_mean_block_bytes=%.0f\n", Percentile(Each(engine, blockBytes), 0.5));
    std::printf("latency_ms_p50=%.1f\n", Percentile(latency, 0.50));
    std::printf("latency_ms_p99=%.1f\n", Percentile(latency, 0.99));
    std::printf("latency_samples=%zu\n", latency.size());
    return lostBytes == 0 ? 0 : 1;
}
