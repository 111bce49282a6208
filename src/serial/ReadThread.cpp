#include "serial/ReadThread.h"

#include "serial/ThreadPriority.h"

#include <array>
#include <cstring>
#include <new>

TReadThread::TReadThread(TPortDevice& port, TThreadNotifier& notifier)
    : port_(port), notifier_(notifier), thread_([this] { Run(); }) {}

TReadThread::~TReadThread() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

void TReadThread::Run() {
    RaiseCurrentThreadPriority(kReaderPrioritySteps);
    bool running = true;
    // While the owner has a full budget of blocks to take, nothing is read:
    // the driver and the line's flow control hold the data meanwhile.
    while (running && notifier_.WaitForRoom()) {
        switch (port_.WaitForReader()) {
            case TReaderWake::Close:
                running = false;
                break;
            case TReaderWake::LineEvent:
                running = CompleteLineEvent();
                break;
            case TReaderWake::DataReady:
                running = CompleteRead();
                break;
            case TReaderWake::Failed:
                notifier_.PostHangupRequest();
                running = false;
                break;
        }
    }
    port_.Purge(TPurgeSide::Input);
}

bool TReadThread::CompleteRead() {
    std::array<std::uint8_t, kReadBlockSize> buffer;
    TArrivalMarks marks;
    const TTransfer read = port_.Read(buffer, marks);
    switch (read.Status) {
        case TTransfer::Done:
            return PassReceived(buffer.data(), read.Count, read.End, std::move(marks));
        case TTransfer::Close:
            return false;
        case TTransfer::Failed:
            break;
    }
    notifier_.PostHangupRequest();
    return false;
}

bool TReadThread::PassReceived(const std::uint8_t* buffer, std::size_t count, TBlockEnd end,
                               TArrivalMarks marks) {
    if (count == 0) {
        return false;
    }
    std::unique_ptr<std::uint8_t[]> block;
    try {
        block = std::make_unique_for_overwrite<std::uint8_t[]>(count + 1);
    } catch (const std::bad_alloc&) {
        notifier_.PostHangupRequest();
        return false;
    }
    std::memcpy(block.get(), buffer, count);
    block[count] = 0;  // lets a handler read the block as C text
    TNotification notification(std::move(block), static_cast<std::uint32_t>(count), end);
    notification.Arrival = std::move(marks);
    if (!notifier_.Post(std::move(notification))) {
        notifier_.PostHangupRequest();
        return false;
    }
    return true;
}

bool TReadThread::CompleteLineEvent() {
    const TLineEvent event = port_.TakeLineEvent();
    if (event.Stale) {
        return true;
    }
    // Errors go before modem changes within one event.
    if (event.Errors != 0 &&
        !notifier_.Post(TNotification(TNotifyCode::NOTIFY_LINE_ERROR, event.Errors))) {
        notifier_.PostHangupRequest();
        return false;
    }
    if (event.ModemEvents != 0 &&
        !notifier_.Post(TNotification(TNotifyCode::NOTIFY_MODEM, event.ModemEvents))) {
        notifier_.PostHangupRequest();
        return false;
    }
    if (event.Errors == 0 && event.ModemEvents == 0) {
        // A line event that says nothing means the driver is in a bad state.
        notifier_.PostHangupRequest();
        return false;
    }
    return true;
}
