// "发送" to a port whose send buffer is full says so, instead of the usual
// send error; a port that is merely closed still gets the usual one.
#include "PortSettingsTestSupport.h"

#include "console/ConsoleMessages.h"
#include "console/Sender.h"
#include "serial/Comm.h"

TEST(SendBufferFull, ARefusedSendSaysTheBufferIsFull) {
    TPtyPair pty;  // nobody reads the device side, so the writer is held
    TComm comm(TCommLimits{.WriteQueueBytes = 64 * 1024});
    comm.SetCommName(pty.DevicePath());
    comm.OpenPort();
    TSender sender(
        [&comm](const char* data, std::uint16_t length) { return comm.SendBlock(data, length); },
        [&comm] { return comm.LastSendRefusal() == TSendRefusal::BufferFull; });

    const std::string text(30000, 't');
    TSendResult result;
    std::uint64_t counted = 0;
    for (int i = 0; i < 100 && result.outcome == TSendOutcome::Sent; ++i) {
        result = sender.Send(text, {});
        counted += result.counted;
    }
    ASSERT_EQ(result.outcome, TSendOutcome::BufferFull) << "the buffer never filled";
    EXPECT_EQ(result.counted, 0u);
    EXPECT_GT(counted, 0u);
    TMessageLog log;
    ReportSendOutcome(log, result.outcome, false);
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages[0].text, SendBufferFullText());
    EXPECT_EQ(log.messages[0].icon, TMessageIcon::Warning);

    // A hex send says it too, where a refused hex send otherwise says nothing.
    std::string hex;
    for (std::size_t i = 0; i < text.size(); ++i) {
        hex += "41";
    }
    result = sender.Send(hex, {.hex = true});
    EXPECT_EQ(result.outcome, TSendOutcome::BufferFull);
    ReportSendOutcome(log, result.outcome, true);
    EXPECT_EQ(log.LastText(), SendBufferFullText());

    comm.ClosePort();
    EXPECT_EQ(sender.Send(text, {}).outcome, TSendOutcome::Refused);
}
