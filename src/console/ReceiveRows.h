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

#include "console/ReceiveTextStore.h"

// Rows `line` takes; an empty line takes one.
size_t ReceiveRowCount(const TReceiveTextStore& store, uint64_t line, int columns);

// The text shown in `row` of `line`. Control characters other than the line
// breaks show as visible symbols, so a zero byte never hides what follows it.
QString ReceiveRowText(const TReceiveTextStore& store, uint64_t line, size_t row, int columns);

// The text of a received text block as it reads in a text box: GBK decoded,
// with zero bytes shown as a visible symbol.
QString ReceivedTextForDisplay(std::string_view bytes);
