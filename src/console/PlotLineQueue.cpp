#include "console/PlotLineQueue.h"

void TPlotLineQueue::Append(std::string_view bytes) {
    if (bytes.empty()) {
        return;
    }
    const uint64_t start = frontOffset_ + bytes_.size();
    // A CR at the end of the previous append pairs with a leading LF here.
    if (bytes.front() == '\n' && !bytes_.empty() && bytes_.back() == '\r') {
        lineEnds_.push_back(start - 1);
    }
    for (size_t i = 1; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' && bytes[i - 1] == '\r') {
            lineEnds_.push_back(start + i - 1);
        }
    }
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

void TPlotLineQueue::EndLine() {
    Append("\r\n");
}

std::optional<std::string> TPlotLineQueue::FirstLine() const {
    if (lineEnds_.empty()) {
        return std::nullopt;
    }
    const auto length = static_cast<std::ptrdiff_t>(lineEnds_.front() - frontOffset_);
    return std::string(bytes_.begin(), bytes_.begin() + length);
}

void TPlotLineQueue::RemoveFirstLine() {
    if (lineEnds_.empty()) {
        return;
    }
    const uint64_t next = lineEnds_.front() + 2;
    bytes_.erase(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(next - frontOffset_));
    frontOffset_ = next;
    lineEnds_.pop_front();
}

void TPlotLineQueue::Clear() {
    frontOffset_ += bytes_.size();
    bytes_.clear();
    lineEnds_.clear();
}
