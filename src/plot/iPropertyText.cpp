#include "plot/iPropertyText.h"

#include <QLocale>
#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <fstream>
#include <stdexcept>

#include "platform/StrConv.h"

namespace {

constexpr size_t kMaxLineCharacters = 255;
// Error messages quote the offending text; a runaway line is quoted shortened.
constexpr size_t kMaxQuotedBytes = 64;

std::string Lowered(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

// A property line's parts lose spaces and control characters at both ends.
std::string_view Trimmed(std::string_view text) {
    return Trim(text, TBlanks::SpacesAndControls);
}

std::string Quoted(const std::string& text) {
    if (text.size() <= kMaxQuotedBytes)
        return "'" + text + "'";
    return "'" + text.substr(0, kMaxQuotedBytes) + "...'";
}

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

size_t CharacterCount(std::string_view text) {
    return static_cast<size_t>(
        std::ranges::count_if(text, [](char c) { return !IsContinuationByte(c); }));
}

// Cuts to at most 255 characters without splitting a UTF-8 sequence.
void CutLine(std::string& line) {
    if (line.size() <= kMaxLineCharacters)
        return;
    size_t characters = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        if (IsContinuationByte(line[i]))
            continue;
        if (characters++ == kMaxLineCharacters) {
            line.resize(i);
            return;
        }
    }
}

std::string FullName(const std::string& prefix, const std::string& name) {
    return Trimmed(prefix).empty() ? name : prefix + "." + name;
}

bool IsExcluded(const TiStringList* excluded, const std::string& name) {
    if (!excluded)
        return false;
    const std::string lowered = Lowered(name);
    return std::ranges::any_of(*excluded,
                               [&](const std::string& e) { return Lowered(e) == lowered; });
}

// A string value holds line breaks and the other control characters as
// "%0D", "%0A", ... ("%" and two hex digits below 20), so that a caption of
// several lines stays one line of the file and no character the reader trims
// or ends a line at is lost; "%25" is a "%" that would otherwise read as one
// of these. Any other "%" is written as it is, so files written before
// escaping read as they always did.
int EscapedCode(std::string_view text, size_t at) {
    if (at + 2 >= text.size() || text[at] != '%')
        return -1;
    const auto digit = [](char c) {
        return c >= '0' && c <= '9'   ? c - '0'
               : c >= 'a' && c <= 'f' ? c - 'a' + 10
               : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                      : -1;
    };
    const int high = digit(text[at + 1]);
    const int low = digit(text[at + 2]);
    if (high < 0 || low < 0)
        return -1;
    const int code = high * 16 + low;
    return code < 0x20 || code == '%' ? code : -1;
}

std::string EscapedString(std::string_view value) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (size_t i = 0; i < value.size(); ++i) {
        const auto c = static_cast<unsigned char>(value[i]);
        if (c < 0x20 || EscapedCode(value, i) >= 0) {
            const unsigned code = c < 0x20 ? c : '%';
            text += '%';
            text += kHex[code >> 4];
            text += kHex[code & 0xF];
        } else {
            text += value[i];
        }
    }
    return text;
}

// The longest start of a value whose escaped text fits in `room` characters,
// cut between characters. Spaces the cut leaves at its end are dropped, since
// the reader trims them. The start is escaped on its own afterwards: a "%"
// escaped for what followed it reads back differently once that is cut off.
std::string_view FittingStart(std::string_view value, size_t room) {
    size_t characters = 0;
    size_t i = 0;
    while (i < value.size()) {
        const auto c = static_cast<unsigned char>(value[i]);
        size_t end = i + 1;
        while (end < value.size() && IsContinuationByte(value[end]))
            ++end;
        const size_t width = c < 0x20 || EscapedCode(value, i) >= 0 ? 3 : 1;
        if (characters + width > room)
            break;
        characters += width;
        i = end;
    }
    std::string_view start = value.substr(0, i);
    if (i < value.size())
        while (!start.empty() && start.back() == ' ')
            start.remove_suffix(1);
    return start;
}

std::string UnescapedString(std::string_view text) {
    std::string value;
    for (size_t i = 0; i < text.size(); ++i) {
        const int code = EscapedCode(text, i);
        if (code < 0) {
            value += text[i];
            continue;
        }
        value += static_cast<char>(code);
        i += 2;
    }
    return value;
}

