#pragma once
// The chart's context-menu entries for its points as files: "导出CSV…" saves
// them as CSV, "打开数据文件…" empties the chart and opens a CSV or one of the
// plot's data files back into it to look at again. Both run as background
// jobs behind a progress window with "取消", and say in a box only when
// something went wrong.
//
// A file is opened only while neither plotting mode runs, so that its points
// and live ones never mix; the next live line starts the chart afresh.

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QMenu;
class QWidget;
class TBackgroundJob;
class TMessageReporter;
class TWaveformFeed;
class TiPlot;

class TChartFileCommands : public QObject {
    Q_OBJECT
  public:
    struct TFilePrompts {
        // The file to save to or open, or an empty text when the user cancels.
        std::function<QString()> saveName;
        std::function<QString()> openName;
    };

    // Adds the entries to every context menu of `plot`; without prompts,
    // file dialogs ask.
    TChartFileCommands(TiPlot& plot, TWaveformFeed& feed, TMessageReporter& reporter,
                       TFilePrompts prompts = {}, QObject* parent = nullptr);

    void SaveCsv();   // "导出CSV…"
    void OpenFile();  // "打开数据文件…"
    // A save or open is under way.
    bool Busy() const { return !job_.isNull(); }

  private:
    void AddMenuItems(QMenu& menu);
    QString AskSaveName();
    QString AskOpenName();
    // Runs `job` behind its progress window; `failure` starts the box shown
    // when it fails.
    void Run(TBackgroundJob* job, const QString& progressText, const QString& failure);

    TiPlot& plot_;
    TWaveformFeed& feed_;
    TMessageReporter& reporter_;
    TFilePrompts prompts_;
    QString lastSaveName_;
    QString lastOpenFolder_;
    QPointer<TBackgroundJob> job_;
};
