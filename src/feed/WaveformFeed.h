#pragma once
// The main window's waveform feed: sets the chart up as the main window keeps
// it, runs the hexadecimal and decimal plotting modes from their queues into
// the chart's first channel, and applies the span list.

#include <QObject>
#include <memory>

#include "feed/PlotFeed.h"
#include "feed/PlotModeSwitch.h"

class QAbstractButton;
class QComboBox;
class QTimer;
class TiPlot;
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
                  const TWaveformFeedControls& controls, QObject* parent = nullptr);

    // The floating window's twins: same captions, same commands.
    void AttachTwins(QAbstractButton* hexTwin, QAbstractButton* decimalTwin);

    void HexClicked() { modes_->HexClicked(); }
    void DecimalClicked() { modes_->DecimalClicked(); }
    void SpanChosen(const QString& text);

    TPlotFeedMode& HexMode() { return *hexMode_; }
    TPlotFeedMode& DecimalMode() { return *decimalMode_; }

  private:
    void AddPoint(double y);

    TiPlot& plot_;
    std::unique_ptr<TPlotFeedMode> hexMode_;
    std::unique_ptr<TPlotFeedMode> decimalMode_;
    std::unique_ptr<TPlotModeSwitch> modes_;
};
