#pragma once
// The chart's points as CSV, for spreadsheets and for opening again: a
// header "time_s,<channel titles...>", then one row per plotted line with
// its X (seconds since start) and each channel's value, empty where the line
// gave that channel none. '.' is the decimal point, text is UTF-8, lines end
// with CR LF, and numbers are written so that they read back exactly.
//
// A recording may see channels appear or be renamed while it runs; it then
// writes a new header line, and every header line names the channels by
// position from there on.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class TDataFileSink;

// "time_s,数据,\"a,b\"" and CR LF: titles with commas or quotes are quoted.
std::string ChartCsvHeader(const std::vector<std::string>& titles);
// "12.5,3,,-1" and CR LF.
void AppendChartCsvRow(std::string& out, double x, std::span<const std::optional<double>> values);

// Whether a file's first line is a chart CSV header.
bool IsChartCsvHeader(std::string_view line);

// Reads chart CSV text line by line into a data-file sink: column k of a row
// goes to channel k - 1. Text may come in pieces of whole lines; a row that
// is no row of numbers throws TiDataFileError naming its line, after the rows
// before it were added.
class TChartCsvReader {
  public:
    void ReadLines(std::string_view text, TDataFileSink& sink);
    // The channel titles of the latest header line.
    const std::vector<std::string>& Titles() const { return titles_; }

  private:
    void ReadRow(std::string_view line, TDataFileSink& sink);

    std::vector<std::string> titles_;
    std::size_t lineNumber_ = 0;
    std::vector<std::string_view> fields_;  // reused from row to row
};
