#include "serial/WriteThread.h"

#include "serial/ThreadPriority.h"

TWriteThread::TWriteThread(TPortDevice& port, TThreadNotifier& notifier, TWriteQueue& queue,
                           std::atomic<bool>& sendIdle)
    : port_(port), notifier_(notifier), queue_(queue), sendIdle_(sendIdle), thread_([this] {
          Run();
      }) {}

TWriteThread::~TWriteThread() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

void TWriteThread::Run() {
    RaiseCurrentThreadPriority(kWriterPrioritySteps);
    bool wroteSinceIdle = true;  // so the owner hears "idle" once at start
    for (;;) {
        std::optional<TWriteRequest> request = queue_.TryTake();
        if (!request) {
            sendIdle_ = true;
            if (wroteSinceIdle && !notifier_.Post(TNotification(TNotifyCode::NOTIFY_SEND_IDLE))) {
                notifier_.PostHangupRequest();
                break;
            }
            wroteSinceIdle = false;
            if (!queue_.WaitForRequest()) {
                break;
            }
            continue;
        }
        if (port_.CloseSignalled() || !WriteBlock(*request)) {
            break;
        }
        wroteSinceIdle = true;
    }
    queue_.Shut();
    port_.Purge(TPurgeSide::Output);
    sendIdle_ = true;
}

bool TWriteThread::WriteBlock(const TWriteRequest& request) {
    std::span<const std::uint8_t> remaining(request.Block.get(), request.Length);
    while (!remaining.empty()) {
        const TTransfer written = port_.Write(remaining);
        switch (written.Status) {
            case TTransfer::Done:
                remaining = remaining.subspan(written.Count);
                queue_.MarkWritten(written.Count);
                break;
            case TTransfer::Close:
                return false;
            case TTransfer::Failed:
                notifier_.PostHangupRequest();
                return false;
        }
    }
    return true;
}
