#pragma once
// A text font: name, height, colour, style set, character set and rotation.
// A negative height is the character height in pixels (-11 is the usual
// dialog font); a positive one is a size in points at 96 pixels per inch.

#include <string>

#include "gdi/Color.h"
#include "gdi/GraphicsObject.h"

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;  // a set of TFontStyle bits

class TFont : public TGraphicsObject {
  public:
    TFont() = default;
    TFont(const TFont&) = default;
    // Assigning copies every field and notifies once, keeping this font's handler.
    TFont& operator=(const TFont& other);

    const std::string& Name() const { return name_; }
    void SetName(const std::string& value) { Update(name_, value); }
    int Height() const { return height_; }
    void SetHeight(int value) { Update(height_, value); }
    // Size in points; setting it stores the matching negative pixel height.
    int Size() const;
    void SetSize(int points);
    TColor Color() const { return color_; }
    void SetColor(TColor value) { Update(color_, value); }
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles value) { Update(style_, value); }
    bool Has(TFontStyle style) const { return (style_ & style) != 0; }
    int Charset() const { return charset_; }
    void SetCharset(int value) { Update(charset_, value); }
    // Rotation of the text line, counter-clockwise in tenths of a degree.
    int Orientation() const { return orientation_; }
    void SetOrientation(int value) { Update(orientation_, value); }

    // Height of the characters in pixels, whichever way the height is given.
    int PixelHeight() const;

    bool operator==(const TFont& other) const;

    static constexpr int kLogicalPixelsPerInch = 96;
    static constexpr int kDefaultCharset = 1;

  private:
    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    TColor color_ = clWindowText;
    TFontStyles style_ = 0;
    int charset_ = kDefaultCharset;
    int orientation_ = 0;
};
