#include <csetjmp>
#include <cstdio>
// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

#include "gdi/ImageEncoders.h"

namespace {

// libjpeg reports fatal errors through a callback that must not return; we
// jump back to the encoder, which turns the message into an exception.
struct TJpegErrorManager {
    jpeg_error_mgr Base;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

void OnJpegError(j_common_ptr info) {
    auto* errors = reinterpret_cast<TJpegErrorManager*>(info->err);
    (*info->err->format_message)(info, errors->Message);
    std::longjmp(errors->Jump, 1);
}

// Owns what libjpeg allocates so every exit path releases it.
struct TJpegCompression {
    jpeg_compress_struct Info{};
    TJpegErrorManager Errors{};
    unsigned char* Buffer = nullptr;
    unsigned long Size = 0;

    ~TJpegCompression() {
        jpeg_destroy_compress(&Info);
        std::free(Buffer);
    }
};

}  // namespace

void CheckJpegQuality(int quality) {
    if (quality < 1 || quality > 100)
        throw EImageEncodeError("Compression must be in the range of 1-100");
}

TBytes EncodeJpeg(const QImage& source, int quality, bool progressive) {
    CheckJpegQuality(quality);
    const QImage image = source.convertToFormat(QImage::Format_RGB888);
    TJpegCompression jpeg;
    jpeg.Info.err = jpeg_std_error(&jpeg.Errors.Base);
    jpeg.Errors.Base.error_exit = OnJpegError;
    // Nothing with a destructor is created between here and the last libjpeg
    // call, so the jump back skips no cleanup.
    if (setjmp(jpeg.Errors.Jump))
        throw EImageEncodeError(jpeg.Errors.Message);

    jpeg_create_compress(&jpeg.Info);
    jpeg_mem_dest(&jpeg.Info, &jpeg.Buffer, &jpeg.Size);
    jpeg.Info.image_width = JDIMENSION(image.width());
    jpeg.Info.image_height = JDIMENSION(image.height());
    jpeg.Info.input_components = 3;
    jpeg.Info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&jpeg.Info);
    jpeg_set_quality(&jpeg.Info, quality, TRUE);
    jpeg.Info.dct_method = JDCT_ISLOW;  // the most accurate DCT
    if (progressive)
        jpeg_simple_progression(&jpeg.Info);
    jpeg_start_compress(&jpeg.Info, TRUE);
    while (jpeg.Info.next_scanline < jpeg.Info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(image.constScanLine(int(jpeg.Info.next_scanline)));
        jpeg_write_scanlines(&jpeg.Info, &row, 1);
    }
    jpeg_finish_compress(&jpeg.Info);
    return TBytes(jpeg.Buffer, jpeg.Buffer + jpeg.Size);
}
