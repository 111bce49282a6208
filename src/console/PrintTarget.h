#pragma once
// Where "打印" prints: the default printer, or, on a machine with no printer
// installed, a PDF file the user picks. A PDF is written beside its chosen
// path and moved there only once it is complete, so a cancelled or failed
// print leaves nothing behind and an old file at that path stays until the
// new one is whole.

#include <QString>

#include <functional>
#include <memory>

class QPrinter;
class QWidget;

class TPrintTarget {
  public:
    static std::unique_ptr<TPrintTarget> ForPrinter(std::unique_ptr<QPrinter> printer);
    static std::unique_ptr<TPrintTarget> ForPdfFile(const QString& path);
    ~TPrintTarget();

    QPrinter& Printer() { return *printer_; }
    // The painting ended well: a PDF moves to its chosen path. False when
    // that fails.
    bool Finish();
    // The print was cancelled or failed: a PDF's partial file goes.
    void Discard();

  private:
    TPrintTarget(std::unique_ptr<QPrinter> printer, QString finalPath);

    std::unique_ptr<QPrinter> printer_;
    QString finalPath_;  // empty for a printer
};

struct TPrintChoice {
    std::unique_ptr<TPrintTarget> target;  // null when cancelled or nothing can print
    bool cancelled = false;
};

// What the machine offers to print on.
struct TPrintDesk {
    std::function<bool()> hasDefaultPrinter;
    // The PDF file to print to, starting from `suggested`; empty when the
    // user cancels. The dialog asks before a file is replaced.
    std::function<QString(const QString& suggested)> askPdfPath;
};

// The default printer when there is one; otherwise the PDF file the user
// picks, suggested in the documents folder under a name with the date and time.
TPrintChoice ChoosePrintTarget(const TPrintDesk& desk);
// The printers of this machine, and a save dialog over `parent`.
TPrintDesk SystemPrintDesk(QWidget* parent);
