#include "console/SurroundingText.h"

#include <algorithm>
#include <cstdlib>

#include "console/ReceiveRows.h"
#include "platform/Gbk.h"

namespace {

constexpr size_t kSurroundingBytes = 512;

}  // namespace

QVariant TSurroundingText::Answer(Qt::InputMethodQuery query) const {
    switch (query) {
        case Qt::ImSurroundingText:
            return text;
        case Qt::ImCursorPosition:
            return cursor;
        case Qt::ImAnchorPosition:
            return anchor;
        case Qt::ImCurrentSelection:
            return text.mid(std::min(cursor, anchor), std::abs(cursor - anchor));
        case Qt::ImTextBeforeCursor:
            return text.left(cursor);
        case Qt::ImTextAfterCursor:
            return text.mid(cursor);
        default:
            return {};
    }
}

TSurroundingText SurroundingTextOf(const TLineTextStore& store, TTextPosition caret,
                                   TTextPosition anchor) {
    const uint64_t line = caret.line;
    size_t from = caret.byte > kSurroundingBytes ? caret.byte - kSurroundingBytes : 0;
    from -= IsInsideDoubleByte(store, line, from) ? 1 : 0;
    size_t to = std::min(store.LineLength(line), caret.byte + kSurroundingBytes);
    to += IsInsideDoubleByte(store, line, to) ? 1 : 0;
    const auto decoded = [&](size_t end) {
        return QString::fromStdString(GbkToUtf8(store.LineBytes(line, from, end - from)));
    };
    const size_t anchorByte = anchor.line < line   ? from
                              : anchor.line > line ? to
                                                   : std::clamp(anchor.byte, from, to);
    return {decoded(to), static_cast<int>(decoded(caret.byte).size()),
            static_cast<int>(decoded(anchorByte).size())};
}
