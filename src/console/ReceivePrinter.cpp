#include "console/ReceivePrinter.h"

#include <QPainter>
#include <QPrinter>

namespace {
constexpr int kDotsPerInch = 300;
constexpr int kLeft = 40;
constexpr int kTop = 40;
constexpr int kRowStep = 100;
constexpr int kPageBottom = 2600 - 40;
constexpr int kFontPoints = 12;
}  // namespace

bool PrintReceiveRows(QPrinter& printer, const QStringList& rows) {
    printer.setResolution(kDotsPerInch);
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    QFont font = painter.font();
    font.setPointSize(kFontPoints);
    painter.setFont(font);
    const int ascent = painter.fontMetrics().ascent();
    int y = kTop;
    for (const QString& row : rows) {
        // A page is started only when a row is left to go on it, so a full
        // last page is not followed by a blank one.
        if (y > kPageBottom) {
            if (!printer.newPage()) {
                painter.end();
                return false;
            }
            y = kTop;
        }
        painter.drawText(kLeft, y + ascent, row);
        y += kRowStep;
    }
    return painter.end();
}
