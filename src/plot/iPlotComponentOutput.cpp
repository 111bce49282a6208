// The plot's pictures: clipboard copies, image files, printing, the print
// preview and the kept snapshot.
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <stdexcept>

#include "platform/StrConv.h"
#include "plot/iPlotComponent.h"
#include "plot/iPlotPrintPage.h"
#include "plot/iPlotToolBar.h"

namespace {

constexpr const char* kSvgMime = "image/svg+xml";
constexpr const char* kJpegMime = "image/jpeg";

// The save dialog's choices; the file's ending picks the encoder. The vector
// picture is SVG (this platform has no enhanced metafiles), so it is offered
// under its own name where the metafile entry would be.
const QStringList kImageFilters = {"Bitmap (*.bmp)", "SVG (*.svg)", "JPEG File (*.jpg)",
                                   "PNG (*.png)"};

// The ending a filter stands for: "svg" for "SVG (*.svg)".
QString FilterEnding(const QString& filter) {
    return filter.section("*.", 1).chopped(1);
}

}  // namespace

// A picture made for output shows no toolbars and no selection marks; both
// come back afterwards, whatever happens in between.
class TiPlotComponent::OutputScope {
  public:
    explicit OutputScope(TiPlotComponent& plot) : plot_(plot), batch_(plot) {
        toolBarsVisible_ = plot_.ToolBarCount() > 0 && plot_.ToolBar(0)->Visible();
        SetToolBarsVisible(false);
        plot_.master_->ClearFocus();
    }
    ~OutputScope() { SetToolBarsVisible(toolBarsVisible_); }
    OutputScope(const OutputScope&) = delete;
    OutputScope& operator=(const OutputScope&) = delete;

  private:
    void SetToolBarsVisible(bool visible) {
        for (int i = 0; i < plot_.ToolBarCount(); ++i)
            plot_.ToolBar(i)->SetVisible(visible);
    }

    TiPlotComponent& plot_;
    TiUpdateBatch batch_;
    bool toolBarsVisible_ = false;
};

void TiPlotComponent::CopyToClipboard() {
    OutputScope scope(*this);
    auto data = std::make_unique<QMimeData>();
    switch (copyFormat_) {
        case ipefMetaFile: {
            TMetafile metafile(width(), height(), kMetafileDescription, "Strip Chart");
            PaintMetafile(metafile);
            data->setData(kSvgMime, metafile.Data());
            // Most programs here paste bitmaps only; the platform offers
            // this one as PNG beside the vector picture.
            data->setImageData(RenderImage());
            break;
        }
        case ipefBitmap:
            data->setImageData(RenderImage());
            break;
        case ipefJPEG: {
            const TBytes jpeg = GetJPEGImage(100, false);
            data->setData(kJpegMime, QByteArray(reinterpret_cast<const char*>(jpeg.data()),
                                                qsizetype(jpeg.size())));
            break;
        }
    }
    QApplication::clipboard()->setMimeData(data.release());
}

void TiPlotComponent::SaveImage() {
    if (!saveImageDialog_) {
        saveImageDialog_ = std::make_unique<QFileDialog>(this);
        saveImageDialog_->setObjectName("SaveImageDialog");
        saveImageDialog_->setAcceptMode(QFileDialog::AcceptSave);
        saveImageDialog_->setOption(QFileDialog::DontUseNativeDialog);
        saveImageDialog_->setNameFilters(kImageFilters);
        // A name typed without an ending gets the chosen type's ending, so
        // that confirming always saves something.
        saveImageDialog_->setDefaultSuffix("bmp");
        QObject::connect(saveImageDialog_.get(), &QFileDialog::filterSelected, this,
                         [this](const QString& filter) {
                             saveImageDialog_->setDefaultSuffix(filter.section("*.", 1).chopped(1));
                         });
    }
    saveImageDialog_->selectFile("Untitled");
    if (saveImageDialog_->exec() != QDialog::Accepted ||
        saveImageDialog_->selectedFiles().isEmpty())
        return;
    QString chosen = saveImageDialog_->selectedFiles().first();
    // A name with an ending of no picture type ("plot.emf") gets the chosen
    // type's ending too, rather than saving nothing or SVG under .emf.
    const QStringList endings = {"bmp", "svg", "jpg", "png"};
    if (!endings.contains(chosen.right(3)))
        chosen += "." + FilterEnding(saveImageDialog_->selectedNameFilter());
    const std::string fileName = chosen.toStdString();
    master_->ClearFocus();
    const std::string ending = fileName.substr(fileName.size() - 3);
    if (ending == "bmp")
        SaveImageToBitmap(fileName);
    else if (ending == "svg")
        SaveImageToMetafile(fileName);
    else if (ending == "jpg")
        SaveImageToJPEG(fileName, 100, true);
    else if (ending == "png")
        SaveImageToPNG(fileName, 9);
}

const TMetafile& TiPlotComponent::SnapshotPicture() {
    snapshot_ = TMetafile(width(), height(), kMetafileDescription, "iPlot");
    PaintMetafile(snapshot_);
    return snapshot_;
}

QPrinter& TiPlotComponent::Printer() {
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

void TiPlotComponent::Print() {
    QPrinter& printer = Printer();
    printer.setPageOrientation(printOrientation_ == poLandscape ? QPageLayout::Landscape
                                                                : QPageLayout::Portrait);
    printer.setDocName(QString::fromStdString(printDocumentName_));
    if (printShowDialog_) {
        QPrintDialog dialog(&printer, this);
        dialog.setObjectName("PrintDialog");
        if (dialog.exec() != QDialog::Accepted)
            return;
    }
    try {
        TiUpdateBatch batch(*this);
        Raise(OnBeforePrint);
        PrintOnPrinter();
        Raise(OnAfterPrint);
    } catch (const std::exception& error) {
        throw std::runtime_error(std::string("Error Printing : ") + error.what());
    }
}

void TiPlotComponent::PrintOnPrinter() {
    QPrinter& printer = Printer();
    const QString wanted =
        QString::fromStdString(std::string(Trim(printerName_, TBlanks::SpacesTabsAndLineBreaks)));
    if (!wanted.isEmpty() && QPrinterInfo::availablePrinterNames().contains(wanted))
        printer.setPrinterName(wanted);
    OutputScope scope(*this);
    PrintPlotPage(*this, printer);
}

void TiPlotComponent::PrintPreview() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(printDocumentName_));
    printer.setPageOrientation(printOrientation_ == poLandscape ? QPageLayout::Landscape
                                                                : QPageLayout::Portrait);
    QPrintPreviewDialog preview(&printer, this);
    preview.setObjectName("PrintPreview");
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, this,
                     [this](QPrinter* target) {
                         // Qt cannot carry an error out of this slot: a page
                         // that cannot be drawn stays blank in the preview.
                         try {
                             OutputScope scope(*this);
                             PrintPlotPage(*this, *target);
                         } catch (const std::exception&) {
                         }
                     });
    preview.exec();
}
