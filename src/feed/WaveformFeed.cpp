#include "feed/WaveformFeed.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>

#include "console/KelvaneOptions.h"
#include "feed/LineParsers.h"
#include "plot/iPlot.h"
#include "plot/iPlotAxis.h"

void SetUpMainChart(TiPlot& plot) {
    // Stored values of the main window's chart.
    plot.SetBorderStyle(ibsNone);
    plot.XAxis(0)->SetTrackingStyle(iptsScrollSmooth);
    plot.YAxis(0)->SetTrackingStyle(iptsScaleMinMax);
    plot.Channel(0)->SetTitleText(
        QCoreApplication::translate("TWaveformFeed", "数据").toStdString());
    plot.SetTitleText(QCoreApplication::translate("TWaveformFeed", "数据波形图").toStdString());
    // Set-up at creation.
    plot.SetTitleVisible(false);
    plot.XAxis(0)->SetSpan(1);
    plot.XAxis(0)->SetTitle("Time (Seconds)");
}

TWaveformFeed::TWaveformFeed(TiPlot& plot, TPlotLineQueue& hexQueue, TPlotLineQueue& decimalQueue,
                             const TWaveformFeedControls& controls, const TKelvaneOptions& options,
                             QObject* parent)
    : QObject(parent), plot_(plot), options_(options), channels_(plot, options) {
    hexMode_ = std::make_unique<TPlotFeedMode>(
        *controls.hexTimer, hexQueue,
        [this](std::string_view line, TArrivalTime arrival) { PlotHexLine(line, arrival); }, this);
    decimalMode_ = std::make_unique<TPlotFeedMode>(
        *controls.decimalTimer, decimalQueue,
        [this](std::string_view line, TArrivalTime arrival) { PlotDecimalLine(line, arrival); },
        this);
    for (TPlotFeedMode* mode : {hexMode_.get(), decimalMode_.get()}) {
        mode->SetTickScope([this](const std::function<void()>& handOver) {
            const TiUpdateBatch batch(plot_);
            handOver();
        });
    }
    modes_ = std::make_unique<TPlotModeSwitch>(*hexMode_, *decimalMode_, *controls.hexButton,
                                               *controls.decimalButton);
    connect(controls.hexButton, &QAbstractButton::clicked, this, [this] { HexClicked(); });
    connect(controls.decimalButton, &QAbstractButton::clicked, this, [this] { DecimalClicked(); });
    connect(controls.spanList, &QComboBox::currentTextChanged, this, &TWaveformFeed::SpanChosen);
}

void TWaveformFeed::AttachTwins(QAbstractButton* hexTwin, QAbstractButton* decimalTwin) {
    modes_->SetTwins(hexTwin, decimalTwin);
}

void TWaveformFeed::SpanChosen(const QString& text) {
    bool ok = false;
    const int span = text.toInt(&ok);
    if (ok)
        plot_.XAxis(0)->SetSpan(span);
}

void TWaveformFeed::PlotHexLine(std::string_view line, TArrivalTime arrival) {
    if (const std::optional<double> value = ReadHexPlotLine(line)) {
        Plot({TLineValue{{}, 1, *value}}, arrival);
    }
}

void TWaveformFeed::PlotDecimalLine(std::string_view line, TArrivalTime arrival) {
    if (options_.MultiValuePlot()) {
        Plot(ReadMultiValueLine(line), arrival);
    } else if (const std::optional<double> value = ReadDecimalPlotLine(line)) {
        Plot({TLineValue{{}, 1, *value}}, arrival);
    }
}

void TWaveformFeed::Plot(const std::vector<TLineValue>& values, TArrivalTime arrival) {
    if (const std::optional<double> x = channels_.Plot(values, arrival, row_)) {
        csvRecorder_.AddRow(*x, row_, channels_);
    }
}
