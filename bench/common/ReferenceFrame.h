#pragma once
// The in-run baseline of the chart benchmarks: a frame drawn with QPainter
// alone on an 800 x 400 image (a fill, a 1,000-point polyline and a dozen
// short texts: about what a plain chart shows). Its time moves with the
// machine's load as the chart's does, so chart figures are printed beside it
// and as a ratio to it.

#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <QString>
#include <QtMath>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

inline double ReferenceFrameMs(int frames = 400) {
    QImage image(800, 400, QImage::Format_RGB32);
    QPolygon polyline;
    for (int i = 0; i < 1000; ++i)
        polyline << QPoint(60 + i * 700 / 1000, 200 - int(150 * qSin(i * 0.02)));
    std::vector<double> times;
    for (int frame = 0; frame < frames; ++frame) {
        const auto start = std::chrono::steady_clock::now();
        QPainter painter(&image);
        painter.fillRect(image.rect(), Qt::black);
        painter.setPen(Qt::red);
        painter.drawPolyline(polyline);
        painter.setPen(Qt::white);
        for (int label = 0; label < 12; ++label)
            painter.drawText(10 + label * 60, 390, QString::number(frame + label * 0.2, 'f', 2));
        painter.end();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    return times[times.size() / 2];
}

// Prints `name=ms` and `name_vs_reference=` its ratio to the reference frame.
inline void PrintAgainstReference(const char* name, double ms, double referenceMs) {
    std::printf("%s=%.3f\n%s_vs_reference=%.2f\n", name, ms, name, ms / referenceMs);
}
