#include "console/TimedSender.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QTimer>

#include "console/ConsoleMessages.h"
#include "console/IntervalDialog.h"
#include "platform/StrConv.h"

namespace {

QString IdleCaption() {
    return QCoreApplication::translate("TTimedSender", "定时发送");
}

QString StartedCaption() {
    return QCoreApplication::translate("TTimedSender", "停止发送");
}

}  // namespace

TTimedSender::TTimedSender(QPushButton* button, QTimer* timer, TForm3& dialog, THooks hooks,
                           TMessageReporter& reporter)
    : button_(button),
      timer_(timer),
      dialog_(dialog),
      hooks_(std::move(hooks)),
      reporter_(reporter) {
    connect(&dialog_, &TForm3::Confirmed, this, &TTimedSender::Confirm);
    connect(&dialog_, &TForm3::Cancelled, this, [this] { SetStarted(false); });
    connect(timer_, &QTimer::timeout, this, &TTimedSender::Tick);
    SetStarted(false);
}

void TTimedSender::SetStarted(bool started) {
    started_ = started;
    button_->setText(started ? StartedCaption() : IdleCaption());
}

void TTimedSender::Click() {
    if (Started()) {
        Stop();
        return;
    }
    if (hooks_.sendBoxEmpty()) {
        reporter_.Show(PromptCaption(), EmptySendBoxText(), TMessageIcon::Warning);
        return;
    }
    dialog_.show();
    dialog_.raise();
    SetStarted(true);
}

// A dialog still waiting for "确定" goes too, so that no timer can start
// behind an idle caption.
void TTimedSender::Stop() {
    timer_->stop();
    dialog_.hide();
    SetStarted(false);
}

void TTimedSender::Confirm(const QString& text) {
    const std::optional<std::int32_t> interval = TryStrToInt(text.toStdString());
    if (!interval) {
        ReportApplicationError(reporter_,
                               QStringLiteral("'%1' is not a valid integer value").arg(text));
        return;
    }
    // An interval of 0 or less counts as started but never fires.
    timer_->stop();
    if (*interval > 0) {
        timer_->setInterval(*interval);
        timer_->start();
    }
    dialog_.hide();
}

void TTimedSender::Tick() {
    const TSendOutcome outcome = hooks_.send();
    if (outcome != TSendOutcome::Sent) {
        Stop();
        ReportSendOutcome(reporter_, outcome, false);
    }
}
