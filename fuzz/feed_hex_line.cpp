// A received line in hexadecimal plotting: HexParse never fails, and the
// value only depends on the line's hexadecimal digits.
#include <cctype>

#include "FuzzSupport.h"
#include "feed/LineParsers.h"
#include "platform/StrConv.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line = AsText(data, size);
    const std::string_view trimmed = Trim(line, TBlanks::SpacesAndControls);
    FuzzCheck(trimmed.empty() || (static_cast<unsigned char>(trimmed.front()) > ' ' &&
                                  static_cast<unsigned char>(trimmed.back()) > ' '),
              "trimming leaves no blank or control character at either end");
    std::string digits;
    for (char c : line)
        if (std::isxdigit(static_cast<unsigned char>(c)))
            digits += c;
    FuzzCheck(HexParse(line) == HexParse(digits), "only hexadecimal digits count");
    return 0;
}