// Whether a property takes part in the text form at all. A variant's kind
// would not survive as text, so it has none.
bool Persisted(const TiPublishedProperty& property) {
    return property.Stored() && property.HasSetter() && property.Kind() != ipkVariant;
}

void SetFromText(const TiPublishedProperty& property, TiPersistent& object,
                 const std::string& value) {
    switch (property.Kind()) {
        case ipkFloat:
            property.SetFloat(object, TextToFloat(value));
            break;
        case ipkString:
            property.SetString(object, UnescapedString(value));
            break;
        default:
            property.SetOrdinal(object, TextToInteger(value));
            break;
    }
}

}  // namespace

TiPropertyLines::TiPropertyLines(TiStringList lines)
    : lines_(std::move(lines)),
      keys_(lines_.size()),
      values_(lines_.size()),
      order_(lines_.size()),
      single_(lines_.size(), true),
      taken_(lines_.size(), false),
      remaining_(lines_.size()) {
    for (size_t i = 0; i < lines_.size(); ++i) {
        SplitKeyValue(lines_[i], "=", keys_[i], values_[i]);
        keys_[i] = Lowered(keys_[i]);
        order_[i] = i;
    }
    std::stable_sort(order_.begin(), order_.end(),
                     [this](size_t a, size_t b) { return keys_[a] < keys_[b]; });
    for (size_t i = 1; i < order_.size(); ++i) {
        if (keys_[order_[i - 1]] == keys_[order_[i]])
            single_[order_[i - 1]] = single_[order_[i]] = false;
    }
}

bool TiPropertyLines::Take(std::string_view key, std::string& value) {
    probe_.assign(key);
    for (char& c : probe_)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    size_t line = next_;
    if (line >= lines_.size() || !single_[line] || taken_[line] || keys_[line] != probe_) {
        auto first =
            std::lower_bound(order_.begin(), order_.end(), probe_,
                             [this](size_t at, const std::string& k) { return keys_[at] < k; });
        while (first != order_.end() && keys_[*first] == probe_ && taken_[*first])
            ++first;
        if (first == order_.end() || keys_[*first] != probe_)
            return false;
        line = *first;
    }
    taken_[line] = true;
    --remaining_;
    next_ = line + 1;
    value = values_[line];
    return true;
}

bool TiPropertyLines::HasKeysUnder(std::string_view prefix) const {
    if (Trimmed(prefix).empty())
        return remaining_ > 0;
    const std::string under = Lowered(prefix) + ".";
    auto first =
        std::lower_bound(order_.begin(), order_.end(), under,
                         [this](size_t line, const std::string& k) { return keys_[line] < k; });
    for (; first != order_.end() && keys_[*first].starts_with(under); ++first)
        if (!taken_[*first])
            return true;
    return false;
}

void TiPropertyLines::Rewind() {
    taken_.assign(lines_.size(), false);
    remaining_ = lines_.size();
    next_ = 0;
}

TiStringList TiPropertyLines::Remaining() const {
    TiStringList result;
    for (size_t i = 0; i < lines_.size(); ++i)
        if (!taken_[i])
            result.push_back(lines_[i]);
    return result;
}

void SplitKeyValue(std::string_view line, std::string_view separator, std::string& key,
                   std::string& value) {
    const size_t at = line.find(separator);
    if (at == std::string_view::npos) {
        key.clear();
        value.clear();
        return;
    }
    key = Trimmed(line.substr(0, at));
    value = Trimmed(line.substr(at + separator.size()));
}

bool TakeTextValue(std::string_view key, std::string& value, TiPropertyLines& lines) {
    return lines.Take(key, value);
}

std::string FileTypeLine(std::string_view type) {
    return "File Type = " + std::string(type);
}

bool TakeFileType(std::string_view type, TiPropertyLines& lines) {
    std::string value;
    return lines.Take("File Type", value) && Lowered(value) == Lowered(type);
}

char UserDecimalSeparator() {
    // The locale's decimal point is the second character of 1.1 written in
    // it; asked directly it costs a quarter of formatting the number.
    return QLocale().decimalPoint() == QLatin1String(",") ? ',' : '.';
}

