#include "gdi/Font.h"

#include <cmath>

TFont& TFont::operator=(const TFont& other) {
    if (*this == other)
        return *this;
    name_ = other.name_;
    height_ = other.height_;
    color_ = other.color_;
    style_ = other.style_;
    charset_ = other.charset_;
    orientation_ = other.orientation_;
    Changed();
    return *this;
}

bool TFont::operator==(const TFont& other) const {
    return name_ == other.name_ && height_ == other.height_ && color_ == other.color_ &&
           style_ == other.style_ && charset_ == other.charset_ &&
           orientation_ == other.orientation_;
}

int TFont::Size() const {
    if (height_ > 0)
        return height_;
    return static_cast<int>(std::lround(-height_ * 72.0 / kLogicalPixelsPerInch));
}

void TFont::SetSize(int points) {
    SetHeight(-static_cast<int>(std::lround(points * double(kLogicalPixelsPerInch) / 72.0)));
}

int TFont::PixelHeight() const {
    if (height_ < 0)
        return -height_;
    return static_cast<int>(std::lround(height_ * double(kLogicalPixelsPerInch) / 72.0));
}
