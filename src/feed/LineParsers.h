#pragma once
// The two ways a received line becomes a plotted number.

#include <cstdint>
#include <optional>
#include <string_view>

// Reads every hexadecimal digit of `text` in order and skips everything else,
// keeping the low 32 bits; the result is those bits as a signed number.
// Never fails: a text without digits gives 0.
int32_t HexParse(std::string_view text);

// The strict integer reading used for decimal plotting: optional leading
// blanks, an optional sign, then decimal digits or hexadecimal digits after
// "$", "x", "X", "0x" or "0X", and nothing after. Decimal values must fit in
// 32 signed bits; hexadecimal ones in 32 bits, read as signed. The same
// reading as a settings file's integers (TryStrToInt).
std::optional<int32_t> ReadDecimalLine(std::string_view text);
