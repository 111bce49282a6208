#pragma once
// What the window thread did, for the benchmarks that run the whole program:
// how often each watched widget painted and each watched timer ticked, and
// which event deliveries took the longest (the stalls a user sees, with who
// caused them and when).

#include <sys/resource.h>
#include <time.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QMetaEnum>
#include <QObject>
#include <QPointer>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

// "class/name" of an object, or of its parent for an unnamed one (a view's
// viewport, a widget's own timer), as "class/name>class".
inline std::string ObjectLabel(const QObject* object) {
    std::string label = object->metaObject()->className();
    if (!object->objectName().isEmpty())
        return label + "/" + object->objectName().toStdString();
    if (const QObject* parent = object->parent()) {
        std::string owner = parent->metaObject()->className();
        if (!parent->objectName().isEmpty())
            owner += "/" + parent->objectName().toStdString();
        return owner + ">" + label;
    }
    return label;
}

// Counts the paints and timer ticks of the objects it watches, and every
// paint and timer tick of the whole program by who had it.
class TEventTally : public QObject {
  public:
    // Counts from Reset until Stop.
    void Stop() { qApp->removeEventFilter(this); }
    void Watch(const std::string& name, QObject* object) {
        names_[object] = name;
        counts_[name] = 0;
    }
    void Reset() {
        for (auto& [name, count] : counts_)
            count = 0;
        timerTicks_ = 0;
        ticksBy_.clear();
        paintsBy_.clear();
        qApp->installEventFilter(this);
    }
    // One name=value line per watched object: its events a second over `seconds`.
    void Print(const std::string& suffix, double seconds) const {
        for (const auto& [name, count] : counts_)
            std::printf("%s_per_s%s=%.1f\n", name.c_str(), suffix.c_str(), count / seconds);
        std::printf("timer_ticks_per_s%s=%.1f\n", suffix.c_str(), timerTicks_ / seconds);
        PrintBusiest("timer_ticks_per_s" + suffix, ticksBy_, seconds);
        PrintBusiest("paints_per_s" + suffix, paintsBy_, seconds);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Timer) {
            ++timerTicks_;
            ++ticksBy_[ObjectLabel(watched)];
        }
        if (event->type() == QEvent::Paint)
            ++paintsBy_[ObjectLabel(watched)];
        if (event->type() == QEvent::Paint || event->type() == QEvent::Timer) {
            const auto found = names_.find(watched);
            if (found != names_.end())
                ++counts_[found->second];
        }
        return false;
    }

  private:
    // The few labels with the most counts, a line each.
    static void PrintBusiest(const std::string& prefix, const std::map<std::string, long>& by,
                             double seconds) {
        std::vector<std::pair<long, std::string>> busiest;
        for (const auto& [label, count] : by)
            busiest.push_back({count, label});
        std::sort(busiest.rbegin(), busiest.rend());
        busiest.resize(std::min<std::size_t>(busiest.size(), 8));
        for (const auto& [count, label] : busiest)
            std::printf("%s[%s]=%.1f\n", prefix.c_str(), label.c_str(), count / seconds);
    }

    std::map<QObject*, std::string> names_;
    std::map<std::string, long> counts_;
    long timerTicks_ = 0;
    std::map<std::string, long> ticksBy_;
    std::map<std::string, long> paintsBy_;
};

// A QApplication that times every event it delivers. For each delivery made
// straight from the event loop that took longer than the threshold it keeps
// when it started, what it was and the longest delivery nested inside it
// (a window's update request holds the paints of its widgets), and the
// processor time the window thread spent in it: on a busy machine a long
// delivery is often mostly the wait for a core, which that time leaves out.
// It also keeps the page faults each took: on a virtual machine whose host
// backs memory only when it is first touched, a fault on fresh memory costs
// several times one on memory used before, and counts as the thread's own
// processor time.
// Between two calls of EndSpan (a stall probe's ticks) it sums what was
// delivered, so a long stall can be told apart as one slow delivery, many
// short ones, or a thread that was not running at all.
class TTimedApplication : public QApplication {
  public:
    struct TSlowEvent {
        double atS;         // since the clock started
        double ms;          // the whole delivery
        double cpuMs;       // the window thread's processor time in it
        long faults;        // the page faults the window thread took in it
        std::string what;   // receiver class/object name: event type
        std::string inner;  // the longest nested delivery, and its ms
    };
    struct TStallSpan {
        double atS;           // when it ended
        double ms;            // the stall
        int deliveries;       // from the event loop, in the stall
        double deliveredMs;   // the time they took together
        double cpuMs;         // the window thread's processor time over the stall
        long faults;          // its page faults over the stall
        std::string longest;  // the longest delivery in it, and its ms
    };

    TTimedApplication(int& argc, char** argv) : QApplication(argc, argv) { clock_.start(); }

