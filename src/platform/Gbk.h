#pragma once
// Conversion between the GBK code page, in which the settings, history and
// saved receive files are stored, and the UTF-8 used inside the program.
// Malformed input never fails: a byte that does not start a valid GBK
// character decodes to U+FFFD, and a character GBK cannot hold encodes as '?'.

#include <string>
#include <string_view>

std::string GbkToUtf8(std::string_view gbk);
std::string Utf8ToGbk(std::string_view utf8);
