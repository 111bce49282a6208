#include "console/PortSettingsMessages.h"

#include <QMessageBox>

void TMessageBoxReporter::Show(const QString& caption, const QString& text, TMessageIcon icon) {
    QMessageBox box(icon == TMessageIcon::Error         ? QMessageBox::Critical
                    : icon == TMessageIcon::Information ? QMessageBox::Information
                                                        : QMessageBox::Warning,
                    caption, text, QMessageBox::Ok);
    box.exec();
}
