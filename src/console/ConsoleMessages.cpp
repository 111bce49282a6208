#include "console/ConsoleMessages.h"

#include <QGuiApplication>
#include <QMessageBox>

void ReportApplicationError(TMessageReporter& reporter, const QString& text) {
    reporter.Show(QGuiApplication::applicationDisplayName(), text, TMessageIcon::Error);
}

bool TMessageBoxAsker::AskYesNo(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}
