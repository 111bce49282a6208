#include "console/TextBound.h"

#include <algorithm>

#include "console/LineTextStore.h"
#include "console/ReceiveRows.h"

TTextBound::TTextBound(std::int64_t bytes) {
    SetBytes(bytes);
}

void TTextBound::SetBytes(std::int64_t bytes) {
    bytes_ = std::max<std::int64_t>(bytes, kLeastBytes);
}

std::int64_t TTextBound::TrimmedBytes() const {
    return bytes_ - std::min(bytes_ / 8, kMostTrimBytes);
}

bool TTextBound::Apply(TLineTextStore& store) const {
    const auto held = static_cast<std::int64_t>(store.HeldBytes());
    if (held <= bytes_) {
        return false;
    }
    const std::int64_t target = TrimmedBytes();
    // The first line from which on the store fits the mark; the last line
    // stays whatever it holds. What the lines before a line hold grows with
    // it, so halving finds it without a walk over the quarter of a million
    // short lines a slice can be.
    uint64_t low = store.FirstLine();
    uint64_t high = store.EndLine() > low ? store.EndLine() - 1 : low;
    while (low < high) {
        const uint64_t middle = low + (high - low) / 2;
        if (held - static_cast<std::int64_t>(store.HeldBytesBefore(middle)) > target) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    store.DropLinesBefore(low);
    if (static_cast<std::int64_t>(store.HeldBytes()) > bytes_) {
        CutLoneLine(store, target);
    }
    return static_cast<std::int64_t>(store.HeldBytes()) < held;
}

void TTextBound::CutLoneLine(TLineTextStore& store, std::int64_t target) {
    const uint64_t line = store.FirstLine();
    const auto over = static_cast<size_t>(static_cast<std::int64_t>(store.HeldBytes()) - target);
    // A double-byte character the cut would halve goes whole.
    const bool halves = store.Kind(line) == TLineKind::Text &&
                        IsInsideDoubleByte(store, line, store.StampLength(line) + over);
    store.CutFirstLine(over + (halves ? 1 : 0));
}
