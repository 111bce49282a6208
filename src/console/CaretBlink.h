#pragma once
// Blinks a text caret: shown the moment it moves, then on and off at the
// platform's flash rate, and hidden while its widget has no focus.

#include <QObject>
#include <QTimer>

#include <functional>

class QWidget;

class TCaretBlink : public QObject {
  public:
    // `repaint` redraws the caret; it is called whenever Shown() changes.
    TCaretBlink(QWidget* focusOwner, std::function<void()> repaint);

    // Shows the caret and blinks on from now, if the widget has focus.
    void Restart();
    void Stop();
    // One blink, shown to hidden or back, while the widget has focus; what
    // the timer does every half period.
    void Blink();
    bool Shown() const { return shown_; }

  private:
    void Show(bool shown);

    QWidget* focusOwner_;
    std::function<void()> repaint_;
    QTimer timer_;
    bool shown_ = false;
};
