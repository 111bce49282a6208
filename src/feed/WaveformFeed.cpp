#include "feed/WaveformFeed.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>

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
                             const TWaveformFeedControls& controls, QObject* parent)
    : QObject(parent), plot_(plot) {
    auto sink = [this](double y) { AddPoint(y); };
    hexMode_ =
        std::make_unique<TPlotFeedMode>(*controls.hexTimer, hexQueue, ReadHexPlotLine, sink, this);
    decimalMode_ = std::make_unique<TPlotFeedMode>(*controls.decimalTimer, decimalQueue,
                                                   ReadDecimalPlotLine, sink, this);
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

void TWaveformFeed::AddPoint(double y) {
    plot_.Channel(0)->AddYAtElapsedSeconds(y);
}
