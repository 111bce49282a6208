#pragma once
// What the benchmarks that run the whole program share: a main window's
// options for a scratch folder, message boxes said on stderr instead of
// blocking, the CPU time used so far, a way to let the
// event loop run for a while, and a probe of its longest stall.

#include <sys/resource.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QString>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>

#include <QTemporaryDir>
#include <memory>

#include "app/MainForm.h"
#include "console/PortSettingsFile.h"
#include "console/PortSettingsMessages.h"

class TStderrReporter : public TMessageReporter {
  public:
    void Show(const QString& caption, const QString& text, TMessageIcon) override {
        std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
    }
};

// Options for a main window that keeps its files in `dir`, whose settings
// name `choices`' port; no global hot key.
inline TMainFormOptions ProgramOptions(const QTemporaryDir& dir, const TPortChoices& choices) {
    SavePortChoices(choices, (dir.path() + "/" + kSettingsFileName).toStdString());
    TMainFormOptions options;
    options.dataDir = dir.path().toStdString() + "/";
    options.reporter = std::make_shared<TStderrReporter>();
    options.globalHotKey = false;
    return options;
}

inline double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

inline void RunEventsFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The longest time the event loop went without serving a 1 ms timer, less
// that millisecond.
class TStallProbe {
  public:
    TStallProbe() {
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            const double stall = sinceTick_.nsecsElapsed() / 1e6 - 1.0;
            maxMs_ = std::max(maxMs_, stall);
            longStalls_ += stall > kLongMs ? 1 : 0;
            if (onTick_)
                onTick_(stall);
            sinceTick_.restart();
        });
    }
    void Start() {
        sinceTick_.start();
        timer_.start(1);
    }
    void Stop() { timer_.stop(); }
    // Called at each tick with the stall that ended there.
    void OnTick(std::function<void(double stallMs)> onTick) { onTick_ = std::move(onTick); }
    bool Running() const { return timer_.isActive(); }
    double MaxMs() const { return maxMs_; }
    // Stalls a user notices as a hitch.
    static constexpr double kLongMs = 50;
    int LongStalls() const { return longStalls_; }

  private:
    QTimer timer_;
    QElapsedTimer sinceTick_;
    std::function<void(double)> onTick_;
    double maxMs_ = 0;
    int longStalls_ = 0;
};
