#include "app/RecordControls.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include "console/FileRecorder.h"
#include "console/PortSettingsMessages.h"
#include "feed/ChartCsvRecorder.h"

TRecordControls::TRecordControls(QPushButton& button, QLabel& sizeLine, TFileRecorder& received,
                                 TChartCsvRecorder& plotted, TMessageReporter& reporter,
                                 TAskPath askPath, QObject* parent)
    : QObject(parent),
      sizeLine_(sizeLine),
      received_(received),
      plotted_(plotted),
      reporter_(reporter),
      askPath_(std::move(askPath)),
      menu_(new QMenu(&button)) {
    menu_->setObjectName(QStringLiteral("recordMenu"));
    menu_->addAction(tr("记录接收数据…"), this, &TRecordControls::RecordReceived)
        ->setObjectName(QStringLiteral("recordReceived"));
    menu_->addAction(tr("记录绘图数据(CSV)…"), this, &TRecordControls::RecordPlotted)
        ->setObjectName(QStringLiteral("recordPlotted"));
    QAction* stop = menu_->addAction(tr("停止记录"), this, &TRecordControls::Stop);
    stop->setObjectName(QStringLiteral("stopRecording"));
    connect(menu_, &QMenu::aboutToShow, this, [this, stop] {
        stop->setEnabled(received_.Recording() || plotted_.File().Recording());
    });
    button.setMenu(menu_);

    sizeTimer_.setInterval(kSizeShownEveryMs);
    connect(&sizeTimer_, &QTimer::timeout, this, &TRecordControls::ShowSize);
    WatchFailures(received_);
    WatchFailures(plotted_.File());
}

void TRecordControls::RecordReceived() {
    OpenAndStart(false);
}

void TRecordControls::RecordPlotted() {
    OpenAndStart(true);
}

void TRecordControls::Stop() {
    received_.Stop();
    plotted_.File().Stop();
}

bool TRecordControls::OpenAndStart(bool csv) {
    const QString path = askPath_(csv);
    if (path.isEmpty()) {
        return false;
    }
    QString error;
    std::unique_ptr<TRecordWriter> writer = OpenRecordFile(path, error);
    if (!writer) {
        reporter_.Show(PromptCaption(), tr("无法记录到该文件：%1").arg(error), TMessageIcon::Error);
        return false;
    }
    Stop();
    if (csv) {
        plotted_.Start(std::move(writer), path);
    } else {
        received_.Start(std::move(writer), path);
    }
    return true;
}

void TRecordControls::WatchFailures(TFileRecorder& recorder) {
    connect(&recorder, &TFileRecorder::StateChanged, this, [this] {
        const bool on = received_.Recording() || plotted_.File().Recording();
        if (on) {
            sizeTimer_.start();
        } else {
            sizeTimer_.stop();
        }
        ShowSize();
    });
    connect(&recorder, &TFileRecorder::Failed, this, [this, &recorder](const QString& reason) {
        reporter_.Show(
            PromptCaption(),
            tr("记录已停止：%1\n已写入的数据保留在 %2 中。").arg(reason, recorder.Path()),
            TMessageIcon::Error);
    });
}

void TRecordControls::ShowSize() {
    const TFileRecorder& on = received_.Recording() ? received_ : plotted_.File();
    if (!on.Recording()) {
        sizeLine_.clear();
        return;
    }
    sizeLine_.setText(tr("记录中：%1").arg(RecordedSizeText(on.BytesRecorded())));
    sizeLine_.setToolTip(on.Path());
}

QString RecordedSizeText(std::uint64_t bytes) {
    constexpr double kKilo = 1024.0;
    if (bytes < 1024) {
        return QStringLiteral("%1 B").arg(bytes);
    }
    const double kb = static_cast<double>(bytes) / kKilo;
    if (kb < kKilo) {
        return QStringLiteral("%1 KB").arg(kb, 0, 'f', 1);
    }
    return QStringLiteral("%1 MB").arg(kb / kKilo, 0, 'f', 1);
}
