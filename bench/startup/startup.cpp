// How long the program takes from exec to its main window's first paint,
// warm (the first run is left out), offscreen, beside the same for a bare Qt
// window started by this program itself: the in-run baseline that moves
// with the machine's load and its disk caches as the program does.
//
// Prints startup_ms= and bare_window_ms= (medians of 9 runs, taking turns)
// and startup_vs_bare_window=.

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kRuns = 9;
constexpr const char* kBareWindowArgument = "--bare-window";

// The baseline's own process: a window that quits once it has painted.
class TBareWindow : public QWidget {
  protected:
    void paintEvent(QPaintEvent*) override { QTimer::singleShot(0, qApp, &QApplication::quit); }
};

int RunBareWindow(int argc, char** argv) {
    QApplication app(argc, argv);
    TBareWindow window;
    window.resize(800, 600);
    window.show();
    return QApplication::exec();
}

// Milliseconds from start to exit of one run; -1 when it failed.
double RunMs(const QString& program, const QStringList& arguments,
             const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        std::fprintf(stderr, "%s", process.readAllStandardError().constData());
        return -1;
    }
    return clock.nsecsElapsed() / 1e6;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 1 && std::strcmp(argv[1], kBareWindowArgument) == 0)
        return RunBareWindow(argc, argv);
    QCoreApplication app(argc, argv);

    // A folder of its own for the single-instance lock and the settings, so
    // a copy of the program running elsewhere on the machine does not count.
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("KELVANE_EXIT_AFTER_FIRST_PAINT", "1");
    environment.insert("XDG_RUNTIME_DIR", home.path());
    environment.insert("XDG_CONFIG_HOME", home.path());
    const QString kelvane = QCoreApplication::applicationDirPath() + "/kelvane";
    const QString self = QCoreApplication::applicationFilePath();

    std::vector<double> program, bare;
    for (int run = 0; run <= kRuns; ++run) {
        const double programMs = RunMs(kelvane, {}, environment);
        const double bareMs = RunMs(self, {kBareWindowArgument}, environment);
        if (programMs < 0 || bareMs < 0) {
            std::fprintf(stderr, "a run did not end well\n");
            return 1;
        }
        if (run > 0) {  // the first run warms the caches
            program.push_back(programMs);
            bare.push_back(bareMs);
        }
    }
    const double programMs = Median(program);
    const double bareMs = Median(bare);
    std::printf("startup_ms=%.1f\nbare_window_ms=%.1f\nstartup_vs_bare_window=%.2f\n", programMs,
                bareMs, programMs / bareMs);
    return 0;
}
