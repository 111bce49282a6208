// The console on a real pseudo-terminal: a peer on the other side sends text
// and binary, and reads what "发送" puts on the line.
#include <QTest>

#include <poll.h>

#include <thread>

#include "ConsoleFixture.h"
#include "serial/Comm.h"

using namespace std::string_literals;

namespace {

void WriteToPort(int fd, const std::string& bytes) {
    ASSERT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
}

// Reads from the peer's side until `count` bytes arrived or nothing more comes.
std::string ReadFromPort(int fd, size_t count) {
    std::string bytes;
    while (bytes.size() < count) {
        pollfd ready{fd, POLLIN, 0};
        if (::poll(&ready, 1, 5000) <= 0) {
            break;
        }
        char buffer[256];
        const ssize_t got = ::read(fd, buffer, std::min(sizeof buffer, count - bytes.size()));
        if (got <= 0) {
            break;
        }
        bytes.append(buffer, static_cast<size_t>(got));
    }
    return bytes;
}

std::vector<std::string> Drain(TPlotLineQueue& queue) {
    std::vector<std::string> lines;
    while (auto line = queue.FirstLine()) {
        lines.emplace_back(*line);
        queue.RemoveFirstLine();
    }
    return lines;
}

}  // namespace

class ConsoleOverPty : public ConsoleFixture {
  protected:
    void SetUp() override {
        comm.SetCommName(pty.DevicePath());
        comm.SetBaudRate(115200);
        ASSERT_NO_THROW(comm.OpenPort());
        ConnectConsoleToComm(*console, comm);
        port = [this](const char* data, std::uint16_t length) {
            return comm.SendBlock(data, length);
        };
    }

    TPtyPair pty;
    TComm comm;
};

TEST_F(ConsoleOverPty, ReceivesTextAndBinaryAndSendsWhatTheUserTyped) {
    WriteToPort(pty.Master(), "12\r\n34\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return console->MainReceiveView()->Rows().size() >= 3; }));
    EXPECT_EQ(console->MainReceiveView()->Rows(), (QStringList{"12", "34", ""}));
    EXPECT_EQ(Drain(console->Receiver().DecimalQueue()),
              (std::vector<std::string>{"12", "34", ""}));

    panel.sCheckBox2->click();
    WriteToPort(pty.Master(), "\0\x01\xff"s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return console->MainReceiveView()->Rows().size() == 4; }));
    EXPECT_EQ(console->MainReceiveView()->Rows().last(), QStringLiteral("00 01 FF"));
    EXPECT_EQ(Drain(console->Receiver().HexQueue()), (std::vector<std::string>{"\0\x01\xff"s}));

    SendBox()->SetText(QStringLiteral("abc"));
    panel.sButton7->click();
    EXPECT_EQ(ReadFromPort(pty.Master(), 3), "abc");

    panel.sCheckBox1->click();
    SendBox()->SetText(QStringLiteral("5B 0A ff"));
    panel.sButton7->click();
    EXPECT_EQ(ReadFromPort(pty.Master(), 3), "\x5B\x0A\xFF");
    panel.sCheckBox3->click();
    panel.sButton7->click();
    EXPECT_EQ(ReadFromPort(pty.Master(), 5), "\x5B\x5B\x0A\xFF\x5D");
    EXPECT_EQ(panel.sEdit1->text(), QStringLiteral("9"));
    EXPECT_TRUE(reporter.messages.empty());

    comm.ClosePort();
    panel.sCheckBox1->click();
    panel.sButton7->click();
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, QStringLiteral("数据发送错误，请检查串口是否打开"));
}

// A device that never pauses: its stream comes in blocks cut at the read
// buffer's size, mostly inside a number and sometimes inside a line break.
// The line must go on across every cut. A pause long enough to end a block
// only counts after a full second, far beyond any stall of the writer
// thread on a busy machine, so the test does not depend on timing.
class ConsoleOverPtyStream : public ConsoleOverPty,
                             public testing::WithParamInterface<std::string> {
  protected:
    void SetUp() override {
        comm.SetReadIntervalTimeout(1000);
        ConsoleOverPty::SetUp();
    }
};

TEST_P(ConsoleOverPtyStream, SteadyStreamIsQueuedLineForLineThoughItsBlocksAreCut) {
    const std::string& ending = GetParam();
    std::vector<std::string> sent;
    std::string stream;
    for (int i = 0; i < 3000; ++i) {
        sent.push_back(std::to_string(100000 + i));
        stream += sent.back() + ending;
    }
    sent.push_back("");  // the pause after the last line ends it
    int cutBlocks = 0;
    const auto handler = comm.OnReceiveData;
    comm.OnReceiveData = [&](TComm* sender, const std::uint8_t* buffer, std::uint16_t length) {
        cutBlocks += sender->ReceivedBlockEnd() == TBlockEnd::Cut ? 1 : 0;
        handler(sender, buffer, length);
    };
    std::thread device([&] {
        for (size_t at = 0; at < stream.size();) {
            const ssize_t written = ::write(pty.Master(), stream.data() + at, stream.size() - at);
            if (written < 0 && errno != EINTR) {
                return;
            }
            at += static_cast<size_t>(std::max<ssize_t>(written, 0));
        }
    });
    TPlotLineQueue& queue = console->Receiver().DecimalQueue();
    const bool arrived = QTest::qWaitFor([&] { return queue.LineCount() >= sent.size(); }, 60000);
    device.join();
    ASSERT_TRUE(arrived) << queue.LineCount() << " of " << sent.size() << " lines";
    EXPECT_GE(cutBlocks, static_cast<int>(stream.size() / 2048) - 1);

    EXPECT_EQ(Drain(queue), sent);
    const QStringList rows = console->MainReceiveView()->Rows();
    EXPECT_EQ(rows.size(), static_cast<qsizetype>(sent.size()));
    EXPECT_EQ(rows.first(), QStringLiteral("100000"));
    EXPECT_EQ(rows.at(rows.size() - 2), QStringLiteral("102999"));
}

INSTANTIATE_TEST_SUITE_P(CrLfAndLf, ConsoleOverPtyStream, testing::Values("\r\n", "\n"));
