#include "console/HexSendParser.h"

#include <optional>

#include "platform/Gbk.h"

namespace {

std::optional<int> HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return std::nullopt;
}

// The digit at byte `i`, or nothing for any other character. `i` moves to the
// character's last byte: the second byte of a double-byte character may look
// like a digit.
std::optional<int> DigitAt(std::string_view text, size_t& i) {
    if (i + 1 < text.size() && IsGbkLeadByte(static_cast<unsigned char>(text[i])) &&
        IsGbkTrailByte(static_cast<unsigned char>(text[i + 1]))) {
        ++i;
        return std::nullopt;
    }
    return HexDigitValue(text[i]);
}

}  // namespace

std::string ParseHexBytes(std::string_view text) {
    std::string bytes;
    std::optional<int> high;  // first digit of a pair still waiting for its second
    for (size_t i = 0; i < text.size(); ++i) {
        const std::optional<int> digit = DigitAt(text, i);
        if (!digit) {
            if (high) {
                bytes.push_back(static_cast<char>(*high));
                high.reset();
            }
        } else if (high) {
            bytes.push_back(static_cast<char>(*high * 16 + *digit));
            high.reset();
        } else {
            high = digit;
        }
    }
    if (high) {
        bytes.push_back(static_cast<char>(*high));
    }
    return bytes;
}

std::string BuildHexFrame(std::string_view payload, bool framed) {
    if (!framed) {
        return std::string(payload);
    }
    std::string frame;
    frame.reserve(payload.size() + 2);
    frame.push_back(kFrameHead);
    frame.append(payload);
    frame.push_back(kFrameTail);
    return frame;
}
