#include "plot/iPlotLegendLayout.h"

#include <algorithm>

namespace {

constexpr int MinimumScrollableRows = 3;

int CeilDiv(int a, int b) {
    return b <= 0 ? 0 : (a + b - 1) / b;
}

}  // namespace

int LegendRowsThatFit(const TiLegendMetrics& m) {
    const int pitch = m.RowSpacing + m.RowHeight;
    const int rows = pitch <= 0 ? 1 : (m.AreaHeight + m.RowSpacing) / pitch;
    return std::max(1, rows);
}

int LegendColumnsThatFit(const TiLegendMetrics& m) {
    const int pitch = m.WrapSpacing + m.ItemWidth;
    const int reserve = m.Horizontal ? LegendScrollButtonsReserve : 0;
    const int columns = pitch <= 0 ? 1 : (m.AreaWidth + m.WrapSpacing - reserve) / pitch;
    return std::max(1, columns);
}

TiLegendGrid LegendWrapGrid(const TiLegendMetrics& m, const TiLegendWrapRules& rules) {
    const int n = m.ItemCount;
    const int rowsMax = rules.RowAutoCountEnabled ? rules.RowAutoCountMax : rules.RowDesiredCount;
    int columns = rules.ColAutoCountEnabled ? rules.ColAutoCountMax : rules.ColDesiredCount;
    int rows = 0;
    if (m.Horizontal) {
        columns = std::min(columns, LegendColumnsThatFit(m));
        rows = rules.RowAutoCountEnabled ? CeilDiv(n, columns) : rowsMax;
        rows = std::min(rows, rowsMax);
        if (rows < MinimumScrollableRows && rows * columns < n) {
            rows = MinimumScrollableRows;
        }
        if (rules.ColAutoCountEnabled) {
            columns = std::min(columns, CeilDiv(n, rows));
        }
    } else {
        const int rowsThatFit = LegendRowsThatFit(m);
        if (rules.ColAutoCountEnabled) {
            columns = CeilDiv(n, rowsThatFit);
        }
        columns = std::min(columns, rules.ColAutoCountMax);
        rows = std::min({rowsThatFit, n, rowsMax});
        if (rows < MinimumScrollableRows && rows * columns < n) {
            rows = MinimumScrollableRows;
        }
    }
    // No items (or odd settings) must not give a zero-column grid: the
    // required size and the column gaps divide by it.
    return {std::max(1, columns), std::max(0, rows)};
}

bool LegendNeedsScrolling(const TiLegendGrid& grid, int itemCount) {
    return grid.Rows * grid.Columns < itemCount;
}

TiLegendPlacement PlaceLegendItems(int firstShown, int itemCount, const TiLegendGrid& grid,
                                   int areaLeft, int areaTop, int itemWidth, int wrapSpacing,
                                   int rowHeight, int rowSpacing) {
    TiLegendPlacement placement;
    placement.FirstShown = ClampLegendFirstShown(firstShown, itemCount);
    if (itemCount <= 0 || grid.Rows <= 0) {
        return placement;
    }
    int column = 1;
    int row = 1;
    for (int item = placement.FirstShown; item < itemCount; ++item) {
        placement.Places.push_back({column, row,
                                    areaLeft + (itemWidth + wrapSpacing) * (column - 1),
                                    areaTop + (row - 1) * (rowHeight + rowSpacing)});
        placement.LastShown = item;
        if (row < grid.Rows) {
            ++row;
            continue;
        }
        row = 1;
        if (++column > grid.Columns) {
            break;
        }
    }
    return placement;
}

int ClampLegendFirstShown(int firstShown, int itemCount) {
    return std::clamp(firstShown, 0, std::max(0, itemCount - 1));
}

int SpreadLegendColumnGap(int areaWidth, int columns, int itemWidth) {
    if (columns <= 1) {
        return 0;
    }
    return (areaWidth - LegendScrollButtonsReserve - columns * itemWidth) / (columns - 1);
}

int SpreadLegendRowSpacing(int areaHeight, int rows, int rowHeight) {
    if (rows <= 1) {
        return 0;
    }
    return (areaHeight - rowHeight * rows) / (rows - 1);
}

std::vector<TiLegendDash> LegendLineSampleDashes(TiPlotLineStyle style) {
    switch (style) {
        case iplsSolid:
            return {{0, 13}};
        case iplsDash:
            return {{0, 5}, {8, 13}};
        case iplsDot:
            return {{0, 2}, {4, 6}, {8, 10}};
        case iplsDashDot:
            return {{0, 5}, {7, 9}};
        case iplsDashDotDot:
            return {{0, 5}, {7, 9}, {11, 13}};
    }
    return {};
}
