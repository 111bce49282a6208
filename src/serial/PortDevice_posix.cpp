// The port device over a Linux tty: termios2 for the line, poll with an
// eventfd as the close event, the driver's interrupt counters for line events.
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <utility>

#include "serial/LineMapping_posix.h"
#include "serial/PortDevice.h"
#include "serial/ReadTimeouts.h"

namespace {

// Modem-line waits (TIOCMIWAIT) cannot be woken by the close event, so line
// events are found by reading the driver's counters at this period instead.
constexpr int kLineEventPollMs = 50;
// How often a writer held by DSR flow control looks at the line again.
constexpr int kDsrFlowPollMs = 10;

using TClock = std::chrono::steady_clock;

class TPosixPortDevice final : public TPortDevice {
  public:
    ~TPosixPortDevice() override;

    TOpenOutcome Open(const std::string& commName) override;
    bool CreateCloseEvent() override;
    void SignalClose() override;
    bool CloseSignalled() const override { return closeSignalled_; }
    void Purge(TPurgeSide side) override;
    void ApplyLineSettings(const TLineSettings& settings) override;
    void ApplyTimeouts(const TCommTimeouts& timeouts) override;

    TReaderWake WaitForReader() override;
    TLineEvent TakeLineEvent() override;
    TTransfer Read(std::span<std::uint8_t> buffer, TArrivalMarks& marks) override;
    TTransfer Write(std::span<const std::uint8_t> bytes) override;

  private:
    enum class TWake { Close, Port, TimedOut, Failed };
    enum class TFill { More, Drained, Gone };
    TWake WaitFor(short portEvents, int timeoutMs);
    TFill FillStage();
    bool BytesWaiting() const;
    bool ReadLineCounters();
    bool ModemLine(int line, bool whenUnknown) const;
    std::size_t KeepReceived(std::span<std::uint8_t> received) const;
    void SetModemLine(int line, bool raised);
    void SetRtsOnSend(bool enabled);

    int fd_ = -1;
    int closeFd_ = -1;
    std::atomic<bool> closeSignalled_ = false;

    // Written by the owner's setters while the threads read them.
    std::atomic<bool> parityCheck_ = false;
    std::atomic<bool> ignoreNullChar_ = false;
    std::atomic<bool> dsrSensitivity_ = false;
    std::atomic<bool> dsrFlow_ = false;
    std::atomic<std::uint32_t> readInterval_ = 0;
    std::atomic<std::uint32_t> readTotalMultiplier_ = 0;
    std::atomic<std::uint32_t> readTotalConstant_ = 0;
    bool rtsOnSend_ = false;

    // Reader thread only. The driver is read in chunks of its own buffer
    // size, which halves the reads of a busy line; what a block cannot take
    // waits here for the next one.
    std::array<std::uint8_t, 4096> stage_;
    std::size_t stageBegin_ = 0;
    std::size_t stageEnd_ = 0;
    TArrivalTime stagedAt_;  // when the staged bytes came out of the driver
    bool bytesLikelyWaiting_ = false;
    bool countersReadable_ = false;
    struct serial_icounter_struct counters_ {};
    TLineEvent pendingLineEvent_;
};

TPosixPortDevice::~TPosixPortDevice() {
    if (fd_ >= 0) {
        // Exclusive mode belongs to the tty, not to this descriptor: leave it
        // on and a device side that stays open (a simulator) would turn
        // every later open away.
        ::ioctl(fd_, TIOCNXCL);
        ::close(fd_);  // also drops the flock
    }
    if (closeFd_ >= 0) {
        ::close(closeFd_);
    }
}

TOpenOutcome TPosixPortDevice::Open(const std::string& commName) {
    const std::string path = DevicePathForCommName(commName);
    // Non-blocking so that a port without carrier opens at once and every
    // wait goes through poll together with the close event.
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return {TOpenResult::CannotOpen, errno};
    }
    const auto refuse = [fd](TOpenResult result, int error) {
        ::close(fd);
        return TOpenOutcome{result, error};
    };
    // TIOCEXCL keeps others out of the tty but not privileged users, and
    // not other opens in this process; the flock covers both. Held by
    // someone else, the device is busy.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        return refuse(TOpenResult::CannotOpen, errno == EWOULDBLOCK ? EBUSY : errno);
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISCHR(info.st_mode)) {
        return refuse(TOpenResult::NotCharDevice, ENOTTY);
    }
    struct termios2 settings {};
    if (::ioctl(fd, TCGETS2, &settings) != 0) {
        return refuse(TOpenResult::CannotSetupBuffers, errno);
    }
    ::ioctl(fd, TIOCEXCL);
    fd_ = fd;
    countersReadable_ = ::ioctl(fd_, TIOCGICOUNT, &counters_) == 0;
    return {TOpenResult::Opened};
}

bool TPosixPortDevice::CreateCloseEvent() {
    closeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    return closeFd_ >= 0;
}

