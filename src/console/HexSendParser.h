#pragma once
// Turns what the user typed in hexadecimal-send mode into the bytes to send.

#include <string>
#include <string_view>

// `text` is GBK. Pairs of hexadecimal digits make one byte each; any other
// character (a double-byte one included) ends a
// group, and a lone digit left at the end of a group is a byte of its own
// value. So "5B 0A ff" gives 5B 0A FF, "123" gives 12 03 and "GG" nothing.
std::string ParseHexBytes(std::string_view text);

// The frame bytes that wrap a payload when the frame switch is on.
inline constexpr char kFrameHead = 0x5B;
inline constexpr char kFrameTail = 0x5D;

// The payload, wrapped in the frame head and tail when `framed`.
std::string BuildHexFrame(std::string_view payload, bool framed);
