// The icon files the desktop entry names are the program's own icon: each
// PNG is the window icon at that size, and the SVG draws the same picture.
#include "app/AppIcon.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

QString IconFile(const QString& sizeDir, const QString& extension) {
    return QStringLiteral(KELVANE_ICON_DIR "/%1/apps/kelvane.%2").arg(sizeDir, extension);
}

// Mean difference per channel, 0 to 255, of two images of one size.
double MeanDifference(const QImage& a, const QImage& b) {
    const QImage left = a.convertToFormat(QImage::Format_ARGB32);
    const QImage right = b.convertToFormat(QImage::Format_ARGB32);
    double sum = 0;
    for (int y = 0; y < left.height(); ++y) {
        for (int x = 0; x < left.width(); ++x) {
            const QRgb p = left.pixel(x, y);
            const QRgb q = right.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
        }
    }
    return sum / (4.0 * left.width() * left.height());
}

TEST(IconFiles, PngsAreTheWindowIconAndTheSvgDrawsTheSamePicture) {
    QSvgRenderer svg(IconFile("scalable", "svg"));
    ASSERT_TRUE(svg.isValid());
    for (const int size : {48, 128, 256}) {
        SCOPED_TRACE(size);
        const QImage png(IconFile(QStringLiteral("%1x%1").arg(size), "png"));
        ASSERT_EQ(png.size(), QSize(size, size));

        QImage drawn(size, size, QImage::Format_ARGB32_Premultiplied);
        drawn.fill(Qt::transparent);
        {
            QPainter painter(&drawn);
            PaintAppIcon(painter, size);
        }
        EXPECT_EQ(png.convertToFormat(QImage::Format_ARGB32),
                  drawn.convertToFormat(QImage::Format_ARGB32));

        QImage rendered(size, size, QImage::Format_ARGB32_Premultiplied);
        rendered.fill(Qt::transparent);
        {
            QPainter painter(&rendered);
            svg.render(&painter);
        }
        // Edges are smoothed a little differently; the picture is the same.
        EXPECT_LT(MeanDifference(png, rendered), 1.0);
    }
}

}  // namespace
