#include "serial/ReadBudget.h"

#include "serial/CommTypes.h"

bool TReadBudget::WaitForRoom() {
    std::unique_lock lock(mutex_);
    room_.wait(lock, [this] {
        return interrupted_ || undelivered_ == 0 ||
               undelivered_ + QueuedBlockCost(kReadBlockSize) <= limit_;
    });
    return !interrupted_;
}

void TReadBudget::Charge(std::size_t bytes) {
    std::lock_guard lock(mutex_);
    undelivered_ += bytes;
}

void TReadBudget::Credit(std::size_t bytes) {
    {
        std::lock_guard lock(mutex_);
        undelivered_ -= bytes < undelivered_ ? bytes : undelivered_;
    }
    room_.notify_all();
}

void TReadBudget::Interrupt() {
    {
        std::lock_guard lock(mutex_);
        interrupted_ = true;
    }
    room_.notify_all();
}

void TReadBudget::Rearm() {
    std::lock_guard lock(mutex_);
    interrupted_ = false;
}

std::size_t TReadBudget::Undelivered() const {
    std::lock_guard lock(mutex_);
    return undelivered_;
}
