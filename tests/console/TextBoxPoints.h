#pragma once
// Points in a text box's viewport where a user aims the mouse, found from
// the box's font.

#include <QFontMetrics>
#include <QPoint>
#include <QString>
#include <QWidget>

#include "console/LineStoreView.h"

// A point inside screen row `row`, `x` pixels from the viewport's left.
inline QPoint RowPoint(const QWidget& box, int row, int x) {
    const int height = box.fontMetrics().lineSpacing();
    return {x, row * height + height / 2};
}

// A point well inside the character that follows `before` in screen row `row`.
inline QPoint CharacterPoint(const QWidget& box, int row, const QString& before, QChar character) {
    const QFontMetrics metrics = box.fontMetrics();
    return RowPoint(
        box, row, metrics.horizontalAdvance(before) + metrics.horizontalAdvance(character) * 3 / 4);
}

// The point between the text `before` and what follows it in screen row `row`.
inline QPoint BoundaryPoint(const QWidget& box, int row, const QString& before) {
    return RowPoint(box, row,
                    TLineStoreView::kTextMargin + box.fontMetrics().horizontalAdvance(before));
}
