#pragma once
// Stateless helpers the plot objects share: formatted and rotated text, text
// measuring, orientation for plots with exchanged axes, borders, gradient
// fills, decimal places for scale labels, date-time span conversions, the
// Shift/Ctrl key state and paper sizes.

#include <cstdint>
#include <string>
#include <string_view>

#include "gdi/Canvas.h"

class QPrinter;

// Format bits of DrawFormattedText.
enum TiTextFormatBit : unsigned {
    itfLeft = 1u << 0,
    itfCenter = 1u << 1,
    itfRight = 1u << 2,
    itfTop = 1u << 3,
    itfVCenter = 1u << 4,
    itfBottom = 1u << 5,
    itfWordBreak = 1u << 6,
    itfSingleLine = 1u << 7,
    itfExpandTabs = 1u << 8,
    itfNoClip = 1u << 9,
    itfPrefix = 1u << 10,
    itfCalcRect = 1u << 11,
    itfEndEllipsis = 1u << 12,
    itfPathEllipsis = 1u << 13,
    itfWordEllipsis = 1u << 14,
    itfModifyString = 1u << 15,
};

enum TiFillDirection {
    ifdTopBottom,
    ifdBottomTop,
    ifdLeftRight,
    ifdRightLeft,
    ifdTopLeftBottomRight,
    ifdBottomRightTopLeft,
    ifdBottomLeftTopRight,
    ifdTopRightBottomLeft,
    ifdRectangleOut,
    ifdRectangleIn,
    ifdCircleOut,
    ifdCircleIn
};

enum TiPrecisionStyle { ipsSignificantDigits, ipsFixedDecimalPoints };

// The canvas DT_* flags for a set of format bits.
unsigned TextFormatFlags(unsigned formatBits);

int DrawFormattedText(TCanvas& canvas, std::string_view text, TRect& rect, unsigned format);
// Rotation 0 reads normally, 1 upward, 2 upside down, 3 downward.
void DrawRotatedText(TCanvas& canvas, std::string_view text, const TRect& rect, TRect& textBox,
                     int rotation);

int TextBlockWidth(TCanvas& canvas, std::string_view text);
int TextBlockHeight(TCanvas& canvas, std::string_view text);
int WrappedTextHeight(TCanvas& canvas, std::string_view text, int width);
// Steps over one line of text at cursor (ending at CR, LF or CR LF); false at
// the end of the text.
bool NextTextLine(std::string_view text, size_t& cursor, std::string_view& line);

TPoint OrientPoint(bool swap, int a, int b);
TRect NormalizedRect(int x1, int y1, int x2, int y2);
TRect OrientRect(bool swap, int a1, int b1, int a2, int b2);
void SwapInts(int& a, int& b);

void DrawFocusRectangle(TCanvas& canvas, const TRect& rect);
// Style 0 sunken, 1 raised, 2 a one-pixel frame in the button-shadow colour.
void DrawBevelBorder(TCanvas& canvas, const TRect& rect, int style);

void FillGradient(TCanvas& canvas, const TRect& rect, TiFillDirection direction, TColor start,
                  TColor stop);

int DecimalPlacesFor(int precision, TiPrecisionStyle style, double value1, double value2);

// Spans in days to whole units; a negative or overflowing result becomes
// 2147483647 (10000 for minutes).
std::int32_t DaysToMilliseconds(double span);
std::int32_t DaysToSeconds(double span);
std::int32_t DaysToMinutes(double span);
std::int32_t DaysToHours(double span);

// The key state as of the input event being handled.
bool IsShiftDown();
bool IsCtrlDown();

// Paper size in inches for a paper code (5 legal, 8 A3, 9 A4, 11 A5, else letter).
void PaperSizeInches(int paperCode, double& width, double& height);
// The printer's paper, exchanged for landscape; throws when the printer has
// no usable settings.
void PrinterPaperInches(const QPrinter& printer, double& width, double& height);
// The paper code of a printer's page size (9 for A4, 1 for letter, ...).
int PaperCodeOf(const QPrinter& printer);
