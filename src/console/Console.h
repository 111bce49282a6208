#pragma once
// The serial console of the main window's data panel: receive view, send,
// send and save, the counter, timed send, the history dialog and the
// floating window, wired to the panel's controls. The main window creates one
// and keeps it for the whole run.

#include <QObject>

#include <memory>
#include <string>

#include "console/ConsoleMessages.h"
#include "console/ReceiveConsole.h"
#include "console/ReceiveTextFile.h"
#include "console/Sender.h"
#include "console/SentCounter.h"
#include "console/TextBound.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTimer;
class TComm;
class TForm2;
class TForm3;
class TForm7;
class TKelvaneOptions;
class TReceiveView;
class TSendBox;
class TTimedSender;

// The main window's controls the console drives, by their names.
struct TConsolePanel {
    QWidget* window = nullptr;        // parent of the dialogs, the receive and send boxes
    QPushButton* sButton4 = nullptr;  // 保存
    QPushButton* sButton5 = nullptr;  // 打印
    QPushButton* sButton6 = nullptr;  // 清空
    QCheckBox* sCheckBox2 = nullptr;  // 16进制接收
    QPushButton* sButton7 = nullptr;  // 发送
    QPushButton* sButton8 = nullptr;  // 发送并保存
    QPushButton* sButton9 = nullptr;  // 定时发送
    QCheckBox* sCheckBox3 = nullptr;  // 带帧头帧尾
    QCheckBox* sCheckBox1 = nullptr;  // 16进制发送
    QLineEdit* sEdit1 = nullptr;      // sent-bytes counter
    QPushButton* sBitBtn9 = nullptr;  // 清空计数
    QTimer* Timer2 = nullptr;         // timed send
    QPushButton* sBitBtn8 = nullptr;  // 历史数据 (command row)
    QPushButton* sBitBtn5 = nullptr;  // 绘图[16进制] (command row)
    QPushButton* sBitBtn6 = nullptr;  // 绘图其他 (command row)
};

struct TConsoleServices {
    TMessageReporter* reporter = nullptr;
    const TKelvaneOptions* options = nullptr;
    TQuestionAsker* asker = nullptr;
    std::string historyPath;  // txt.txt
    TSender::TSendBlock sendBlock;
    TSender::TSendBufferFull sendBufferFull;
    // Replace the save dialog and the choice of printer (tests do); when
    // unset the console shows the dialog and prints on the default printer,
    // or, with none installed, to the PDF file the user picks.
    std::function<QString()> askSaveFileName;
    std::function<TPrintChoice()> choosePrintTarget;
    // Most bytes the receive box and the send box each keep.
    std::int64_t textBoxBytes = TTextBound::kDefaultBytes;
};

class TConsole : public QObject {
  public:
    TConsole(const TConsolePanel& panel, TConsoleServices services);
    ~TConsole() override;

    // The receive box (sMemo1) and the send box (sMemo2): the caller puts
    // them into the data panel.
    TReceiveView* MainReceiveView() const { return mainView_; }
    TSendBox* SendBox() const { return sendBox_; }
    TForm7& FloatingWindow() const { return *floating_; }
    TForm2& HistoryDialog() const { return *history_; }
    TForm3& IntervalDialog() const { return *interval_; }
    TReceiveConsole& Receiver() { return receiver_; }

    void Send();         // "发送"
    void SendAndSave();  // "发送并保存"

  private:
    void WireReceiveBar();
    void WireSendBar();
    void WireFloatingWindow();
    bool SendBoxEmpty() const;
    // Sends the send box once, as "发送" does but without its messages.
    TSendOutcome SendOnce();
    // The floating window's send commands first copy its send box to the main one.
    void CopyFloatingSendBox();

    TConsolePanel panel_;
    TConsoleServices services_;
    TSaveFilePrompt savePrompt_;
    TReceiveConsole receiver_;
    TReceiveView* mainView_;
    TSendBox* sendBox_;
    std::unique_ptr<TForm7> floating_;
    std::unique_ptr<TForm3> interval_;
    std::unique_ptr<TForm2> history_;
    TSender sender_;
    TSentCounter counter_;
    std::unique_ptr<TTimedSender> timedSender_;
};

// Routes the port's received blocks to the console; line errors are ignored.
void ConnectConsoleToComm(TConsole& console, TComm& comm);
