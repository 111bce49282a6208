#pragma once
// What an input method is told about the text around the caret: part of the
// caret's line, with the caret's and the selection anchor's places in it.
//
// A received line can be megabytes long, so only a stretch of it on either
// side of the caret is decoded.

#include <QString>
#include <QVariant>

#include "console/LineTextStore.h"

struct TSurroundingText {
    QString text;
    int cursor = 0;
    // An anchor on another line is the end of the text on that side.
    int anchor = 0;

    // The answer to a query about the surrounding text, the cursor and
    // anchor positions, the selection or the text before or after the cursor.
    QVariant Answer(Qt::InputMethodQuery query) const;
};

TSurroundingText SurroundingTextOf(const TLineTextStore& store, TTextPosition caret,
                                   TTextPosition anchor);
