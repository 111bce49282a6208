#include "console/ReceiveTextStore.h"

#include <algorithm>

void TReceiveTextStore::AppendBlock(std::string_view bytes, TLineKind kind, bool lineStaysOpen) {
    const bool continues = lineOpen_ && !lineStarts_.empty() && Kind(EndLine() - 1) == kind;
    if (!continues) {
        StartLine(kind);
    }
    if (kind == TLineKind::Hex) {
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    } else {
        size_t pieceStart = 0;
        // A CR that ended the cut block pairs with an LF that starts this one.
        if (continues && !bytes.empty() && bytes.front() == '\n' && LineLength(EndLine() - 1) > 0 &&
            bytes_.back() == '\r') {
            bytes_.pop_back();
            StartLine(kind);
            pieceStart = 1;
        }
        for (size_t i = pieceStart; i + 1 < bytes.size(); ++i) {
            if (bytes[i] == '\r' && bytes[i + 1] == '\n') {
                bytes_.insert(bytes_.end(), bytes.begin() + pieceStart, bytes.begin() + i);
                StartLine(kind);
                pieceStart = i + 2;
                ++i;
            }
        }
        bytes_.insert(bytes_.end(), bytes.begin() + pieceStart, bytes.end());
    }
    lineOpen_ = lineStaysOpen;
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
