#include "feed/ChartCsvRecorder.h"

#include "feed/ChartChannels.h"
#include "feed/ChartCsv.h"

void TChartCsvRecorder::Start(std::unique_ptr<TRecordWriter> writer, QString path) {
    headerGeneration_.reset();
    file_.Start(std::move(writer), std::move(path));
}

void TChartCsvRecorder::AddRow(double x, const std::vector<std::optional<double>>& row,
                               const TChartChannels& channels) {
    if (!file_.Recording()) {
        return;
    }
    text_.clear();
    if (headerGeneration_ != channels.Generation()) {
        headerGeneration_ = channels.Generation();
        text_ = ChartCsvHeader(channels.Titles());
    }
    padded_.assign(row.begin(), row.end());
    padded_.resize(channels.Count());
    AppendChartCsvRow(text_, x, padded_);
    file_.Append(text_);
}
