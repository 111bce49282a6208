// TComm over real pseudo-terminals, with the device side in test code.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

#include <QProcess>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include "SerialTestSupport.h"

namespace {

std::string RandomBytes(std::size_t count) {
    std::mt19937 random(12345);
    std::string bytes(count, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(random() & 0xFF);
    }
    return bytes;
}

std::string OpenFailure(TComm& comm) {
    try {
        comm.OpenPort();
    } catch (const ECommsError& error) {
        return error.what();
    }
    return "(opened)";
}

bool DescriptorOpenOn(const std::filesystem::path& target) {
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code ignored;
        if (std::filesystem::read_symlink(entry.path(), ignored) == target) {
            return true;
        }
    }
    return false;
}

}  // namespace

TEST(Comm, BurstArrivesCompleteAndInOrderInBoundedBlocks) {
    TPtyPair pty;
    TComm comm;
    TCommRecorder recorder(comm);
    OpenLikeTheMainWindow(comm, pty.SlavePath());

    const std::string sent = RandomBytes(100000);
    std::thread device([&] { pty.WriteToPort(sent); });
    const bool complete = WaitUntil([&] { return recorder.Bytes.size() >= sent.size(); });
    device.join();

    ASSERT_TRUE(complete) << "received " << recorder.Bytes.size() << " of " << sent.size();
    EXPECT_TRUE(recorder.Bytes == sent) << "bytes lost, repeated or reordered";
    for (std::size_t i = 0; i < recorder.Blocks.size(); ++i) {
        EXPECT_GE(recorder.Blocks[i].size(), 1u);
        EXPECT_LE(recorder.Blocks[i].size(), 2048u);
        if (recorder.Blocks[i].size() == 2048u) {
            EXPECT_EQ(recorder.Ends[i], TBlockEnd::Cut) << "a full block must say more follows";
        }
    }
    EXPECT_EQ(recorder.Ends.back(), TBlockEnd::Pause) << "the line went quiet after the burst";
    EXPECT_TRUE(recorder.EveryBlockTerminated);
}

TEST(Comm, BurstOfWholeBlocksEndsWithAPauseNotACut) {
    TPtyPair pty;
    TComm comm;
    TCommRecorder recorder(comm);
    OpenLikeTheMainWindow(comm, pty.SlavePath());

    const std::string sent = RandomBytes(2 * 2048);
    pty.WriteToPort(sent);
    ASSERT_TRUE(WaitUntil([&] { return recorder.Bytes.size() >= sent.size(); }));
    RunEventsFor(200ms);

    EXPECT_TRUE(recorder.Bytes == sent);
    ASSERT_FALSE(recorder.Ends.empty());
    // The last block is full, yet nothing followed it: the next burst must
    // not be taken for its continuation.
    EXPECT_EQ(recorder.Ends.back(), TBlockEnd::Pause);
}

TEST(Comm, ReadIntervalFramesBlocks) {
    TPtyPair pty;
    TComm comm;
    TCommRecorder recorder(comm);
    comm.SetReadIntervalTimeout(800);
    OpenLikeTheMainWindow(comm, pty.SlavePath());

    // Pauses far below and far above the interval, so a loaded machine
    // cannot blur them.
    pty.WriteToPort("ab");
    std::this_thread::sleep_for(20ms);
    pty.WriteToPort("cd");
    ASSERT_TRUE(WaitUntil([&] { return recorder.Bytes.size() == 4; }));
    std::this_thread::sleep_for(2000ms);
    pty.WriteToPort("ef");
    ASSERT_TRUE(WaitUntil([&] { return recorder.Bytes.size() == 6; }));

    EXPECT_EQ(recorder.Blocks, (std::vector<std::string>{"abcd", "ef"}));
    EXPECT_EQ(recorder.Ends, (std::vector<TBlockEnd>{TBlockEnd::Pause, TBlockEnd::Pause}));
}

