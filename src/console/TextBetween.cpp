#include "console/TextBetween.h"

#include <algorithm>

#include "console/HexRender.h"

void AppendShownBytes(const TLineTextStore& store, uint64_t line, size_t begin, size_t end,
                      std::string& out) {
    if (store.Kind(line) == TLineKind::Text) {
        out += store.LineBytes(line, begin, end - begin);
        return;
    }
    const size_t prefixEnd = std::clamp(store.TextPrefix(line), begin, end);
    out += store.LineBytes(line, begin, prefixEnd - begin);
    AppendHexRender(store.LineBytes(line, prefixEnd, end - prefixEnd), out);
}

std::string TextBytesBetween(const TLineTextStore& store, TTextPosition from, TTextPosition to,
                             std::optional<std::string_view> lineBreak) {
    std::string bytes;
    // An empty range may sit past the last line, where no line can be read.
    if (to <= from)
        return bytes;
    for (uint64_t line = from.line; line <= to.line; ++line) {
        const size_t begin = line == from.line ? from.byte : 0;
        const size_t end = line == to.line ? to.byte : store.LineLength(line);
        AppendShownBytes(store, line, begin, end, bytes);
        if (line < to.line) {
            bytes += lineBreak.value_or(EndingBytes(store.Ending(line)));
        }
    }
    return bytes;
}
