// The serial engine over Win32 on a COM port whose far end the tests drive.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "EngineTestSupport.h"

namespace {

bool HasHangup(const std::vector<TNotification>& notifications) {
    return CountOf(notifications, TNotifyCode::NOTIFY_HANGUP) > 0;
}

std::ptrdiff_t HangupsIn(const std::vector<TNotifyCode>& codes) {
    return std::count(codes.begin(), codes.end(), TNotifyCode::NOTIFY_HANGUP);
}

}  // namespace

TEST(Win32Engine, OpenFailuresAreToldApart) {
    const std::unique_ptr<TPortDevice> device = TPortDevice::Create();
    EXPECT_EQ(device->Open("COM99").Result, TOpenResult::CannotOpen);

    const std::filesystem::path file = std::filesystem::temp_directory_path() / "kelvane-disk.txt";
    std::ofstream(file) << "not a port";
    EXPECT_EQ(device->Open(file.string()).Result, TOpenResult::NotCharDevice);
    // The refused file was closed again: it was opened without sharing, so
    // it could not be removed while open.
    EXPECT_TRUE(DeleteFileA(file.string().c_str()));
}

TEST(Win32Engine, BurstArrivesCompleteAndInOrderInBlocksOfAtMost2048) {
    TFarEnd farEnd;
    TRecordingSink sink;
    TRunningEngine engine(sink);

    const std::string sent = RandomBytes(100000);
    farEnd.Write(sent);
    ASSERT_TRUE(sink.WaitUntil([&](const auto& n) { return BytesIn(n) >= sent.size(); }))
        << "received " << sink.Bytes().size() << " of " << sent.size();
    EXPECT_TRUE(sink.Bytes() == sent) << "bytes lost, repeated or reordered";
    for (const std::string& block : sink.Blocks()) {
        EXPECT_GE(block.size(), 1u);
        EXPECT_LE(block.size(), 2048u);
    }
    EXPECT_EQ(sink.Ends().back(), TBlockEnd::Pause) << "the line went quiet after the burst";
    EXPECT_TRUE(sink.EveryBlockTerminated());
}