TEST(Comm, SteadyStreamIsPassedOnWhileItLastsAndNothingIsLost) {
    TPtyPair pty;
    TComm comm;
    TCommRecorder recorder(comm);
    // Lines 10 ms apart never leave the 300 ms pause that ends a block, and
    // 2.5 s of them fill only half a buffer: only the blocks' age limit (one
    // interval from the first byte) passes them on while they last.
    comm.SetReadIntervalTimeout(300);
    OpenLikeTheMainWindow(comm, pty.SlavePath());

    std::string sent;
    std::atomic<bool> streaming = true;
    std::thread device([&] {
        for (int i = 0; i < 250; ++i) {
            const std::string line = std::to_string(500 + i) + "\r\n";
            pty.WriteToPort(line);
            sent += line;
            std::this_thread::sleep_for(10ms);
        }
        streaming = false;
    });
    std::size_t blocksWhileStreaming = 0;
    while (streaming) {
        RunEventsFor(20ms);
        if (streaming) {
            blocksWhileStreaming = recorder.Blocks.size();
        }
    }
    device.join();
    ASSERT_TRUE(WaitUntil([&] { return recorder.Bytes.size() >= sent.size(); }));
    RunEventsFor(400ms);

    EXPECT_GE(blocksWhileStreaming, 3u) << "the stream was held back until it stopped";
    EXPECT_TRUE(recorder.Bytes == sent) << "bytes lost, repeated or reordered";
    // Mid-stream blocks say that more follows; the last one, however close
    // to the end of the stream it was passed on, says the line went quiet.
    std::vector<TBlockEnd> expected(recorder.Ends.size(), TBlockEnd::Cut);
    expected.back() = TBlockEnd::Pause;
    EXPECT_EQ(recorder.Ends, expected);
}

TEST(Comm, SendDataEmptyOnceAtOpenThenAfterWrites) {
    TPtyPair pty;
    TComm comm;
    TCommRecorder recorder(comm);
    OpenLikeTheMainWindow(comm, pty.SlavePath());

    ASSERT_TRUE(WaitUntil([&] { return recorder.SendIdle == 1; }));
    RunEventsFor(200ms);
    EXPECT_EQ(recorder.SendIdle, 1) << "idle reported again without a write";

    EXPECT_TRUE(comm.SendBlock("one,", 4));
    EXPECT_TRUE(comm.SendBlock("two,", 4));
    EXPECT_TRUE(comm.SendBlock("three", 5));
    EXPECT_EQ(pty.ReadFromPort(13), "one,two,three");
    ASSERT_TRUE(WaitUntil([&] { return recorder.SendIdle >= 2; }));
    RunEventsFor(200ms);
    EXPECT_LE(recorder.SendIdle, 1 + 3) << "more than one idle report per block";
}

TEST(Comm, SendBlockRefusesWhenClosedOrEmpty) {
    TPtyPair pty;
    TComm comm;
    EXPECT_FALSE(comm.SendBlock("x", 1));
    OpenLikeTheMainWindow(comm, pty.SlavePath());
    EXPECT_FALSE(comm.SendBlock("x", 0));
    comm.ClosePort();
    EXPECT_FALSE(comm.SendBlock("x", 1));
    EXPECT_EQ(pty.ReadFromPortFor(100ms), "");
}

TEST(Comm, OpenFailuresNameTheirCause) {
    TComm comm;
    comm.SetCommName("/nonexistent/ttyKelvane");
    EXPECT_EQ(OpenFailure(comm), "Error opening serial port");

    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("kelvane-not-a-port-" + std::to_string(getpid()));
    std::ofstream(file) << "plain file";
    comm.SetCommName(file.string());
    EXPECT_EQ(OpenFailure(comm), "File handle is not a comm handle ");
    EXPECT_FALSE(DescriptorOpenOn(file)) << "the file was left open";
    std::filesystem::remove(file);

    comm.SetCommName("/dev/null");  // a character device, but no serial line
    EXPECT_EQ(OpenFailure(comm), "Cannot setup comm buffer");
    EXPECT_FALSE(comm.IsOpen());
}

