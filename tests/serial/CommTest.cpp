// TComm over real pseudo-terminals, with the device side in test code.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>

#include "SerialTestSupport.h"
#include "support/DeviceChildProcesses.h"

namespace {

std::string OpenFailure(TComm& comm) {
    try {
        comm.OpenPort();
    } catch (const ECommsError& error) {
        return error.what();
    }
    return "(opened)";
}

// The message and, after a colon, the system's error code.
std::string OpenFailureWithCause(TComm& comm) {
    try {
        comm.OpenPort();
    } catch (const ECommsError& error) {
        return std::string(error.what()) + ":" + std::to_string(error.SystemError());
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
    // The block is passed on only once the line has been quiet for the
    // interval, so what comes after it starts a block of its own.
    ASSERT_TRUE(WaitUntil([&] { return recorder.Blocks.size() == 1; }));
    pty.WriteToPort("ef");
    ASSERT_TRUE(WaitUntil([&] { return recorder.Bytes.size() == 6; }));

    EXPECT_EQ(recorder.Blocks, (std::vector<std::string>{"abcd", "ef"}));
    EXPECT_EQ(recorder.Ends, (std::vector<TBlockEnd>{TBlockEnd::Pause, TBlockEnd::Pause}));
}

TEST(Comm, EachReadOfABlockIsStampedWhenItsBytesCame) {
    TPtyPair pty;
    TComm comm;
    TCommRecorder recorder(comm);
    comm.SetReadIntervalTimeout(800);
    OpenLikeTheMainWindow(comm, pty.SlavePath());

    // Three lines 150 ms apart fall into one block; each keeps its own time.
    std::vector<TArrivalTime> written;
    for (const char* line : {"1\n", "2\n", "3\n"}) {
        if (!written.empty()) {
            std::this_thread::sleep_for(150ms);
        }
        written.push_back(TArrivalClock::now());
        pty.WriteToPort(line);
    }
    ASSERT_TRUE(WaitUntil([&] { return recorder.Bytes.size() == 6; }));
    const TArrivalTime delivered = TArrivalClock::now();
    ASSERT_EQ(recorder.Blocks, (std::vector<std::string>{"1\n2\n3\n"}));

    const TArrivalMarks& arrival = recorder.Arrivals.front();
    ASSERT_FALSE(arrival.Empty());
    EXPECT_EQ(arrival.Marks().back().End, 6u);
    for (std::size_t line = 0; line < 3; ++line) {
        const TArrivalTime stamp = arrival.TimeOf(2 * line + 1);
        EXPECT_GE(stamp, written[line]) << "line " << line << " stamped before it was sent";
        EXPECT_LE(stamp, delivered);
        if (line + 1 < 3) {
            // Read as it came, not when the block was passed on.
            EXPECT_LT(stamp, written[line + 1]) << "line " << line;
        }
    }
}

TEST(Comm, SteadyStreamIsPassedOnWhileItLastsAndNothingIsLost) {
    TPtyPair pty;
    TComm comm;
    TCommRecorder recorder(comm);
    // Lines 10 ms apart never leave the 300 ms pause that ends a block, and
    // fill a buffer only after seconds: only the blocks' age limit (one
    // interval from the first byte) passes them on while they last.
    constexpr auto kInterval = 300ms;
    comm.SetReadIntervalTimeout(kInterval.count());
    OpenLikeTheMainWindow(comm, pty.SlavePath());

    // The device streams until three blocks have come, however slowly the
    // machine runs, and notes its longest gap between two lines.
    std::string sent;
    std::atomic<bool> enough = false;
    std::chrono::steady_clock::duration longestGap{};
    std::thread device([&] {
        auto last = std::chrono::steady_clock::now();
        for (int i = 0; !enough && i < 6000; ++i) {
            const std::string line = std::to_string(500 + i) + "\r\n";
            const auto now = std::chrono::steady_clock::now();
            longestGap = std::max(longestGap, now - last);
            last = now;
            pty.WriteToPort(line);
            sent += line;
            std::this_thread::sleep_for(10ms);
        }
    });
    const bool passedOnWhileStreaming = WaitUntil([&] { return recorder.Blocks.size() >= 3; }, 60s);
    enough = true;
    device.join();
    ASSERT_TRUE(passedOnWhileStreaming) << "the stream was held back";
    ASSERT_TRUE(WaitUntil([&] { return recorder.Bytes.size() >= sent.size(); }));
    ASSERT_TRUE(WaitUntil([&] { return recorder.Ends.back() == TBlockEnd::Pause; }));

    EXPECT_TRUE(recorder.Bytes == sent) << "bytes lost, repeated or reordered";
    // A block ends as a pause only after the device was quiet for a whole
    // interval. Unless a stalled device thread made such a gap, every
    // mid-stream block says that more follows.
    if (longestGap < kInterval) {
        std::vector<TBlockEnd> expected(recorder.Ends.size(), TBlockEnd::Cut);
        expected.back() = TBlockEnd::Pause;
        EXPECT_EQ(recorder.Ends, expected);
    }
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
    EXPECT_EQ(comm.LastSendRefusal(), TSendRefusal::NotOpen);
    OpenLikeTheMainWindow(comm, pty.SlavePath());
    EXPECT_FALSE(comm.SendBlock("x", 0));
    EXPECT_EQ(comm.LastSendRefusal(), TSendRefusal::EmptyBlock);
    comm.ClosePort();
    EXPECT_FALSE(comm.SendBlock("x", 1));
    EXPECT_EQ(comm.LastSendRefusal(), TSendRefusal::NotOpen);
    EXPECT_EQ(pty.ReadFromPortFor(100ms), "");
}

TEST(Comm, OpenFailuresKeepTheirMessageAndCarryTheSystemsCause) {
    TComm comm;
    comm.SetCommName("/nonexistent/ttyKelvane");
    EXPECT_EQ(OpenFailureWithCause(comm), "Error opening serial port:" + std::to_string(ENOENT));

    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("kelvane-not-a-port-" + std::to_string(getpid()));
    std::ofstream(file) << "plain file";
    comm.SetCommName(file.string());
    EXPECT_EQ(OpenFailureWithCause(comm),
              "File handle is not a comm handle :" + std::to_string(ENOTTY));
    EXPECT_FALSE(DescriptorOpenOn(file)) << "the file was left open";
    std::filesystem::remove(file);

    comm.SetCommName("/dev/null");  // a character device, but no serial line
    EXPECT_EQ(OpenFailureWithCause(comm), "Cannot setup comm buffer:" + std::to_string(ENOTTY));
    EXPECT_FALSE(comm.IsOpen());
}

TEST(Comm, APortTheUserMayNotUseFailsWithPermissionDenied) {
    TPtyPair pty;
    ASSERT_TRUE(DenyAccess(pty.SlavePath()));
    const std::string outcome = AttemptWithoutPrivileges([&] {
        TComm comm;
        comm.SetCommName(pty.SlavePath());
        return OpenFailureWithCause(comm);
    });
    EXPECT_EQ(outcome, "Error opening serial port:" + std::to_string(EACCES));
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
    TCommRecorder secondRecorder(second);
    EXPECT_NO_THROW(second.OpenPort());
    ExpectDataFlows(second, pty, secondRecorder, "second");
}

TEST(Comm, PortBusyInAnotherProcessCannotBeOpened) {
    TPtyPair pty;
    auto holder = std::make_unique<TLockHolder>(pty.SlavePath(), "kelvane-holder");
    ASSERT_TRUE(holder->Holding());

    TComm comm;
    TCommRecorder recorder(comm);
    comm.SetCommName(pty.SlavePath());
    EXPECT_EQ(OpenFailureWithCause(comm), "Error opening serial port:" + std::to_string(EBUSY));
    EXPECT_FALSE(comm.IsOpen());
    holder.reset();
    EXPECT_NO_THROW(comm.OpenPort());
    ExpectDataFlows(comm, pty, recorder, "free again");
}

// How the line holds the writer back: XOFF from the device, or (CTS and DSR
// flow control, which a pty has no lines for) a device side that stops
// reading, so that the tty fills and takes nothing more.
struct THeldOutput {
    const char* name;
    void (TComm::*flowControl)(bool);
    bool sendXoff;
};

void PrintTo(const THeldOutput& hold, std::ostream* out) {
    *out << hold.name;
}

class CommHeldOutput : public testing::TestWithParam<THeldOutput> {};

TEST_P(CommHeldOutput, CloseEndsTheHeldWriteAtOnceWithoutHangup) {
    TPtyPair pty;
    TComm comm;
    TCommRecorder recorder(comm);
    comm.SetCommName(pty.SlavePath());
    comm.SetOutx_XonXoffFlow(false);
    comm.SetInx_XonXoffFlow(false);
    (comm.*GetParam().flowControl)(true);
    comm.OpenPort();
    const auto writable = [&] {
        struct pollfd fd {
            pty.SlaveFd(), POLLOUT, 0
        };
        return ::poll(&fd, 1, 0) == 1;
    };
    if (GetParam().sendXoff) {
        pty.WriteToPort("\x13");
        // Output is stopped once the tty no longer offers room to writers.
        ASSERT_TRUE(WaitUntil([&] { return !writable(); }));
    }

    // More than the tty holds: the writer is still at it when the port closes.
    const std::string block(60000, 'w');
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(comm.SendBlock(block.data(), static_cast<std::uint16_t>(block.size())));
    }
    if (GetParam().sendXoff) {
        EXPECT_EQ(pty.ReadFromPortFor(300ms), "") << "XOFF did not hold the writer";
    } else {
        RunEventsFor(300ms);
    }

    comm.ClosePort();
    EXPECT_FALSE(comm.IsOpen());
    EXPECT_GT(comm.UnsentBytesAtClose(), 0u) << "the held rest was reported as written";
    EXPECT_LE(comm.UnsentBytesAtClose(), 4 * block.size());
    RunEventsFor(300ms);
    EXPECT_EQ(recorder.Hangups, 0);
}

INSTANTIATE_TEST_SUITE_P(Flow, CommHeldOutput,
                         testing::Values(THeldOutput{"Xoff", &TComm::SetOutx_XonXoffFlow, true},
                                         THeldOutput{"Cts", &TComm::SetOutx_CtsFlow, false},
                                         THeldOutput{"Dsr", &TComm::SetOutx_DsrFlow, false}),
                         [](const auto& info) { return std::string(info.param.name); });

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
        TCommRecorder recorder(comm);
        OpenLikeTheMainWindow(comm, pty.SlavePath());
        ExpectDataFlows(comm, pty, recorder, "bye");
    }
    TComm next;
    TCommRecorder recorder(next);
    OpenLikeTheMainWindow(next, pty.SlavePath());
    ExpectDataFlows(next, pty, recorder, "next");
}
