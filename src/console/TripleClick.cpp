#include "console/TripleClick.h"

#include <QApplication>

void TTripleClick::DoubleClicked(const QPoint& at) {
    doubleClickAt_ = at;
    sinceDoubleClick_.start();
}

bool TTripleClick::IsThirdClick(const QPoint& at) {
    const bool third = sinceDoubleClick_.isValid() &&
                       !sinceDoubleClick_.hasExpired(QApplication::doubleClickInterval()) &&
                       (at - doubleClickAt_).manhattanLength() < QApplication::startDragDistance();
    sinceDoubleClick_.invalidate();
    return third;
}