std::string FloatToText(double value, char decimalSeparator) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::general, 15);
    std::string text(buffer, result.ptr);
    for (char& c : text)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    // "1E+20" and "1.5E-05" are written "1E20" and "1.5E-5".
    const size_t e = text.find('E');
    if (e != std::string::npos) {
        std::string exponent = text.substr(e + 1);
        const bool negative = !exponent.empty() && exponent[0] == '-';
        exponent.erase(0, exponent.find_first_not_of("+-0"));
        text = text.substr(0, e + 1) + (negative ? "-" : "") + exponent;
    }
    std::replace(text.begin(), text.end(), '.', decimalSeparator);
    return text;
}

double TextToFloat(const std::string& text) {
    std::string number(Trimmed(text));
    const size_t comma = number.find(',');
    if (comma != std::string::npos)
        number[comma] = '.';
    if (!number.empty() && number[0] == '+')
        number.erase(0, 1);
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (number.empty() || error != std::errc() || end != number.data() + number.size())
        throw std::invalid_argument(Quoted(text) + " is not a valid floating point value");
    return value;
}

std::int64_t TextToInteger(const std::string& text) {
    std::string_view number = Trimmed(text);
    if (!number.empty() && number[0] == '+')
        number.remove_prefix(1);
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (number.empty() || error != std::errc() || end != number.data() + number.size())
        throw std::invalid_argument(Quoted(text) + " is not a valid integer value");
    return value;
}

void PropertiesToText(TiPersistent& object, const std::string& prefix, TiStringList& lines,
                      const TiStringList* excluded, char decimalSeparator) {
    for (const TiPublishedTable::Entry& property : object.Published()) {
        if (!Persisted(*property))
            continue;
        const std::string name = FullName(prefix, property->Name());
        if (IsExcluded(excluded, name))
            continue;
        const std::string head = name + " = ";
        std::string value;
        switch (property->Kind()) {
            case ipkObject:
                if (TiPersistent* child = property->GetObject(object))
                    PropertiesToText(*child, name, lines, excluded, decimalSeparator);
                continue;
            case ipkFloat:
                value = FloatToText(property->GetFloat(object), decimalSeparator);
                break;
            case ipkString:
                value = EscapedString(FittingStart(
                    property->GetString(object),
                    kMaxLineCharacters - std::min(kMaxLineCharacters, CharacterCount(head))));
                break;
            default:
                value = std::to_string(property->GetOrdinal(object));
                break;
        }
        std::string line = head + value;
        CutLine(line);
        lines.push_back(std::move(line));
    }
}

void PropertiesFromText(TiPersistent& object, const std::string& prefix, TiPropertyLines& lines) {
    // Most objects of a large plot have no line in a small file.
    if (!lines.HasKeysUnder(prefix))
        return;
    std::string value;
    for (const TiPublishedTable::Entry& property : object.Published()) {
        if (!Persisted(*property))
            continue;
        const std::string name = FullName(prefix, property->Name());
        if (property->Kind() == ipkObject) {
            if (TiPersistent* child = property->GetObject(object))
                PropertiesFromText(*child, name, lines);
            continue;
        }
        if (lines.Take(name, value))
            SetFromText(*property, object, value);
    }
    for (const TiLegacyEntry& entry : object.Published().LegacyEntries()) {
        const TiPublishedProperty* property = object.Published().Find(entry.Property);
        if (property && lines.Take(FullName(prefix, entry.Name), value))
            SetFromText(*property, object, value);
    }
}

void WriteTextLines(const std::string& fileName, const TiStringList& lines) {
    std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
    if (!file)
        throw std::runtime_error("Cannot create file \"" + fileName + "\"");
    for (const std::string& line : lines)
        file << line << "\r\n";
    file.flush();
    if (!file)
        throw std::runtime_error("Cannot write file \"" + fileName + "\"");
}

TiStringList ReadTextLines(const std::string& fileName) {
    std::ifstream file(fileName, std::ios::binary);
    if (!file)
        throw std::runtime_error("Cannot open file \"" + fileName + "\"");
    TiStringList lines;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
    }
    if (file.bad())
        throw std::runtime_error("Cannot read file \"" + fileName + "\"");
    return lines;
}
