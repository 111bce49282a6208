#pragma once
// The fill brush: colour and style (solid, none, or one of the hatches).

#include "gdi/Color.h"
#include "gdi/GraphicsObject.h"

enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

class TBrush : public TGraphicsObject {
  public:
    TBrush() = default;
    TBrush(const TBrush&) = default;
    // Assigning copies every field and notifies once, keeping this brush's handler.
    TBrush& operator=(const TBrush& other);

    TColor Color() const { return color_; }
    void SetColor(TColor value) { Update(color_, value); }
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle value) { Update(style_, value); }

    bool operator==(const TBrush& other) const {
        return color_ == other.color_ && style_ == other.style_;
    }

  private:
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
};
