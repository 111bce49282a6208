#pragma once
// A start-up check for installed copies: with KELVANE_EXIT_AFTER_FIRST_PAINT
// set in the environment, the program leaves through its normal exit path as
// soon as its main window has painted once, so a script can see that the
// program comes up and goes down cleanly without anyone clicking.

#include <QObject>

#include <functional>

class QWidget;

class TExitAfterFirstPaint : public QObject {
  public:
    // Calls `exit` once, after the first paint of `window` or of a widget in it.
    TExitAfterFirstPaint(QWidget& window, std::function<void()> exit);

    // Whether the environment asks for the check.
    static bool Requested();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget& window_;
    std::function<void()> exit_;
};
