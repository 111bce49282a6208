#pragma once
// "定时发送": repeats "发送" at the interval the user confirms in TForm3.
//
// The button's caption shows the state: "定时发送" idle, "停止发送" started or
// waiting for the dialog. A click while started always stops, whatever the
// send box holds. A tick whose send fails (an emptied box, a closed port)
// stops the timer before it says so, so a failing timed send raises one
// message, not one a tick.

#include <QObject>

#include <functional>

#include "console/Sender.h"

class QPushButton;
class QTimer;
class TForm3;
class TMessageReporter;

class TTimedSender : public QObject {
  public:
    struct THooks {
        std::function<bool()> sendBoxEmpty;
        // What a click on "发送" does, without its messages.
        std::function<TSendOutcome()> send;
    };

    TTimedSender(QPushButton* button, QTimer* timer, TForm3& dialog, THooks hooks,
                 TMessageReporter& reporter);

    // A click on the send bar's button (or on the floating window's).
    void Click();
    // Started, or waiting for the dialog: the next click stops.
    bool Started() const { return started_; }

  private:
    void Confirm(const QString& text);
    void Tick();
    void Stop();
    // Keeps the caption in step with the state.
    void SetStarted(bool started);

    QPushButton* button_;
    QTimer* timer_;
    TForm3& dialog_;
    THooks hooks_;
    TMessageReporter& reporter_;
    bool started_ = false;
};
