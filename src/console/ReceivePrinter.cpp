#include "console/ReceivePrinter.h"

#include <QElapsedTimer>
#include <QPrinter>
#include <QTimer>

#include <algorithm>

#include "console/PrintTarget.h"
#include "console/ReceiveRows.h"

namespace {
constexpr int kDotsPerInch = 300;
constexpr int kLeft = 40;
constexpr int kTop = 40;
constexpr int kRowStep = 100;
constexpr int kPageBottom = 2600 - 40;
constexpr int kFontPoints = 12;
}  // namespace

TReceivePrintJob::TReceivePrintJob(std::unique_ptr<TPrintTarget> target,
                                   const TLineTextStore& store, uint64_t firstLine, int columns)
    : target_(std::move(target)),
      store_(store),
      firstLine_(firstLine),
      endLine_(store.EndLine()),
      columns_(columns),
      line_(firstLine),
      y_(kTop) {}

TReceivePrintJob::~TReceivePrintJob() {
    if (painter_.isActive()) {
        target_->Printer().abort();
        painter_.end();
        target_->Discard();
    }
}

void TReceivePrintJob::Start() {
    QPrinter& printer = target_->Printer();
    printer.setResolution(kDotsPerInch);
    if (!painter_.begin(&printer)) {
        // Reported from the event loop, as every other end of the job is.
        QTimer::singleShot(0, this, [this] { End(false); });
        return;
    }
    QFont font = painter_.font();
    font.setPointSize(kFontPoints);
    painter_.setFont(font);
    ascent_ = painter_.fontMetrics().ascent();
    QTimer::singleShot(0, this, &TReceivePrintJob::Slice);
}

void TReceivePrintJob::Cancel() {
    cancelled_ = true;
}

void TReceivePrintJob::Slice() {
    if (cancelled_) {
        target_->Printer().abort();
        painter_.end();
        target_->Discard();
        emit Cancelled();
        return;
    }
    QElapsedTimer slice;
    slice.start();
    while (slice.elapsed() < kSliceMs) {
        const TRowPrinted printed = PrintRow();
        if (printed != TRowPrinted::Yes) {
            End(printed == TRowPrinted::AllDone && painter_.end() && target_->Finish());
            return;
        }
    }
    emit Progress(Percent());
    QTimer::singleShot(0, this, &TReceivePrintJob::Slice);
}

TReceivePrintJob::TRowPrinted TReceivePrintJob::PrintRow() {
    // Lines the box no longer holds (both views were cleared, or the box
    // dropped its oldest lines) are skipped; printing goes on at the start
    // of the first line left.
    if (line_ < store_.FirstLine()) {
        line_ = store_.FirstLine();
        row_ = 0;
    }
    if (line_ >= std::min(endLine_, store_.EndLine())) {
        return TRowPrinted::AllDone;
    }
    // A page is started only when a row is left to go on it, so a full last
    // page is not followed by a blank one.
    if (y_ > kPageBottom) {
        if (!target_->Printer().newPage()) {
            return TRowPrinted::Failed;
        }
        y_ = kTop;
    }
    painter_.drawText(kLeft, y_ + ascent_, ReceiveRowText(store_, line_, row_, columns_));
    y_ += kRowStep;
    if (++row_ >= ReceiveRowCount(store_, line_, columns_)) {
        ++line_;
        row_ = 0;
    }
    return TRowPrinted::Yes;
}

void TReceivePrintJob::End(bool printed) {
    if (!printed) {
        if (painter_.isActive()) {
            target_->Printer().abort();
            painter_.end();
        }
        target_->Discard();
    }
    emit Progress(100);
    emit Finished(printed);
}

int TReceivePrintJob::Percent() const {
    const uint64_t total = std::max<uint64_t>(1, endLine_ - firstLine_);
    return static_cast<int>(std::min<uint64_t>(100, (line_ - firstLine_) * 100 / total));
}
