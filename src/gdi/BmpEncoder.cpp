#include "gdi/ImageEncoders.h"

namespace {

void PutLE(TBytes& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(std::uint8_t(value >> (8 * i)));
}

}  // namespace

TBytes EncodeBmp(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB888);
    const std::uint32_t width = std::uint32_t(image.width());
    const std::uint32_t height = std::uint32_t(image.height());
    const std::uint32_t rowBytes = (width * 3 + 3) & ~3u;  // rows are padded to 4 bytes
    const std::uint32_t pixelBytes = rowBytes * height;
    constexpr std::uint32_t kHeaderBytes = 14 + 40;

    TBytes out;
    out.reserve(kHeaderBytes + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    PutLE(out, kHeaderBytes + pixelBytes, 4);
    PutLE(out, 0, 4);
    PutLE(out, kHeaderBytes, 4);
    PutLE(out, 40, 4);  // BITMAPINFOHEADER
    PutLE(out, width, 4);
    PutLE(out, height, 4);  // positive: rows stored bottom-up
    PutLE(out, 1, 2);
    PutLE(out, 24, 2);
    PutLE(out, 0, 4);  // no compression
    PutLE(out, pixelBytes, 4);
    PutLE(out, 3780, 4);  // 96 pixels per inch, in pixels per metre
    PutLE(out, 3780, 4);
    PutLE(out, 0, 4);
    PutLE(out, 0, 4);
    for (int y = int(height) - 1; y >= 0; --y) {
        const std::uint8_t* row = image.constScanLine(y);
        for (std::uint32_t x = 0; x < width; ++x) {
            out.push_back(row[3 * x + 2]);  // stored blue, green, red
            out.push_back(row[3 * x + 1]);
            out.push_back(row[3 * x]);
        }
        for (std::uint32_t pad = width * 3; pad < rowBytes; ++pad)
            out.push_back(0);
    }
    return out;
}
