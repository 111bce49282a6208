#pragma once
// Installs the texts of the interface's language before any window is built:
// the program's own English texts when English is chosen, and Qt's own texts
// (edit menus, file and print dialogs, message box buttons) in the same
// language. Chinese, the program's source language, needs no translation of
// its own, only Qt's Chinese texts.

#include "console/InterfaceLanguage.h"

#include <QTranslator>

#include <optional>

class TLanguageTexts {
  public:
    // Installs the texts of `language` in the running application.
    explicit TLanguageTexts(TLanguage language);
    // Takes the texts out again; windows built afterwards are Chinese.
    ~TLanguageTexts();
    TLanguageTexts(const TLanguageTexts&) = delete;
    TLanguageTexts& operator=(const TLanguageTexts&) = delete;

    // The program's English texts are embedded in it, so false here is a
    // build fault; Qt's Chinese texts come from a package that may be missing.
    bool ProgramTextsInstalled() const { return programTexts_.has_value(); }
    bool QtTextsInstalled() const { return qtTexts_.has_value(); }

  private:
    std::optional<QTranslator> programTexts_;
    std::optional<QTranslator> qtTexts_;
};
