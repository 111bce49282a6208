#include "feed/ChartFileJobs.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "feed/ChartChannels.h"
#include "feed/ChartFileReader.h"
#include "feed/ValueChannelMap.h"
#include "plot/iPlot.h"
#include "plot/iPropertyText.h"

namespace {

// Points the window's side adds between two looks at the clock.
constexpr std::size_t kPointsPerStep = 8192;
// Batches read ahead of the window's side.
constexpr std::size_t kBatchesAhead = 2;

int Percent(std::size_t done, std::size_t total) {
    return total == 0 ? 100 : static_cast<int>(done * 100 / total);
}

}  // namespace

// ------------------------------------------------------------------ saving

TChartCsvSaveJob::TChartCsvSaveJob(const TiPlot& plot, QString path, QObject* parent)
    : TBackgroundJob(parent), path_(std::move(path)) {
    // Null, empty and unreadable points have no place in a row of numbers.
    for (int c = 0; c < plot.ChannelCount(); ++c) {
        const TiPlotChannel& channel = *plot.Channel(c);
        TChartCsvChannel& copy = channels_.emplace_back();
        copy.title = channel.TitleText();
        copy.xs.reserve(static_cast<std::size_t>(channel.Count()));
        copy.ys.reserve(static_cast<std::size_t>(channel.Count()));
        for (int i = 0; i < channel.Count(); ++i) {
            const double x = channel.GetX(i);
            const double y = channel.GetY(i);
            if (!channel.GetNull(i) && !channel.GetEmpty(i) && std::isfinite(x) &&
                std::isfinite(y)) {
                copy.xs.push_back(x);
                copy.ys.push_back(y);
            }
        }
        points_ += copy.xs.size();
    }
}

TChartCsvSaveJob::~TChartCsvSaveJob() {
    StopWorker();
}

void TChartCsvSaveJob::Run() {
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly)) {
        throw std::runtime_error(file.errorString().toStdString());
    }
    const bool complete = WriteChartCsv(channels_, [&](std::string_view piece, std::size_t points) {
        if (file.write(piece.data(), static_cast<qint64>(piece.size())) !=
            static_cast<qint64>(piece.size())) {
            throw std::runtime_error(file.errorString().toStdString());
        }
        SetPercent(Percent(points, points_));
        return !Cancelling();
    });
    if (!complete) {
        file.cancelWriting();
        return;
    }
    if (!file.commit()) {
        throw std::runtime_error(file.errorString().toStdString());
    }
}

// ----------------------------------------------------------------- opening

// Gathers the reader's points into runs per channel.
class TChartOpenJob::TBatchSink : public TDataFileSink {
  public:
    int ChannelCount() const override { return TValueChannelMap::kMaxChannels; }
    void AddPoint(int channel, double x, double y, TiDataPointMark mark) override {
        TRun& run = RunOf(channel);
        if (mark != idpmNormal) {
            run.marks.emplace_back(run.xs.size(), mark);
        }
        run.xs.push_back(x);
        run.ys.push_back(y);
    }
    void AddPoints(int channel, std::span<const double> xs, std::span<const double> ys) override {
        TRun& run = RunOf(channel);
        run.xs.insert(run.xs.end(), xs.begin(), xs.end());
        run.ys.insert(run.ys.end(), ys.begin(), ys.end());
    }
    TBatch Take() { return std::exchange(batch_, {}); }

  private:
    TRun& RunOf(int channel) {
        const auto index = static_cast<std::size_t>(channel);
        if (batch_.runs.size() <= index) {
            batch_.runs.resize(index + 1);
        }
        return batch_.runs[index];
    }
    TBatch batch_;
};

TChartOpenJob::TChartOpenJob(TChartChannels& channels, QString path, QObject* parent)
    : TBackgroundJob(parent),
      channels_(channels),
      path_(std::move(path)),
      decimalSeparator_(UserDecimalSeparator()) {}

TChartOpenJob::~TChartOpenJob() {
    StopWorker();
}

void TChartOpenJob::Run() {
    // Mapped, not read: a file of hundreds of megabytes costs no copy.
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error(file.errorString().toStdString());
    }
    const qint64 size = file.size();
    const uchar* mapped = size > 0 ? file.map(0, size) : nullptr;
    if (size > 0 && mapped == nullptr) {
        throw std::runtime_error(file.errorString().toStdString());
    }
    const std::string_view bytes(reinterpret_cast<const char*>(mapped),
                                 static_cast<std::size_t>(size));
    TChartFileReader reader(bytes, decimalSeparator_);
    TBatchSink sink;
    const auto hand = [&] {
        TBatch batch = sink.Take();
        batch.titles = reader.Titles();
        SetPercent(Percent(reader.Consumed(), reader.Size()));
        return Hand(std::move(batch));
    };
    try {
        while (!Cancelling() && reader.ReadPiece(sink)) {
            if (!hand()) {
                return;
            }
        }
    } catch (const TiDataFileError&) {
        hand();  // the points before the fault stay
        throw;
    }
}

bool TChartOpenJob::Hand(TBatch batch) {
    std::unique_lock lock(mutex_);
    while (batches_.size() >= kBatchesAhead) {
        if (Cancelling()) {
            return false;
        }
        room_.wait_for(lock, std::chrono::milliseconds(50));
    }
    batches_.push_back(std::move(batch));
    return true;
}

bool TChartOpenJob::Take() {
    QElapsedTimer slice;
    slice.start();
    for (;;) {
        const TBatch* batch = nullptr;
        {
            std::lock_guard lock(mutex_);
            if (batches_.empty()) {
                return true;
            }
            // The worker only appends behind it, which leaves it in place.
            batch = &batches_.front();
        }
        // Emptied only once the file gave something: a file that cannot be
        // read leaves the chart as it was.
        if (!cleared_ &&
            std::ranges::any_of(batch->runs, [](const TRun& run) { return !run.xs.empty(); })) {
            channels_.ClearForFile();
            cleared_ = true;
        }
        for (; channel_ < batch->runs.size(); ++channel_, point_ = 0) {
            const TRun& run = batch->runs[channel_];
            while (point_ < run.xs.size()) {
                if (Cancelling() || slice.elapsed() >= kSliceMs) {
                    return false;
                }
                const std::size_t to = std::min(run.xs.size(), point_ + kPointsPerStep);
                Add(channel_, run, point_, to, batch->titles);
                point_ = to;
            }
        }
        channel_ = 0;
        {
            std::lock_guard lock(mutex_);
            batches_.pop_front();
        }
        room_.notify_one();
    }
}

void TChartOpenJob::Add(std::size_t channel, const TRun& run, std::size_t from, std::size_t to,
                        const std::vector<std::string>& titles) {
    // Channels before this one are made too, with their titles from the file.
    for (std::size_t before = 0; before < std::min(channel, titles.size()); ++before) {
        channels_.FileChannel(before, titles[before]);
    }
    TiPlotChannel& target =
        channels_.FileChannel(channel, channel < titles.size() ? titles[channel] : std::string());
    const int base = target.Count();
    target.AddXYs(std::span(run.xs).subspan(from, to - from),
                  std::span(run.ys).subspan(from, to - from));
    const auto first =
        std::lower_bound(run.marks.begin(), run.marks.end(), std::make_pair(from, idpmNormal));
    for (auto mark = first; mark != run.marks.end() && mark->first < to; ++mark) {
        const int index = base + static_cast<int>(mark->first - from);
        if (mark->second == idpmNull) {
            target.SetNull(index, true);
        } else {
            target.SetEmpty(index, true);
        }
    }
}
