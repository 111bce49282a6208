#include "console/AccessibleTextWindow.h"

#include <algorithm>

#include "console/ReceiveRows.h"

namespace {

// Bytes between two marks on a line; decoding this much is all an offset
// lookup costs.
constexpr size_t kMarkBytes = 256;

// A hex line shows three characters a byte ("41 42"), less the last blank,
// after its timestamp's characters.
size_t ShownLength(const TLineTextStore& store, uint64_t line, size_t fromByte) {
    const size_t length = store.LineLength(line);
    if (store.Kind(line) == TLineKind::Text) {
        return length - fromByte;
    }
    const size_t prefixEnd = std::max(fromByte, std::min(length, store.TextPrefix(line)));
    return (prefixEnd - fromByte) + 3 * (length - prefixEnd);
}

// The first character boundary at or after `byte`.
size_t CharacterBoundary(const TLineTextStore& store, uint64_t line, size_t byte) {
    return byte + (store.Kind(line) == TLineKind::Text && IsInsideDoubleByte(store, line, byte));
}

}  // namespace

TAccessibleTextWindow::TAccessibleTextWindow(const TLineTextStore& store, uint64_t firstLine,
                                             size_t maxCharacters)
    : store_(store) {
    const uint64_t first = std::max(firstLine, store.FirstLine());
    const uint64_t end = store.EndLine();
    start_ = end_ = {end, 0};
    if (first >= end) {
        return;
    }
    end_ = {end - 1, store.LineLength(end - 1)};
    // Whole lines from the end back, as many as fit; a last line that alone
    // does not fit is shown from as far on as it must be.
    start_ = {end - 1, 0};
    size_t budget = maxCharacters;
    for (uint64_t line = end; line-- > first;) {
        const size_t cost = ShownLength(store, line, 0) + (line + 1 < end ? 1 : 0);
        if (cost > budget) {
            if (line == end - 1) {
                const size_t length = store.LineLength(line);
                const size_t keep = store.Kind(line) == TLineKind::Hex ? budget / 3 : budget;
                start_.byte = CharacterBoundary(store, line, length - std::min(length, keep));
            }
            break;
        }
        budget -= cost;
        start_ = {line, 0};
    }
    for (uint64_t line = start_.line; line < end; ++line) {
        if (line > start_.line) {
            text_ += QLatin1Char('\n');
        }
        AddLine(line, line == start_.line ? start_.byte : 0);
    }
}

void TAccessibleTextWindow::AddLine(uint64_t line, size_t fromByte) {
    const size_t length = store_.LineLength(line);
    const bool hex = store_.Kind(line) == TLineKind::Hex;
    size_t byte = fromByte;
    do {
        const size_t next = CharacterBoundary(store_, line, std::min(length, byte + kMarkBytes));
        if (hex && byte > fromByte) {
            text_ += QLatin1Char(' ');
        }
        marks_.push_back({{line, byte}, static_cast<int>(text_.size())});
        text_ += ReceiveSpanText(store_, line, byte, next);
        byte = next;
    } while (byte < length);
}

const TAccessibleTextWindow::TMark& TAccessibleTextWindow::MarkAt(TTextPosition at) const {
    const auto after = std::upper_bound(marks_.begin(), marks_.end(), at,
                                        [](TTextPosition p, const TMark& m) { return p < m.at; });
    return *(after == marks_.begin() ? after : after - 1);
}

const TAccessibleTextWindow::TMark& TAccessibleTextWindow::MarkBefore(int offset) const {
    const auto after = std::upper_bound(marks_.begin(), marks_.end(), offset,
                                        [](int o, const TMark& m) { return o < m.offset; });
    return *(after == marks_.begin() ? after : after - 1);
}

size_t TAccessibleTextWindow::MarkEnd(const TMark& mark) const {
    const auto next = &mark + 1;
    return next != marks_.data() + marks_.size() && next->at.line == mark.at.line
               ? next->at.byte
               : store_.LineLength(mark.at.line);
}

