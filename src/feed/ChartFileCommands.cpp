#include "feed/ChartFileCommands.h"

#include <QFileDialog>
#include <QMenu>

#include "console/JobProgress.h"
#include "console/PortSettingsMessages.h"
#include "feed/ChartFileJobs.h"
#include "feed/WaveformFeed.h"
#include "plot/iPlot.h"

TChartFileCommands::TChartFileCommands(TiPlot& plot, TWaveformFeed& feed,
                                       TMessageReporter& reporter, TFilePrompts prompts,
                                       QObject* parent)
    : QObject(parent),
      plot_(plot),
      feed_(feed),
      reporter_(reporter),
      prompts_(std::move(prompts)),
      lastSaveName_(QStringLiteral("chart.csv")) {
    plot_.OnAddPopupMenuItems = [this](QMenu& menu) { AddMenuItems(menu); };
}

void TChartFileCommands::AddMenuItems(QMenu& menu) {
    menu.addSeparator();
    QAction* save = menu.addAction(tr("导出CSV…"), this, &TChartFileCommands::SaveCsv);
    save->setObjectName(QStringLiteral("saveChartCsv"));
    QAction* open = menu.addAction(tr("打开数据文件…"), this, &TChartFileCommands::OpenFile);
    open->setObjectName(QStringLiteral("openChartFile"));
    save->setEnabled(!Busy());
    open->setEnabled(!Busy());
}

void TChartFileCommands::SaveCsv() {
    if (Busy()) {
        return;
    }
    const QString path = prompts_.saveName ? prompts_.saveName() : AskSaveName();
    if (path.isEmpty()) {
        return;
    }
    Run(new TChartCsvSaveJob(plot_, path, this), tr("正在导出波形数据…"), tr("导出CSV失败"));
}

void TChartFileCommands::OpenFile() {
    if (Busy()) {
        return;
    }
    if (feed_.Plotting()) {
        reporter_.Show(PromptCaption(), tr("请先停止绘图，再打开数据文件"), TMessageIcon::Warning);
        return;
    }
    const QString path = prompts_.openName ? prompts_.openName() : AskOpenName();
    if (path.isEmpty()) {
        return;
    }
    Run(new TChartOpenJob(feed_.Channels(), path, this), tr("正在打开数据文件…"),
        tr("打开数据文件出错"));
}

void TChartFileCommands::Run(TBackgroundJob* job, const QString& progressText,
                             const QString& failure) {
    job_ = job;
    ShowJobProgress(*job, plot_.window(), tr("波形数据"), progressText,
                    QStringLiteral("chartFileProgress"));
    connect(job, &TBackgroundJob::Finished, this,
            [this, job, failure](bool succeeded, const QString& error) {
                job->deleteLater();
                if (!succeeded) {
                    reporter_.Show(PromptCaption(), failure + QStringLiteral("：") + error,
                                   TMessageIcon::Error);
                }
            });
    connect(job, &TBackgroundJob::Cancelled, job, &QObject::deleteLater);
    job->Start();
}

QString TChartFileCommands::AskSaveName() {
    const QString path = QFileDialog::getSaveFileName(plot_.window(), tr("导出CSV"), lastSaveName_,
                                                      tr("CSV 文件 (*.csv)"));
    if (!path.isEmpty()) {
        lastSaveName_ = path;
    }
    return path;
}

QString TChartFileCommands::AskOpenName() {
    const QString path =
        QFileDialog::getOpenFileName(plot_.window(), tr("打开数据文件"), lastOpenFolder_,
                                     tr("波形数据 (*.csv *.txt *.dat *.log);;所有文件 (*)"));
    if (!path.isEmpty()) {
        lastOpenFolder_ = QFileInfo(path).absolutePath();
    }
    return path;
}