TEST(Win32Engine, APauseAfterAReadEndsItsBlock) {
    TFarEnd farEnd;
    TRecordingSink sink;
    TRunningEngine engine(sink);

    farEnd.Write("first");
    ASSERT_TRUE(sink.WaitUntil([](const auto& n) { return BytesIn(n) == 5; }));
    farEnd.Write("second");
    ASSERT_TRUE(sink.WaitUntil([](const auto& n) { return BytesIn(n) == 11; }));
    EXPECT_EQ(sink.Blocks(), (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(sink.Ends(), (std::vector<TBlockEnd>{TBlockEnd::Pause, TBlockEnd::Pause}));
}

TEST(Win32Engine, SteadyStreamIsPassedOnWhileItLastsAndNothingIsLost) {
    TFarEnd farEnd;
    TRecordingSink sink;
    TRunningEngine engine(sink);  // 100 ms read interval
    constexpr auto kInterval = std::chrono::milliseconds(100);

    // Lines 10 ms apart never pause for the interval and fill a buffer only
    // after seconds: only the block age limit passes them on. The stream
    // goes on until three blocks have come, however slow the machine, and
    // its longest gap between two lines is noted.
    std::string sent;
    std::chrono::steady_clock::duration longestGap{};
    auto last = std::chrono::steady_clock::now();
    for (int i = 0; i < 6000 && sink.Blocks().size() < 3; ++i) {
        const std::string line = std::to_string(500 + i) + "\r\n";
        const auto now = std::chrono::steady_clock::now();
        longestGap = std::max(longestGap, now - last);
        last = now;
        farEnd.Write(line);
        sent += line;
        Sleep(10);
    }
    ASSERT_GE(sink.Blocks().size(), 3u) << "the stream was held back";
    ASSERT_TRUE(sink.WaitUntil([&](const auto& n) { return BytesIn(n) >= sent.size(); }));
    ASSERT_TRUE(sink.WaitUntil([](const auto& n) {
        const auto lastBlock = std::find_if(n.rbegin(), n.rend(), [](const auto& notification) {
            return notification.Code == TNotifyCode::NOTIFY_DATA;
        });
        return lastBlock != n.rend() && lastBlock->BlockEnd == TBlockEnd::Pause;
    }));

    EXPECT_TRUE(sink.Bytes() == sent) << "bytes lost, repeated or reordered";
    // A block ends as a pause only after the line was quiet for a whole
    // interval; unless the writing here stalled that long, every block but
    // the last says that more follows.
    if (longestGap < kInterval) {
        std::vector<TBlockEnd> expected(sink.Ends().size(), TBlockEnd::Cut);
        expected.back() = TBlockEnd::Pause;
        EXPECT_EQ(sink.Ends(), expected);
    }
}

TEST(Win32Engine, SendsBlocksInOrderAndTellsWhenItsQueueRunsEmpty) {
    TFarEnd farEnd;
    TRecordingSink sink;
    TRunningEngine engine(sink);
    const auto idles = [](const auto& n) { return CountOf(n, TNotifyCode::NOTIFY_SEND_IDLE); };
    ASSERT_TRUE(sink.WaitUntil([&](const auto& n) { return idles(n) == 1; }))
        << "one idle notification as soon as the writer starts";

    const std::string bytes = RandomBytes(3 * 5000);
    for (std::size_t offset = 0; offset < bytes.size(); offset += 5000) {
        ASSERT_TRUE(engine.Send(std::string_view(bytes).substr(offset, 5000)));
    }
    EXPECT_TRUE(farEnd.Read(bytes.size()) == bytes) << "blocks lost, cut or reordered";
    ASSERT_TRUE(sink.WaitUntil([&](const auto& n) { return idles(n) >= 2; }));
    const std::vector<TNotifyCode> codes = sink.Codes();
    EXPECT_EQ(codes.back(), TNotifyCode::NOTIFY_SEND_IDLE);
    EXPECT_LE(std::count(codes.begin(), codes.end(), TNotifyCode::NOTIFY_SEND_IDLE), 4)
        << "at most one per block, besides the one at start";
}

TEST(Win32Engine, EchoesThroughTheFarEndWhileBothThreadsWork) {
    TFarEnd farEnd;
    TRecordingSink sink;
    TRunningEngine engine(sink);

    const std::string request = RandomBytes(3000);
    ASSERT_TRUE(engine.Send(request));
    farEnd.Write(farEnd.Read(request.size()));
    ASSERT_TRUE(sink.WaitUntil([&](const auto& n) { return BytesIn(n) >= request.size(); }));
    EXPECT_TRUE(sink.Bytes() == request);
}

TEST(Win32Engine, ClosingWhileWritesAreHeldBackDropsTheRestQuietly) {
    TFarEnd farEnd;
    TRecordingSink sink;
    TRunningEngine engine(sink);

    // The far end does not read, so the link fills up long before all of
    // this is out and the writer waits with a write pending.
    const std::string block = RandomBytes(60000);
    std::string queued;
    for (int i = 0; i < 6; ++i) {
        ASSERT_TRUE(engine.Send(block));
        queued += block;
    }
    engine.Close();
    EXPECT_FALSE(engine.Send(block)) << "a closed writer takes no more";

    const std::string arrived = farEnd.Read(queued.size());
    EXPECT_LT(arrived.size(), queued.size()) << "the queued rest was not written";
    EXPECT_TRUE(arrived == std::string_view(queued).substr(0, arrived.size()))
        << "what did go out went in order";
    EXPECT_EQ(HangupsIn(sink.Codes()), 0) << "a close is no fault";
}

TEST(Win32Engine, ClosingAnIdlePortEndsBothThreadsWithoutAFault) {
    TFarEnd farEnd;
    TRecordingSink sink;
    {
        TRunningEngine engine(sink);
        ASSERT_TRUE(sink.WaitUntil(
            [](const auto& n) { return CountOf(n, TNotifyCode::NOTIFY_SEND_IDLE) == 1; }));
    }
    EXPECT_EQ(sink.Codes(), std::vector<TNotifyCode>{TNotifyCode::NOTIFY_SEND_IDLE});
    // And the port is free again.
    TRunningEngine reopened(sink);
}

TEST(Win32Engine, FarEndGoingAwayAsksForAHangupOnce) {
    TFarEnd farEnd;
    TRecordingSink sink;
    TRunningEngine engine(sink);

    farEnd.Write("last words");
    ASSERT_TRUE(sink.WaitUntil([](const auto& n) { return BytesIn(n) == 10; }));
    farEnd.HangUpEnginePort();
    ASSERT_TRUE(sink.WaitUntil(HasHangup));
    EXPECT_EQ(sink.Bytes(), "last words");
    engine.Close();
    EXPECT_EQ(HangupsIn(sink.Codes()), 1);
}

TEST(Win32Engine, LineSettingsReachTheDriver) {
    TLineSettings settings;
    settings.BaudRate = 115200;
    settings.StopBits = TStopBits::_2;
    settings.Outx_XonXoffFlow = true;
    settings.Inx_XonXoffFlow = false;
    settings.XonChar = 0x01;
    settings.XoffChar = 0x02;
    {
        const std::unique_ptr<TPortDevice> device = TPortDevice::Create();
        ASSERT_EQ(device->Open(kEnginePort).Result, TOpenResult::Opened);
        device->ApplyLineSettings(settings);
    }
    // The line keeps its settings after the handle is gone.
    TPlainPort port(kEnginePort);
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    ASSERT_TRUE(GetCommState(port.Handle(), &dcb));
    // A pseudo-terminal always reports 8 data bits without parity, so those
    // two are left to the DCB layout test.
    EXPECT_EQ(dcb.BaudRate, 115200u);
    EXPECT_EQ(dcb.StopBits, TWOSTOPBITS);
    EXPECT_EQ(dcb.fOutX, 1u);
    EXPECT_EQ(dcb.fInX, 0u);
    EXPECT_EQ(dcb.XonChar, 0x01);
    EXPECT_EQ(dcb.XoffChar, 0x02);
}
