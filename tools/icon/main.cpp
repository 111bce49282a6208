// kelvane-icon: writes the program's icon as the files a desktop looks for,
// drawn by the same code as the window icon:
//   kelvane-icon OUT_DIR
// gives OUT_DIR/<n>x<n>/apps/kelvane.png for each PNG size and
// OUT_DIR/scalable/apps/kelvane.svg, the layout of an icon theme folder.
#include "app/AppIcon.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

namespace {

constexpr int kPngSizes[] = {48, 128, 256};
// The drawing is made for a square of this many units in the SVG.
constexpr int kSvgSize = 256;

bool MakeFolder(const QString& path) {
    if (QDir().mkpath(path)) {
        return true;
    }
    std::fprintf(stderr, "kelvane-icon: cannot create %s\n", qPrintable(path));
    return false;
}

bool WritePng(const QString& themeDir, int size) {
    const QString folder = QStringLiteral("%1/%2x%2/apps").arg(themeDir).arg(size);
    if (!MakeFolder(folder)) {
        return false;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        PaintAppIcon(painter, size);
    }
    const QString file = folder + "/kelvane.png";
    if (!image.save(file, "PNG")) {
        std::fprintf(stderr, "kelvane-icon: cannot write %s\n", qPrintable(file));
        return false;
    }
    return true;
}

bool WriteSvg(const QString& themeDir) {
    const QString folder = themeDir + "/scalable/apps";
    if (!MakeFolder(folder)) {
        return false;
    }
    const QString file = folder + "/kelvane.svg";
    QSvgGenerator svg;
    svg.setFileName(file);
    svg.setSize(QSize(kSvgSize, kSvgSize));
    svg.setViewBox(QRect(0, 0, kSvgSize, kSvgSize));
    // The generator states the size in millimetres; at the usual 96 dpi it
    // comes out as kSvgSize pixels.
    svg.setResolution(96);
    svg.setTitle(QStringLiteral("Kelvane"));
    svg.setDescription(QStringLiteral("The Kelvane program icon"));
    QPainter painter;
    if (!painter.begin(&svg)) {
        std::fprintf(stderr, "kelvane-icon: cannot write %s\n", qPrintable(file));
        return false;
    }
    PaintAppIcon(painter, kSvgSize);
    return painter.end();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kelvane-icon OUT_DIR\n");
        return 2;
    }
    const QString themeDir = QString::fromLocal8Bit(argv[1]);
    for (const int size : kPngSizes) {
        if (!WritePng(themeDir, size)) {
            return 1;
        }
    }
    return WriteSvg(themeDir) ? 0 : 1;
}
