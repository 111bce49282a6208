#include "platform/IniFile.h"

#include "platform/Gbk.h"
#include "platform/StrConv.h"

#include <QString>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

namespace {

// What surrounds a section name, key or value; a line read with its CR LF
// keeps the CR.
constexpr TBlanks kLineBlanks = TBlanks::SpacesTabsAndCr;

// Longest value a reader gets, as with a 2048-byte buffer and its terminator.
constexpr size_t kMaxValueBytes = 2047;

bool SameName(std::string_view gbkName, std::string_view utf8Name) {
    return QString::fromStdString(GbkToUtf8(gbkName))
               .compare(QString::fromUtf8(utf8Name.data(), static_cast<qsizetype>(utf8Name.size())),
                        Qt::CaseInsensitive) == 0;
}

// One physical line, without its line end, plus how the file ended it.
struct TLine {
    std::string text;
    std::string ending;
};

std::vector<TLine> SplitLines(const std::string& content) {
    std::vector<TLine> lines;
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        const bool endsInLf = end != std::string::npos;
        if (!endsInLf)
            end = content.size();
        TLine line{content.substr(start, end - start), endsInLf ? "\n" : ""};
        if (endsInLf)
            ++end;
        if (!line.text.empty() && line.text.back() == '\r') {
            line.text.pop_back();
            line.ending = endsInLf ? "\r\n" : "\r";
        }
        lines.push_back(std::move(line));
        start = end;
    }
    return lines;
}

// The section name of a "[name]" line, trimmed; nothing for other lines.
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line, kLineBlanks);
    if (line.empty() || line.front() != '[') {
        return std::nullopt;
    }
    // The last ']': a GBK character's second byte may also be 0x5D.
    const size_t close = line.rfind(']');
    return Trim(
        line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1),
        kLineBlanks);
}

// Key and raw value of a "key=value" line; comments and other lines give nothing.
std::optional<std::pair<std::string_view, std::string_view>> KeyValue(std::string_view line) {
    const std::string_view trimmed = Trim(line, kLineBlanks);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[') {
        return std::nullopt;
    }
    const size_t equals = trimmed.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    return std::pair{Trim(trimmed.substr(0, equals), kLineBlanks), trimmed.substr(equals + 1)};
}

// The lines [first, last) of a section's body: first after its header, last
// at the next header or the end of the file.
struct TSectionSpan {
    size_t first;
    size_t last;
};

std::optional<TSectionSpan> FindSection(const std::vector<TLine>& lines, std::string_view section) {
    for (size_t i = 0; i < lines.size(); ++i) {
        const auto name = SectionName(lines[i].text);
        if (!name || !SameName(*name, section)) {
            continue;
        }
        size_t last = i + 1;
        while (last < lines.size() && !SectionName(lines[last].text)) {
            ++last;
        }
        return TSectionSpan{i + 1, last};
    }
    return std::nullopt;
}

std::optional<size_t> FindKey(const std::vector<TLine>& lines, TSectionSpan span,
                              std::string_view key) {
    for (size_t i = span.first; i < span.last; ++i) {
        const auto entry = KeyValue(lines[i].text);
        if (entry && SameName(entry->first, key)) {
            return i;
        }
    }
    return std::nullopt;
}

// Value as a reader sees it: trimmed, one pair of enclosing quotes removed,
// cut at a zero byte and at the length limit.
std::string CleanValue(std::string_view raw) {
    std::string_view value = Trim(raw, kLineBlanks);
    value = value.substr(0, value.find('\0'));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value.substr(0, kMaxValueBytes));
}

std::optional<std::string> ReadWholeFile(const std::string& path, bool& missing) {
    std::ifstream in(path, std::ios::binary);
    missing = !in && access(path.c_str(), F_OK) != 0;
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) {
        return std::nullopt;
    }
    return content.str();
}

// Replaces the file through a temporary beside it, so a failed write never
// leaves half a settings file behind.
bool ReplaceFile(const std::string& path, const std::vector<TLine>& lines) {
    if (access(path.c_str(), F_OK) == 0 && access(path.c_str(), W_OK) != 0) {
        return false;
    }
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        for (const TLine& line : lines) {
            out << line.text << line.ending;
        }
        out.close();
        if (!out) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace

std::string ReadProfileString(std::string_view section, std::string_view key,
                              std::string_view fallback, const std::string& path) {
    bool missing = false;
    const auto content = ReadWholeFile(path, missing);
    if (!content) {
        return std::string(fallback);
    }
    const std::vector<TLine> lines = SplitLines(*content);
    const auto span = FindSection(lines, section);
    const auto found = span ? FindKey(lines, *span, key) : std::nullopt;
    if (!found) {
        return std::string(fallback);
    }
    return GbkToUtf8(CleanValue(KeyValue(lines[*found].text)->second));
}

bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                        const std::string& path) {
    bool missing = false;
    const auto content = ReadWholeFile(path, missing);
    if (!content && !missing) {
        return false;
    }
    std::vector<TLine> lines = content ? SplitLines(*content) : std::vector<TLine>{};
    // The line we are about to follow must be ended, or the new one would join
    // it. Only LF ends a line when the file is read back: a last line that
    // ends in a lone CR is not ended either.
    if (!lines.empty() && lines.back().ending.find('\n') == std::string::npos) {
        lines.back().ending = "\r\n";
    }
    const TLine entry{Utf8ToGbk(key) + "=" + Utf8ToGbk(value), "\r\n"};
    const auto span = FindSection(lines, section);
    if (!span) {
        // Appended, not concatenated: GCC 12 at -O3 takes "[" + s for an
        // overlapping copy and fails the build (-Wrestrict).
        lines.push_back({std::string(1, '[').append(Utf8ToGbk(section)).append(1, ']'), "\r\n"});
        lines.push_back(entry);
    } else if (const auto found = FindKey(lines, *span, key)) {
        lines[*found].text = entry.text;
    } else {
        // After the section's last key, so blank lines and comments that lead
        // into the next section stay with it.
        size_t at = span->first;
        for (size_t i = span->first; i < span->last; ++i) {
            if (KeyValue(lines[i].text)) {
                at = i + 1;
            }
        }
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), entry);
    }
    return ReplaceFile(path, lines);
}
