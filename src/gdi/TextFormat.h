#pragma once
// Text layout for TCanvas::DrawText: the format flags and the line breaking,
// alignment, prefix and ellipsis rules of the classic text-drawing call, kept
// apart from any device so every canvas lays text out the same way.

#include <QString>
#include <functional>
#include <vector>

#include "gdi/Geometry.h"

enum TTextFormatFlag : unsigned {
    DT_TOP = 0x0,
    DT_LEFT = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,  // single-line text only
    DT_BOTTOM = 0x8,   // single-line text only
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_EXPANDTABS = 0x40,
    DT_NOCLIP = 0x100,
    DT_CALCRECT = 0x400,
    DT_NOPREFIX = 0x800,
    DT_PATH_ELLIPSIS = 0x4000,
    DT_END_ELLIPSIS = 0x8000,
    DT_WORD_ELLIPSIS = 0x40000,
};

struct TTextLine {
    QString Text;
    int X = 0;
    int Y = 0;
    int UnderlinedChar = -1;  // index in Text of an "&"-prefixed character
};

struct TTextLayout {
    std::vector<TTextLine> Lines;
    int Width = 0;         // widest line
    int Height = 0;        // all lines
    int ReturnHeight = 0;  // what DrawText reports
};

// Measures one line of text in the current font, in pixels.
using TTextWidthFn = std::function<int(const QString&)>;

TTextLayout LayOutText(const QString& text, const TRect& rect, unsigned format, int lineHeight,
                       const TTextWidthFn& width);
