#pragma once
// Percent positions inside the data view and their pixels. X percent runs
// from 0 at the left edge to 100 at the right; Y percent from 0 at the bottom
// to 100 at the top, so a value read off the chart grows upward like the
// trace. Data cursors, annotations and digital channels all place themselves
// with these.

// Percent of the pixel along [left, right]; 0 for an empty view so a
// collapsed layout never produces NaN positions.
double PixelToPercentAlongX(int x, int left, int right);
// Percent of the pixel along [top, bottom], counted upward from the bottom.
double PixelToPercentAlongY(int y, int top, int bottom);

// Pixel of a percent, rounded to the nearest pixel with halves to even.
int PercentToPixelAlongX(double percent, int left, int right);
int PercentToPixelAlongY(double percent, int top, int bottom);
