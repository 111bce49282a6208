#include "plot/iPlotAxisFormat.h"

#include <array>
#include <charconv>
#include <cmath>
#include <stdexcept>

#include "platform/DateTime.h"

namespace {

// Dates the calendar functions cover: 1 January 0001 to 31 December 9999.
constexpr double kFirstDate = -693593;
constexpr double kDateEnd = 2958466;

std::string ToChars(double value, std::chars_format form, int precision) {
    std::array<char, 1024> buffer{};
    const auto [end, error] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, form, precision);
    if (error != std::errc{}) {
        throw std::runtime_error("value too long to format");
    }
    std::string text(buffer.data(), end);
    // A value that rounds to zero reads as zero, never as "-0.00".
    if (text.front() == '-' && text.find_first_of("123456789") == std::string::npos) {
        text.erase(0, 1);
    }
    return text;
}

std::string Fixed(double value, int decimals) {
    return ToChars(value, std::chars_format::fixed, std::max(decimals, 0));
}

int SpanDecimals(const TiAxisTextFormat& format, double span) {
    return DecimalPlacesFor(format.Precision, format.PrecisionStyle, 0, span);
}

std::string LogValueText(double value) {
    const int decimals = std::max(0, -static_cast<int>(std::trunc(std::log10(value) - 0.5)));
    return Fixed(value, decimals);
}

std::string ExponentText(const TiAxisTextFormat& format, double value) {
    const int digits =
        format.PrecisionStyle == ipsFixedDecimalPoints ? format.Precision + 1 : format.Precision;
    return ToChars(value, std::chars_format::scientific, std::max(digits - 1, 0));
}

const char* PrefixFor(int exponent) {
    switch (exponent) {
        case 24:
            return "Y";
        case 21:
            return "Z";
        case 18:
            return "E";
        case 15:
            return "P";
        case 12:
            return "T";
        case 9:
            return "G";
        case 6:
            return "M";
        case 3:
            return "K";
        case 0:
            return "";
        case -3:
            return "m";
        case -6:
            return "\u00B5";
        case -9:
            return "n";
        case -12:
            return "p";
        case -15:
            return "f";
        case -18:
            return "a";
        case -21:
            return "z";
        case -24:
            return "y";
        default:
            return nullptr;
    }
}

// Engineering notation with SI prefixes; values from 0.001 up to 1 keep no
// prefix because the exponent is truncated toward zero.
std::string PrefixText(const TiAxisTextFormat& format, double value) {
    const int exponent =
        value == 0 ? 0 : static_cast<int>(std::trunc(std::log10(std::fabs(value)) / 3)) * 3;
    const char* prefix = PrefixFor(exponent);
    if (prefix == nullptr) {
        return "Unknown";
    }
    const double mantissa = value / std::pow(10.0, exponent);
    return Fixed(mantissa, DecimalPlacesFor(format.Precision, format.PrecisionStyle, 0, mantissa)) +
           prefix;
}

std::string DateTimeText(std::string_view dateTimeFormat, double value) {
    if (!(value >= kFirstDate && value < kDateEnd)) {
        throw std::runtime_error("not a date");
    }
    // A leading "J" asks for the day count before the time of day.
    if (!dateTimeFormat.empty() && (dateTimeFormat.front() | 0x20) == 'j') {
        return Fixed(std::trunc(value), 0) + " " + FormatDateTime(dateTimeFormat.substr(1), value);
    }
    return FormatDateTime(dateTimeFormat, value);
}

std::string TwoDigitsAtLeast(int value) {
    std::string text = std::to_string(value);
    return text.size() < 2 ? "0" + text : text;
}

// Bond prices: the whole part, then 32nds as two digits and the eighths of a
// 32nd as one digit (100.5 is 100 and 16/32: "100.160").
std::string Price32ndsText(double value) {
    const double shifted = value + 1.0 / 512;
    const double fraction = shifted - std::trunc(shifted);
    const int n = static_cast<int>(std::nearbyint(fraction * 1024));
    return Fixed(std::trunc(shifted), 0) + "." + TwoDigitsAtLeast(n / 32) +
           std::to_string((n % 32) / 4);
}

std::string ThousandsText(double value, int decimals) {
    std::string digits = Fixed(std::fabs(value), decimals);
    const bool negative = value < 0 && digits.find_first_of("123456789") != std::string::npos;
    const size_t point = digits.find('.');
    const size_t integerDigits = point == std::string::npos ? digits.size() : point;
    for (size_t at = integerDigits; at > 3; at -= 3) {
        digits.insert(at - 3, ",");
    }
    return negative ? "-" + digits : digits;
}

std::string StyledText(const TiAxisTextFormat& format, TiPlotScaleType scale, double span,
                       double value) {
    if (!std::isfinite(value)) {
        throw std::runtime_error("not a number");
    }
    switch (format.Style) {
        case iptfValue:
            return scale == ipstLog10 ? LogValueText(value)
                                      : Fixed(value, SpanDecimals(format, span));
        case iptfExponent:
            return ExponentText(format, value);
        case iptfPrefix:
            return PrefixText(format, value);
        case iptfDateTime:
            return DateTimeText(format.DateTimeFormat, value);
        case iptfPrice32nds:
            return Price32ndsText(value);
        case iptfThousands:
            return ThousandsText(value, SpanDecimals(format, span));
    }
    return "Unknown";
}

bool IsNumberStyle(TiPlotTextFormat style) {
    return style == iptfValue || style == iptfExponent || style == iptfPrefix ||
           style == iptfThousands;
}

// The texts above are built with "." for decimals and "," for thousands.
void UseCommaForDecimals(std::string& text) {
    for (char& c : text) {
        if (c == '.') {
            c = ',';
        } else if (c == ',') {
            c = '.';
        }
    }
}

}  // namespace

TiFormattedValue FormatAxisValue(const TiAxisTextFormat& format, TiPlotScaleType scale, double span,
                                 double value, char decimalSeparator) {
    if (format.Style == iptfValue && scale == ipstLog10 && !(value > 0)) {
        return {"Unknown", false};
    }
    try {
        std::string text = StyledText(format, scale, span, value);
        if (decimalSeparator == ',' && IsNumberStyle(format.Style)) {
            UseCommaForDecimals(text);
        }
        return {std::move(text), true};
    } catch (const std::exception&) {
        return {"Error", true};
    }
}

std::string JoinLabelLines(std::string_view text) {
    std::string joined;
    joined.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            joined += ' ';
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            joined += text[i];
        }
    }
    return joined;
}

int LabelLength(std::string_view text) {
    int length = 0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++length;
        }
    }
    return length;
}
