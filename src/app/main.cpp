// Kelvane: a serial-port debugging terminal with a live waveform view.
#include "app/exit_after_first_paint.h"
#include "app/language_texts.h"
#include "app/main_form.h"
#include "app/start_language.h"
#include "console/KelvaneOptions.h"
#include "console/PortSettingsFile.h"
#include "platform/DataDir.h"
#include "platform/SingleInstance.h"

#include <QApplication>

#include <cstdio>

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

    const std::string dataDir = ProgramDataDir();
    const std::optional<TLanguage> language = StartLanguage(
        QApplication::arguments(), TKelvaneOptions(dataDir + kSettingsFileName).Language());
    if (!language) {
        std::fputs("kelvane: --lang takes zh (Chinese) or en (English)\n", stderr);
        return 2;
    }
    // Before the first window, so that every caption is built in the language.
    const TLanguageTexts texts(*language);
    if (*language == TLanguage::English && !texts.ProgramTextsInstalled()) {
        std::fputs("kelvane: the English texts could not be loaded\n", stderr);
    }

    TMainForm mainForm({.dataDir = dataDir, .reporter = nullptr, .globalHotKey = true});
    if (TExitAfterFirstPaint::Requested()) {
        new TExitAfterFirstPaint(mainForm, [&mainForm] { mainForm.Exit(); });
    }
    mainForm.show();
    return QApplication::exec();
}
