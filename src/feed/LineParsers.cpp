#include "feed/LineParsers.h"

#include "platform/StrConv.h"

namespace {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace

int32_t HexParse(std::string_view text) {
    uint32_t value = 0;
    for (char c : text) {
        const int d = HexDigitValue(c);
        if (d >= 0)
            value = value * 16u + static_cast<uint32_t>(d);
    }
    return static_cast<int32_t>(value);
}

std::optional<int32_t> ReadDecimalLine(std::string_view text) {
    return TryStrToInt(text);
}
