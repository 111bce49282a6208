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

#include <functional>
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

// One channel's points, as saved.
struct TChartCsvChannel {
    std::string title;
    std::vector<double> xs, ys;
};

// The whole chart as CSV: the header, then a row per X in order, each with
// the values of the channels that have a point there (a channel with several
// points at one X gives them in rows of their own). The text goes to `write`
// a piece at a time, with the points written so far; `write` returns false
// to stop, and so does WriteChartCsv then.
bool WriteChartCsv(const std::vector<TChartCsvChannel>& channels,
                   const std::function<bool(std::string_view piece, std::size_t points)>& write);

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
