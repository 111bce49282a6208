// Opens a big chart CSV back into the main chart as "打开数据文件…" does and
// prints how long it took, the longest the window went without serving its
// events meanwhile (the budget is 100 ms), and, as the in-run baseline, how
// long the same points take to add to a chart in one go with the window
// blocked.
//
//   chart_file_open [rows]     (default 2,000,000 rows of three channels)

#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "../common/WholeProgramRun.h"
#include "console/KelvaneOptions.h"
#include "console/PlotLineQueue.h"
#include "feed/ChartFileJobs.h"
#include "feed/WaveformFeed.h"
#include "plot/iPlot.h"

namespace {

using TClock = std::chrono::steady_clock;

double SecondsSince(TClock::time_point start) {
    return std::chrono::duration<double>(TClock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const long rows = argc > 1 ? std::max(1L, std::atol(argv[1])) : 2'000'000;

    QTemporaryDir dir;
    const QString path = dir.filePath("big.csv");
    std::vector<double> xs, a, b, c;
    {
        std::string text = "time_s,a,b,c\r\n";
        for (long i = 0; i < rows; ++i) {
            xs.push_back(static_cast<double>(i) / 100);
            a.push_back(static_cast<double>(i % 1000));
            b.push_back(-static_cast<double>(i % 77) / 4);
            c.push_back(static_cast<double>(i) * 3);
            text += std::to_string(i / 100.0) + ',' + std::to_string(a.back()) + ',' +
                    std::to_string(b.back()) + ',' + std::to_string(c.back()) + "\r\n";
        }
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(text.data(), static_cast<qint64>(text.size()));
    }

    QTemporaryDir settings;
    TKelvaneOptions options(settings.filePath("setfile.ini").toStdString());
    TiPlot plot;
    SetUpMainChart(plot);
    TPlotLineQueue hexQueue, decimalQueue;
    QPushButton hexButton, decimalButton;
    QComboBox spans;
    QTimer hexTimer, decimalTimer;
    TWaveformFeed feed(plot, hexQueue, decimalQueue,
                       {&hexButton, &decimalButton, &spans, &hexTimer, &decimalTimer}, options);

    TStallProbe stalls;
    TChartOpenJob open(feed.Channels(), path);
    QEventLoop finished;
    QObject::connect(&open, &TBackgroundJob::Finished, &finished, &QEventLoop::quit);
    const auto openStart = TClock::now();
    stalls.Start();
    open.Start();
    finished.exec();
    stalls.Stop();
    const double openSeconds = SecondsSince(openStart);
    const long opened = plot.ChannelCount() == 3 ? plot.Channel(2)->Count() : 0;

    // The baseline: the same points straight into a chart of their own.
    TiPlot baseline;
    for (int i = 0; i < 2; ++i)
        baseline.AddChannel();
    const auto addStart = TClock::now();
    baseline.Channel(0)->AddXYs(xs, a);
    baseline.Channel(1)->AddXYs(xs, b);
    baseline.Channel(2)->AddXYs(xs, c);
    const double addSeconds = SecondsSince(addStart);

    std::printf(
        "rows=%ld file_mb=%.1f points_opened=%ld open_s=%.3f "
        "max_event_loop_stall_ms=%.1f baseline_add_s=%.3f open_over_add=%.2f\n",
        rows, static_cast<double>(QFile(path).size()) / (1 << 20), opened, openSeconds,
        stalls.MaxMs(), addSeconds, openSeconds / addSeconds);
    return 0;
}
