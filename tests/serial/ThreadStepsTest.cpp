// The reader's and writer's step rules, driven by a scripted device so that
// line events, short writes and faults happen on demand.
#include <gtest/gtest.h>

#include <deque>
#include <mutex>
#include <thread>

#include "ScriptedDevice.h"
#include "serial/ReadThread.h"
#include "serial/WriteThread.h"

namespace {

using namespace std::chrono_literals;

class TRecordingSink : public TNotifySink {
  public:
    bool Post(TNotification notification) override {
        std::lock_guard lock(mutex_);
        std::string text = std::to_string(static_cast<int>(notification.Code)) + ":" +
                           std::to_string(notification.LParam);
        if (notification.Block) {
            text += ":" + std::string(reinterpret_cast<char*>(notification.Block.get()));
            text += notification.BlockEnd == TBlockEnd::Cut ? ":cut" : ":pause";
        }
        posted_.push_back(text);
        return true;
    }
    std::vector<std::string> Posted() {
        std::lock_guard lock(mutex_);
        return posted_;
    }

  private:
    std::mutex mutex_;
    std::vector<std::string> posted_;
};

bool WaitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 10000 && !done(); ++i) {
        std::this_thread::sleep_for(1ms);
    }
    return done();
}

}  // namespace

TEST(ReaderSteps, PostsDataWithHowItEndedAndLineEventsInOrder) {
    TScriptedDevice device;
    device.Wakes = {TReaderWake::DataReady, TReaderWake::LineEvent, TReaderWake::DataReady};
    device.Reads = {{"first", TBlockEnd::Cut}, {"second", TBlockEnd::Pause}};
    device.LineEvents = {{CE_FRAME, MODEM_RLSD}};
    TRecordingSink sink;
    TThreadNotifier notifier(sink);
    { TReadThread reader(device, notifier); }  // runs the script to its Close and ends

    EXPECT_EQ(sink.Posted(), (std::vector<std::string>{"1025:0:first:cut", "1026:8", "1028:8",
                                                       "1025:0:second:pause"}));
}

TEST(ReaderSteps, AStaleLineEventIsPassedOverQuietly) {
    TScriptedDevice device;
    device.Wakes = {TReaderWake::LineEvent, TReaderWake::DataReady};
    device.LineEvents = {{.Stale = true}};
    device.Reads = {{"on", TBlockEnd::Pause}};
    TRecordingSink sink;
    TThreadNotifier notifier(sink);
    { TReadThread reader(device, notifier); }
    EXPECT_EQ(sink.Posted(), (std::vector<std::string>{"1025:0:on:pause"}));
}

TEST(ReaderSteps, EmptyLineEventOrFailureEndsWithOneHangup) {
    TScriptedDevice device;
    device.Wakes = {TReaderWake::LineEvent, TReaderWake::DataReady};
    device.LineEvents = {{0, 0}};
    device.Reads = {{"never read", TBlockEnd::Pause}};
    TRecordingSink sink;
    TThreadNotifier notifier(sink);
    { TReadThread reader(device, notifier); }
    EXPECT_EQ(sink.Posted(), (std::vector<std::string>{"1027:0"}));
    EXPECT_EQ(device.Reads.size(), 1u) << "the reader went on after the fault";

    device.Wakes = {TReaderWake::Failed};
    { TReadThread reader(device, notifier); }
    EXPECT_EQ(sink.Posted().size(), 1u) << "the same port asked twice to hang up";
}

TEST(WriterSteps, ShortWritesAreCompletedInOrderAndIdleFollowsThem) {
    TScriptedDevice device;
    TRecordingSink sink;
    TThreadNotifier notifier(sink);
    TWriteQueue queue;
    std::atomic<bool> sendIdle = false;
    TWriteThread writer(device, notifier, queue, sendIdle);

    ASSERT_TRUE(WaitFor([&] { return sink.Posted().size() == 1; })) << "no idle at start";
    for (const std::string text : {"hello, ", "world"}) {
        TWriteRequest request{std::make_unique<std::uint8_t[]>(text.size()),
                              static_cast<std::uint16_t>(text.size())};
        std::copy(text.begin(), text.end(), request.Block.get());
        ASSERT_EQ(queue.Post(std::move(request)), TPostResult::Queued);
    }
    ASSERT_TRUE(WaitFor([&] { return device.Written() == "hello, world" && sendIdle; }));
    ASSERT_TRUE(WaitFor([&] { return sink.Posted().size() >= 2; }));
    device.SignalClose();
    queue.Stop();
}

TEST(WriterSteps, FailedWriteRequestsHangupAndRefusesLaterBlocks) {
    TScriptedDevice device;
    device.FailAtWrite = 1;
    TRecordingSink sink;
    TThreadNotifier notifier(sink);
    TWriteQueue queue;
    std::atomic<bool> sendIdle = false;
    {
        TWriteThread writer(device, notifier, queue, sendIdle);
        ASSERT_TRUE(WaitFor([&] { return sink.Posted().size() == 1; }));
        ASSERT_EQ(queue.Post({std::make_unique<std::uint8_t[]>(4), 4}), TPostResult::Queued);
    }  // the writer ends by itself after the fault, so this join returns
    EXPECT_EQ(sink.Posted(), (std::vector<std::string>{"1029:0", "1027:0"}));
    EXPECT_EQ(queue.Post({std::make_unique<std::uint8_t[]>(1), 1}), TPostResult::Shut);
    EXPECT_TRUE(sendIdle);
}

TEST(ArrivalMarks, ReadsAMillisecondApartKeepTheirOwnTimeCloserOnesShareTheLater) {
    const TArrivalTime t0 = TArrivalClock::now();
    TArrivalMarks marks;
    EXPECT_TRUE(marks.Empty());
    marks.Add(3, t0);
    marks.Add(5, t0 + 200us);  // the same millisecond: one mark, the later time
    marks.Add(9, t0 + 5ms);
    ASSERT_EQ(marks.Marks().size(), 2u);
    EXPECT_EQ(marks.Marks()[0].End, 5u);
    EXPECT_EQ(marks.TimeOf(0), t0 + 200us);
    EXPECT_EQ(marks.TimeOf(4), t0 + 200us);
    EXPECT_EQ(marks.TimeOf(5), t0 + 5ms);
    EXPECT_EQ(marks.TimeOf(8), t0 + 5ms);
    EXPECT_EQ(marks.TimeOf(100), t0 + 5ms);  // beyond the marks: the last read
}
