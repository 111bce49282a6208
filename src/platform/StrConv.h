#pragma once
// Text-to-number rules shared by the settings file and the plot feed: the
// integer rules accept what an embedded developer writes in a config file
// ("9600", "-5", "$2580", "0x2580"), and anything else is a failure the
// caller answers with its default. Also the one trim every reader uses,
// each naming the blanks its format allows.

#include <cstdint>
#include <optional>
#include <string_view>

// Which characters Trim drops at both ends.
enum class TBlanks {
    Spaces,                   // ' ' alone
    SpacesAndTabs,            // ' ' and '\t'
    SpacesTabsAndCr,          // ' ', '\t' and the '\r' of a CR LF line
    SpacesTabsAndLineBreaks,  // ' ', '\t', '\r' and '\n'
    SpacesAndControls,        // every byte from 0 to ' '
};

// `text` without the `blanks` at its start and end.
std::string_view Trim(std::string_view text, TBlanks blanks);

// Optional leading blanks, an optional sign, then decimal digits or
// hexadecimal digits after "$", "x", "X", "0x" or "0X"; nothing may follow.
// A decimal value must fit 32 signed bits; a hexadecimal one must fit 32 bits
// and reads negative when its top bit is set.
std::optional<std::int32_t> TryStrToInt(std::string_view text);

// A decimal floating-point number with '.' as the separator and an optional
// exponent, blanks allowed around it; infinities and NaN are not numbers.
std::optional<double> TryStrToFloat(std::string_view text);
