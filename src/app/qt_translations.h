#pragma once
// Qt's own texts (the edit boxes' context menus, file and print dialogs,
// message box buttons) in the interface's language, Simplified Chinese.

class QTranslator;

// Loads Qt's Chinese texts into `translator` and installs it in the running
// application. Returns false, leaving Qt's English texts, when the
// translation files are not installed.
bool InstallQtChineseTexts(QTranslator& translator);
