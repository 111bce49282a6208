#include "plot/iPlotPrintPage.h"

#include <QPrinter>
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "gdi/PainterCanvas.h"
#include "plot/iDrawingHelpers.h"
#include "plot/iPlotComponent.h"

namespace {

int Round(double value) {
    return static_cast<int>(std::lround(value));
}

}  // namespace

TiPrintPlacement PlacePlotOnPage(const TiPrintPage& page, const TiPrintMargins& margins,
                                 int plotWidth, int plotHeight) {
    TiPrintPlacement placement;
    if (plotWidth <= 0 || plotHeight <= 0)
        return placement;
    const double pageWidth = Round(page.DpiX * page.WidthInches);
    const double pageHeight = Round(page.DpiY * page.HeightInches);
    const double scaleX = (pageWidth - (margins.Left + margins.Right) * page.DpiX) / plotWidth;
    const double scaleY = (pageHeight - (margins.Top + margins.Bottom) * page.DpiY) / plotHeight;
    placement.Scale = std::min(scaleX, scaleY);
    const double left = page.DpiX * margins.Left - page.OffsetX;
    const double top = page.DpiY * margins.Top - page.OffsetY;
    placement.Target = {Round(page.DpiX * margins.Left) - Round(page.OffsetX),
                        Round(page.DpiY * margins.Top) - Round(page.OffsetY),
                        Round(left + plotWidth * placement.Scale),
                        Round(top + plotHeight * placement.Scale)};
    return placement;
}

TiPrintPage PrinterPage(const QPrinter& printer) {
    TiPrintPage page;
    PrinterPaperInches(printer, page.WidthInches, page.HeightInches);
    page.DpiX = printer.logicalDpiX();
    page.DpiY = printer.logicalDpiY();
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    const QRectF printable = printer.pageRect(QPrinter::DevicePixel);
    page.OffsetX = printable.left() - paper.left();
    page.OffsetY = printable.top() - paper.top();
    return page;
}

TiPrintMargins PlotPrintMargins(const TiPlotComponent& plot) {
    return {plot.PrintMarginLeft(), plot.PrintMarginTop(), plot.PrintMarginRight(),
            plot.PrintMarginBottom()};
}

void PrintPlotPage(TiPlotComponent& plot, QPrinter& printer) {
    const TiPrintPlacement placement =
        PlacePlotOnPage(PrinterPage(printer), PlotPrintMargins(plot), plot.width(), plot.height());
    if (placement.Scale <= 0)
        throw std::runtime_error("The print margins leave no room on the page");
    TPainterCanvas canvas(printer);
    canvas.Painter().translate(placement.Target.Left, placement.Target.Top);
    canvas.Painter().scale(placement.Scale, placement.Scale);
    plot.PaintTo(canvas);
}
