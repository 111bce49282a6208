// The console on a real pseudo-terminal: a peer on the other side sends text
// and binary, and reads what "发送" puts on the line.
#include <QTest>

#include <poll.h>

#include <atomic>
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
        lines.push_back(*line);
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

TEST_F(ConsoleOverPty, SteadyStreamIsQueuedLineForLineThoughItsBlocksAreCut) {
    // The device writes a character at a time, so the blocks that keep the
    // never-pausing stream moving are mostly cut inside a number.
    std::vector<std::string> sent;
    std::atomic<bool> streaming = true;
    std::thread device([&] {
        for (int i = 0; i < 150; ++i) {
            const std::string number = std::to_string(1000 + i);
            for (const char c : number + "\r\n") {
                WriteToPort(pty.Master(), std::string(1, c));
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
            sent.push_back(number);
        }
        streaming = false;
    });
    while (streaming) {
        QTest::qWait(20);
    }
    device.join();
    sent.push_back("");  // the pause after the last line ends it
    TPlotLineQueue& queue = console->Receiver().DecimalQueue();
    ASSERT_TRUE(QTest::qWaitFor([&] { return queue.LineCount() >= sent.size(); }, 5000));
    QTest::qWait(300);

    EXPECT_EQ(Drain(queue), sent);
    const QStringList rows = console->MainReceiveView()->Rows();
    EXPECT_EQ(rows.size(), static_cast<qsizetype>(sent.size()));
    EXPECT_EQ(rows.first(), QStringLiteral("1000"));
    EXPECT_EQ(rows.at(rows.size() - 2), QStringLiteral("1149"));
}
