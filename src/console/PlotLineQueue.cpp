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
    const uint64_t start = lineEnds_.empty() ? frontOffset_ + taken_ : lineEnds_.back().end;
    return static_cast<size_t>(frontOffset_ + bytes_.size() - start);
}

void TPlotLineQueue::AddToOpenLine(std::string_view text) {
    if (openLineTooLong_) {
        return;
    }
    const size_t open = OpenLineBytes();
    if (open + text.size() > kMostLineBytes) {
        bytes_.resize(bytes_.size() - open);
        openLineTooLong_ = true;
        return;
    }
    bytes_.append(text);
}

void TPlotLineQueue::EndLine() {
    openLineTooLong_ = false;
    const bool first = lineEnds_.empty();
    lineEnds_.push_back({frontOffset_ + bytes_.size(), lastArrival_});
    if (first && onFirstLine_) {
        onFirstLine_();
    }
}

std::optional<std::string_view> TPlotLineQueue::FirstLine() const {
    if (lineEnds_.empty()) {
        return std::nullopt;
    }
    const auto length = static_cast<size_t>(lineEnds_.front().end - frontOffset_) - taken_;
    return std::string_view(bytes_).substr(taken_, length);
}

void TPlotLineQueue::RemoveFirstLine() {
    if (lineEnds_.empty()) {
        return;
    }
    taken_ = static_cast<size_t>(lineEnds_.front().end - frontOffset_);
    lineEnds_.pop_front();
    ReleaseTakenBytes();
}

void TPlotLineQueue::ReleaseTakenBytes() {
    // A backlog that has drained gives back the room it grew to.
    constexpr size_t kKeptCapacity = size_t{1} << 20;
    if (taken_ < bytes_.size() - taken_) {
        return;
    }
    bytes_.erase(0, taken_);
    frontOffset_ += taken_;
    taken_ = 0;
    if (bytes_.capacity() > kKeptCapacity && bytes_.size() < bytes_.capacity() / 4) {
        bytes_.shrink_to_fit();
    }
}

void TPlotLineQueue::Clear() {
    taken_ = bytes_.size();
    ReleaseTakenBytes();
    lineEnds_.clear();
    splitter_.Reset();
    openLineTooLong_ = false;
}
