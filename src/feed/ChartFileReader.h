#pragma once
// Reads a file back into the chart a piece at a time, so that a file of
// hundreds of megabytes can show progress and be cancelled between pieces:
// the chart CSV (see ChartCsv.h) and the plot's own data files (text with
// tab or comma columns, the log form, the compact form; see
// plot/iPlotDataFiles.h), told apart by their first line.
//
// Text forms are read in pieces of whole lines; the compact form, 4 bytes a
// point and read at memory speed, in one piece.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "feed/ChartCsv.h"

class TDataFileSink;

class TChartFileReader {
  public:
    static constexpr std::size_t kPieceBytes = std::size_t{1} << 20;

    TChartFileReader(std::string_view bytes, char decimalSeparator);

    // Reads the next piece into `sink`; false once the file is read. Throws
    // TiDataFileError for a piece it cannot read, after adding the points
    // before the fault.
    bool ReadPiece(TDataFileSink& sink);
    // Bytes read so far, of Size().
    std::size_t Consumed() const { return consumed_; }
    std::size_t Size() const { return bytes_.size(); }
    // The channels' titles the file gives so far (none for the compact form).
    const std::vector<std::string>& Titles() const;

  private:
    enum class TForm { ChartCsv, PlotText, Compact };

    std::string_view NextLines();

    std::string_view bytes_;
    char decimalSeparator_;
    TForm form_;
    std::string_view header_;  // of a plot text file, read again with each piece
    std::vector<std::string> headerTitles_;
    std::size_t consumed_ = 0;
    TChartCsvReader csv_;
    std::string piece_;  // header and lines of a plot text piece
};
