#include "feed/LineParsers.h"

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

std::optional<uint32_t> ReadHexDigits(std::string_view digits) {
    if (digits.empty())
        return std::nullopt;
    uint64_t value = 0;
    for (char c : digits) {
        const int d = HexDigitValue(c);
        if (d < 0)
            return std::nullopt;
        value = value * 16 + static_cast<uint64_t>(d);
        if (value > 0xFFFFFFFFull)
            return std::nullopt;
    }
    return static_cast<uint32_t>(value);
}

// Decimal digits up to 2^31, which only a leading "-" makes representable.
std::optional<uint64_t> ReadDecimalDigits(std::string_view digits) {
    if (digits.empty())
        return std::nullopt;
    uint64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<uint64_t>(c - '0');
        if (value > 0x80000000ull)
            return std::nullopt;
    }
    return value;
}

std::optional<std::string_view> StripHexPrefix(std::string_view text) {
    for (std::string_view prefix : {"0x", "0X", "$", "x", "X"}) {
        if (text.starts_with(prefix))
            return text.substr(prefix.size());
    }
    return std::nullopt;
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
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (auto hex = StripHexPrefix(text)) {
        const auto bits = ReadHexDigits(*hex);
        if (!bits)
            return std::nullopt;
        // Two's complement negation keeps 0x80000000 as the most negative value.
        const uint32_t signedBits = negative ? 0u - *bits : *bits;
        return static_cast<int32_t>(signedBits);
    }
    const auto magnitude = ReadDecimalDigits(text);
    if (!magnitude)
        return std::nullopt;
    if (!negative && *magnitude > 0x7FFFFFFFull)
        return std::nullopt;
    return negative ? static_cast<int32_t>(-static_cast<int64_t>(*magnitude))
                    : static_cast<int32_t>(*magnitude);
}
