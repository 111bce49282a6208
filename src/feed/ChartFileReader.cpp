#include "feed/ChartFileReader.h"

#include <algorithm>
#include <cctype>

#include "plot/iPlotDataFiles.h"

namespace {

std::string_view FirstLine(std::string_view bytes) {
    return bytes.substr(0, bytes.find_first_of("\r\n"));
}

bool IsCompactHeader(std::string_view line) {
    constexpr std::string_view kCompact = "compact interval";
    return std::ranges::equal(line, kCompact, [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

// "温度(X)\t温度(Y)\t..." or "(X)\t温度(Y)\t...": the channels' titles.
std::vector<std::string> PlotTextTitles(std::string_view header) {
    const char separator = header.find('\t') != std::string_view::npos ? '\t' : ',';
    std::vector<std::string_view> columns;
    for (std::size_t start = 0;;) {
        const std::size_t end = header.find(separator, start);
        columns.push_back(header.substr(start, end - start));
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    const bool log = header.starts_with("(X)") || header.starts_with("(x)");
    std::vector<std::string> titles;
    for (std::size_t i = log ? 1 : 0; i < columns.size(); i += log ? 1 : 2) {
        std::string_view title = columns[i];
        if (title.size() >= 3 && title[title.size() - 3] == '(' && title.back() == ')') {
            title.remove_suffix(3);
        }
        titles.emplace_back(title);
    }
    return titles;
}

}  // namespace

TChartFileReader::TChartFileReader(std::string_view bytes, char decimalSeparator)
    : bytes_(bytes), decimalSeparator_(decimalSeparator) {
    const std::string_view first = FirstLine(bytes);
    if (IsChartCsvHeader(first)) {
        form_ = TForm::ChartCsv;
    } else if (IsCompactHeader(first)) {
        form_ = TForm::Compact;
    } else {
        form_ = TForm::PlotText;
        header_ = first;
        headerTitles_ = PlotTextTitles(first);
        consumed_ = std::min(bytes.size(), bytes.find('\n') == std::string_view::npos
                                               ? bytes.size()
                                               : bytes.find('\n') + 1);
    }
}

const std::vector<std::string>& TChartFileReader::Titles() const {
    return form_ == TForm::ChartCsv ? csv_.Titles() : headerTitles_;
}

std::string_view TChartFileReader::NextLines() {
    const std::string_view rest = bytes_.substr(consumed_);
    std::size_t end = rest.size();
    if (rest.size() > kPieceBytes) {
        const std::size_t lineEnd = rest.find('\n', kPieceBytes);
        end = lineEnd == std::string_view::npos ? rest.size() : lineEnd + 1;
    }
    consumed_ += end;
    return rest.substr(0, end);
}

bool TChartFileReader::ReadPiece(TDataFileSink& sink) {
    if (consumed_ >= bytes_.size()) {
        return false;
    }
    switch (form_) {
        case TForm::ChartCsv:
            csv_.ReadLines(NextLines(), sink);
            break;
        case TForm::Compact:
            consumed_ = bytes_.size();
            ReadDataFile(bytes_, sink, decimalSeparator_);
            break;
        case TForm::PlotText: {
            const std::string_view lines = NextLines();
            piece_.assign(header_);
            piece_ += '\n';
            piece_ += lines;
            ReadDataFile(piece_, sink, decimalSeparator_);
            break;
        }
    }
    return true;
}