TEST(Comm, PortIsExclusiveAndASecondOpenKeepsTheFirst) {
    TPtyPair pty;
    TComm first;
    TCommRecorder recorder(first);
    OpenLikeTheMainWindow(first, pty.SlavePath());

    EXPECT_EQ(OpenFailure(first), "This serial port already opened");
    TComm second;
    second.SetCommName(pty.SlavePath());
    EXPECT_EQ(OpenFailure(second), "Error opening serial port");

    pty.WriteToPort("still here");
    EXPECT_TRUE(WaitUntil([&] { return recorder.Bytes == "still here"; }));
    EXPECT_TRUE(first.SendBlock("ok", 2));
    EXPECT_EQ(pty.ReadFromPort(2), "ok");

    // Closing frees the device for others.
    first.ClosePort();
    EXPECT_NO_THROW(second.OpenPort());
}

TEST(Comm, PortBusyInAnotherProcessCannotBeOpened) {
    TPtyPair pty;
    QProcess holder;
    holder.start(KELVANE_PYTHON3, {"-c",
                                   "import fcntl,sys,time\n"
                                   "f=open(sys.argv[1],'rb',buffering=0)\n"
                                   "fcntl.flock(f,fcntl.LOCK_EX|fcntl.LOCK_NB)\n"
                                   "print('locked',flush=True)\n"
                                   "time.sleep(30)\n",
                                   QString::fromStdString(pty.SlavePath())});
    ASSERT_TRUE(holder.waitForReadyRead(10000));

    TComm comm;
    comm.SetCommName(pty.SlavePath());
    EXPECT_EQ(OpenFailure(comm), "Error opening serial port");
    holder.kill();
    holder.waitForFinished();
    EXPECT_NO_THROW(comm.OpenPort());
}

TEST(Comm, CloseEndsAWriteHeldByXoffWithoutHangup) {
    TPtyPair pty;
    TComm comm;
    TCommRecorder recorder(comm);
    comm.SetCommName(pty.SlavePath());
    comm.SetOutx_XonXoffFlow(true);
    comm.OpenPort();

    pty.WriteToPort("\x13");
    // Output is stopped once the tty no longer offers room to writers.
    ASSERT_TRUE(WaitUntil([&] {
        struct pollfd fd {
            pty.SlaveFd(), POLLOUT, 0
        };
        return ::poll(&fd, 1, 0) == 0;
    }));
    const std::string block(1000, 'w');
    ASSERT_TRUE(comm.SendBlock(block.data(), static_cast<std::uint16_t>(block.size())));
    EXPECT_EQ(pty.ReadFromPortFor(300ms), "") << "XOFF did not hold the writer";

    comm.ClosePort();
    EXPECT_FALSE(comm.IsOpen());
    RunEventsFor(300ms);
    EXPECT_EQ(recorder.Hangups, 0);
}

TEST(Comm, VanishedDeviceRequestsHangupOnceAndCanBeReopened) {
    TComm comm;
    TCommRecorder recorder(comm);
    {
        TPtyPair pty;
        OpenLikeTheMainWindow(comm, pty.SlavePath());
        pty.WriteToPort("last words");
        ASSERT_TRUE(WaitUntil([&] { return recorder.Bytes == "last words"; }));
        pty.CloseDeviceSide();
        ASSERT_TRUE(WaitUntil([&] { return recorder.Hangups > 0; }));
        // The writer meets the dead device too; that is the same fault.
        comm.SendBlock("late", 4);
        RunEventsFor(300ms);
        EXPECT_EQ(recorder.Hangups, 1);
        EXPECT_TRUE(comm.IsOpen()) << "a hang-up request must not close the port by itself";
    }
    comm.ClosePort();

    TPtyPair replacement;
    OpenLikeTheMainWindow(comm, replacement.SlavePath());
    replacement.WriteToPort("again");
    EXPECT_TRUE(WaitUntil([&] { return recorder.Bytes == "last wordsagain"; }));
}

