#include "console/PrintTarget.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace {

const QString kPartialSuffix = QStringLiteral(".part");

QString SuggestedPdfPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QDir(folder).exists()) {
        folder = QDir::homePath();
    }
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    return QDir(folder).filePath(
        QCoreApplication::translate("TPrintTarget", "接收数据-%1.pdf").arg(stamp));
}

}  // namespace

TPrintTarget::TPrintTarget(std::unique_ptr<QPrinter> printer, QString finalPath)
    : printer_(std::move(printer)), finalPath_(std::move(finalPath)) {}

TPrintTarget::~TPrintTarget() = default;

std::unique_ptr<TPrintTarget> TPrintTarget::ForPrinter(std::unique_ptr<QPrinter> printer) {
    return std::unique_ptr<TPrintTarget>(new TPrintTarget(std::move(printer), {}));
}

std::unique_ptr<TPrintTarget> TPrintTarget::ForPdfFile(const QString& path) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path + kPartialSuffix);
    return std::unique_ptr<TPrintTarget>(new TPrintTarget(std::move(printer), path));
}

bool TPrintTarget::Finish() {
    if (finalPath_.isEmpty()) {
        return true;
    }
    const QString partial = printer_->outputFileName();
    // The user agreed to replace an old file when choosing the path.
    QFile::remove(finalPath_);
    if (QFile::rename(partial, finalPath_)) {
        return true;
    }
    QFile::remove(partial);
    return false;
}

void TPrintTarget::Discard() {
    if (!finalPath_.isEmpty()) {
        QFile::remove(printer_->outputFileName());
    }
}

TPrintChoice ChoosePrintTarget(const TPrintDesk& desk) {
    if (desk.hasDefaultPrinter()) {
        return {TPrintTarget::ForPrinter(std::make_unique<QPrinter>(QPrinterInfo::defaultPrinter(),
                                                                    QPrinter::HighResolution)),
                false};
    }
    const QString path = desk.askPdfPath(SuggestedPdfPath());
    if (path.isEmpty()) {
        return {nullptr, true};
    }
    return {TPrintTarget::ForPdfFile(path), false};
}

TPrintDesk SystemPrintDesk(QWidget* parent) {
    return {
        [] { return !QPrinterInfo::defaultPrinter().isNull(); },
        [parent](const QString& suggested) {
            QFileDialog dialog(parent, QCoreApplication::translate(
                                           "TPrintTarget", "未找到打印机，打印到 PDF 文件"));
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            dialog.setNameFilter(QCoreApplication::translate("TPrintTarget", "PDF 文件(*.pdf)"));
            // The suffix goes on before the dialog asks about replacing a file.
            dialog.setDefaultSuffix(QStringLiteral("pdf"));
            dialog.selectFile(suggested);
            if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
                return QString();
            }
            return dialog.selectedFiles().constFirst();
        }};
}
