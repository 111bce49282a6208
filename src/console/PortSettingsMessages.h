#pragma once
// Where the console's message boxes go. The program shows them as modal boxes
// (their nested event loop keeps received data and timers running, as users
// expect); tests substitute a recorder so nothing blocks.

#include <QCoreApplication>
#include <QString>

enum class TMessageIcon { Warning, Error, Information };

class TMessageReporter {
  public:
    virtual ~TMessageReporter() = default;
    // A box with one OK button.
    virtual void Show(const QString& caption, const QString& text, TMessageIcon icon) = 0;
};

class TMessageBoxReporter : public TMessageReporter {
  public:
    void Show(const QString& caption, const QString& text, TMessageIcon icon) override;
};

// Caption of the console's message boxes.
inline QString PromptCaption() {
    return QCoreApplication::translate("TConsole", "提示");
}
