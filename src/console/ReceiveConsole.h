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

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "console/PlotLineQueue.h"
#include "console/ReceiveTextStore.h"
#include "serial/CommTypes.h"

class QCheckBox;
class QPrinter;
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
        // The printer to print on, or null when there is none.
        std::function<std::unique_ptr<QPrinter>()> makePrinter;
    };

    TReceiveConsole(THooks hooks, TMessageReporter& reporter);

    // The views of the main window and the floating window, and the main
    // window's hexadecimal-receive switch; set once, before the first block.
    void AttachViews(TReceiveView* mainView, TReceiveView* floatingView, QCheckBox* hexReceive);

    const TReceiveTextStore& Store() const { return store_; }
    TPlotLineQueue& HexQueue() { return hexQueue_; }          // sMemo4
    TPlotLineQueue& DecimalQueue() { return decimalQueue_; }  // sMemo3

    // OnReceiveData, with how the port says the block ended.
    void Receive(std::string_view block, TBlockEnd end);

    void Save();       // "保存"
    void Print();      // "打印"
    void ClearMain();  // the data panel's "清空"
    void ClearBoth();  // the floating window's "清空"

  private:
    // Forgets lines that neither view shows any more.
    void DropUnshownLines();

    THooks hooks_;
    TMessageReporter& reporter_;
    TReceiveTextStore store_;
    TPlotLineQueue hexQueue_;
    TPlotLineQueue decimalQueue_;
    TReceiveView* mainView_ = nullptr;
    TReceiveView* floatingView_ = nullptr;
    QCheckBox* hexReceive_ = nullptr;
};
