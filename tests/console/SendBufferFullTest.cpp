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
    TMessageLog log;
    TSender sender(
        [&comm](const char* data, std::uint16_t length) { return comm.SendBlock(data, length); },
        log, [&comm] { return comm.LastSendRefusal() == TSendRefusal::BufferFull; });

    const std::string text(30000, 't');
    std::uint64_t sent = 0;
    for (int i = 0; i < 100 && log.messages.empty(); ++i) {
        sent += sender.Send(text, {});
    }
    ASSERT_EQ(log.messages.size(), 1u) << "the buffer never filled";
    EXPECT_EQ(log.messages[0].text, kSendBufferFullText);
    EXPECT_EQ(log.messages[0].icon, TMessageIcon::Warning);
    EXPECT_GT(sent, 0u);

    // A hex send says it too (where a refused hex send otherwise says nothing).
    std::string hex;
    for (std::size_t i = 0; i < text.size(); ++i) {
        hex += "41";
    }
    EXPECT_EQ(sender.Send(hex, {.hex = true}), 0u);
    ASSERT_EQ(log.messages.size(), 2u);
    EXPECT_EQ(log.messages[1].text, kSendBufferFullText);

    comm.ClosePort();
    EXPECT_EQ(sender.Send(text, {}), 0u);
    EXPECT_EQ(log.LastText(), kSendErrorText);
    EXPECT_EQ(sender.Send("41", {.hex = true}), 0u);
    EXPECT_EQ(log.messages.size(), 3u) << "a refused hex send to a closed port says nothing";
}
