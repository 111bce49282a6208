// A received line in decimal plotting: the strict reading agrees with an
// independent one built from the C library's strtoll.
#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string>

#include "FuzzSupport.h"
#include "feed/LineParsers.h"

namespace {

// Blanks, a sign, then digits or "$"/"x"/"0x" and hexadecimal digits, nothing after.
std::optional<std::int32_t> Reference(std::string text) {
    size_t at = text.find_first_not_of(' ');
    if (at == std::string::npos)
        return std::nullopt;
    bool negative = false;
    if (text[at] == '+' || text[at] == '-')
        negative = text[at++] == '-';
    int base = 10;
    if (text.compare(at, 1, "$") == 0 || text.compare(at, 1, "x") == 0 ||
        text.compare(at, 1, "X") == 0) {
        base = 16;
        at += 1;
    } else if (text.compare(at, 2, "0x") == 0 || text.compare(at, 2, "0X") == 0) {
        base = 16;
        at += 2;
    }
    const std::string digits = text.substr(at);
    const char* allowed = base == 16 ? "0123456789abcdefABCDEF" : "0123456789";
    if (digits.empty() || digits.find_first_not_of(allowed) != std::string::npos)
        return std::nullopt;
    errno = 0;
    const unsigned long long magnitude = std::strtoull(digits.c_str(), nullptr, base);
    if (errno == ERANGE)
        return std::nullopt;
    if (base == 16) {
        if (magnitude > 0xFFFFFFFFull)
            return std::nullopt;
        const auto bits = static_cast<std::uint32_t>(magnitude);
        return static_cast<std::int32_t>(negative ? 0u - bits : bits);
    }
    if (magnitude > (negative ? 2147483648ull : 2147483647ull))
        return std::nullopt;
    return static_cast<std::int32_t>(negative ? -static_cast<long long>(magnitude)
                                              : static_cast<long long>(magnitude));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line = AsText(data, size);
    const std::optional<std::int32_t> value = ReadDecimalLine(line);
    if (line.find('\0') == std::string_view::npos)
        FuzzCheck(value == Reference(std::string(line)), "agrees with the reference reading");
    return 0;
}
