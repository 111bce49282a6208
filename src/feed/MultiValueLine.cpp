#include "feed/MultiValueLine.h"

#include "feed/LineParsers.h"
#include "platform/StrConv.h"

#include <charconv>
#include <cmath>

namespace {

constexpr bool IsBlank(char c) {
    return c == ' ';
}
constexpr bool IsDelimiter(char c) {
    return c == ',' || c == ';' || c == '\t';
}
constexpr bool IsSeparator(char c) {
    return IsBlank(c) || IsDelimiter(c);
}
constexpr bool IsPairMark(char c) {
    return c == ':' || c == '=';
}
constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Longest names kept; a device printing garbage should not make legend rows
// a screen wide.
constexpr size_t kMaxNameBytes = 64;

size_t SkipDigits(std::string_view text, size_t at) {
    while (at < text.size() && IsDigit(text[at]))
        ++at;
    return at;
}

// True when `text` is exactly [sign] digits [. digits] [e [sign] digits], with
// at least one digit before the exponent.
bool IsDecimalNumberShape(std::string_view text) {
    size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        ++at;
    const size_t intEnd = SkipDigits(text, at);
    size_t digits = intEnd - at;
    at = intEnd;
    if (at < text.size() && text[at] == '.') {
        const size_t fracEnd = SkipDigits(text, at + 1);
        digits += fracEnd - at - 1;
        at = fracEnd;
    }
    if (digits == 0)
        return false;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-'))
            ++at;
        const size_t expEnd = SkipDigits(text, at);
        if (expEnd == at)
            return false;
        at = expEnd;
    }
    return at == text.size();
}

// A field's value: the strict integer reading first, so "$10" is still 16.
std::optional<double> ReadFieldValue(std::string_view field) {
    if (const auto whole = ReadDecimalLine(field))
        return *whole;
    return ReadDecimalNumber(field);
}

std::optional<TLineValue> ReadNamedField(std::string_view field) {
    size_t mark = 0;
    while (mark < field.size() && !IsPairMark(field[mark]))
        ++mark;
    if (mark == field.size())
        return std::nullopt;
    const std::string_view name = Trim(field.substr(0, mark), TBlanks::Spaces);
    if (name.empty())
        return std::nullopt;
    const auto value = ReadFieldValue(Trim(field.substr(mark + 1), TBlanks::Spaces));
    if (!value)
        return std::nullopt;
    return TLineValue{std::string(name.substr(0, kMaxNameBytes)), 0, *value};
}

std::optional<TLineValue> ReadField(std::string_view field, size_t column) {
    if (const auto named = ReadNamedField(field))
        return named;
    if (const auto value = ReadFieldValue(field))
        return TLineValue{{}, column, *value};
    return std::nullopt;
}

// Blanks next to ':' or '=' belong to a "name: value" pair, not between fields.
bool BlanksJoinAPair(std::string_view text, size_t runStart, size_t runEnd) {
    return (runStart > 0 && IsPairMark(text[runStart - 1])) ||
           (runEnd < text.size() && IsPairMark(text[runEnd]));
}

// Splits trimmed text into fields. A run of separators counts as one break
// when it holds only blanks, and as one break per comma, semicolon or tab
// otherwise, so "1,,3" has an empty second field and "1 , 3" has none.
std::vector<std::string_view> SplitFields(std::string_view text) {
    std::vector<std::string_view> fields;
    size_t fieldStart = 0;
    size_t at = 0;
    while (at < text.size()) {
        if (!IsSeparator(text[at])) {
            ++at;
            continue;
        }
        size_t runEnd = at;
        size_t delimiters = 0;
        while (runEnd < text.size() && IsSeparator(text[runEnd]))
            delimiters += IsDelimiter(text[runEnd++]) ? 1 : 0;
        if (delimiters == 0 && BlanksJoinAPair(text, at, runEnd)) {
            at = runEnd;
            continue;
        }
        fields.push_back(text.substr(fieldStart, at - fieldStart));
        for (size_t empty = 1; empty < delimiters; ++empty)
            fields.push_back({});
        fieldStart = at = runEnd;
    }
    fields.push_back(text.substr(fieldStart));
    return fields;
}

}  // namespace

std::optional<double> ReadDecimalNumber(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    if (!IsDecimalNumberShape(text))
        return std::nullopt;
    // from_chars takes no leading '+'.
    if (text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::vector<TLineValue> ReadMultiValueLine(std::string_view line) {
    const std::string_view trimmed = Trim(line, TBlanks::Spaces);
    if (trimmed.empty())
        return {};
    const std::vector<std::string_view> fields = SplitFields(trimmed);
    if (fields.size() == 1) {
        // Whole-line readings see the line as received, blanks included, so
        // "8 " stays refused as the strict reading refuses it.
        if (const auto value = ReadFieldValue(line))
            return {TLineValue{{}, 1, *value}};
        if (const auto named = ReadNamedField(trimmed))
            return {*named};
        return {};
    }
    std::vector<TLineValue> values;
    values.reserve(fields.size());
    for (size_t i = 0; i < fields.size(); ++i) {
        if (auto value = ReadField(fields[i], i + 1))
            values.push_back(std::move(*value));
    }
    return values;
}