void TPosixPortDevice::SignalClose() {
    closeSignalled_ = true;
    const std::uint64_t one = 1;
    // Stays readable once written, so it wakes every wait, now and later.
    [[maybe_unused]] const ssize_t written = ::write(closeFd_, &one, sizeof one);
}

void TPosixPortDevice::Purge(TPurgeSide side) {
    switch (side) {
        case TPurgeSide::Input:
            ::ioctl(fd_, TCFLSH, TCIFLUSH);
            break;
        case TPurgeSide::Output:
            ::ioctl(fd_, TCFLSH, TCOFLUSH);
            break;
        case TPurgeSide::Both:
            ::ioctl(fd_, TCFLSH, TCIOFLUSH);
            break;
    }
}

void TPosixPortDevice::ApplyLineSettings(const TLineSettings& settings) {
    struct termios2 current {};
    if (::ioctl(fd_, TCGETS2, &current) != 0) {
        return;
    }
    const TPosixLineSettings wanted = PosixLineSettingsFor(settings, current);
    ::ioctl(fd_, TCSETS2, &wanted.Termios);
    SetModemLine(TIOCM_DTR, wanted.RaiseDtr);
    if (!wanted.DriverDrivesRts) {
        SetModemLine(TIOCM_RTS, wanted.RaiseRts);
    }
    SetRtsOnSend(wanted.RtsOnSend);

    parityCheck_ = settings.ParityCheck;
    ignoreNullChar_ = settings.IgnoreNullChar;
    dsrSensitivity_ = settings.DsrSensitivity;
    dsrFlow_ = settings.Outx_DsrFlow;
}

void TPosixPortDevice::SetModemLine(int line, bool raised) {
    ::ioctl(fd_, raised ? TIOCMBIS : TIOCMBIC, &line);
}

void TPosixPortDevice::SetRtsOnSend(bool enabled) {
    if (enabled == rtsOnSend_) {
        return;
    }
    struct serial_rs485 rs485 {};
    if (enabled) {
        rs485.flags = SER_RS485_ENABLED | SER_RS485_RTS_ON_SEND;
    }
    if (::ioctl(fd_, TIOCSRS485, &rs485) == 0) {
        rtsOnSend_ = enabled;
    }
}

void TPosixPortDevice::ApplyTimeouts(const TCommTimeouts& timeouts) {
    // Writes always go on until every byte is out, so the write time-outs
    // have nothing to limit here.
    readInterval_ = timeouts.ReadIntervalTimeout;
    readTotalMultiplier_ = timeouts.ReadTotalTimeoutMultiplier;
    readTotalConstant_ = timeouts.ReadTotalTimeoutConstant;
}

TPosixPortDevice::TWake TPosixPortDevice::WaitFor(short portEvents, int timeoutMs) {
    for (;;) {
        struct pollfd fds[2] = {{closeFd_, POLLIN, 0}, {fd_, portEvents, 0}};
        const int ready = ::poll(fds, 2, timeoutMs);
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            return TWake::Failed;
        }
        if (fds[0].revents != 0) {
            return TWake::Close;
        }
        if (ready == 0) {
            return TWake::TimedOut;
        }
        if (fds[1].revents & POLLNVAL) {
            return TWake::Failed;
        }
        // A hang-up or error is reported by the read or write that follows.
        return TWake::Port;
    }
}

TReaderWake TPosixPortDevice::WaitForReader() {
    // After a read that filled its buffer more bytes are most likely waiting:
    // read on without a round through poll.
    bool skipPoll = bytesLikelyWaiting_;
    for (;;) {
        TWake wake = TWake::Port;
        if (closeSignalled_) {
            wake = TWake::Close;
        } else if (!skipPoll) {
            wake = WaitFor(POLLIN, countersReadable_ ? kLineEventPollMs : -1);
        }
        skipPoll = false;
        if (wake == TWake::Close) {
            return TReaderWake::Close;
        }
        if (wake == TWake::Failed) {
            return TReaderWake::Failed;
        }
        if (countersReadable_ && ReadLineCounters()) {
            return TReaderWake::LineEvent;
        }
        if (wake == TWake::Port) {
            return TReaderWake::DataReady;
        }
    }
}

bool TPosixPortDevice::ReadLineCounters() {
    struct serial_icounter_struct now {};
    if (::ioctl(fd_, TIOCGICOUNT, &now) != 0) {
        return false;  // a vanished device shows up on the next read
    }
    TLineEvent event = LineEventBetween(counters_, now);
    counters_ = now;
    if (!parityCheck_) {
        event.Errors &= ~CE_RXPARITY;
    }
    pendingLineEvent_.Errors |= event.Errors;
    pendingLineEvent_.ModemEvents |= event.ModemEvents;
    return pendingLineEvent_.Errors != 0 || pendingLineEvent_.ModemEvents != 0;
}

TLineEvent TPosixPortDevice::TakeLineEvent() {
    return std::exchange(pendingLineEvent_, {});
}

