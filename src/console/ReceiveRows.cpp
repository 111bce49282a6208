#include "console/ReceiveRows.h"

#include <algorithm>

#include "console/TextBetween.h"
#include "platform/Gbk.h"

namespace {

constexpr char16_t kControlPicturesBase = 0x2400;  // U+2400 is the symbol for NUL
constexpr char16_t kDeletePicture = 0x2421;

// A row's width never goes below one hex pair.
size_t HexBytesPerRow(int columns) {
    return static_cast<size_t>(std::max(1, (columns + 1) / 3));
}

size_t TextBytesPerRow(int columns) {
    return static_cast<size_t>(std::max(1, columns));
}

void ShowControlCharacters(QString& text) {
    for (QChar& c : text) {
        const char16_t code = c.unicode();
        if (code == '\t') {
            c = u' ';
        } else if (code < 0x20) {
            c = QChar(static_cast<char16_t>(kControlPicturesBase + code));
        } else if (code == 0x7F) {
            c = QChar(kDeletePicture);
        }
    }
}

size_t BytesPerRow(const TLineTextStore& store, uint64_t line, int columns) {
    return store.Kind(line) == TLineKind::Hex ? HexBytesPerRow(columns) : TextBytesPerRow(columns);
}

// Bytes in the first row of a line: a hex line's timestamp takes its own
// columns there, and the pairs that still fit follow it.
size_t FirstRowBytes(const TLineTextStore& store, uint64_t line, int columns) {
    const size_t prefix = store.TextPrefix(line);
    if (prefix == 0) {
        return BytesPerRow(store, line, columns);
    }
    const int rest = columns - static_cast<int>(prefix);
    return prefix + static_cast<size_t>(std::max(0, (rest + 1) / 3));
}

}  // namespace

size_t ReceiveRowCount(const TLineTextStore& store, uint64_t line, int columns) {
    return ReceiveRowCount(store, line, store.LineLength(line), columns);
}

size_t ReceiveRowCount(const TLineTextStore& store, uint64_t line, size_t length, int columns) {
    const size_t first = FirstRowBytes(store, line, columns);
    if (length <= first) {
        return 1;
    }
    const size_t perRow = BytesPerRow(store, line, columns);
    return 1 + (length - first + perRow - 1) / perRow;
}

// Bytes below 0x40 can be neither half of a double-byte character, so
// parsing starts after the last such byte; the look-back is bounded so that a
// line of nothing but high bytes still renders in constant time.
bool IsInsideDoubleByte(const TLineTextStore& store, uint64_t line, size_t pos) {
    constexpr size_t kMaxLookBack = 1024;
    const size_t length = store.LineLength(line);
    if (pos == 0 || pos >= length) {
        return false;
    }
    size_t sync = pos;
    while (sync > 0 && pos - sync < kMaxLookBack && store.ByteAt(line, sync - 1) >= 0x40) {
        --sync;
    }
    size_t i = sync;
    while (i < pos) {
        const bool pair = IsGbkLeadByte(store.ByteAt(line, i)) && i + 1 < length &&
                          IsGbkTrailByte(store.ByteAt(line, i + 1));
        i += pair ? 2 : 1;
    }
    return i > pos;
}

size_t NextCharacter(const TLineTextStore& store, uint64_t line, size_t pos) {
    const bool pair = store.Kind(line) == TLineKind::Text && pos + 1 < store.LineLength(line) &&
                      IsGbkLeadByte(store.ByteAt(line, pos)) &&
                      IsGbkTrailByte(store.ByteAt(line, pos + 1));
    return pos + (pair ? 2 : 1);
}

size_t PreviousCharacter(const TLineTextStore& store, uint64_t line, size_t pos) {
    const bool pair =
        store.Kind(line) == TLineKind::Text && pos >= 2 && IsInsideDoubleByte(store, line, pos - 1);
    return pos - (pair ? 2 : 1);
}

std::pair<size_t, size_t> ReceiveRowSpan(const TLineTextStore& store, uint64_t line, size_t row,
                                         int columns) {
    const size_t length = store.LineLength(line);
    if (store.Kind(line) == TLineKind::Hex) {
        const size_t first = FirstRowBytes(store, line, columns);
        if (row == 0) {
            return {0, std::min(length, first)};
        }
        const size_t perRow = HexBytesPerRow(columns);
        const size_t begin = first + (row - 1) * perRow;
        return {std::min(length, begin), std::min(length, begin + perRow)};
    }
    // A double-byte character split by a row boundary belongs to the upper row.
    const size_t perRow = TextBytesPerRow(columns);
    const auto boundary = [&](size_t pos) {
        pos = std::min(pos, length);
        return pos + (IsInsideDoubleByte(store, line, pos) ? 1 : 0);
    };
    return {boundary(row * perRow), boundary((row + 1) * perRow)};
}

size_t ReceiveRowOf(const TLineTextStore& store, uint64_t line, size_t pos, int columns) {
    const size_t lastRow = ReceiveRowCount(store, line, columns) - 1;
    const size_t first = FirstRowBytes(store, line, columns);
    size_t row =
        std::min(lastRow, pos < first ? 0 : 1 + (pos - first) / BytesPerRow(store, line, columns));
    while (row > 0 && pos < ReceiveRowSpan(store, line, row, columns).first) {
        --row;
    }
    return row;
}

QString ReceiveRowText(const TLineTextStore& store, uint64_t line, size_t row, int columns) {
    const auto [begin, end] = ReceiveRowSpan(store, line, row, columns);
    return ReceiveSpanText(store, line, begin, end);
}

QString ReceiveSpanText(const TLineTextStore& store, uint64_t line, size_t begin, size_t end) {
    std::string bytes;
    AppendShownBytes(store, line, begin, end, bytes);
    return ShownText(bytes);
}

QString ShownText(std::string_view bytes) {
    QString text = QString::fromStdString(GbkToUtf8(bytes));
    ShowControlCharacters(text);
    return text;
}

QString ReceivedTextForDisplay(std::string_view bytes) {
    QString text = QString::fromStdString(GbkToUtf8(bytes));
    text.replace(QChar(u'\0'), QChar(kControlPicturesBase));
    return text;
}
