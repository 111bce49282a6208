#pragma once
// TMainForm, the main window "KelvaneV3.0": a frame that builds the command
// row, the chart area, the fold-out data panel and the port information
// panel, owns the serial port `Comm1`, the dialogs and the tray icon, and
// wires each feature's class to its controls. Closing it only hides it;
// "退出软件" in the tray menu ends the program. On a desktop without a
// notification area, where a hidden window could never come back, closing
// it ends the program as "退出软件" does.

#include "app/MainFormControls.h"
#include "app/TrayIcon.h"
#include "console/PortSettingsFile.h"
#include "console/PortSettingsMessages.h"
#include "serial/Comm.h"

#include <QCoreApplication>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>

class TBannerWindow;
class TConsole;
class TConsoleWiring;
class TCentreOnShow;
class TDataPanelFolder;
class TForm1;
class TGlobalHotKey;
class TInfoDialog;
class TKelvaneOptions;
class TOptionsDialog;
class TRecordControls;
class TChartFileCommands;
class TPortInfoPanel;
class TPortNoticeBar;
class TPlotLineQueue;
class TPortOpener;
class TWaveformFeed;
class TiPlot;

struct TMainFormOptions {
    // Folder of setfile.ini and the history file, with a trailing '/'.
    std::string dataDir;
    // Where message boxes go; tests record them instead of blocking.
    std::shared_ptr<TMessageReporter> reporter;
    // Grab F5 system-wide; tests leave the keyboard alone.
    bool globalHotKey = true;
    // The desktop's notification area; tests choose whether there is one.
    TTrayHost trayHost = TTrayHost::System();
    // The file "记录" records into (`csv`: the plotted values), or an empty
    // text when cancelled; a file dialog asks when it is not set.
    std::function<QString(bool csv)> askRecordPath = nullptr;
    // Ends the program once "退出软件" has cleaned up; tests record it instead.
    // exit(), not quit(): quit() first asks every window to close, and the
    // main window refuses, which would cancel the exit.
    std::function<void()> quit = [] { QCoreApplication::exit(0); };
};

class TMainForm : public QWidget {
    Q_OBJECT
  public:
    explicit TMainForm(TMainFormOptions options);
    ~TMainForm() override;

    const TMainFormControls& Controls() const { return controls_; }
    TComm& Comm1() { return *comm_; }
    TConsole& Console();
    TiPlot& Plot() { return *iPlot1_; }
    TWaveformFeed& Feed() { return *feed_; }
    TOptionsDialog& OptionsDialog() { return *optionsDialog_; }
    TPlotLineQueue& HexPlotQueue();      // sMemo4
    TPlotLineQueue& DecimalPlotQueue();  // sMemo3
    TKelvaneOptions& Options() { return *kelvaneOptions_; }
    // Port settings of this session that take the place of setfile.ini's.
    void SetPortSessionOverride(TPortSessionOverride override);
    // "打开", as if clicked.
    void OpenPort();
    // The line below the chart where the port tells what happened to it.
    TPortNoticeBar& PortNotice() { return *portNotice_; }

    // Places `window` at the centre of the screen each time it is shown.
    void CentreWhenShown(QWidget* window);

    // Appends the time as "hhnnss" to the send box; what the F5 hot key does.
    void AppendTimeToSendBox();
    // Shows the main window and the banner as the tray's "显示主界面" does.
    void ShowWithBanner();
    // Shows, restores and raises, as a double click on the tray icon does.
    void ShowRestoredInFront();
    // Enables the data panel again once the floating window closes.
    void EnableDataPanel();
    // Removes the tray icon, releases the hot key, closes the port and ends
    // the program.
    void Exit();
    TTrayIcon& Tray() { return *tray_; }

  signals:
    // A "悬浮窗体" button was clicked; the data panel is already disabled and folding.
    void FloatingWindowRequested();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void BuildCommandRow();
    void BuildDataPanel();
    void BuildReceiveGroup(QWidget* panel);
    void BuildSendGroup(QWidget* panel);
    void ApplyStoredCommValues();
    // "打开", "关闭" and the open port's fortunes; after the console, whose
    // wiring assigns Comm1's events first.
    void WirePort(const std::string& settingsPath);
    void WireShell();
    // Builds the console over the controls and shows its windows centred.
    void WireConsole();
    // Puts the strip chart into the chart area and feeds it; MainFormChart.cpp.
    void WireChart();
    // "选项", "记录" and the chart's file commands; MainFormOptions.cpp.
    void WireOptionsAndFiles();

    TMainFormOptions options_;
    TMainFormControls controls_;
    std::unique_ptr<TComm> comm_;  // Comm1
    std::unique_ptr<TKelvaneOptions> kelvaneOptions_;
    TPortInfoPanel* infoPanel_ = nullptr;   // sPanel6, owned by this widget
    TPortNoticeBar* portNotice_ = nullptr;  // owned by sPanel1
    TCentreOnShow* centring_ = nullptr;     // owned by this widget
    std::unique_ptr<TDataPanelFolder> folder_;
    std::unique_ptr<TPortOpener> opener_;
    std::unique_ptr<TForm1> portSettings_;
    std::unique_ptr<TBannerWindow> banner_;
    std::unique_ptr<TInfoDialog> helpDialog_;
    std::unique_ptr<TInfoDialog> upgradeDialog_;
    std::unique_ptr<TTrayIcon> tray_;
    std::unique_ptr<TGlobalHotKey> hotKey_;
    std::unique_ptr<TConsoleWiring> console_;
    TiPlot* iPlot1_ = nullptr;  // the strip chart, owned by sPanel1
    std::unique_ptr<TWaveformFeed> feed_;
    std::unique_ptr<TOptionsDialog> optionsDialog_;
    // Last, so they go first: they follow the console's and the feed's
    // recorders and the chart, which flush and tell as they go.
    std::unique_ptr<TRecordControls> recordControls_;
    std::unique_ptr<TChartFileCommands> chartFiles_;
};
