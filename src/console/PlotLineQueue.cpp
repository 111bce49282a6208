#include "console/PlotLineQueue.h"

void TPlotLineQueue::Append(std::string_view bytes, const TArrivalMarks& arrival) {
    if (bytes.empty()) {
        return;
    }
    splitter_.Split(
        bytes, [] {},
        [&](const TLineSplitter::TPiece& piece) {
            AddToOpenLine(piece.text);
            if (piece.ending != TLineEnding::None) {
                const size_t breakEnd = static_cast<size_t>(piece.text.data() - bytes.data()) +
                                        piece.text.size() + EndingBytes(piece.ending).size();
                lastArrival_ = arrival.TimeOf(breakEnd - 1);
                EndLine();
            }
        });
    lastArrival_ = arrival.TimeOf(bytes.size() - 1);
}

size_t TPlotLineQueue::OpenLineBytes() const {
    const uint64_t start = lineEnds_.empty() ? frontOffset_ : lineEnds_.back();
    return static_cast<size_t>(frontOffset_ + bytes_.size() - start);
}

void TPlotLineQueue::AddToOpenLine(std::string_view text) {
    if (openLineTooLong_) {
        return;
    }
    const size_t open = OpenLineBytes();
    if (open + text.size() > kMostLineBytes) {
        bytes_.erase(bytes_.end() - static_cast<std::ptrdiff_t>(open), bytes_.end());
        openLineTooLong_ = true;
        return;
    }
    bytes_.insert(bytes_.end(), text.begin(), text.end());
}

void TPlotLineQueue::EndLine() {
    openLineTooLong_ = false;
    const bool first = lineEnds_.empty();
    lineEnds_.push_back(frontOffset_ + bytes_.size());
    lineArrivals_.push_back(lastArrival_);
    if (first && onFirstLine_) {
        onFirstLine_();
    }
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
    const uint64_t next = lineEnds_.front();
    bytes_.erase(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(next - frontOffset_));
    frontOffset_ = next;
    lineEnds_.pop_front();
    lineArrivals_.pop_front();
}

void TPlotLineQueue::Clear() {
    frontOffset_ += bytes_.size();
    bytes_.clear();
    lineEnds_.clear();
    lineArrivals_.clear();
    splitter_.Reset();
    openLineTooLong_ = false;
}
