#include "feed/ChartCsv.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "platform/StrConv.h"
#include "plot/iPlotDataFiles.h"

namespace {

constexpr std::string_view kTimeColumn = "time_s";
constexpr std::string_view kLineEnd = "\r\n";
// What may surround a number, and all a blank line holds.
constexpr TBlanks kCsvBlanks = TBlanks::SpacesAndTabs;

void AppendNumber(std::string& out, double value) {
    char digits[32];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, error == std::errc() ? end : digits);
}

void AppendField(std::string& out, std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    out += '"';
}

// The fields of a header line, quotes taken off.
std::vector<std::string> HeaderFields(std::string_view line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            fields.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

std::optional<double> ReadNumber(std::string_view field) {
    field = Trim(field, kCsvBlanks);
    if (!field.empty() && field.front() == '+') {
        field.remove_prefix(1);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || error != std::errc() || end != field.data() + field.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::string ChartCsvHeader(const std::vector<std::string>& titles) {
    std::string out(kTimeColumn);
    for (const std::string& title : titles) {
        out += ',';
        AppendField(out, title);
    }
    out += kLineEnd;
    return out;
}

void AppendChartCsvRow(std::string& out, double x, std::span<const std::optional<double>> values) {
    AppendNumber(out, x);
    for (const std::optional<double>& value : values) {
        out += ',';
        if (value) {
            AppendNumber(out, *value);
        }
    }
    out += kLineEnd;
}

bool WriteChartCsv(const std::vector<TChartCsvChannel>& channels,
                   const std::function<bool(std::string_view piece, std::size_t points)>& write) {
    constexpr std::size_t kPieceBytes = std::size_t{1} << 20;
    std::vector<std::string> titles;
    for (const TChartCsvChannel& channel : channels) {
        titles.push_back(channel.title);
    }
    std::string text = ChartCsvHeader(titles);
    std::vector<std::size_t> next(channels.size(), 0);
    std::vector<std::optional<double>> row(channels.size());
    std::size_t written = 0;
    for (;;) {
        std::optional<double> x;
        for (std::size_t c = 0; c < channels.size(); ++c) {
            if (next[c] < channels[c].xs.size()) {
                x = std::min(x.value_or(channels[c].xs[next[c]]), channels[c].xs[next[c]]);
            }
        }
        if (!x) {
            break;
        }
        for (std::size_t c = 0; c < channels.size(); ++c) {
            row[c].reset();
            if (next[c] < channels[c].xs.size() && channels[c].xs[next[c]] == *x) {
                row[c] = channels[c].ys[next[c]++];
                ++written;
            }
        }
        AppendChartCsvRow(text, *x, row);
        if (text.size() >= kPieceBytes) {
            if (!write(text, written)) {
                return false;
            }
            text.clear();
        }
    }
    return write(text, written);
}

bool IsChartCsvHeader(std::string_view line) {
    return line.substr(0, line.find(',')) == kTimeColumn;
}

void TChartCsvReader::ReadLines(std::string_view text, TDataFileSink& sink) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNumber_;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (Trim(line, kCsvBlanks).empty()) {
            continue;
        }
        if (IsChartCsvHeader(line)) {
            std::vector<std::string> fields = HeaderFields(line);
            titles_.assign(fields.begin() + 1, fields.end());
        } else {
            ReadRow(line, sink);
        }
    }
}

void TChartCsvReader::ReadRow(std::string_view line, TDataFileSink& sink) {
    fields_.clear();
    for (std::size_t start = 0;;) {
        const std::size_t comma = line.find(',', start);
        fields_.push_back(line.substr(start, comma - start));
        if (comma == std::string_view::npos) {
            break;
        }
        start = comma + 1;
    }
    const auto fail = [&](std::string_view field) {
        throw TiDataFileError("line " + std::to_string(lineNumber_) + ": '" + std::string(field) +
                              "' is not a number");
    };
    const std::optional<double> x = ReadNumber(fields_[0]);
    if (!x) {
        fail(fields_[0]);
    }
    const int channels = sink.ChannelCount();
    for (std::size_t column = 1; column < fields_.size(); ++column) {
        if (Trim(fields_[column], kCsvBlanks).empty()) {
            continue;
        }
        const std::optional<double> y = ReadNumber(fields_[column]);
        if (!y) {
            fail(fields_[column]);
        }
        if (static_cast<int>(column) - 1 < channels) {
            sink.AddPoint(static_cast<int>(column) - 1, *x, *y, idpmNormal);
        }
    }
}
