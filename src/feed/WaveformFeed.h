#pragma once
// The main window's waveform feed: sets the chart up as the main window keeps
// it, runs the hexadecimal and decimal plotting modes from their queues into
// the chart, and applies the span list.
//
// Hexadecimal lines give one value each. Decimal lines give one value by the
// strict integer reading, or, with "多通道与小数", decimal fractions and
// several values a line, one channel per column or name. Every plotted line
// also goes to the plotted-values recording when that is on.

#include <QObject>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "feed/ChartChannels.h"
#include "feed/ChartCsvRecorder.h"
#include "feed/PlotFeed.h"
#include "feed/PlotModeSwitch.h"

class QAbstractButton;
class QComboBox;
class QTimer;
class TiPlot;
class TKelvaneOptions;
class TPlotLineQueue;

// The chart as the main window keeps it: one scrolling X axis in seconds, one
// Y axis that follows the data, one channel titled "数据", title hidden.
void SetUpMainChart(TiPlot& plot);

struct TWaveformFeedControls {
    QAbstractButton* hexButton;      // "绘图[16进制]"
    QAbstractButton* decimalButton;  // "绘图其他"
    QComboBox* spanList;             // "间隔量："
    QTimer* hexTimer;                // Timer6
    QTimer* decimalTimer;            // Timer3
};

class TWaveformFeed : public QObject {
    Q_OBJECT
  public:
    TWaveformFeed(TiPlot& plot, TPlotLineQueue& hexQueue, TPlotLineQueue& decimalQueue,
                  const TWaveformFeedControls& controls, const TKelvaneOptions& options,
                  QObject* parent = nullptr);

    // The floating window's twins: same captions, same commands.
    void AttachTwins(QAbstractButton* hexTwin, QAbstractButton* decimalTwin);

    void HexClicked() { modes_->HexClicked(); }
    void DecimalClicked() { modes_->DecimalClicked(); }
    void SpanChosen(const QString& text);

    TPlotFeedMode& HexMode() { return *hexMode_; }
    TPlotFeedMode& DecimalMode() { return *decimalMode_; }
    // Whether either mode's timer runs.
    bool Plotting() const { return hexMode_->Running() || decimalMode_->Running(); }
    TChartChannels& Channels() { return channels_; }
    TChartCsvRecorder& CsvRecorder() { return csvRecorder_; }

  private:
    void PlotHexLine(std::string_view line, TArrivalTime arrival);
    void PlotDecimalLine(std::string_view line, TArrivalTime arrival);
    void Plot(const std::vector<TLineValue>& values, TArrivalTime arrival);

    TiPlot& plot_;
    const TKelvaneOptions& options_;
    TChartChannels channels_;
    TChartCsvRecorder csvRecorder_;
    std::vector<std::optional<double>> row_;  // reused from line to line
    std::unique_ptr<TPlotFeedMode> hexMode_;
    std::unique_ptr<TPlotFeedMode> decimalMode_;
    std::unique_ptr<TPlotModeSwitch> modes_;
};
