#include "console/TextWords.h"

#include <QString>

#include "console/ReceiveRows.h"
#include "platform/Gbk.h"

namespace {

constexpr size_t kMaxWordBytes = 4096;

enum class TCharKind { Blank, Word, Punctuation };

TCharKind KindAt(const TLineTextStore& store, uint64_t line, size_t pos) {
    const size_t end = NextCharacter(store, line, pos);
    const QString character =
        QString::fromStdString(GbkToUtf8(store.LineBytes(line, pos, end - pos)));
    const QChar c = character.isEmpty() ? QChar() : character.front();
    if (c.isSpace()) {
        return TCharKind::Blank;
    }
    return c.isLetterOrNumber() || c == u'_' ? TCharKind::Word : TCharKind::Punctuation;
}

// The place after the run of `kind` that starts at `pos`.
size_t RunEnd(const TLineTextStore& store, uint64_t line, size_t pos, TCharKind kind) {
    const size_t limit = std::min(store.LineLength(line), pos + kMaxWordBytes);
    while (pos < limit && KindAt(store, line, pos) == kind) {
        pos = NextCharacter(store, line, pos);
    }
    return pos;
}

// The place where the run of `kind` that ends at `pos` starts.
size_t RunStart(const TLineTextStore& store, uint64_t line, size_t pos, TCharKind kind) {
    const size_t limit = pos > kMaxWordBytes ? pos - kMaxWordBytes : 0;
    while (pos > limit) {
        const size_t before = PreviousCharacter(store, line, pos);
        if (KindAt(store, line, before) != kind) {
            break;
        }
        pos = before;
    }
    return pos;
}

}  // namespace

std::pair<size_t, size_t> WordAround(const TLineTextStore& store, uint64_t line, size_t pos) {
    const size_t length = store.LineLength(line);
    if (length == 0) {
        return {0, 0};
    }
    if (pos >= length) {
        pos = PreviousCharacter(store, line, length);
    }
    if (store.Kind(line) == TLineKind::Hex) {
        return {pos, pos + 1};
    }
    const TCharKind kind = KindAt(store, line, pos);
    return {RunStart(store, line, pos, kind), RunEnd(store, line, pos, kind)};
}

size_t NextWordStart(const TLineTextStore& store, uint64_t line, size_t pos) {
    if (pos >= store.LineLength(line)) {
        return pos;
    }
    const TCharKind kind = KindAt(store, line, pos);
    if (kind != TCharKind::Blank) {
        pos = RunEnd(store, line, pos, kind);
    }
    return RunEnd(store, line, pos, TCharKind::Blank);
}

size_t PreviousWordStart(const TLineTextStore& store, uint64_t line, size_t pos) {
    pos = RunStart(store, line, pos, TCharKind::Blank);
    if (pos == 0) {
        return pos;
    }
    return RunStart(store, line, pos, KindAt(store, line, PreviousCharacter(store, line, pos)));
}
