#pragma once

#include <string>
#include <string_view>

#include "plot/iDrawingHelpers.h"
#include "plot/iPlotAxisRange.h"

// Turns axis values into label texts. Decimal places follow the span of the
// axis, not the value, so every label of one scale has the same number of
// decimals and rounding noise (0.30000000000000004) never reaches the screen.

enum TiPlotTextFormat {
    iptfValue,
    iptfExponent,
    iptfPrefix,
    iptfDateTime,
    iptfPrice32nds,
    iptfThousands
};

struct TiAxisTextFormat {
    TiPlotTextFormat Style = iptfValue;
    std::string DateTimeFormat = "hh:nn:ss";
    int Precision = 3;
    TiPrecisionStyle PrecisionStyle = ipsSignificantDigits;
};

struct TiFormattedValue {
    std::string Text;
    // False for a value a logarithmic axis cannot show: "Unknown" is final
    // and neither the customize event nor the length measure sees it.
    bool Showable = true;
};

// Numbers are written with decimalSeparator (the user's, as cursor texts and
// data files have it); thousands are then grouped with the other of "." and
// ",". Prices and dates keep their own punctuation.
TiFormattedValue FormatAxisValue(const TiAxisTextFormat& format, TiPlotScaleType scale, double span,
                                 double value, char decimalSeparator = '.');

// Cursor hints and legends show a label on one line.
std::string JoinLabelLines(std::string_view text);

// Characters in a UTF-8 label, the unit LabelsMinLength counts in.
int LabelLength(std::string_view text);
