#pragma once
// Where the plot goes on a printed page: as large as the print margins allow,
// with its proportions kept, in the printer's pixels.

#include "gdi/Geometry.h"

class QPrinter;
class TiPlotComponent;

struct TiPrintPage {
    double WidthInches = 0;
    double HeightInches = 0;
    double DpiX = 0;
    double DpiY = 0;
    // The unprintable left and top edges: where the printer's origin sits.
    double OffsetX = 0;
    double OffsetY = 0;
};

struct TiPrintMargins {
    double Left = 1;
    double Top = 1;
    double Right = 1;
    double Bottom = 1;
};

struct TiPrintPlacement {
    double Scale = 0;
    TRect Target;  // printer pixels from the printer's origin
};

TiPrintPlacement PlacePlotOnPage(const TiPrintPage& page, const TiPrintMargins& margins,
                                 int plotWidth, int plotHeight);

// The printer's paper (in its orientation), resolution and offsets.
TiPrintPage PrinterPage(const QPrinter& printer);
TiPrintMargins PlotPrintMargins(const TiPlotComponent& plot);

// Draws the plot into its place on the printer's page (the printer's job
// starts here). Throws when the page cannot be painted or has no room.
void PrintPlotPage(TiPlotComponent& plot, QPrinter& printer);
