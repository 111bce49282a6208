#pragma once
// The bytes between two places of a line store, as a text box holds them.

#include <optional>
#include <string>
#include <string_view>

#include "console/LineTextStore.h"

// Bytes [begin, end) of `line` as the box shows them, appended to `out`:
// a text line's bytes, a hex line's pairs (after its timestamp, if it has one).
void AppendShownBytes(const TLineTextStore& store, uint64_t line, size_t begin, size_t end,
                      std::string& out);

// Lines are joined by the breaks they ended with, or by `lineBreak` when it
// is given; a hex line gives the pairs it shows, which are plain ASCII, so
// the result decodes as GBK like the text lines around it.
std::string TextBytesBetween(const TLineTextStore& store, TTextPosition from, TTextPosition to,
                             std::optional<std::string_view> lineBreak = std::nullopt);
