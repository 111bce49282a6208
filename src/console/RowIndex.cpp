#include "console/RowIndex.h"

#include <algorithm>

std::pair<size_t, uint64_t> TRowIndex::Locate(uint64_t row) const {
    const uint64_t absolute = Base() + row;
    const auto next = std::upper_bound(starts_.begin(), starts_.end(), absolute);
    const auto line = static_cast<size_t>(next - starts_.begin()) - 1;
    return {line, absolute - starts_[line]};
}

void TRowIndex::Append(uint64_t rows) {
    starts_.push_back(end_);
    end_ += rows;
}

void TRowIndex::Truncate(size_t lines) {
    if (lines < starts_.size()) {
        end_ = starts_[lines];
        starts_.resize(lines);
    }
}

uint64_t TRowIndex::DropFront(size_t lines) {
    const uint64_t base = Base();
    lines = std::min(lines, starts_.size());
    starts_.erase(starts_.begin(), starts_.begin() + static_cast<std::ptrdiff_t>(lines));
    return Base() - base;
}

void TRowIndex::ShrinkFirst(uint64_t rows) {
    starts_.front() = starts_[1] - rows;
}
