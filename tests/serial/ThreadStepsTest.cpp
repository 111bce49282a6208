// The reader's and writer's step rules, driven by a scripted device so that
// line events, short writes and faults happen on demand.
#include <gtest/gtest.h>

#include <deque>
#include <mutex>
#include <thread>

#include "serial/ReadThread.h"
#include "serial/WriteThread.h"

namespace {

using namespace std::chrono_literals;

class TScriptedDevice : public TPortDevice {
  public:
    // Reader script: each wake in turn, then Close.
    std::deque<TReaderWake> Wakes;
    std::deque<TLineEvent> LineEvents;
    struct TRead {
        std::string Bytes;
        TBlockEnd End;
    };
    std::deque<TRead> Reads;
    // Writer behaviour: at most this many bytes per write; fail from the Nth write.
    std::size_t MaxWrite = 3;
    int FailAtWrite = -1;

    TOpenResult Open(const std::string&) override { return TOpenResult::Opened; }
    bool CreateCloseEvent() override { return true; }
    void SignalClose() override { closed_ = true; }
    bool CloseSignalled() const override { return closed_; }
    void Purge(TPurgeSide) override {}
    void ApplyLineSettings(const TLineSettings&) override {}
    void ApplyTimeouts(const TCommTimeouts&) override {}

    TReaderWake WaitForReader() override {
        if (Wakes.empty()) {
            return TReaderWake::Close;
        }
        const TReaderWake wake = Wakes.front();
        Wakes.pop_front();
        return wake;
    }
    TLineEvent TakeLineEvent() override {
        const TLineEvent event = LineEvents.front();
        LineEvents.pop_front();
        return event;
    }
    TTransfer Read(std::span<std::uint8_t> buffer) override {
        const TRead read = Reads.front();
        Reads.pop_front();
        std::copy(read.Bytes.begin(), read.Bytes.end(), buffer.begin());
        return {TTransfer::Done, read.Bytes.size(), read.End};
    }
    TTransfer Write(std::span<const std::uint8_t> bytes) override {
        std::lock_guard lock(mutex_);
        if (++writes_ == FailAtWrite) {
            return {TTransfer::Failed};
        }
        const std::size_t count = std::min(bytes.size(), MaxWrite);
        written_.append(reinterpret_cast<const char*>(bytes.data()), count);
        return {TTransfer::Done, count};
    }
    std::string Written() {
        std::lock_guard lock(mutex_);
        return written_;
    }

  private:
    std::atomic<bool> closed_ = false;
    std::mutex mutex_;
    int writes_ = 0;
    std::string written_;
};

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
        ASSERT_TRUE(queue.Post(std::move(request)));
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
        ASSERT_TRUE(queue.Post({std::make_unique<std::uint8_t[]>(4), 4}));
    }  // the writer ends by itself after the fault, so this join returns
    EXPECT_EQ(sink.Posted(), (std::vector<std::string>{"1029:0", "1027:0"}));
    EXPECT_FALSE(queue.Post({std::make_unique<std::uint8_t[]>(1), 1}));
    EXPECT_TRUE(sendIdle);
}
