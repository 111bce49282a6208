#include "console/ReceiveTextStore.h"

#include <algorithm>
#include <vector>

void TReceiveTextStore::AppendBlock(std::string_view bytes, TLineKind kind, bool lineStaysOpen) {
    const bool continues = lineOpen_ && !lineStarts_.empty() && Kind(EndLine() - 1) == kind;
    if (!continues) {
        StartLine(kind);
    }
    if (kind == TLineKind::Hex) {
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    } else {
        Insert({EndLine() - 1, LineLength(EndLine() - 1)}, bytes);
    }
    lineOpen_ = lineStaysOpen;
}

TTextPosition TReceiveTextStore::Insert(TTextPosition at, std::string_view bytes) {
    const size_t slot = Slot(at.line);
    const uint64_t lineFlag = lineStarts_[slot] & kHexFlag;
    uint64_t offset = Offset(at);
    std::vector<uint64_t> breaks;  // where the new lines start, as absolute offsets
    size_t from = 0;
    // A CR that ended a cut block pairs with an LF that starts the next one.
    if (!bytes.empty() && bytes.front() == '\n' && at.byte > 0 &&
        ByteAt(at.line, at.byte - 1) == '\r') {
        bytes_.erase(ByteIterator(offset - 1));
        ShiftLineStarts(slot + 1, -1);
        breaks.push_back(--offset);
        from = 1;
    }
    std::string kept;
    kept.reserve(bytes.size());
    for (size_t i = from; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            breaks.push_back(offset + kept.size());
            ++i;
        } else {
            kept.push_back(bytes[i]);
        }
    }
    bytes_.insert(ByteIterator(offset), kept.begin(), kept.end());
    ShiftLineStarts(slot + 1, static_cast<int64_t>(kept.size()));
    for (uint64_t& start : breaks) {
        start |= lineFlag;
    }
    lineStarts_.insert(lineStarts_.begin() + static_cast<std::ptrdiff_t>(slot + 1), breaks.begin(),
                       breaks.end());
    const uint64_t end = offset + kept.size();
    const uint64_t line = at.line + breaks.size();
    return {line, static_cast<size_t>(end - StartOffset(Slot(line)))};
}

void TReceiveTextStore::Erase(TTextPosition from, TTextPosition to) {
    const uint64_t begin = Offset(from);
    const uint64_t end = Offset(to);
    bytes_.erase(ByteIterator(begin), ByteIterator(end));
    const auto firstJoined = lineStarts_.begin() + static_cast<std::ptrdiff_t>(Slot(from.line) + 1);
    lineStarts_.erase(firstJoined, firstJoined + static_cast<std::ptrdiff_t>(to.line - from.line));
    ShiftLineStarts(Slot(from.line) + 1, -static_cast<int64_t>(end - begin));
}

void TReceiveTextStore::ShiftLineStarts(size_t slot, int64_t delta) {
    // The hex flag sits far above any offset, so adding to the offset keeps it.
    for (auto it = lineStarts_.begin() + static_cast<std::ptrdiff_t>(slot); it != lineStarts_.end();
         ++it) {
        *it = static_cast<uint64_t>(static_cast<int64_t>(*it) + delta);
    }
}

void TReceiveTextStore::StartLine(TLineKind kind) {
    const uint64_t start = frontOffset_ + bytes_.size();
    lineStarts_.push_back(kind == TLineKind::Hex ? (start | kHexFlag) : start);
}

uint64_t TReceiveTextStore::EndOffset(size_t slot) const {
    return slot + 1 < lineStarts_.size() ? StartOffset(slot + 1) : frontOffset_ + bytes_.size();
}

TLineKind TReceiveTextStore::Kind(uint64_t line) const {
    return (lineStarts_[Slot(line)] & kHexFlag) ? TLineKind::Hex : TLineKind::Text;
}

size_t TReceiveTextStore::LineLength(uint64_t line) const {
    const size_t slot = Slot(line);
    return static_cast<size_t>(EndOffset(slot) - StartOffset(slot));
}

std::string TReceiveTextStore::LineBytes(uint64_t line, size_t from, size_t count) const {
    const size_t length = LineLength(line);
    if (from >= length) {
        return {};
    }
    count = std::min(count, length - from);
    const auto begin =
        bytes_.begin() + static_cast<std::ptrdiff_t>(StartOffset(Slot(line)) - frontOffset_ + from);
    return std::string(begin, begin + static_cast<std::ptrdiff_t>(count));
}

unsigned char TReceiveTextStore::ByteAt(uint64_t line, size_t index) const {
    return static_cast<unsigned char>(bytes_[StartOffset(Slot(line)) - frontOffset_ + index]);
}

void TReceiveTextStore::DropLinesBefore(uint64_t line) {
    line = std::min(line, EndLine());
    if (line <= firstLine_) {
        return;
    }
    const uint64_t newFront =
        line < EndLine() ? StartOffset(Slot(line)) : frontOffset_ + bytes_.size();
    bytes_.erase(bytes_.begin(),
                 bytes_.begin() + static_cast<std::ptrdiff_t>(newFront - frontOffset_));
    lineStarts_.erase(lineStarts_.begin(),
                      lineStarts_.begin() + static_cast<std::ptrdiff_t>(Slot(line)));
    frontOffset_ = newFront;
    firstLine_ = line;
    if (lineStarts_.empty()) {
        lineOpen_ = false;
    }
}
