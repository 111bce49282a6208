#pragma once
// Tells the third click of a triple click from a plain press: a press soon
// after a double click, close to where it was.

#include <QElapsedTimer>
#include <QPoint>

class TTripleClick {
  public:
    void DoubleClicked(const QPoint& at);
    // Whether a press at `at` completes a triple click; a double click
    // completes at most one.
    bool IsThirdClick(const QPoint& at);

  private:
    QElapsedTimer sinceDoubleClick_;
    QPoint doubleClickAt_;
};
