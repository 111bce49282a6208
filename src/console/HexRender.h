#pragma once
// Hexadecimal display of received bytes: upper-case pairs, one blank apart.

#include <string>
#include <string_view>

// "A\r\n" becomes "41 0D 0A"; an empty input gives an empty text.
std::string HexRender(std::string_view bytes);

// Writes the rendering of `bytes` to `out` (appending), for callers that
// render piece by piece into a buffer they reuse.
void AppendHexRender(std::string_view bytes, std::string& out);
