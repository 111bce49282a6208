#pragma once
// Prints the receive box's rows: 12-point text, 26 rows a page.

#include <QStringList>

class QPrinter;

// Draws `rows` on `printer` starting at its first page. The printer is set to
// 300 dots per inch, the unit of the page layout. False when the job could not
// start or a page could not be added; an empty list prints one blank page.
bool PrintReceiveRows(QPrinter& printer, const QStringList& rows);
