#pragma once
// Saving the chart as CSV and opening a file back into it, as jobs that keep
// the window going however big the file (see TBackgroundJob).
//
// Saving copies the channels' points first, so the chart may go on moving;
// the file is replaced only once it is complete. Opening empties the chart
// once the file gives its first points, then adds them a slice at a time,
// none longer than kSliceMs; cancelling keeps what was added.

#include <QString>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "feed/BackgroundJob.h"
#include "feed/ChartCsv.h"
#include "plot/iPlotDataFiles.h"

class TChartChannels;
class TiPlot;

class TChartCsvSaveJob : public TBackgroundJob {
  public:
    TChartCsvSaveJob(const TiPlot& plot, QString path, QObject* parent = nullptr);
    ~TChartCsvSaveJob() override;

  protected:
    void Run() override;

  private:
    std::vector<TChartCsvChannel> channels_;
    std::size_t points_ = 0;
    QString path_;
};

class TChartOpenJob : public TBackgroundJob {
  public:
    static constexpr int kSliceMs = 20;

    TChartOpenJob(TChartChannels& channels, QString path, QObject* parent = nullptr);
    ~TChartOpenJob() override;

  protected:
    void Run() override;
    bool Take() override;

  private:
    // Points of one channel read from the file, in order.
    struct TRun {
        std::vector<double> xs, ys;
        std::vector<std::pair<std::size_t, TiDataPointMark>> marks;  // by index in the run
    };
    // What the worker read since the last hand-over.
    struct TBatch {
        std::vector<TRun> runs;  // by channel
        std::vector<std::string> titles;
    };
    class TBatchSink;

    // Waits while the window's side has enough to do; false when cancelled.
    bool Hand(TBatch batch);
    // Adds points [from, to) of a channel's run.
    void Add(std::size_t channel, const TRun& run, std::size_t from, std::size_t to,
             const std::vector<std::string>& titles);

    TChartChannels& channels_;
    QString path_;
    char decimalSeparator_;
    std::mutex mutex_;
    std::condition_variable room_;
    std::deque<TBatch> batches_;
    // Where the window's side is in the front batch.
    std::size_t channel_ = 0;
    std::size_t point_ = 0;
    bool cleared_ = false;  // the chart was emptied for the file
};
