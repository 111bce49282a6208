#include "console/ReceiveConsole.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QProgressDialog>

#include <algorithm>

#include "console/ConsoleMessages.h"
#include "console/ReceiveTextFile.h"
#include "console/ReceiveView.h"

namespace {

// The progress of a print, with "取消"; it shows only for a print that takes
// a while, and goes with the job.
void ShowPrintProgress(TReceivePrintJob& job, QWidget* parent) {
    constexpr int kShowAfterMs = 500;
    auto* progress =
        new QProgressDialog(QCoreApplication::translate("TReceiveConsole", "正在打印接收数据…"),
                            QCoreApplication::translate("TReceiveConsole", "取消"), 0, 100, parent);
    progress->setObjectName(QStringLiteral("PrintProgress"));
    progress->setWindowTitle(QCoreApplication::translate("TReceiveConsole", "打印"));
    progress->setMinimumDuration(kShowAfterMs);
    progress->setAutoReset(false);
    QObject::connect(&job, &TReceivePrintJob::Progress, progress, &QProgressDialog::setValue);
    QObject::connect(progress, &QProgressDialog::canceled, &job, &TReceivePrintJob::Cancel);
    QObject::connect(&job, &QObject::destroyed, progress, &QObject::deleteLater);
}

}  // namespace

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
    ShowPrintProgress(*printJob_, mainView_->window());
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
