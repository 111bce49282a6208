#pragma once
// The sent-bytes counter of the send bar and its copy in the floating window.
// The floating copy follows the main counter after each send that moved it;
// resetting one window's counter leaves the other's text alone.

#include <cstdint>

class QLineEdit;

class TSentCounter {
  public:
    TSentCounter(QLineEdit* mainCounter, QLineEdit* floatingCounter);

    // Adds `bytes` to the main counter and copies it to the floating one;
    // does nothing for 0.
    void Add(uint64_t bytes);
    void ResetMain();
    void ResetBoth();

    uint64_t Count() const { return count_; }

  private:
    void ShowCount();

    QLineEdit* mainCounter_;
    QLineEdit* floatingCounter_;
    uint64_t count_ = 0;
};
