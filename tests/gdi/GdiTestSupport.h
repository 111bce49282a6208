#pragma once
// Helpers shared by the drawing-layer tests (and the plot's export tests):
// pixel reads, independent decoders (libpng, libjpeg) and running the outside
// checkers (pngcheck, ImageMagick identify).

#include <unistd.h>

#include <QDir>
#include <QImage>
#include <cstdio>
#include <string>

#include "gdi/Color.h"
#include "gdi/ImageEncoders.h"

inline TColor PixelAt(const QImage& image, int x, int y) {
    return FromQColor(image.pixelColor(x, y));
}

// A white image to draw on.
QImage BlankImage(int width, int height);

struct TDecodedImage {
    int Width = 0;
    int Height = 0;
    int Channels = 0;          // 3 for RGB
    int PngColorType = -1;     // PNG only
    bool Progressive = false;  // JPEG only
    QImage Pixels;
};

TDecodedImage DecodePngWithLibpng(const TBytes& bytes);
TDecodedImage DecodeJpegWithLibjpeg(const TBytes& bytes);

// Output of a shell command (stdout and stderr), and whether it exited 0.
struct TCommandResult {
    bool Ok = false;
    std::string Output;
};

inline TCommandResult RunCommand(const std::string& command) {
    TCommandResult result;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return result;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), pipe)) > 0)
        result.Output.append(buffer, n);
    result.Ok = pclose(pipe) == 0;
    return result;
}

// A path in a scratch folder private to this test process, removed at exit.
inline std::string TempPath(const std::string& name) {
    struct TScratchFolder {
        QString Path = QDir::tempPath() + "/kelvane-tests-" + QString::number(getpid());
        TScratchFolder() { QDir().mkpath(Path); }
        ~TScratchFolder() { QDir(Path).removeRecursively(); }
    };
    static const TScratchFolder folder;
    return (folder.Path + "/" + QString::fromStdString(name)).toStdString();
}
