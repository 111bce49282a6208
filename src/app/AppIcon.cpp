#include "app/AppIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <numbers>

void PaintAppIcon(QPainter& painter, int size) {
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF screen(size * 0.06, size * 0.06, size * 0.88, size * 0.88);
    painter.setPen(QPen(QColor(90, 100, 110), std::max(1.0, size / 32.0)));
    painter.setBrush(QColor(20, 28, 36));
    painter.drawRoundedRect(screen, size * 0.14, size * 0.14);

    QPainterPath trace;
    const int steps = 48;
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        const double x = screen.left() + screen.width() * (0.1 + 0.8 * t);
        const double y = screen.center().y() - screen.height() * 0.3 *
                                                   std::sin(t * 2.5 * std::numbers::pi) *
                                                   (1.0 - 0.4 * t);
        if (i == 0) {
            trace.moveTo(x, y);
        } else {
            trace.lineTo(x, y);
        }
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(
        QPen(QColor(80, 230, 120), std::max(1.5, size / 12.0), Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(trace);
}

namespace {

QPixmap DrawIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    PaintAppIcon(painter, size);
    return pixmap;
}

}  // namespace

QIcon AppIcon() {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128}) {
        icon.addPixmap(DrawIcon(size));
    }
    return icon;
}
