// Kelvane's own controls beside the Windows program's: the options dialog,
// recording to a file and the chart's CSV export and replay.
#include <QCoreApplication>
#include <QFileDialog>
#include <QPushButton>

#include "app/MainForm.h"
#include "app/OptionsDialog.h"
#include "app/RecordControls.h"
#include "console/Console.h"
#include "console/ReceiveConsole.h"
#include "feed/ChartFileCommands.h"
#include "feed/WaveformFeed.h"
#include "plot/iPlot.h"

namespace {

QString AskRecordPath(QWidget* parent, bool csv) {
    // Recording appends, so an existing file is no reason to ask again.
    return csv ? QFileDialog::getSaveFileName(
                     parent, QCoreApplication::translate("TMainForm", "记录绘图数据"),
                     QStringLiteral("plot.csv"),
                     QCoreApplication::translate("TMainForm", "CSV 文件 (*.csv)"), nullptr,
                     QFileDialog::DontConfirmOverwrite)
               : QFileDialog::getSaveFileName(
                     parent, QCoreApplication::translate("TMainForm", "记录接收数据"),
                     QStringLiteral("received.log"),
                     QCoreApplication::translate("TMainForm", "所有文件 (*)"), nullptr,
                     QFileDialog::DontConfirmOverwrite);
}

}  // namespace

void TMainForm::WireOptionsAndFiles() {
    auto& c = controls_;
    optionsDialog_ = std::make_unique<TOptionsDialog>(*kelvaneOptions_, *options_.reporter, this);
    CentreWhenShown(optionsDialog_.get());
    connect(c.optionsButton, &QPushButton::clicked, optionsDialog_.get(), &QDialog::open);

    TRecordControls::TAskPath askPath = options_.askRecordPath;
    if (!askPath) {
        askPath = [this](bool csv) { return AskRecordPath(this, csv); };
    }
    recordControls_ = std::make_unique<TRecordControls>(
        *c.recordButton, *c.recordSize, Console().Receiver().Recorder(), feed_->CsvRecorder(),
        *options_.reporter, std::move(askPath));
    chartFiles_ = std::make_unique<TChartFileCommands>(*iPlot1_, *feed_, *options_.reporter);
}
