#include "console/ReceiveConsole.h"

#include <QCheckBox>
#include <QPrinter>

#include <algorithm>

#include "console/ConsoleMessages.h"
#include "console/ReceivePrinter.h"
#include "console/ReceiveTextFile.h"
#include "console/ReceiveView.h"

TReceiveConsole::TReceiveConsole(THooks hooks, TMessageReporter& reporter)
    : hooks_(std::move(hooks)), reporter_(reporter) {}

void TReceiveConsole::AttachViews(TReceiveView* mainView, TReceiveView* floatingView,
                                  QCheckBox* hexReceive) {
    mainView_ = mainView;
    floatingView_ = floatingView;
    hexReceive_ = hexReceive;
}

void TReceiveConsole::Receive(std::string_view block, TBlockEnd end) {
    const bool lineStaysOpen = end == TBlockEnd::Cut;
    hooks_.appendToSendBox(block, lineStaysOpen);

    // The switch is read once, so a block is handled wholly in one mode.
    const bool hex = hexReceive_->isChecked();
    TPlotLineQueue& queue = hex ? hexQueue_ : decimalQueue_;
    queue.Append(block);
    if (!lineStaysOpen) {
        queue.EndLine();
    }
    store_.AppendBlock(block, hex ? TLineKind::Hex : TLineKind::Text, lineStaysOpen);

    mainView_->StoreChanged();
    // The floating box mirrors the main box's whole text.
    floatingView_->ShowFrom(mainView_->FirstShownLine());
    DropUnshownLines();
}

void TReceiveConsole::Save() {
    const QString path = hooks_.askSaveFileName();
    if (!path.isEmpty()) {
        SaveReceivedText(store_, mainView_->FirstShownLine(), path);
    }
}

void TReceiveConsole::Print() {
    const std::unique_ptr<QPrinter> printer = hooks_.makePrinter();
    if (printer && PrintReceiveRows(*printer, mainView_->Rows())) {
        reporter_.Show(kPromptCaption, kPrintedText, TMessageIcon::Information);
    } else {
        reporter_.Show(kPromptCaption, kPrintErrorText, TMessageIcon::Error);
    }
}

void TReceiveConsole::ClearMain() {
    store_.CloseLine();
    mainView_->ClearText();
}

void TReceiveConsole::ClearBoth() {
    store_.Clear();
    mainView_->ClearText();
    floatingView_->ClearText();
}

void TReceiveConsole::DropUnshownLines() {
    store_.DropLinesBefore(std::min(mainView_->FirstShownLine(), floatingView_->FirstShownLine()));
}
