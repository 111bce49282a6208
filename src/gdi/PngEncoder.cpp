#include <png.h>

#include <csetjmp>
#include <cstring>

#include "gdi/ImageEncoders.h"

namespace {

struct TPngWrite {
    png_structp Png = nullptr;
    png_infop Info = nullptr;
    TBytes* Out = nullptr;
    char Message[256] = {};

    ~TPngWrite() { png_destroy_write_struct(&Png, &Info); }
};

void OnPngError(png_structp png, png_const_charp message) {
    auto* write = static_cast<TPngWrite*>(png_get_error_ptr(png));
    std::strncpy(write->Message, message, sizeof(write->Message) - 1);
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

void OnPngData(png_structp png, png_bytep data, png_size_t length) {
    auto* write = static_cast<TPngWrite*>(png_get_io_ptr(png));
    write->Out->insert(write->Out->end(), data, data + length);
}

void OnPngFlush(png_structp) {}

}  // namespace

void CheckPngCompression(int compression) {
    if (compression < 0 || compression > 9)
        throw EImageEncodeError("Compression must be in the range of 0-9");
}

TBytes EncodePng(const QImage& source, int compression) {
    CheckPngCompression(compression);
    // 32-bit rows go to libpng as they are (no converted copy of the
    // picture); it drops the unused byte and reorders the rest itself.
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    TBytes out;
    TPngWrite write;
    write.Out = &out;
    write.Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &write, OnPngError, OnPngWarning);
    if (!write.Png)
        throw EImageEncodeError("Out of memory");
    write.Info = png_create_info_struct(write.Png);
    if (!write.Info)
        throw EImageEncodeError("Out of memory");
    // Nothing with a destructor is created between here and the last libpng
    // call, so the jump back skips no cleanup.
    if (setjmp(png_jmpbuf(write.Png)))
        throw EImageEncodeError(write.Message);

    png_set_write_fn(write.Png, &write, OnPngData, OnPngFlush);
    png_set_compression_level(write.Png, compression);
    // Charts repeat row after row; the "up" filter alone compresses them as
    // well as trying every filter per row, in about half the time.
    png_set_filter(write.Png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
    png_set_IHDR(write.Png, write.Info, png_uint_32(image.width()), png_uint_32(image.height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(write.Png, write.Info);
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    png_set_bgr(write.Png);
    png_set_filler(write.Png, 0, PNG_FILLER_AFTER);
#else
    png_set_filler(write.Png, 0, PNG_FILLER_BEFORE);
#endif
    for (int y = 0; y < image.height(); ++y)
        png_write_row(write.Png, const_cast<png_bytep>(image.constScanLine(y)));
    png_write_end(write.Png, write.Info);
    return out;
}
