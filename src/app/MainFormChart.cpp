// The strip chart iPlot1 in the chart area, fed from the console's plot
// queues by the two plotting modes.
#include <QFrame>
#include <QLayout>
#include <QPushButton>

#include "app/MainForm.h"
#include "console/Console.h"
#include "console/FloatingWindow.h"
#include "console/KelvaneOptions.h"
#include "feed/WaveformFeed.h"
#include "plot/iPlot.h"

void TMainForm::WireChart() {
    auto& c = controls_;
    iPlot1_ = new TiPlot(c.sPanel1);
    iPlot1_->setObjectName("iPlot1");
    c.sPanel1->layout()->addWidget(iPlot1_);
    SetUpMainChart(*iPlot1_);

    const TWaveformFeedControls feedControls{.hexButton = c.sBitBtn5,
                                             .decimalButton = c.sBitBtn6,
                                             .spanList = c.sComboBox1,
                                             .hexTimer = c.Timer6,
                                             .decimalTimer = c.Timer3};
    feed_ = std::make_unique<TWaveformFeed>(*iPlot1_, HexPlotQueue(), DecimalPlotQueue(),
                                            feedControls, *kelvaneOptions_);
    const TForm7::TControls& floating = Console().FloatingWindow().Controls();
    feed_->AttachTwins(floating.sBitBtn2, floating.sBitBtn3);
}

TPlotLineQueue& TMainForm::HexPlotQueue() {
    return Console().Receiver().HexQueue();
}

TPlotLineQueue& TMainForm::DecimalPlotQueue() {
    return Console().Receiver().DecimalQueue();
}
