#pragma once
// "定时发送": repeats "发送" at the interval the user confirms in TForm3.
//
// The button's caption is the state: "定时发送" idle, "停止发送" started or
// waiting for the dialog. A tick whose send is still showing a message box
// (its nested event loop lets the timer fire again) is skipped, so a failing
// timed send raises one box at a time rather than a growing pile.

#include <QObject>

#include <functional>

class QPushButton;
class QTimer;
class TForm3;
class TMessageReporter;

class TTimedSender : public QObject {
  public:
    struct THooks {
        std::function<bool()> sendBoxEmpty;
        std::function<void()> send;  // what a click on "发送" does
    };

    TTimedSender(QPushButton* button, QTimer* timer, TForm3& dialog, THooks hooks,
                 TMessageReporter& reporter);

    // A click on the send bar's button (or on the floating window's).
    void Click();

  private:
    void Confirm(const QString& text);
    void Tick();

    QPushButton* button_;
    QTimer* timer_;
    TForm3& dialog_;
    THooks hooks_;
    TMessageReporter& reporter_;
    bool ticking_ = false;
};
