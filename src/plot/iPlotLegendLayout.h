#pragma once
// The legend's wrap arithmetic: how many legend columns and rows its items
// take, where each shown item goes, and how far the scroll buttons page.
// Everything here is in pixels and free of fonts and canvases, so the rules
// can be checked on plain numbers.

#include <vector>

#include "plot/iPlotDataTypes.h"

// Pixels reserved beside a horizontal legend's items for the scroll buttons.
constexpr int LegendScrollButtonsReserve = 25;
constexpr int LegendScrollButtonSize = 17;

struct TiLegendWrapRules {
    int ColDesiredCount = 1;
    bool ColAutoCountEnabled = false;
    int ColAutoCountMax = 100;
    int RowDesiredCount = 5;
    bool RowAutoCountEnabled = true;
    int RowAutoCountMax = 100;
};

// The space and the sizes the wrap works with.
struct TiLegendMetrics {
    bool Horizontal = false;
    int ItemCount = 0;    // N
    int ItemWidth = 0;    // W
    int RowHeight = 0;    // H
    int RowSpacing = 0;   // RS
    int WrapSpacing = 0;  // WS: gap between legend columns
    int AreaWidth = 0;    // the item area below the column titles
    int AreaHeight = 0;
};

struct TiLegendGrid {
    int Columns = 1;  // C
    int Rows = 0;     // R
};

// Rows and columns of items that fit the area, at least 1 each.
int LegendRowsThatFit(const TiLegendMetrics& m);
int LegendColumnsThatFit(const TiLegendMetrics& m);

// The number of legend columns and rows from the wrap rules. A legend that
// cannot show everything gets at least 3 rows, so its scroll buttons fit.
TiLegendGrid LegendWrapGrid(const TiLegendMetrics& m, const TiLegendWrapRules& rules);

bool LegendNeedsScrolling(const TiLegendGrid& grid, int itemCount);

struct TiLegendPlace {
    int Column = 1;  // from 1
    int Row = 1;     // from 1
    int Left = 0;
    int Top = 0;
};

struct TiLegendPlacement {
    std::vector<TiLegendPlace> Places;  // for items FirstShown … LastShown
    int FirstShown = 0;
    int LastShown = -1;
};

// Places items from `firstShown` on, column by column, until the grid is full.
TiLegendPlacement PlaceLegendItems(int firstShown, int itemCount, const TiLegendGrid& grid,
                                   int areaLeft, int areaTop, int itemWidth, int wrapSpacing,
                                   int rowHeight, int rowSpacing);

// Scroll position kept across repaints: clamped to the items that exist.
int ClampLegendFirstShown(int firstShown, int itemCount);

// The gap that spreads C legend columns over the whole width of a horizontal
// legend (the scroll-button reserve kept free).
int SpreadLegendColumnGap(int areaWidth, int columns, int itemWidth);

// The row spacing that spreads `rows` rows over the whole height.
int SpreadLegendRowSpacing(int areaHeight, int rows, int rowHeight);

// The dashes of the legend's 13-pixel line sample: [start, stop) offsets from
// the sample's left edge.
struct TiLegendDash {
    int Start = 0;
    int Stop = 0;
};
std::vector<TiLegendDash> LegendLineSampleDashes(TiPlotLineStyle style);
