// A port device driven by a script, so that the reader's and writer's step
// rules can be shown with line events, short writes and faults on demand.
// Shared by the host tests and the Win32 engine's tests under Wine.
#pragma once

#include <algorithm>
#include <atomic>
#include <deque>
#include <mutex>
#include <string>

#include "serial/PortDevice.h"

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

    TOpenOutcome Open(const std::string&) override { return {TOpenResult::Opened}; }
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
    TTransfer Read(std::span<std::uint8_t> buffer, TArrivalMarks& marks) override {
        const TRead read = Reads.front();
        Reads.pop_front();
        std::copy(read.Bytes.begin(), read.Bytes.end(), buffer.begin());
        marks.Add(read.Bytes.size(), TArrivalClock::now());
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
