// Kelvane: a serial-port debugging terminal with a live waveform view.
#include "app/CommandLine.h"
#include "app/ExitAfterFirstPaint.h"
#include "app/LanguageTexts.h"
#include "app/MainForm.h"
#include "app/StartActions.h"
#include "console/KelvaneOptions.h"
#include "console/PortSettingsFile.h"
#include "platform/DataDir.h"
#include "platform/SingleInstance.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {

void Print(std::FILE* to, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), to);
}

// The help and version texts need no display, so they are answered before
// the window system is.
bool AsksFor(int argc, char** argv, const char* option) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], option) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (AsksFor(argc, argv, "--help")) {
        Print(stdout, CommandLineHelp());
        return 0;
    }
    if (AsksFor(argc, argv, "--version")) {
        Print(stdout, QStringLiteral("kelvane " KELVANE_VERSION "\n"));
        return 0;
    }
    // A second copy ends quietly before touching the screen; the first keeps running.
    const TSingleInstanceLock instance("Kelvane");
    if (!instance.Acquired()) {
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("Kelvane");
    QApplication::setApplicationVersion(KELVANE_VERSION);
    // What is left once Qt took its own options (-platform, -display, ...).
    const TCommandLineResult command = ParseCommandLine(QApplication::arguments().mid(1));
    if (!command.error.isEmpty()) {
        Print(stderr, QStringLiteral("kelvane: %1\nTry 'kelvane --help'.\n").arg(command.error));
        return kBadArgumentsExitCode;
    }
    // Lets the desktop match the window to kelvane.desktop and its icon.
    QApplication::setDesktopFileName("kelvane");
    // Closing the main window only hides it; "退出软件" ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    const std::string dataDir = ProgramDataDir();
    // --lang holds for this run; setfile.ini keeps its own choice.
    const TLanguage language =
        command.line.language.value_or(TKelvaneOptions(dataDir + kSettingsFileName).Language());
    // Before the first window, so that every caption is built in the language.
    const TLanguageTexts texts(language);
    if (language == TLanguage::English && !texts.ProgramTextsInstalled()) {
        std::fputs("kelvane: the English texts could not be loaded\n", stderr);
    }

    TMainForm mainForm({.dataDir = dataDir, .reporter = nullptr, .globalHotKey = true});
    if (TExitAfterFirstPaint::Requested()) {
        new TExitAfterFirstPaint(mainForm, [&mainForm] { mainForm.Exit(); });
    }
    mainForm.show();
    QTimer::singleShot(0, &mainForm, [&] { RunStartActions(mainForm, command.line); });
    return QApplication::exec();
}
