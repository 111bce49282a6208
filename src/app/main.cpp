// Kelvane: a serial-port debugging terminal with a live waveform view.
#include "app/exit_after_first_paint.h"
#include "app/main_form.h"
#include "app/qt_translations.h"
#include "platform/DataDir.h"
#include "platform/SingleInstance.h"

#include <QApplication>
#include <QTranslator>

int main(int argc, char** argv) {
    // A second copy ends quietly before touching the screen; the first keeps running.
    const TSingleInstanceLock instance("Kelvane");
    if (!instance.Acquired()) {
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("Kelvane");
    // Lets the desktop match the window to kelvane.desktop and its icon.
    QApplication::setDesktopFileName("kelvane");
    // Closing the main window only hides it; "退出软件" ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    QTranslator qtTexts;
    InstallQtChineseTexts(qtTexts);

    TMainForm mainForm({.dataDir = ProgramDataDir(), .reporter = nullptr, .globalHotKey = true});
    if (TExitAfterFirstPaint::Requested()) {
        new TExitAfterFirstPaint(mainForm, [&mainForm] { mainForm.Exit(); });
    }
    mainForm.show();
    return QApplication::exec();
}
