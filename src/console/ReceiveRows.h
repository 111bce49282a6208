#pragma once
// How a receive-box line wraps into screen rows at a given width in columns.
//
// Text lines take one column per byte (a GBK double-byte character is a wide
// glyph over two columns); hex lines show whole byte pairs, three columns per
// byte. Row counts therefore need no decoding, which keeps wrapping a huge
// line as cheap as wrapping a short one. The screen and the printer share
// these rules so that printed pages hold the rows the user sees.

#include <QString>

#include <cstdint>
#include <string_view>
#include <utility>

#include "console/LineTextStore.h"

// Rows `line` takes; an empty line takes one.
size_t ReceiveRowCount(const TLineTextStore& store, uint64_t line, int columns);
// Rows `line` would take at `length` bytes.
size_t ReceiveRowCount(const TLineTextStore& store, uint64_t line, size_t length, int columns);

// The bytes of `line` that `row` shows, as [first, end).
std::pair<size_t, size_t> ReceiveRowSpan(const TLineTextStore& store, uint64_t line, size_t row,
                                         int columns);
// The row of `line` that shows the place before byte `pos`; a place on a row
// boundary belongs to the lower row, the end of the line to the last row.
size_t ReceiveRowOf(const TLineTextStore& store, uint64_t line, size_t pos, int columns);

// The places after and before the character at a character boundary `pos`:
// a double-byte character of a text line is stepped over whole, and each
// byte of a hex line is one character, its pair.
size_t NextCharacter(const TLineTextStore& store, uint64_t line, size_t pos);
size_t PreviousCharacter(const TLineTextStore& store, uint64_t line, size_t pos);
// True when byte `pos` of `line` is the second byte of a double-byte character.
bool IsInsideDoubleByte(const TLineTextStore& store, uint64_t line, size_t pos);

// The text shown in `row` of `line`. Control characters other than the line
// breaks show as visible symbols, so a zero byte never hides what follows it.
QString ReceiveRowText(const TLineTextStore& store, uint64_t line, size_t row, int columns);
// The text bytes [begin, end) of `line` show as inside one row.
QString ReceiveSpanText(const TLineTextStore& store, uint64_t line, size_t begin, size_t end);

// Text bytes as a row shows them: GBK decoded, control characters as
// visible symbols.
QString ShownText(std::string_view bytes);

// The text of a received text block as it reads in a text box: GBK decoded,
// with zero bytes shown as a visible symbol.
QString ReceivedTextForDisplay(std::string_view bytes);
