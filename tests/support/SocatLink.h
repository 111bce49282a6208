// Two pseudo-terminals linked by socat, each reachable by a path of its own:
// whatever one side writes, the other reads. Stopping socat takes both away,
// as pulling a USB adapter takes its port away; starting it again brings them
// back under the same paths.
#pragma once

#include <unistd.h>

#include <QProcess>
#include <QTest>
#include <filesystem>
#include <string>

class TSocatLink {
  public:
    // socat is the program's path; empty when the build did not find it.
    explicit TSocatLink(std::string socat, const std::string& tag = "link")
        : socat_(std::move(socat)) {
        dir_ = std::filesystem::temp_directory_path() /
               ("kelvane-socat-" + tag + "-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
        Start();
    }
    ~TSocatLink() {
        Stop();
        std::filesystem::remove_all(dir_);
    }
    TSocatLink(const TSocatLink&) = delete;
    TSocatLink& operator=(const TSocatLink&) = delete;

    bool Ready() const { return ready_; }
    std::string PortA() const { return (dir_ / "a").string(); }
    std::string PortB() const { return (dir_ / "b").string(); }

    void Start() {
        process_.start(QString::fromStdString(socat_),
                       {"-d", "-d", QString::fromStdString("pty,raw,echo=0,link=" + PortA()),
                        QString::fromStdString("pty,raw,echo=0,link=" + PortB())});
        ready_ =
            process_.waitForStarted(10000) && QTest::qWaitFor(
                                                  [this] {
                                                      return std::filesystem::exists(PortA()) &&
                                                             std::filesystem::exists(PortB());
                                                  },
                                                  10000);
    }
    // Ends socat as a user would (it removes its links on the way out).
    void Stop() {
        if (process_.state() == QProcess::NotRunning) {
            return;
        }
        process_.terminate();
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished();
        }
        ready_ = false;
    }

  private:
    std::string socat_;
    std::filesystem::path dir_;
    QProcess process_;
    bool ready_ = false;
};
