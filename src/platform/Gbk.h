#pragma once
// Conversion between the GBK code page, in which the settings, history and
// saved receive files are stored, and the UTF-8 used inside the program.
// Malformed input never fails: a byte that does not start a valid GBK
// character decodes to U+FFFD, and a character GBK cannot hold encodes as '?'.

#include <string>
#include <string_view>

std::string GbkToUtf8(std::string_view gbk);
std::string Utf8ToGbk(std::string_view utf8);

// Whether a byte can start, or end, a double-byte GBK character.
inline bool IsGbkLeadByte(unsigned char c) {
    return c >= 0x81 && c <= 0xFE;
}
inline bool IsGbkTrailByte(unsigned char c) {
    return c >= 0x40 && c <= 0xFE && c != 0x7F;
}
