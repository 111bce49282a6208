#include "console/ReceiveRows.h"

#include <algorithm>

#include "console/HexRender.h"
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

bool IsGbkLead(unsigned char c) {
    return c >= 0x81 && c <= 0xFE;
}
bool IsGbkTrail(unsigned char c) {
    return c >= 0x40 && c <= 0xFE && c != 0x7F;
}

// True when byte `pos` of `line` is the second byte of a double-byte
// character. Bytes below 0x40 can be neither half of one, so parsing starts
// after the last such byte; the look-back is bounded so that a line of
// nothing but high bytes still renders in constant time.
bool IsInsideDoubleByte(const TReceiveTextStore& store, uint64_t line, size_t pos) {
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
        const bool pair = IsGbkLead(store.ByteAt(line, i)) && i + 1 < length &&
                          IsGbkTrail(store.ByteAt(line, i + 1));
        i += pair ? 2 : 1;
    }
    return i > pos;
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

}  // namespace

size_t ReceiveRowCount(const TReceiveTextStore& store, uint64_t line, int columns) {
    const size_t length = store.LineLength(line);
    const size_t perRow =
        store.Kind(line) == TLineKind::Hex ? HexBytesPerRow(columns) : TextBytesPerRow(columns);
    return std::max<size_t>(1, (length + perRow - 1) / perRow);
}

QString ReceiveRowText(const TReceiveTextStore& store, uint64_t line, size_t row, int columns) {
    if (store.Kind(line) == TLineKind::Hex) {
        const size_t perRow = HexBytesPerRow(columns);
        return QString::fromStdString(HexRender(store.LineBytes(line, row * perRow, perRow)));
    }
    // A double-byte character split by a row boundary belongs to the upper row.
    const size_t perRow = TextBytesPerRow(columns);
    size_t begin = row * perRow;
    size_t end = begin + perRow;
    begin += IsInsideDoubleByte(store, line, begin) ? 1 : 0;
    end += IsInsideDoubleByte(store, line, end) ? 1 : 0;
    if (end <= begin) {
        return {};
    }
    QString text = QString::fromStdString(GbkToUtf8(store.LineBytes(line, begin, end - begin)));
    ShowControlCharacters(text);
    return text;
}

QString ReceivedTextForDisplay(std::string_view bytes) {
    QString text = QString::fromStdString(GbkToUtf8(bytes));
    text.replace(QChar(u'\0'), QChar(kControlPicturesBase));
    return text;
}