int TAccessibleTextWindow::OffsetOf(TTextPosition at) const {
    if (marks_.empty() || at <= start_) {
        return 0;
    }
    if (at >= end_) {
        return CharacterCount();
    }
    const TMark& mark = MarkAt(at);
    if (mark.at.line != at.line) {  // cannot happen: every line has a mark at its start
        return mark.offset;
    }
    const size_t byte = std::min(at.byte, MarkEnd(mark));
    if (store_.Kind(at.line) == TLineKind::Hex) {
        // The timestamp shows a character a byte; the end of a hex line comes
        // right after its last pair, not a blank on.
        const size_t prefixEnd = std::clamp(store_.TextPrefix(at.line), mark.at.byte, byte);
        const bool lineEnd = byte == store_.LineLength(at.line) && byte > prefixEnd;
        return mark.offset + static_cast<int>(prefixEnd - mark.at.byte) +
               static_cast<int>(3 * (byte - prefixEnd)) - (lineEnd ? 1 : 0);
    }
    return mark.offset +
           static_cast<int>(ReceiveSpanText(store_, at.line, mark.at.byte, byte).size());
}

TTextPosition TAccessibleTextWindow::PositionAt(int offset) const {
    if (marks_.empty() || offset <= 0) {
        return start_;
    }
    if (offset >= CharacterCount()) {
        return end_;
    }
    const TMark& mark = MarkBefore(offset);
    const uint64_t line = mark.at.line;
    const size_t end = MarkEnd(mark);
    const auto wanted = static_cast<size_t>(offset - mark.offset);
    if (store_.Kind(line) == TLineKind::Hex) {
        const size_t prefixChars =
            std::clamp(store_.TextPrefix(line), mark.at.byte, end) - mark.at.byte;
        if (wanted < prefixChars) {
            return {line, mark.at.byte + wanted};
        }
        return {line, std::min(end, mark.at.byte + prefixChars + (wanted - prefixChars) / 3)};
    }
    size_t byte = mark.at.byte;
    size_t shown = 0;
    while (byte < end) {
        const size_t next = NextCharacter(store_, line, byte);
        const size_t width = static_cast<size_t>(ReceiveSpanText(store_, line, byte, next).size());
        if (shown + width > wanted) {
            break;
        }
        shown += width;
        byte = next;
    }
    return {line, byte};
}

int TAccessibleTextWindow::MarkOffset(TTextPosition at) const {
    const auto found = std::lower_bound(marks_.begin(), marks_.end(), at,
                                        [](const TMark& m, TTextPosition p) { return m.at < p; });
    return found != marks_.end() && found->at == at ? found->offset : -1;
}

std::vector<TTextChange> TextChanges(const TAccessibleTextWindow& before,
                                     const TAccessibleTextWindow& after) {
    std::vector<TTextChange> changes;
    QStringView old = before.Text();
    const QStringView now = after.Text();
    // Lines the window dropped at its front, or everything for text that
    // starts after the old text's end.
    if (after.Start() > before.Start()) {
        const int mark = before.MarkOffset(after.Start());
        const qsizetype dropped = mark >= 0 ? mark : after.Start() >= before.End() ? old.size() : 0;
        if (dropped > 0) {
            changes.push_back({0, old.left(dropped).toString(), {}});
            old = old.mid(dropped);
        }
    }
    qsizetype prefix = 0;
    const qsizetype shorter = std::min(old.size(), now.size());
    while (prefix < shorter && old[prefix] == now[prefix]) {
        ++prefix;
    }
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           old[old.size() - 1 - suffix] == now[now.size() - 1 - suffix]) {
        ++suffix;
    }
    TTextChange stretch{static_cast<int>(prefix),
                        old.mid(prefix, old.size() - prefix - suffix).toString(),
                        now.mid(prefix, now.size() - prefix - suffix).toString()};
    if (!stretch.removed.isEmpty() || !stretch.inserted.isEmpty()) {
        changes.push_back(std::move(stretch));
    }
    return changes;
}
