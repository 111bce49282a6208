#pragma once
// "记录": the receive group's button for recording to a file, with a menu of
// what to record — the received bytes as they came, or the plotted values
// as CSV — and "停止记录"; beside it a line with the size recorded so far.
// One recording runs at a time; starting one stops the other. A recording
// the file refused stops with one box saying why; what was written stays.

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class QLabel;
class QMenu;
class QPushButton;
class TChartCsvRecorder;
class TFileRecorder;
class TMessageReporter;

class TRecordControls : public QObject {
    Q_OBJECT
  public:
    static constexpr int kSizeShownEveryMs = 500;

    // The file to record into, or an empty text when the user cancels;
    // `csv` says which recording asks.
    using TAskPath = std::function<QString(bool csv)>;

    TRecordControls(QPushButton& button, QLabel& sizeLine, TFileRecorder& received,
                    TChartCsvRecorder& plotted, TMessageReporter& reporter, TAskPath askPath,
                    QObject* parent = nullptr);

    void RecordReceived();  // "记录接收数据…"
    void RecordPlotted();   // "记录绘图数据(CSV)…"
    void Stop();            // "停止记录"

  private:
    // Opens the file the user picks; false when cancelled or refused.
    bool OpenAndStart(bool csv);
    void WatchFailures(TFileRecorder& recorder);
    void ShowSize();

    QLabel& sizeLine_;
    TFileRecorder& received_;
    TChartCsvRecorder& plotted_;
    TMessageReporter& reporter_;
    TAskPath askPath_;
    QMenu* menu_;
    QTimer sizeTimer_;
};

// The size of a recording as the size line shows it: "1.5 KB", "12.0 MB".
QString RecordedSizeText(std::uint64_t bytes);
