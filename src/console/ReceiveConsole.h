#pragma once
// The receive side of the console: takes every block the serial port
// delivers, shows it in the receive box (as text or hex pairs), queues it for
// the plot, copies it to the send box and keeps the floating window's receive
// box in step; and runs "保存", "打印" and "清空".
//
// A block the port passed on while bytes were still coming (cut, not ended
// by a pause) leaves its line open: the next block continues it in the
// receive box, the queues and the send box, so a number split across two
// blocks is never plotted as two numbers.
//
// With the "显示时间戳" option each received line in both receive boxes starts
// with its arrival time (see TBlockStamps); the queues and the send box get
// the bytes alone. While recording is on, every block is also appended to
// the recording's file as it came.

#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "console/FileRecorder.h"
#include "console/LineTextStore.h"
#include "console/PlotLineQueue.h"
#include "console/PrintTarget.h"
#include "console/ReceivePrinter.h"
#include "console/TextBound.h"
#include "serial/CommTypes.h"

class QCheckBox;
class TKelvaneOptions;
class TMessageReporter;
class TReceiveView;

class TReceiveConsole {
  public:
    struct THooks {
        // Adds a received block to the end of the send box; a line break
        // follows unless the block's line stays open.
        std::function<void(std::string_view bytes, bool lineStaysOpen)> appendToSendBox;
        // The file to save to, or an empty text when the user cancels.
        std::function<QString()> askSaveFileName;
        // Where to print: a printer, a PDF file, or nothing (cancelled, or
        // there is nothing to print on).
        std::function<TPrintChoice()> choosePrintTarget;
    };

    // The receive box keeps at most `boxBytes` (see TTextBound).
    TReceiveConsole(THooks hooks, TMessageReporter& reporter, const TKelvaneOptions& options,
                    std::int64_t boxBytes = TTextBound::kDefaultBytes);

    // The views of the main window and the floating window, and the main
    // window's hexadecimal-receive switch; set once, before the first block.
    void AttachViews(TReceiveView* mainView, TReceiveView* floatingView, QCheckBox* hexReceive);

    const TLineTextStore& Store() const { return store_; }
    TPlotLineQueue& HexQueue() { return hexQueue_; }          // sMemo4
    TPlotLineQueue& DecimalQueue() { return decimalQueue_; }  // sMemo3

    // OnReceiveData, with how the port says the block ended and when its
    // bytes came (by default, now).
    void Receive(std::string_view block, TBlockEnd end, const TArrivalMarks& arrival = {});
    // "记录" of what arrives: the bytes of every block, as they came.
    TFileRecorder& Recorder() { return recorder_; }

    void Save();  // "保存"
    // "打印": prints in slices behind a progress window with "取消", and
    // says how it went once the job has ended. One print runs at a time.
    void Print();
    bool Printing() const { return !printJob_.isNull(); }
    void ClearMain();  // the data panel's "清空"
    void ClearBoth();  // the floating window's "清空"

  private:
    // Forgets lines that neither view shows any more.
    void DropUnshownLines();

    THooks hooks_;
    TMessageReporter& reporter_;
    const TKelvaneOptions& options_;
    TLineTextStore store_;
    TTextBound bound_;
    TPlotLineQueue hexQueue_;
    TPlotLineQueue decimalQueue_;
    TReceiveView* mainView_ = nullptr;
    TReceiveView* floatingView_ = nullptr;
    QCheckBox* hexReceive_ = nullptr;
    QPointer<TReceivePrintJob> printJob_;
    TFileRecorder recorder_;
};
