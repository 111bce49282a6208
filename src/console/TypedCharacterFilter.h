#pragma once
// Discards characters typed into an edit control that it should not take.
// Only typing is filtered: pasted text, text set by the program and editing
// keys (arrows, Delete, Ctrl shortcuts) pass untouched.

#include <QObject>

#include <functional>

class QWidget;

class TTypedCharacterFilter : public QObject {
  public:
    using TAllowed = std::function<bool(char16_t)>;

    // Filters what is typed into `target`; the filter is a child of `target`.
    static void Install(QWidget* target, TAllowed allowed);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    TTypedCharacterFilter(QWidget* target, TAllowed allowed);

    TAllowed allowed_;
};

// The send box takes printable ASCII except " : ; [ ] { }; backspace is an
// editing key and always passes.
bool IsSendBoxCharacter(char16_t c);
// The interval box takes decimal digits only.
bool IsIntervalCharacter(char16_t c);
