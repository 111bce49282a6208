#pragma once
// Writing the receive box's text to a file, as "保存" does.

#include <QString>

#include <cstdint>

#include "console/LineTextStore.h"

class QWidget;

// Writes lines `fromLine` onward, each followed by its line break: text lines
// and their breaks as the bytes that arrived, hex lines as their hexadecimal
// rendering and CR LF. A line still open has no break yet. The file is
// replaced only once everything is written, so a failed save leaves the old
// file intact. False when the file could not be written.
bool SaveReceivedText(const TLineTextStore& store, uint64_t fromLine, const QString& path);

// The save dialog of "保存": "sc.txt" at first, then the last name chosen.
class TSaveFilePrompt {
  public:
    explicit TSaveFilePrompt(QWidget* parent) : parent_(parent) {}
    // The chosen path, or an empty text when the user cancels.
    QString Ask();

  private:
    QWidget* parent_;
    QString lastName_ = QStringLiteral("sc.txt");
};
