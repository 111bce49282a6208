#pragma once
// "选项": Kelvane's own options of the receive boxes, the chart and the
// interface's language (see TKelvaneOptions; the port's are in the settings
// dialog) as a small form, one row per option, shown with the values in
// effect and written to setfile.ini on "确定". An option gets a row by one
// AddRow line in the constructor; a kind of option without a row type yet
// gets one AddRow overload.

#include <QDialog>

#include "console/InterfaceLanguage.h"

#include <cstdint>
#include <functional>
#include <vector>

template <typename T>
class TOption;
class QFormLayout;
class TKelvaneOptions;
class TMessageReporter;

class TOptionsDialog : public QDialog {
    Q_OBJECT
  public:
    TOptionsDialog(TKelvaneOptions& options, TMessageReporter& reporter, QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void AddRow(const char* objectName, const QString& caption, TOption<bool>& option);
    void AddRow(const char* objectName, const QString& caption, TOption<std::int32_t>& option);
    // Takes effect at the next start, and says so beside the choice.
    void AddRow(const char* objectName, const QString& caption, TOption<TLanguage>& option);
    // Takes the rows' values and writes them; says so when the file refuses.
    void Apply();

    struct TRow {
        std::function<void()> show;   // the option's value into the row
        std::function<void()> apply;  // the row's value into the option
    };
    TKelvaneOptions& options_;
    TMessageReporter& reporter_;
    QFormLayout* form_;
    std::vector<TRow> rows_;
};