bool TPosixPortDevice::ModemLine(int line, bool whenUnknown) const {
    int lines = 0;
    if (::ioctl(fd_, TIOCMGET, &lines) != 0) {
        return whenUnknown;  // no modem lines (a pseudo-terminal): nothing holds us back
    }
    return (lines & line) != 0;
}

std::size_t TPosixPortDevice::KeepReceived(std::span<std::uint8_t> received) const {
    if (dsrSensitivity_ && !ModemLine(TIOCM_DSR, true)) {
        return 0;
    }
    if (!ignoreNullChar_) {
        return received.size();
    }
    return static_cast<std::size_t>(std::remove(received.begin(), received.end(), 0) -
                                    received.begin());
}

bool TPosixPortDevice::BytesWaiting() const {
    int waiting = 0;
    return ::ioctl(fd_, FIONREAD, &waiting) == 0 && waiting > 0;
}

TPosixPortDevice::TFill TPosixPortDevice::FillStage() {
    for (;;) {
        const ssize_t got = ::read(fd_, stage_.data(), stage_.size());
        if (got > 0) {
            stagedAt_ = TArrivalClock::now();
            stageBegin_ = 0;
            stageEnd_ = KeepReceived(std::span(stage_.data(), static_cast<std::size_t>(got)));
            // A tty read returns all it holds, but on a fast line more has
            // come by now: asking costs less than a round through poll.
            return static_cast<std::size_t>(got) < stage_.size() && !BytesWaiting() ? TFill::Drained
                                                                                    : TFill::More;
        }
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0 && errno == EAGAIN) {
            return TFill::Drained;
        }
        return TFill::Gone;
    }
}

TTransfer TPosixPortDevice::Read(std::span<std::uint8_t> buffer, TArrivalMarks& marks) {
    std::size_t count = 0;
    TClock::time_point firstByteAt;
    bool driverDrained = false;
    bytesLikelyWaiting_ = false;
    const auto elapsedMs = [&] {
        return static_cast<std::uint64_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(TClock::now() - firstByteAt)
                .count());
    };
    const auto timeouts = [this] {
        return TCommTimeouts{readInterval_, readTotalMultiplier_, readTotalConstant_};
    };
    for (;;) {
        if (stageBegin_ == stageEnd_ && !driverDrained) {
            const TFill fill = FillStage();
            if (fill == TFill::Gone) {
                // The device has gone; hand over what came before it went.
                return count > 0 ? TTransfer{TTransfer::Done, count} : TTransfer{TTransfer::Failed};
            }
            driverDrained = fill == TFill::Drained;
        }
        if (stageBegin_ < stageEnd_) {
            // More bytes are here, so a block that is full or overdue is cut
            // now and they start the next one. Neither is cut before the line
            // has shown that it goes on: at the end of a burst the pause ends
            // the block.
            if (count == buffer.size() || (count > 0 && BlockOverdue(timeouts(), elapsedMs()))) {
                bytesLikelyWaiting_ = true;
                return {TTransfer::Done, count, TBlockEnd::Cut};
            }
            if (count == 0) {
                firstByteAt = TClock::now();
            }
            const std::size_t take = std::min(stageEnd_ - stageBegin_, buffer.size() - count);
            std::memcpy(buffer.data() + count, stage_.data() + stageBegin_, take);
            stageBegin_ += take;
            count += take;
            marks.Add(count, stagedAt_);
            continue;
        }
        if (!driverDrained) {
            continue;
        }
        TNextByteWait wait{-1, TBlockEnd::Pause};
        if (count > 0) {
            wait = NextByteWait(timeouts(), buffer.size(), elapsedMs());
        }
        switch (WaitFor(POLLIN, wait.Ms)) {
            case TWake::Close:
                return {TTransfer::Close};
            case TWake::TimedOut:
                return {TTransfer::Done, count, wait.EndsAs};
            case TWake::Failed:
                return count > 0 ? TTransfer{TTransfer::Done, count} : TTransfer{TTransfer::Failed};
            case TWake::Port:
                driverDrained = false;
                break;
        }
    }
}

TTransfer TPosixPortDevice::Write(std::span<const std::uint8_t> bytes) {
    for (;;) {
        if (dsrFlow_ && !ModemLine(TIOCM_DSR, true)) {
            if (WaitFor(0, kDsrFlowPollMs) == TWake::Close) {
                return {TTransfer::Close};
            }
            continue;
        }
        const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
        if (written > 0) {
            return {TTransfer::Done, static_cast<std::size_t>(written)};
        }
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written < 0 && errno != EAGAIN) {
            return {TTransfer::Failed};
        }
        switch (WaitFor(POLLOUT, -1)) {
            case TWake::Close:
                return {TTransfer::Close};
            case TWake::Failed:
                return {TTransfer::Failed};
            case TWake::TimedOut:
            case TWake::Port:
                break;
        }
    }
}

}  // namespace

std::unique_ptr<TPortDevice> TPortDevice::Create() {
    return std::make_unique<TPosixPortDevice>();
}

std::string TPortDevice::DevicePathFor(const std::string& commName) {
    return DevicePathForCommName(commName);
}
