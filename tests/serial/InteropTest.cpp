// TComm against peers written elsewhere: socat relaying between two ptys, and
// python3-serial at the far end of that relay.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <QProcess>
#include <filesystem>

#include "SerialTestSupport.h"
#include "support/SocatLink.h"

namespace {

std::string ReadFd(int fd, std::size_t count) {
    std::string received;
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (received.size() < count && std::chrono::steady_clock::now() < deadline) {
        struct pollfd ready {
            fd, POLLIN, 0
        };
        if (::poll(&ready, 1, 20) > 0) {
            char buffer[4096];
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n > 0) {
                received.append(buffer, static_cast<std::size_t>(n));
            }
        }
    }
    return received;
}

}  // namespace

TEST(Interop, ExchangesBytesBothWaysThroughSocat) {
    KELVANE_SKIP_WITHOUT(KELVANE_SOCAT);
    TSocatLink link(KELVANE_SOCAT);
    ASSERT_TRUE(link.Ready());
    const int peer = ::open(link.PortB().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(peer, 0);

    TComm comm;
    TCommRecorder recorder(comm);
    OpenLikeTheMainWindow(comm, link.PortA());

    std::string outgoing;
    for (int i = 0; i < 4096; ++i) {
        outgoing += static_cast<char>(i & 0xFF);  // every byte value, XON/XOFF included
    }
    ASSERT_TRUE(comm.SendBlock(outgoing.data(), static_cast<std::uint16_t>(outgoing.size())));
    EXPECT_TRUE(ReadFd(peer, outgoing.size()) == outgoing);

    const std::string incoming = "from the far side\r\n";
    ASSERT_EQ(::write(peer, incoming.data(), incoming.size()),
              static_cast<ssize_t>(incoming.size()));
    EXPECT_TRUE(WaitUntil([&] { return recorder.Bytes == incoming; })) << recorder.Bytes;
    ::close(peer);
}

TEST(Interop, TalksWithPythonSerial) {
    KELVANE_SKIP_WITHOUT(KELVANE_SOCAT);
    KELVANE_SKIP_WITHOUT(KELVANE_PYTHON3);
    if (QProcess::execute(KELVANE_PYTHON3, {"-c", "import serial"}) != 0) {
        GTEST_SKIP() << "python3 has no serial module (package python3-serial)";
    }
    TSocatLink link(KELVANE_SOCAT);
    ASSERT_TRUE(link.Ready());
    TComm comm;
    TCommRecorder recorder(comm);
    OpenLikeTheMainWindow(comm, link.PortA());

    QProcess python;
    python.start(KELVANE_PYTHON3, {"-c",
                                   "import serial,sys\n"
                                   "s=serial.Serial(sys.argv[1],115200,timeout=10)\n"
                                   "s.write(b'ping from python\\n')\n"
                                   "sys.stdout.write(s.read(16).decode())\n",
                                   QString::fromStdString(link.PortB())});
    ASSERT_TRUE(python.waitForStarted(10000));
    ASSERT_TRUE(WaitUntil([&] { return recorder.Bytes == "ping from python\n"; }))
        << recorder.Bytes;
    ASSERT_TRUE(comm.SendBlock("pong from kelvan", 16));
    ASSERT_TRUE(WaitUntil([&] { return python.state() == QProcess::NotRunning; }));
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    EXPECT_EQ(python.readAllStandardOutput().toStdString(), "pong from kelvan");
}
