#pragma once
// "记录" of the plotted values: every line the feed plots becomes a row of
// the chart CSV (see ChartCsv.h) in the recording's file, with the X and
// values the chart got. The header comes with the first row, and again
// whenever channels appear or are renamed.

#include <optional>
#include <vector>

#include "console/FileRecorder.h"

class TChartChannels;

class TChartCsvRecorder {
  public:
    TFileRecorder& File() { return file_; }

    // Starts recording rows into `writer`.
    void Start(std::unique_ptr<TRecordWriter> writer, QString path);
    // One plotted line: its X and each channel's value (see TChartChannels::Plot).
    void AddRow(double x, const std::vector<std::optional<double>>& row,
                const TChartChannels& channels);

  private:
    TFileRecorder file_;
    std::optional<std::size_t> headerGeneration_;  // of the channels the last header named
    std::vector<std::optional<double>> padded_;
    std::string text_;
};
