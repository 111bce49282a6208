// Prints name=value lines (milliseconds, medians of several runs):
//   empty_frame_800x400_ms  - an off-screen frame with only its background
//   strokes_800_frame_ms    - the same frame with the fast trace's 800 vertical strokes
//   png_1920x1080_ms        - a full-HD chart picture painted and saved as PNG, level 6
//   jpeg_1920x1080_ms       - the same picture saved as progressive JPEG, quality 100

#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

#include "../common/ReferenceFrame.h"
#include "gdi/ImageEncoders.h"
#include "gdi/PainterCanvas.h"

namespace {

double MedianMs(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    return times[runs / 2];
}

void PaintBackground(TCanvas& canvas, int width, int height) {
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clBlack);
    canvas.FillRect({0, 0, width, height});
    canvas.DrawEdge({0, 0, width, height}, edSunken);
}

// What a busy chart puts on the canvas: grid, one trace, scale labels.
void PaintChart(TCanvas& canvas, int width, int height) {
    PaintBackground(canvas, width, height);
    canvas.Pen().SetColor(RGBColor(60, 60, 60));
    for (int x = 0; x < width; x += 50) {
        canvas.MoveTo(x, 0);
        canvas.LineTo(x, height);
    }
    for (int y = 0; y < height; y += 50) {
        canvas.MoveTo(0, y);
        canvas.LineTo(width, y);
    }
    canvas.Pen().SetColor(clRed);
    for (int x = 0; x < width; ++x) {
        const int y = height / 2 + int(std::lround(height / 3.0 * std::sin(x / 40.0)));
        canvas.MoveTo(x, y - 3);
        canvas.LineTo(x, y + 3);
    }
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().SetColor(clWhite);
    for (int x = 0; x < width; x += 100)
        canvas.TextOut(x + 2, height - 16, std::to_string(x));
}

}  // namespace

int main(int argc, char** argv) {
    // Measured without a display, like the other benchmarks.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir folder;

    QImage frame(800, 400, QImage::Format_RGB32);
    const double empty = MedianMs(50, [&] {
        TPainterCanvas canvas(frame);
        PaintBackground(canvas, 800, 400);
    });
    const double strokes = MedianMs(50, [&] {
        TPainterCanvas canvas(frame);
        PaintBackground(canvas, 800, 400);
        canvas.Pen().SetColor(clLime);
        for (int x = 0; x < 800; ++x) {
            canvas.MoveTo(x, 100 + x % 200);
            canvas.LineTo(x, 300 - x % 100);
        }
    });

    auto exportPicture = [&](const std::function<TBytes(const QImage&)>& encode, const char* name) {
        QImage picture(1920, 1080, QImage::Format_RGB32);
        {
            TPainterCanvas canvas(picture);
            PaintChart(canvas, 1920, 1080);
        }
        WriteFileBytes(folder.filePath(name).toStdString(), encode(picture));
    };
    const double png = MedianMs(7, [&] {
        exportPicture([](const QImage& image) { return EncodePng(image, 6); }, "chart.png");
    });
    const double jpeg = MedianMs(7, [&] {
        exportPicture([](const QImage& image) { return EncodeJpeg(image, 100, true); },
                      "chart.jpg");
    });

    const double reference = ReferenceFrameMs();
    std::printf("reference_frame_ms=%.3f\n", reference);
    PrintAgainstReference("empty_frame_800x400_ms", empty, reference);
    PrintAgainstReference("strokes_800_frame_ms", strokes, reference);
    std::printf("png_1920x1080_ms=%.1f\n", png);
    std::printf("jpeg_1920x1080_ms=%.1f\n", jpeg);
    return 0;
}
