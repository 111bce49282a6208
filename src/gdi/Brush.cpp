#include "gdi/Brush.h"

TBrush& TBrush::operator=(const TBrush& other) {
    if (*this == other)
        return *this;
    color_ = other.color_;
    style_ = other.style_;
    Changed();
    return *this;
}
