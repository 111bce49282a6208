#include "console/TextBetween.h"

#include "console/HexRender.h"

std::string TextBytesBetween(const TReceiveTextStore& store, TTextPosition from, TTextPosition to,
                             std::optional<std::string_view> lineBreak) {
    std::string bytes;
    // An empty range may sit past the last line, where no line can be read.
    if (to <= from)
        return bytes;
    for (uint64_t line = from.line; line <= to.line; ++line) {
        const size_t begin = line == from.line ? from.byte : 0;
        const size_t end = line == to.line ? to.byte : store.LineLength(line);
        const std::string lineBytes = store.LineBytes(line, begin, end - begin);
        if (store.Kind(line) == TLineKind::Hex) {
            AppendHexRender(lineBytes, bytes);
        } else {
            bytes += lineBytes;
        }
        if (line < to.line) {
            bytes += lineBreak.value_or(EndingBytes(store.Ending(line)));
        }
    }
    return bytes;
}
