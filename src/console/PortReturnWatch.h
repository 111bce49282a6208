#pragma once
// Waits for a vanished device to come back. It looks for the device's node a
// few times a second and, once it is there, asks for the port to be reopened,
// asking again at each look until that works (a returning USB adapter may
// refuse opens until udev has given it its permissions). A device that never
// seemed to go (a port that hung up with its node in place) is retried only
// after a grace period, so that a broken device is not reopened in a tight loop.

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>
#include <string>

class TPortReturnWatch : public QObject {
    Q_OBJECT
  public:
    using TReopen = std::function<bool()>;  // true when the port is open again

    static constexpr std::chrono::milliseconds kLookPeriod{200};
    static constexpr std::chrono::milliseconds kGraceWhileThere{1000};

    explicit TPortReturnWatch(TReopen reopen, QObject* parent = nullptr);

    void Watch(const std::string& devicePath);
    void Stop();
    bool Watching() const { return timer_.isActive(); }

  private:
    void Look();

    TReopen reopen_;
    QTimer timer_;
    std::string devicePath_;
    bool seenGone_ = false;
    std::chrono::steady_clock::time_point since_;
};
