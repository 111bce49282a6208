#pragma once
// The line pen: colour, width and dash style. Widths 0 and 1 both draw the
// thin one-pixel line that stays thin however the picture is scaled.

#include "gdi/Color.h"
#include "gdi/GraphicsObject.h"

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

class TPen : public TGraphicsObject {
  public:
    TPen() = default;
    TPen(const TPen&) = default;
    // Assigning copies every field and notifies once, keeping this pen's handler.
    TPen& operator=(const TPen& other);

    TColor Color() const { return color_; }
    void SetColor(TColor value) { Update(color_, value); }
    int Width() const { return width_; }
    void SetWidth(int value) { Update(width_, value); }
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle value) { Update(style_, value); }

    bool operator==(const TPen& other) const {
        return color_ == other.color_ && width_ == other.width_ && style_ == other.style_;
    }

  private:
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
};
