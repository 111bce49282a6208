// Each open of a TComm is a session of its own: what a closed session's
// threads left behind never reaches the next one, whatever happens to the
// device meanwhile and however often the port is opened and closed.
#include <gtest/gtest.h>
#include <poll.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "SerialTestSupport.h"
#include "serial/ReadBudget.h"

namespace {

std::size_t OpenDescriptors() {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator("/proc/self/fd")) {
        ++count;
    }
    return count;
}

}  // namespace

TEST(CommSession, NothingAClosedSessionLeftQueuedReachesTheReopenedPort) {
    auto old = std::make_unique<TPtyPair>();
    TComm comm;
    comm.SetReadIntervalTimeout(20);
    OpenLikeTheMainWindow(comm, old->SlavePath());
    // Two blocks and, as the device goes, a hang-up request: all posted,
    // none delivered yet.
    old->WriteToPort("first");
    ASSERT_TRUE(WaitWithoutEvents([&] { return comm.UndeliveredBytes() > 0; }));
    old->WriteToPort("stale");
    ASSERT_TRUE(
        WaitWithoutEvents([&] { return comm.UndeliveredBytes() >= 2 * QueuedBlockCost(5); }));
    old->CloseDeviceSide();
    std::this_thread::sleep_for(200ms);

    // The first block's handler moves to another device, as a window might.
    TPtyPair replacement;
    TCommRecorder recorder(comm);
    const auto record = comm.OnReceiveData;
    bool moved = false;
    comm.OnReceiveData = [&](TComm* sender, const std::uint8_t* buffer, std::uint16_t length) {
        record(sender, buffer, length);
        if (!moved) {
            moved = true;
            sender->ClosePort();
            OpenLikeTheMainWindow(*sender, replacement.SlavePath());
        }
    };
    ASSERT_TRUE(WaitUntil([&] { return moved; }));
    replacement.WriteToPort("fresh");
    ASSERT_TRUE(WaitUntil([&] { return recorder.Bytes.ends_with("fresh"); }));
    RunEventsFor(100ms);

    EXPECT_EQ(recorder.Blocks, (std::vector<std::string>{"first", "fresh"}));
    EXPECT_EQ(recorder.Hangups, 0) << "the old device's hang-up reached the new port";
    EXPECT_TRUE(comm.IsOpen());
    EXPECT_EQ(comm.UndeliveredBytes(), 0u) << "dropped blocks still count against the budget";
}

TEST(CommSession, AHangupOfAPortClosedMeanwhileIsNotPassedOn) {
    TPtyPair pty;
    TComm comm;
    TCommRecorder recorder(comm);
    OpenLikeTheMainWindow(comm, pty.SlavePath());
    pty.CloseDeviceSide();
    std::this_thread::sleep_for(200ms);  // the reader meets the hang-up and posts it
    comm.ClosePort();
    RunEventsFor(200ms);
    EXPECT_EQ(recorder.Hangups, 0);
}

TEST(CommSession, ClosingFromInsideTheReceiveHandlerIsSafe) {
    TPtyPair pty;
    TComm comm;
    TCommRecorder recorder(comm);
    comm.SetReadIntervalTimeout(5);
    OpenLikeTheMainWindow(comm, pty.SlavePath());
    const auto record = comm.OnReceiveData;
    int calls = 0;
    comm.OnReceiveData = [&](TComm* sender, const std::uint8_t* buffer, std::uint16_t length) {
        ++calls;
        record(sender, buffer, length);
        sender->ClosePort();
    };
    // A stream of blocks, so that more are queued behind the one that closes
    // (and little enough for the tty to hold once nobody reads).
    std::thread device([&] {
        for (int i = 0; i < 20; ++i) {
            pty.WriteToPort(std::string(200, static_cast<char>('a' + i)));
            std::this_thread::sleep_for(10ms);
        }
    });
    ASSERT_TRUE(WaitUntil([&] { return calls > 0; }));
    device.join();
    RunEventsFor(200ms);
    EXPECT_FALSE(comm.IsOpen());
    EXPECT_EQ(recorder.Hangups, 0);

    comm.OnReceiveData = record;
    pty.ReadFromPortFor(50ms);
    OpenLikeTheMainWindow(comm, pty.SlavePath());
    ExpectDataFlows(comm, pty, recorder, "after");
}

