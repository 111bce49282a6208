#pragma once
// Where a data cursor's hint box goes. The box follows its pointer along the
// pointer's track, sits beside the pointer on the side the user chose, flips
// to the other side when it would leave the data view, and is finally pushed
// back inside the view. Pure arithmetic on pixels.

#include "gdi/Geometry.h"

enum TiOrientationSide { iosBottomRight, iosTopLeft };

struct TiCursorHintRequest {
    TRect View;           // the data view's rectangle
    bool AlongX = false;  // the box moves left and right (horizontal pointers)
    int Reference = 0;    // the shown pointer's line, across the box's track
    int TrackCentre = 0;  // the box's centre along its track (HintPosition)
    bool TwoPointers = false;
    int PointersCentre = 0;  // two-pointer styles: midway between the pointers
    int TextWidth = 0;       // w
    int TextHeight = 0;      // h
    int CharWidth = 0;       // a: width of "A", the box's padding
    TiOrientationSide Side = iosBottomRight;
};

struct TiCursorHintPlacement {
    TRect Box;
    TiOrientationSide Side = iosBottomRight;  // after any flip near an edge
};

TiCursorHintPlacement PlaceCursorHint(const TiCursorHintRequest& request);
