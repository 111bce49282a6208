#pragma once
// Reading several values, and values with fractions, from one received line.
//
// Devices print "23.75", "1,2,3", "x=1 y=2" or "temp:23.5;hum:40". A line with a
// single field is read by the strict integer reading first, so every line that
// reading accepts plots exactly as before; only a line it refuses may still
// give a decimal number. A line with two or more fields gives one value per
// field that reads as a number, by position or by name.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One value of a line and where it belongs: a named field (`name:value` or
// `name=value`) by its name, any other field by its 1-based column.
struct TLineValue {
    std::string name;
    size_t column = 0;
    double value = 0;
    bool operator==(const TLineValue&) const = default;
};

// A decimal number filling the whole text: optional leading blanks, an
// optional sign, digits with an optional fraction, an optional exponent, and
// nothing after ("23.75", "-3.25", "1e-3", "+.5"). Out-of-range values, "inf"
// and "nan" are refused.
std::optional<double> ReadDecimalNumber(std::string_view text);

// The values of one line, in field order. Fields are separated by commas,
// semicolons, tabs or runs of blanks; blanks around a field are not part of it.
// A field that is not a number gives no value (its column still counts).
std::vector<TLineValue> ReadMultiValueLine(std::string_view line);
