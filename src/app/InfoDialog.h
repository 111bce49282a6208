#pragma once
// TForm5 "在线帮助" and TForm6 "在线升级": a block of white bold text on a
// group box and a "关 闭" button that hides the dialog.

#include <QDialog>

#include <memory>

class TInfoDialog : public QDialog {
    Q_OBJECT
  public:
    TInfoDialog(const char* objectName, const QString& caption, QSize clientSize,
                const QString& text);
};

std::unique_ptr<TInfoDialog> MakeHelpDialog();     // TForm5
std::unique_ptr<TInfoDialog> MakeUpgradeDialog();  // TForm6
