// Encoded pictures are read back by decoders we did not write (libpng,
// libjpeg, ImageMagick, pngcheck): size, colour type, progressive scans and
// the pixels themselves must survive.

#include <gtest/gtest.h>

#include "GdiTestSupport.h"

namespace {

QImage TestPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 7 % 256, y * 5 % 256, 90));
    return image;
}

TEST(PngEncoder, RoundTripsThroughLibpngAndPassesPngcheck) {
    const QImage picture = TestPicture(37, 21);
    const TBytes png = EncodePng(picture, 6);
    const TDecodedImage decoded = DecodePngWithLibpng(png);
    EXPECT_EQ(decoded.Width, 37);
    EXPECT_EQ(decoded.Height, 21);
    EXPECT_EQ(decoded.PngColorType, 2) << "truecolour RGB";
    EXPECT_EQ(decoded.Pixels.convertToFormat(QImage::Format_RGB32), picture);

    const std::string path = TempPath("roundtrip.png");
    WriteFileBytes(path, png);
    const TCommandResult check = RunCommand("pngcheck '" + path + "'");
    EXPECT_TRUE(check.Ok) << check.Output;
    EXPECT_NE(check.Output.find("(37x21, 24-bit RGB"), std::string::npos) << check.Output;
}

TEST(PngEncoder, CompressionLevelIsHonouredAndRangeChecked) {
    const QImage picture = TestPicture(200, 100);
    EXPECT_GT(EncodePng(picture, 0).size(), EncodePng(picture, 9).size() * 2);
    try {
        EncodePng(picture, 10);
        FAIL() << "level 10 accepted";
    } catch (const EImageEncodeError& error) {
        EXPECT_STREQ(error.what(), "Compression must be in the range of 0-9");
    }
    EXPECT_THROW(EncodePng(picture, -1), EImageEncodeError);
}

TEST(JpegEncoder, DecodesWithLibjpegInBothScanModes) {
    const QImage picture = TestPicture(64, 48);
    for (bool progressive : {false, true}) {
        const TDecodedImage decoded = DecodeJpegWithLibjpeg(EncodeJpeg(picture, 100, progressive));
        EXPECT_EQ(decoded.Width, 64);
        EXPECT_EQ(decoded.Height, 48);
        EXPECT_EQ(decoded.Channels, 3);
        EXPECT_EQ(decoded.Progressive, progressive);
        const QColor expected = picture.pixelColor(30, 20);
        const QColor actual = decoded.Pixels.pixelColor(30, 20);
        EXPECT_NEAR(actual.red(), expected.red(), 8);
        EXPECT_NEAR(actual.green(), expected.green(), 8);
        EXPECT_NEAR(actual.blue(), expected.blue(), 8);
    }
}

TEST(JpegEncoder, IdentifySeesQualityAndInterlace) {
    const std::string path = TempPath("progressive.jpg");
    WriteFileBytes(path, EncodeJpeg(TestPicture(50, 40), 77, true));
    const TCommandResult info = RunCommand("identify -verbose '" + path + "'");
    ASSERT_TRUE(info.Ok) << info.Output;
    EXPECT_NE(info.Output.find("Geometry: 50x40"), std::string::npos);
    EXPECT_NE(info.Output.find("Quality: 77"), std::string::npos);
    EXPECT_NE(info.Output.find("Interlace: JPEG"), std::string::npos);
}

TEST(JpegEncoder, QualityOutsideOneToHundredIsRefused) {
    for (int quality : {0, 101}) {
        try {
            EncodeJpeg(TestPicture(4, 4), quality, false);
            FAIL() << "quality " << quality << " accepted";
        } catch (const EImageEncodeError& error) {
            EXPECT_STREQ(error.what(), "Compression must be in the range of 1-100");
        }
    }
}

TEST(BmpEncoder, WritesABottomUpTwentyFourBitBitmap) {
    const QImage picture = TestPicture(13, 7);  // odd width: rows need padding
    const TBytes bmp = EncodeBmp(picture);
    EXPECT_EQ(bmp.size(), 54u + 7u * 40u);
    QImage decoded;
    ASSERT_TRUE(decoded.loadFromData(bmp.data(), int(bmp.size()), "BMP"));
    EXPECT_EQ(decoded.convertToFormat(QImage::Format_RGB32), picture);

    const std::string path = TempPath("picture.bmp");
    WriteFileBytes(path, bmp);
    const TCommandResult info =
        RunCommand("identify -format '%m %wx%h %[bit-depth]' '" + path + "'");
    EXPECT_EQ(info.Output, "BMP3 13x7 8") << info.Output;
}

TEST(FileBytes, ReportsWhyAFileCannotBeWritten) {
    EXPECT_THROW(WriteFileBytes("/nonexistent-folder/x.png", {1, 2, 3}), std::runtime_error);
}

}  // namespace