TEST(CommSession, TheDeviceVanishingDuringALongSendEndsItWithOneHangupAndCountsTheRest) {
    TPtyPair pty;
    TComm comm;
    TCommRecorder recorder(comm);
    OpenLikeTheMainWindow(comm, pty.SlavePath());

    const std::string chunk = RandomBytes(50000, 3);
    std::size_t queued = 0;
    for (int i = 0; i < 200; ++i) {  // 10 MB
        ASSERT_TRUE(comm.SendBlock(chunk.data(), static_cast<std::uint16_t>(chunk.size())));
        queued += chunk.size();
    }
    const std::size_t taken = pty.ReadFromPort(300000).size();
    pty.CloseDeviceSide();
    ASSERT_TRUE(WaitUntil([&] { return recorder.Hangups > 0; }));
    RunEventsFor(200ms);
    EXPECT_EQ(recorder.Hangups, 1);

    comm.ClosePort();
    EXPECT_FALSE(comm.IsOpen());
    EXPECT_GT(comm.UnsentBytesAtClose(), 0u);
    EXPECT_LE(comm.UnsentBytesAtClose(), queued - taken);
}

TEST(CommSession, AThousandOpensAndClosesWithTrafficLeaveNothingBehind) {
    TPtyPair pty;
    TComm comm;
    comm.SetReadIntervalTimeout(1);
    int round = 0;
    int staleBlocks = 0;
    std::string thisRound;
    comm.OnReceiveData = [&](TComm*, const std::uint8_t* buffer, std::uint16_t length) {
        const std::string block(reinterpret_cast<const char*>(buffer), length);
        // Tags look like "<n>;": only the current round's may arrive.
        for (std::size_t at = block.find('<'); at != std::string::npos;
             at = block.find('<', at + 1)) {
            if (std::stoi(block.substr(at + 1)) != round) {
                ++staleBlocks;
            }
        }
        thisRound += block;
    };
    int hangups = 0;
    comm.OnRequestHangup = [&](TComm*) { ++hangups; };

    OpenLikeTheMainWindow(comm, pty.SlavePath());
    comm.ClosePort();
    const std::size_t descriptorsBefore = OpenDescriptors();
    for (round = 0; round < 1000; ++round) {
        thisRound.clear();
        OpenLikeTheMainWindow(comm, pty.SlavePath());
        const std::string tag = "<" + std::to_string(round) + ">;";
        pty.WriteToPort(tag);
        ASSERT_TRUE(WaitUntil([&] { return thisRound.find(tag) != std::string::npos; }))
            << "round " << round;
        ASSERT_TRUE(comm.SendBlock(tag.data(), static_cast<std::uint16_t>(tag.size())));
        // Every other round the device says more just before the close, so
        // that blocks of the closing session are still on their way.
        if (round % 2 == 1) {
            pty.WriteToPort(tag + tag);
        }
        comm.ClosePort();
        pty.ReadFromPortFor(0ms);
    }
    RunEventsFor(100ms);
    EXPECT_EQ(staleBlocks, 0);
    EXPECT_EQ(hangups, 0);
    EXPECT_EQ(OpenDescriptors(), descriptorsBefore) << "descriptors leaked";
    EXPECT_EQ(comm.UndeliveredBytes(), 0u);
}

TEST(CommSession, BlocksReadBeforeACloseAreStillDelivered) {
    TPtyPair pty;
    TComm comm;
    TCommRecorder recorder(comm);
    OpenLikeTheMainWindow(comm, pty.SlavePath());
    RunEventsFor(100ms);  // nothing left to deliver: the queue starts empty
    // A flood, so that the blocks are full ones, each with more behind it.
    const std::string chunk = RandomBytes(8192, 5);
    std::atomic<bool> stop = false;
    std::atomic<bool> done = false;
    std::string sent;
    std::thread device([&] {
        while (!stop) {
            pty.WriteToPort(chunk);
            sent += chunk;
        }
        done = true;
    });
    ASSERT_TRUE(WaitWithoutEvents([&] { return comm.UndeliveredBytes() > 0; }));
    comm.ClosePort();
    // Nobody reads the port now: take what the device still writes.
    stop = true;
    while (!done) {
        struct pollfd ready {
            pty.SlaveFd(), POLLIN, 0
        };
        char sink[4096];
        if (::poll(&ready, 1, 10) > 0) {
            [[maybe_unused]] const ssize_t n = ::read(pty.SlaveFd(), sink, sizeof sink);
        }
    }
    device.join();
    RunEventsFor(200ms);

    EXPECT_EQ(comm.UndeliveredBytes(), 0u) << "blocks were left waiting";
    ASSERT_FALSE(recorder.Bytes.empty());
    EXPECT_TRUE(sent.starts_with(recorder.Bytes)) << "the last blocks lost or took in bytes";
}
