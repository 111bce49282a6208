#pragma once
// The print preview window: the chart as it would be printed on one page,
// with the plot's print margins, orientation and document name, and the
// platform's preview controls (zoom, page setup, print).

class QPainter;
class QPrinter;
class QPrintPreviewDialog;
class TiPlotComponent;

// Draws the plot on the printer's page, scaled to fit inside the plot's
// print margins with its proportions kept.
void PaintPlotOnPage(TiPlotComponent& plot, QPrinter& printer);

// Opens the preview on the plot; returns at once (window-modal).
QPrintPreviewDialog& ShowPlotPrintPreview(TiPlotComponent& plot);
