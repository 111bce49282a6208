#include "serial/WriteQueue.h"

bool TWriteQueue::Post(TWriteRequest request) {
    {
        std::lock_guard lock(mutex_);
        if (shut_) {
            return false;
        }
        requests_.push_back(std::move(request));
    }
    changed_.notify_one();
    return true;
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
    requests_.clear();
}
