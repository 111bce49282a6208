#include "gdi/Pen.h"

TPen& TPen::operator=(const TPen& other) {
    if (*this == other)
        return *this;
    color_ = other.color_;
    width_ = other.width_;
    style_ = other.style_;
    Changed();
    return *this;
}