    // Deliveries from the event loop that took at least `ms` are kept from now on.
    void KeepSlowerThan(double ms) {
        thresholdMs_ = ms;
        slow_.clear();
        spans_.clear();
        maxCpuMs_ = 0;
        clock_.restart();
        StartSpan();
    }
    // Ends the span of deliveries since the last call; keeps it when the
    // stall that ended with it lasted at least `keepMs`.
    void EndSpan(double stallMs, double keepMs) {
        if (stallMs >= keepMs) {
            spans_.push_back(
                {clock_.nsecsElapsed() / 1e9, stallMs, span_.deliveries, span_.deliveredMs,
                 ThreadCpuMs() - span_.startCpuMs, ThreadFaults() - span_.startFaults,
                 span_.longest.empty() ? "-" : span_.longest + ":" + Ms(span_.longestMs)});
        }
        StartSpan();
    }
    // The longest kept stalls, longest first, one line each.
    void PrintStalls(const char* prefix, std::size_t count) const {
        const std::vector<TStallSpan> sorted = Longest(spans_, count);
        for (std::size_t i = 0; i < sorted.size(); ++i) {
            const TStallSpan& s = sorted[i];
            std::printf(
                "%s_%zu=%.1fms at=%.1fs deliveries=%d delivered=%.1fms cpu=%.1fms "
                "faults=%ld longest=%s\n",
                prefix, i + 1, s.ms, s.atS, s.deliveries, s.deliveredMs, s.cpuMs, s.faults,
                s.longest.c_str());
        }
        std::printf("%s_count=%zu\n", prefix, spans_.size());
    }
    // The most processor time any one delivery from the event loop took
    // since KeepSlowerThan: the work of the longest stall, without waiting.
    double MaxCpuMs() const { return maxCpuMs_; }
    // The slowest kept deliveries, slowest first, one line each.
    void PrintSlowest(const char* prefix, std::size_t count) const {
        const std::vector<TSlowEvent> sorted = Longest(slow_, count);
        for (std::size_t i = 0; i < sorted.size(); ++i) {
            const TSlowEvent& e = sorted[i];
            std::printf("%s_%zu=%.1fms cpu=%.1fms faults=%ld at=%.1fs event=%s inner=%s\n", prefix,
                        i + 1, e.ms, e.cpuMs, e.faults, e.atS, e.what.c_str(), e.inner.c_str());
        }
        std::printf("%s_count=%zu\n", prefix, slow_.size());
    }

    bool notify(QObject* receiver, QEvent* event) override {
        if (thresholdMs_ <= 0)
            return QApplication::notify(receiver, event);
        // A receiver may be gone once its event is delivered (deleteLater
        // deletes it in its own event), so it is named only while it lives.
        const QPointer<QObject> alive(receiver);
        const char* className = receiver->metaObject()->className();
        const auto describe = [&] {
            return Describe(alive ? ObjectLabel(receiver) : std::string(className) + "(deleted)",
                            event);
        };
        const bool outer = depth_ == 0;
        const double startMs = clock_.nsecsElapsed() / 1e6;
        const double startCpuMs = outer ? ThreadCpuMs() : 0;
        const long startFaults = outer ? ThreadFaults() : 0;
        if (outer) {
            innerMs_ = 0;
            inner_.clear();
        }
        ++depth_;
        const bool result = QApplication::notify(receiver, event);
        --depth_;
        const double ms = clock_.nsecsElapsed() / 1e6 - startMs;
        if (outer) {
            const double cpuMs = ThreadCpuMs() - startCpuMs;
            maxCpuMs_ = std::max(maxCpuMs_, cpuMs);
            const auto inner = [this] {
                return inner_.empty() ? "-" : inner_ + ":" + Ms(innerMs_);
            };
            if (ms >= thresholdMs_)
                slow_.push_back({startMs / 1000, ms, cpuMs, ThreadFaults() - startFaults,
                                 describe(), inner()});
            ++span_.deliveries;
            span_.deliveredMs += ms;
            // Naming every delivery would cost more than most take.
            if (ms > span_.longestMs && ms >= 1) {
                span_.longestMs = ms;
                span_.longest = describe() + "(" + inner() + ")";
            }
        } else if (depth_ == 1 && ms > innerMs_) {
            innerMs_ = ms;
            inner_ = describe();
        }
        return result;
    }

  private:
    static double ThreadCpuMs() {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
    }
    // The `count` longest of `items`, longest first.
    template <class Item>
    static std::vector<Item> Longest(std::vector<Item> items, std::size_t count) {
        std::sort(items.begin(), items.end(),
                  [](const Item& a, const Item& b) { return a.ms > b.ms; });
        items.resize(std::min(count, items.size()));
        return items;
    }
    void StartSpan() {
        span_ = {};
        span_.startCpuMs = ThreadCpuMs();
        span_.startFaults = ThreadFaults();
    }
    static long ThreadFaults() {
        rusage usage{};
        getrusage(RUSAGE_THREAD, &usage);
        return usage.ru_minflt + usage.ru_majflt;
    }
    static std::string Ms(double ms) {
        char text[32];
        std::snprintf(text, sizeof text, "%.1fms", ms);
        return text;
    }
    static std::string Describe(const std::string& receiver, QEvent* event) {
        // A registered type has no name of its own: Qt would call the first "MaxUser".
        if (event->type() > QEvent::User)
            return receiver + ":User+" + std::to_string(event->type() - QEvent::User);
        const char* type = QMetaEnum::fromType<QEvent::Type>().valueToKey(event->type());
        return receiver + ":" + (type ? type : std::to_string(int(event->type())));
    }

    QElapsedTimer clock_;
    double thresholdMs_ = 0;
    double maxCpuMs_ = 0;
    int depth_ = 0;
    double innerMs_ = 0;
    std::string inner_;
    std::vector<TSlowEvent> slow_;
    // What has been delivered since the last EndSpan.
    struct {
        int deliveries = 0;
        double deliveredMs = 0;
        double startCpuMs = 0;
        long startFaults = 0;
        double longestMs = 0;
        std::string longest;
    } span_;
    std::vector<TStallSpan> spans_;
};
