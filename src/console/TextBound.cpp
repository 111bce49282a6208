#include "console/TextBound.h"

#include <algorithm>

#include "console/LineTextStore.h"

TTextBound::TTextBound(std::int64_t bytes) {
    SetBytes(bytes);
}

void TTextBound::SetBytes(std::int64_t bytes) {
    bytes_ = std::max<std::int64_t>(bytes, kLeastBytes);
}

bool TTextBound::Apply(TLineTextStore& store) const {
    const auto held = static_cast<std::int64_t>(store.HeldBytes());
    if (held <= bytes_) {
        return false;
    }
    const std::int64_t target = bytes_ - bytes_ / 8;
    std::int64_t freed = 0;
    const uint64_t first = store.FirstLine();
    uint64_t line = first;
    for (; line + 1 < store.EndLine() && held - freed > target; ++line) {
        freed += static_cast<std::int64_t>(TLineTextStore::HeldBytesOfLine(store.LineLength(line)));
    }
    store.DropLinesBefore(line);
    return line > first;
}
