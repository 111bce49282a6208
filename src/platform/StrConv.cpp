#include "platform/StrConv.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

std::optional<std::int32_t> TryStrToInt(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    for (std::string_view prefix : {"0x", "0X", "$", "x", "X"}) {
        if (StartsWith(text, prefix)) {
            base = 16;
            text.remove_prefix(prefix.size());
            break;
        }
    }
    if (text.empty()) {
        return std::nullopt;
    }
    std::uint64_t magnitude = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    if (base == 16) {
        if (magnitude > 0xFFFFFFFFu) {
            return std::nullopt;
        }
        const auto bits = static_cast<std::uint32_t>(negative ? 0u - magnitude : magnitude);
        return static_cast<std::int32_t>(bits);
    }
    const std::uint64_t limit = negative ? 2147483648u : 2147483647u;
    if (magnitude > limit) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(magnitude)
                                              : static_cast<std::int64_t>(magnitude));
}

std::string_view Trim(std::string_view text, TBlanks blanks) {
    const auto blank = [blanks](char c) {
        switch (blanks) {
            case TBlanks::Spaces:
                return c == ' ';
            case TBlanks::SpacesAndTabs:
                return c == ' ' || c == '\t';
            case TBlanks::SpacesTabsAndCr:
                return c == ' ' || c == '\t' || c == '\r';
            case TBlanks::SpacesTabsAndLineBreaks:
                return c == ' ' || c == '\t' || c == '\r' || c == '\n';
            case TBlanks::SpacesAndControls:
                return static_cast<unsigned char>(c) <= ' ';
        }
        return false;
    };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<double> TryStrToFloat(std::string_view text) {
    text = Trim(text, TBlanks::Spaces);
    std::string_view digits = text;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        digits.remove_prefix(1);
    }
    // from_chars would also take "inf" and "nan"; a settings value never means those.
    if (digits.empty() ||
        !(std::isdigit(static_cast<unsigned char>(digits.front())) || digits.front() == '.')) {
        return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return text.front() == '-' ? -value : value;
}
