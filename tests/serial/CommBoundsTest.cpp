// The two queues between TComm's threads and its owner are bounded: a reader
// whose owner falls behind stops reading, SendBlock refuses past its limit,
// and below the limits nothing is lost.
#include <gtest/gtest.h>
#include <poll.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "SerialTestSupport.h"
#include "serial/ReadBudget.h"

TEST(CommBounds, ReaderStopsAtTheReadQueueLimitAndCatchesUpWithNothingLost) {
    constexpr std::size_t kLimit = 64 * 1024;
    TPtyPair pty;
    TComm comm(TCommLimits{.ReadQueueBytes = kLimit});
    TCommRecorder recorder(comm);
    OpenLikeTheMainWindow(comm, pty.SlavePath());

    const std::string sent = RandomBytes(1 << 20);
    std::atomic<bool> allWritten = false;
    std::thread device([&] {
        pty.WriteToPort(sent);
        allWritten = true;
    });
    // The owner takes nothing: the reader fills its budget and stops there,
    // while the rest waits in the tty.
    ASSERT_TRUE(WaitWithoutEvents(
        [&] { return comm.UndeliveredBytes() + QueuedBlockCost(kReadBlockSize) > kLimit; }));
    std::this_thread::sleep_for(200ms);
    EXPECT_LE(comm.UndeliveredBytes(), kLimit + QueuedBlockCost(kReadBlockSize));
    EXPECT_FALSE(allWritten) << "the reader went on reading into memory";

    ASSERT_TRUE(WaitUntil([&] { return recorder.Bytes.size() >= sent.size(); }));
    device.join();
    EXPECT_TRUE(recorder.Bytes == sent) << "bytes lost, repeated or reordered";
    EXPECT_EQ(comm.UndeliveredBytes(), 0u);
}

TEST(CommBounds, SendBlockRefusesPastTheWriteQueueLimitAndRecovers) {
    constexpr std::size_t kLimit = 256 * 1024;
    TPtyPair pty;
    TComm comm(TCommLimits{.WriteQueueBytes = kLimit});
    TCommRecorder recorder(comm);
    OpenLikeTheMainWindow(comm, pty.SlavePath());

    // The device side reads nothing, so the tty fills and the writer waits.
    const std::string block = RandomBytes(60000, 7);
    std::string queued;
    while (comm.SendBlock(block.data(), static_cast<std::uint16_t>(block.size()))) {
        queued += block;
        ASSERT_LT(queued.size(), 100 * kLimit) << "the write queue grows without limit";
    }
    EXPECT_EQ(comm.LastSendRefusal(), TSendRefusal::BufferFull);
    EXPECT_GT(queued.size(), kLimit - block.size()) << "refused below the limit";

    // Once the device reads, everything accepted goes out, in order, and
    // the port takes blocks again.
    EXPECT_TRUE(pty.ReadFromPort(queued.size()) == queued);
    ASSERT_TRUE(WaitUntil(
        [&] { return comm.SendBlock(block.data(), static_cast<std::uint16_t>(block.size())); }));
    EXPECT_TRUE(pty.ReadFromPort(block.size()) == block);
}

TEST(CommBounds, AFloodWhileTheOwnerStallsLosesNothingAndStaysWithinTheLimit) {
    constexpr std::size_t kFlood = std::size_t{1} << 30;
    constexpr std::size_t kStallEvery = kFlood / 4;
    const std::string pattern = RandomBytes(1 << 20, 99);
    TPtyPair pty;
    TComm comm;
    OpenLikeTheMainWindow(comm, pty.SlavePath());

    std::size_t received = 0;
    bool intact = true;
    std::size_t peakUndelivered = 0;
    int stalls = 0;
    comm.OnReceiveData = [&](TComm* sender, const std::uint8_t* buffer, std::uint16_t length) {
        for (std::uint16_t i = 0; i < length;) {
            const std::size_t at = (received + i) % pattern.size();
            const std::size_t run = std::min<std::size_t>(length - i, pattern.size() - at);
            intact = intact && std::memcmp(buffer + i, pattern.data() + at, run) == 0;
            i = static_cast<std::uint16_t>(i + run);
        }
        received += length;
        peakUndelivered = std::max(peakUndelivered, sender->UndeliveredBytes());
        if (received / kStallEvery > static_cast<std::size_t>(stalls) && received < kFlood) {
            // The owner's thread is busy elsewhere for a while.
            ++stalls;
            std::this_thread::sleep_for(2s);
            peakUndelivered = std::max(peakUndelivered, sender->UndeliveredBytes());
        }
    };
    std::thread device([&] {
        for (std::size_t sent = 0; sent < kFlood; sent += pattern.size()) {
            pty.WriteToPort(pattern);
        }
    });
    const bool complete = WaitUntil([&] { return received >= kFlood; }, 100s);
    device.join();

    ASSERT_TRUE(complete) << "received " << received << " of " << kFlood;
    EXPECT_TRUE(intact) << "bytes lost, repeated or reordered";
    EXPECT_EQ(received, kFlood);
    EXPECT_EQ(stalls, 3);
    EXPECT_LE(peakUndelivered, kReadQueueLimitBytes + QueuedBlockCost(kReadBlockSize));
    EXPECT_GT(peakUndelivered + 2 * QueuedBlockCost(kReadBlockSize), kReadQueueLimitBytes)
        << "the stalls never filled the read queue";
}
