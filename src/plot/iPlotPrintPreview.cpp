#include "plot/iPlotPrintPreview.h"

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <algorithm>

#include "gdi/PainterCanvas.h"
#include "plot/iPlotComponent.h"

void PaintPlotOnPage(TiPlotComponent& plot, QPrinter& printer) {
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    const double dpiX = printer.logicalDpiX();
    const double dpiY = printer.logicalDpiY();
    // Margins are inches from the paper's edge; the page rectangle is where
    // the painter's origin sits.
    const QRectF target(paper.left() + plot.PrintMarginLeft() * dpiX - page.left(),
                        paper.top() + plot.PrintMarginTop() * dpiY - page.top(),
                        paper.width() - (plot.PrintMarginLeft() + plot.PrintMarginRight()) * dpiX,
                        paper.height() - (plot.PrintMarginTop() + plot.PrintMarginBottom()) * dpiY);
    if (target.width() <= 0 || target.height() <= 0 || plot.width() <= 0 || plot.height() <= 0) {
        return;
    }
    const double scale = std::min(target.width() / plot.width(), target.height() / plot.height());
    TPainterCanvas canvas(printer);
    canvas.Painter().translate(target.topLeft());
    canvas.Painter().scale(scale, scale);
    plot.PaintTo(canvas);
}

QPrintPreviewDialog& ShowPlotPrintPreview(TiPlotComponent& plot) {
    auto* printer = new QPrinter(QPrinter::HighResolution);
    printer->setDocName(QString::fromStdString(plot.PrintDocumentName()));
    printer->setPageOrientation(plot.PrintOrientation() == poLandscape ? QPageLayout::Landscape
                                                                       : QPageLayout::Portrait);
    auto* preview = new QPrintPreviewDialog(printer, &plot);
    preview->setObjectName("PrintPreview");
    preview->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(preview, &QObject::destroyed, [printer] { delete printer; });
    QObject::connect(preview, &QPrintPreviewDialog::paintRequested,
                     [&plot](QPrinter* target) { PaintPlotOnPage(plot, *target); });
    preview->open();
    return *preview;
}
