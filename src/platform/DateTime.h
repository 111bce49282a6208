#pragma once
// Date-time values as the program counts them: days since 30 December 1899,
// the fraction being the time of day (0.5 is noon). The plot's elapsed
// seconds are differences of two such values times 86400.

#include <string>
#include <string_view>

using TDateTime = double;

// The current local time.
TDateTime Now();

struct TDateTimeParts {
    int year, month, day, hour, minute, second, millisecond;
};

TDateTimeParts DecodeDateTime(TDateTime value);
TDateTime EncodeDateTime(const TDateTimeParts& parts);

// Formats with the usual date-time letters: yyyy/yy, mm/m (minutes right
// after an hour), dd/d, hh/h, nn/n, ss/s, zzz/z; text in single or double
// quotes is copied, every other character too. "hhnnss" at 14:23:05 gives
// "142305".
std::string FormatDateTime(std::string_view format, TDateTime value);
