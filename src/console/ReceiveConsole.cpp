#include "console/ReceiveConsole.h"

#include <QCheckBox>
#include <QCoreApplication>

#include <algorithm>

#include "console/ArrivalStamps.h"
#include "console/ConsoleMessages.h"
#include "console/JobProgress.h"
#include "console/KelvaneOptions.h"
#include "console/ReceiveTextFile.h"
#include "console/ReceiveView.h"

TReceiveConsole::TReceiveConsole(THooks hooks, TMessageReporter& reporter,
                                 const TKelvaneOptions& options, std::int64_t boxBytes)
    : hooks_(std::move(hooks)), reporter_(reporter), options_(options), bound_(boxBytes) {}

void TReceiveConsole::AttachViews(TReceiveView* mainView, TReceiveView* floatingView,
                                  QCheckBox* hexReceive) {
    mainView_ = mainView;
    floatingView_ = floatingView;
    hexReceive_ = hexReceive;
}

void TReceiveConsole::Receive(std::string_view block, TBlockEnd end, const TArrivalMarks& arrival) {
    recorder_.Append(block);
    const bool lineStaysOpen = end == TBlockEnd::Cut;
    hooks_.appendToSendBox(block, lineStaysOpen);

    // The switch is read once, so a block is handled wholly in one mode.
    const bool hex = hexReceive_->isChecked();
    TPlotLineQueue& queue = hex ? hexQueue_ : decimalQueue_;
    queue.Append(block, arrival);
    if (!lineStaysOpen) {
        queue.EndLine();
    }
    const TLineKind kind = hex ? TLineKind::Hex : TLineKind::Text;
    if (options_.ShowTimestamps()) {
        const TBlockStamps stamps(arrival);
        store_.AppendBlock(block, kind, lineStaysOpen, &stamps);
    } else {
        store_.AppendBlock(block, kind, lineStaysOpen);
    }
    bound_.Apply(store_);

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
    if (Printing()) {
        return;
    }
    TPrintChoice choice = hooks_.choosePrintTarget();
    if (choice.cancelled) {
        return;
    }
    if (!choice.target) {
        reporter_.Show(PromptCaption(), PrintErrorText(), TMessageIcon::Error);
        return;
    }
    printJob_ = new TReceivePrintJob(std::move(choice.target), store_, mainView_->FirstShownLine(),
                                     mainView_->Columns());
    ShowJobProgress(*printJob_, mainView_->window(),
                    QCoreApplication::translate("TReceiveConsole", "打印"),
                    QCoreApplication::translate("TReceiveConsole", "正在打印接收数据…"),
                    QStringLiteral("PrintProgress"));
    QObject::connect(printJob_, &TReceivePrintJob::Finished, printJob_, [this](bool printed) {
        printJob_->deleteLater();
        reporter_.Show(PromptCaption(), printed ? PrintedText() : PrintErrorText(),
                       printed ? TMessageIcon::Information : TMessageIcon::Error);
    });
    QObject::connect(printJob_, &TReceivePrintJob::Cancelled, printJob_, &QObject::deleteLater);
    printJob_->Start();
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