TEST(Comm, ReopenAfterCloseReceivesAndSends) {
    TPtyPair pty;
    TComm comm;
    TCommRecorder recorder(comm);
    for (int round = 0; round < 3; ++round) {
        OpenLikeTheMainWindow(comm, pty.SlavePath());
        const std::string tag = "round" + std::to_string(round);
        pty.WriteToPort(tag);
        ASSERT_TRUE(WaitUntil([&] { return recorder.Bytes.ends_with(tag); }));
        ASSERT_TRUE(comm.SendBlock(tag.data(), static_cast<std::uint16_t>(tag.size())));
        EXPECT_EQ(pty.ReadFromPort(tag.size()), tag);
        comm.ClosePort();
        comm.ClosePort();  // closing twice is harmless
    }
    EXPECT_EQ(recorder.Hangups, 0);
}

TEST(Comm, HandlerMayClosePortOnHangup) {
    TComm comm;
    auto pty = std::make_unique<TPtyPair>();
    OpenLikeTheMainWindow(comm, pty->SlavePath());
    comm.OnRequestHangup = [](TComm* sender) { sender->ClosePort(); };
    pty->CloseDeviceSide();
    EXPECT_TRUE(WaitUntil([&] { return !comm.IsOpen(); }));
}

TEST(Comm, SettersWhileOpenKeepTheLineWorking) {
    TPtyPair pty;
    TComm comm;
    TCommRecorder recorder(comm);
    OpenLikeTheMainWindow(comm, pty.SlavePath());
    comm.SetBaudRate(115200);
    comm.SetByteSize(TByteSize::_8);  // unchanged value: nothing to do
    comm.SetReadIntervalTimeout(20);
    comm.SetIgnoreNullChar(true);

    pty.WriteToPort(std::string("a\0b\0c", 5));
    ASSERT_TRUE(WaitUntil([&] { return recorder.Bytes.size() >= 3; }));
    EXPECT_EQ(recorder.Bytes, "abc");
}

TEST(Comm, LineSettingsReachTheDeviceAtOpenAndOnChange) {
    TPtyPair pty;
    TComm comm;
    comm.SetCommName(pty.SlavePath());
    comm.SetBaudRate(57600);
    comm.SetXonChar('A');
    comm.SetXoffChar('B');
    comm.OpenPort();

    struct termios line {};
    ASSERT_EQ(::tcgetattr(pty.SlaveFd(), &line), 0);
    EXPECT_EQ(::cfgetospeed(&line), speed_t{B57600});
    EXPECT_EQ(line.c_cc[VSTART], 'A');
    EXPECT_EQ(line.c_cc[VSTOP], 'B');
    EXPECT_TRUE(line.c_iflag & IXON);
    EXPECT_FALSE(line.c_lflag & (ICANON | ECHO));

    comm.SetBaudRate(19200);
    comm.SetOutx_XonXoffFlow(false);
    ASSERT_EQ(::tcgetattr(pty.SlaveFd(), &line), 0);
    EXPECT_EQ(::cfgetospeed(&line), speed_t{B19200});
    EXPECT_FALSE(line.c_iflag & IXON);
}

TEST(Comm, DestroyingAnOpenComponentClosesThePort) {
    TPtyPair pty;
    {
        TComm comm;
        OpenLikeTheMainWindow(comm, pty.SlavePath());
        ASSERT_TRUE(comm.SendBlock("bye", 3));
        EXPECT_EQ(pty.ReadFromPort(3), "bye");
    }
    TComm next;
    next.SetCommName(pty.SlavePath());
    EXPECT_NO_THROW(next.OpenPort());
}
