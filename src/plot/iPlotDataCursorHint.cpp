#include "plot/iPlotDataCursorHint.h"

namespace {

constexpr int PointerGap = 5;

// Flips the side when the box would not fit between the pointer and the
// view's far edge, and back when it would not fit on the near side.
TiOrientationSide FlippedSide(TiOrientationSide side, int reference, int extent, int nearEdge,
                              int farEdge) {
    if (farEdge < reference + extent) {
        side = iosTopLeft;
    }
    if (reference - extent < nearEdge) {
        side = iosBottomRight;
    }
    return side;
}

// Start of a box of `size` beside the pointer at `reference`, or centred.
int BoxStart(const TiCursorHintRequest& r, TiOrientationSide side, int size) {
    if (r.TwoPointers) {
        return r.PointersCentre - size / 2;
    }
    return side == iosBottomRight ? r.Reference + PointerGap : r.Reference - PointerGap - size;
}

void MoveInside(TRect& box, const TRect& view) {
    const auto shift = [](int& lo, int& hi, int delta) {
        lo += delta;
        hi += delta;
    };
    if (box.Left < view.Left) {
        shift(box.Left, box.Right, view.Left - box.Left);
    }
    if (box.Right > view.Right) {
        shift(box.Left, box.Right, view.Right - box.Right);
    }
    if (box.Top < view.Top) {
        shift(box.Top, box.Bottom, view.Top - box.Top);
    }
    if (box.Bottom > view.Bottom) {
        shift(box.Top, box.Bottom, view.Bottom - box.Bottom);
    }
}

}  // namespace

TiCursorHintPlacement PlaceCursorHint(const TiCursorHintRequest& r) {
    const int width = r.TextWidth + r.CharWidth;
    const int height = r.CharWidth / 2 + r.TextHeight;
    TiCursorHintPlacement placement;
    TRect& box = placement.Box;
    if (r.AlongX) {
        placement.Side =
            FlippedSide(r.Side, r.Reference, r.CharWidth + r.TextHeight, r.View.Top, r.View.Bottom);
        box.Left = r.TrackCentre - width / 2;
        box.Top = BoxStart(r, placement.Side, height);
    } else {
        placement.Side = FlippedSide(r.Side, r.Reference, r.CharWidth + r.TextWidth + PointerGap,
                                     r.View.Left, r.View.Right);
        box.Top = r.TrackCentre - height / 2;
        box.Left = BoxStart(r, placement.Side, width);
    }
    box.Right = box.Left + width;
    box.Bottom = box.Top + height;
    MoveInside(box, r.View);
    return placement;
}
