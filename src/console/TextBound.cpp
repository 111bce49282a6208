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
    std::int64_t freed = 0;
    uint64_t line = store.FirstLine();
    for (; line + 1 < store.EndLine() && held - freed > target; ++line) {
        freed += static_cast<std::int64_t>(TLineTextStore::HeldBytesOfLine(store.LineLength(line)));
    }
    store.DropLinesBefore(line);
    if (held - freed > bytes_) {
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
