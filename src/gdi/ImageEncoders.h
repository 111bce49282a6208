#pragma once
// Encoders for the picture files the plot exports. JPEG and PNG go through
// libjpeg and libpng directly so quality, progressive scans and the zlib
// level are exactly what the caller asks for. All take any QImage and write
// 24-bit colour.

#include <QImage>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "gdi/FileBytes.h"

class EImageEncodeError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Range checks, so callers can refuse before drawing anything.
void CheckJpegQuality(int quality);         // 1..100
void CheckPngCompression(int compression);  // 0..9

// An uncompressed 24-bit device-independent bitmap file.
TBytes EncodeBmp(const QImage& image);
// Quality 1..100, best-quality DCT.
TBytes EncodeJpeg(const QImage& image, int quality, bool progressive);
// zlib compression level 0..9.
TBytes EncodePng(const QImage& image, int compression);
