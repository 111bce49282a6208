#include "GdiTestSupport.h"

#include <png.h>
#include <stdio.h>
// jpeglib.h needs FILE declared first.
#include <jpeglib.h>

#include <csetjmp>
#include <stdexcept>

QImage BlankImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

TDecodedImage DecodePngWithLibpng(const TBytes& bytes) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
        throw std::runtime_error(image.message);
    TDecodedImage result;
    result.Width = int(image.width);
    result.Height = int(image.height);
    result.Channels = int(PNG_IMAGE_SAMPLE_CHANNELS(image.format));
    // The IHDR colour type sits at a fixed offset: 8 signature + 8 chunk head + 9.
    result.PngColorType = bytes.size() > 25 ? bytes[25] : -1;
    image.format = PNG_FORMAT_RGB;
    QImage pixels(result.Width, result.Height, QImage::Format_RGB888);
    if (!png_image_finish_read(&image, nullptr, pixels.bits(), pixels.bytesPerLine(), nullptr))
        throw std::runtime_error(image.message);
    result.Pixels = pixels;
    return result;
}

namespace {

struct TJpegReadErrors {
    jpeg_error_mgr Base;
    std::jmp_buf Jump;
};

void OnJpegReadError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<TJpegReadErrors*>(info->err)->Jump, 1);
}

}  // namespace

TDecodedImage DecodeJpegWithLibjpeg(const TBytes& bytes) {
    jpeg_decompress_struct info{};
    TJpegReadErrors errors{};
    info.err = jpeg_std_error(&errors.Base);
    errors.Base.error_exit = OnJpegReadError;
    TDecodedImage result;
    QImage pixels;
    if (setjmp(errors.Jump)) {
        jpeg_destroy_decompress(&info);
        throw std::runtime_error("libjpeg could not decode the image");
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    result.Progressive = jpeg_has_multiple_scans(&info);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    result.Width = int(info.output_width);
    result.Height = int(info.output_height);
    result.Channels = info.output_components;
    pixels = QImage(result.Width, result.Height, QImage::Format_RGB888);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = pixels.scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    result.Pixels = pixels;
    return result;
}
