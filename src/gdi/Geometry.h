#pragma once
// Integer pixel geometry shared by the canvas and the plot. A rectangle is
// (Left, Top, Right, Bottom) with Right and Bottom exclusive, as the plot's
// hit tests and fills expect.

struct TPoint {
    int X = 0;
    int Y = 0;

    bool operator==(const TPoint&) const = default;
};

// A line from From to To, drawn as MoveTo(From) then LineTo(To) would.
struct TLineSegment {
    TPoint From;
    TPoint To;

    bool operator==(const TLineSegment&) const = default;
};

struct TSize {
    int Width = 0;
    int Height = 0;

    bool operator==(const TSize&) const = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(TPoint p) const {
        return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom;
    }
    TPoint TopLeft() const { return {Left, Top}; }
    TPoint BottomRight() const { return {Right, Bottom}; }
    bool operator==(const TRect&) const = default;
};

inline TRect Rect(int left, int top, int right, int bottom) {
    return {left, top, right, bottom};
}
inline TPoint Point(int x, int y) {
    return {x, y};
}

// The overlap of two rectangles; empty (all zero) when they do not meet.
TRect IntersectRect(const TRect& a, const TRect& b);
