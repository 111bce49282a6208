// The reader over the Win32 line-event mapping, built with the cross
// compiler and run under Wine. Wine's pseudo-terminal ports report no line
// events, so the driver's side is scripted.
#include <gtest/gtest.h>

#include "EngineTestSupport.h"
#include "ScriptedDevice.h"
#include "serial/LineMapping_win32.h"

TEST(Win32Reader, ARepeatedErrorEventWhoseFlagsWereTakenKeepsTheReaderGoing) {
    TScriptedDevice device;
    device.Wakes = {TReaderWake::LineEvent, TReaderWake::LineEvent, TReaderWake::DataReady};
    // The driver signals EV_ERR a second time; ClearCommError has nothing
    // left to report for it.
    device.LineEvents = {LineEventFor(kEvErr, CE_FRAME), LineEventFor(kEvErr, 0)};
    device.Reads = {{"still reading", TBlockEnd::Pause}};
    TRecordingSink sink;
    TThreadNotifier notifier(sink);
    { TReadThread reader(device, notifier); }

    EXPECT_EQ(sink.Codes(),
              (std::vector<TNotifyCode>{TNotifyCode::NOTIFY_LINE_ERROR, TNotifyCode::NOTIFY_DATA}));
    EXPECT_EQ(sink.Bytes(), "still reading");
}
