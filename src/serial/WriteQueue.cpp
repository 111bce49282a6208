#include "serial/WriteQueue.h"

TPostResult TWriteQueue::Post(TWriteRequest request) {
    {
        std::lock_guard lock(mutex_);
        if (shut_) {
            return TPostResult::Shut;
        }
        if (pendingBytes_ > 0 && pendingBytes_ + request.Length > limit_) {
            return TPostResult::Full;
        }
        pendingBytes_ += request.Length;
        requests_.push_back(std::move(request));
    }
    changed_.notify_one();
    return TPostResult::Queued;
}

std::optional<TWriteRequest> TWriteQueue::TryTake() {
    std::lock_guard lock(mutex_);
    if (requests_.empty()) {
        return std::nullopt;
    }
    TWriteRequest request = std::move(requests_.front());
    requests_.pop_front();
    return request;
}

bool TWriteQueue::WaitForRequest() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return stopped_ || !requests_.empty(); });
    return !stopped_;
}

void TWriteQueue::Stop() {
    {
        std::lock_guard lock(mutex_);
        stopped_ = true;
    }
    changed_.notify_all();
}

void TWriteQueue::Shut() {
    std::lock_guard lock(mutex_);
    shut_ = true;
    requests_.clear();  // their bytes stay pending: they were never written
}

void TWriteQueue::MarkWritten(std::size_t bytes) {
    std::lock_guard lock(mutex_);
    pendingBytes_ -= bytes < pendingBytes_ ? bytes : pendingBytes_;
}

std::size_t TWriteQueue::PendingBytes() const {
    std::lock_guard lock(mutex_);
    return pendingBytes_;
}
