#include "SerialTestSupport.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>
#include <QCoreApplication>

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <thread>

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        QCoreApplication::processEvents();
        if (done()) {
            return true;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(1ms);
    }
}

bool WaitWithoutEvents(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(2ms);
    }
    return true;
}

void RunEventsFor(std::chrono::milliseconds duration) {
    WaitUntil([] { return false; }, duration);
}

TPtyPair::TPtyPair() {
    char name[256] = {};
    if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
        throw std::runtime_error("openpty failed");
    }
    slavePath_ = name;
    struct termios raw {};
    ::tcgetattr(slave_, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(slave_, TCSANOW, &raw);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
}

TPtyPair::~TPtyPair() {
    CloseDeviceSide();
    ::close(slave_);
}

void TPtyPair::WriteToPort(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        struct pollfd fd {
            master_, POLLOUT, 0
        };
        if (::poll(&fd, 1, 10000) <= 0) {
            throw std::runtime_error("the port side stopped reading");
        }
    }
}

std::string TPtyPair::ReadFromPort(std::size_t count) {
    std::string received;
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (received.size() < count && std::chrono::steady_clock::now() < deadline) {
        received += ReadFromPortFor(10ms);
    }
    return received;
}

std::string TPtyPair::ReadFromPortFor(std::chrono::milliseconds duration) {
    std::string received;
    const auto deadline = std::chrono::steady_clock::now() + duration;
    do {
        struct pollfd fd {
            master_, POLLIN, 0
        };
        if (::poll(&fd, 1, 5) > 0) {
            char buffer[4096];
            const ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n > 0) {
                received.append(buffer, static_cast<std::size_t>(n));
            }
        }
    } while (std::chrono::steady_clock::now() < deadline);
    return received;
}

void TPtyPair::CloseDeviceSide() {
    if (master_ >= 0) {
        ::close(master_);
        master_ = -1;
    }
}

void OpenLikeTheMainWindow(TComm& comm, const std::string& path) {
    comm.SetCommName(path);
    comm.SetOutx_XonXoffFlow(false);
    comm.SetInx_XonXoffFlow(false);
    comm.OpenPort();
}

TCommRecorder::TCommRecorder(TComm& comm) {
    comm.OnReceiveData = [this](TComm* sender, const std::uint8_t* buffer, std::uint16_t length) {
        const std::string block(reinterpret_cast<const char*>(buffer), length);
        Bytes += block;
        Blocks.push_back(block);
        Ends.push_back(sender->ReceivedBlockEnd());
        Arrivals.push_back(sender->ReceivedArrival());
        EveryBlockTerminated = EveryBlockTerminated && buffer[length] == 0;
    };
    comm.OnSendDataEmpty = [this](TComm*) { ++SendIdle; };
    comm.OnRequestHangup = [this](TComm*) { ++Hangups; };
}

std::string RandomBytes(std::size_t count, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(count, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(random() & 0xFF);
    }
    return bytes;
}

void ExpectDataFlows(TComm& comm, TPtyPair& pty, TCommRecorder& recorder, const std::string& tag) {
    ASSERT_TRUE(comm.IsOpen());
    const std::size_t before = recorder.Bytes.size();
    pty.WriteToPort(tag);
    EXPECT_TRUE(WaitUntil([&] { return recorder.Bytes.size() >= before + tag.size(); }));
    EXPECT_EQ(recorder.Bytes.substr(before), tag) << "received";
    ASSERT_TRUE(comm.SendBlock(tag.data(), static_cast<std::uint16_t>(tag.size())));
    EXPECT_EQ(pty.ReadFromPort(tag.size()), tag) << "sent";
}
