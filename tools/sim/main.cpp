// kelvane-sim: a serial device on a pseudo-terminal that streams a waveform as
// text lines and can echo what it receives. See SimUsage() for the options.
#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <stdexcept>

#include "SimOptions.h"
#include "SimPty.h"
#include "Waveform.h"

namespace {

using TClock = std::chrono::steady_clock;
using TSeconds = std::chrono::duration<double>;

// Lines not yet taken by the pty. Beyond this, nobody is reading: new lines
// are dropped whole, as a device's output is lost on an unattended line.
constexpr std::size_t kMaxPendingBytes = 4096;

// When line k is due, counted from the start: lines of a frame at the line
// rate, then the gap.
TSeconds DueTime(std::uint64_t line, const TSimOptions& options) {
    const std::uint64_t frame = line / options.FrameLines;
    const std::uint64_t inFrame = line % options.FrameLines;
    const double frameSeconds =
        static_cast<double>(options.FrameLines) / options.Rate + options.GapMs / 1000.0;
    return TSeconds(frame * frameSeconds + static_cast<double>(inFrame) / options.Rate);
}

int OpenSignalFd() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigprocmask(SIG_BLOCK, &signals, nullptr);
    ::signal(SIGPIPE, SIG_IGN);
    return ::signalfd(-1, &signals, SFD_CLOEXEC);
}

class TStreamer {
  public:
    TStreamer(const TSimOptions& options, TSimPty& pty)
        : options_(options), pty_(pty), wave_(options.Wave) {}

    // Runs until a signal arrives on signalFd.
    void Run(int signalFd) {
        const TClock::time_point start = TClock::now();
        for (;;) {
            QueueDueLines(TClock::now() - start);
            const TSeconds untilNext = DueTime(nextLine_, options_) - (TClock::now() - start);
            const int timeoutMs =
                std::max(0, static_cast<int>(std::ceil(untilNext.count() * 1000)));
            short masterEvents = options_.Echo ? POLLIN : 0;
            if (!pending_.empty()) {
                masterEvents |= POLLOUT;
            }
            struct pollfd fds[2] = {{signalFd, POLLIN, 0}, {pty_.MasterFd(), masterEvents, 0}};
            if (::poll(fds, 2, timeoutMs) < 0 && errno != EINTR) {
                throw std::runtime_error("poll failed");
            }
            if (fds[0].revents != 0) {
                return;
            }
            if (fds[1].revents & POLLIN) {
                Echo();
            }
            Flush();
        }
    }

  private:
    void QueueDueLines(TSeconds elapsed) {
        while (DueTime(nextLine_, options_) <= elapsed) {
            const std::string line =
                FormatSampleLine(wave_.Next(), options_.Format, options_.LineEnding);
            if (pending_.size() + line.size() <= kMaxPendingBytes) {
                pending_ += line;
            }
            ++nextLine_;
        }
    }

    void Echo() {
        char buffer[4096];
        const ssize_t got = ::read(pty_.MasterFd(), buffer, sizeof buffer);
        if (got > 0) {
            pending_.append(buffer, static_cast<std::size_t>(got));
        }
    }

    void Flush() {
        if (pending_.empty()) {
            return;
        }
        const ssize_t written = ::write(pty_.MasterFd(), pending_.data(), pending_.size());
        if (written > 0) {
            pending_.erase(0, static_cast<std::size_t>(written));
        }
    }

    const TSimOptions& options_;
    TSimPty& pty_;
    TWaveform wave_;
    std::uint64_t nextLine_ = 0;
    std::string pending_;
};

}  // namespace

int main(int argc, char** argv) {
    const auto parsed = ParseSimOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (const auto* error = std::get_if<std::string>(&parsed)) {
        std::cerr << "kelvane-sim: " << *error << "\n\n" << SimUsage();
        return 2;
    }
    const TSimOptions& options = std::get<TSimOptions>(parsed);
    if (options.Help) {
        std::cout << SimUsage();
        return 0;
    }
    try {
        const int signalFd = OpenSignalFd();
        TSimPty pty;
        if (!options.LinkPath.empty()) {
            pty.Link(options.LinkPath);
        }
        std::cout << pty.DevicePath() << std::endl;
        TStreamer(options, pty).Run(signalFd);
    } catch (const std::exception& error) {
        std::cerr << "kelvane-sim: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
