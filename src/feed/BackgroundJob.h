#pragma once
// A file job that works on a thread of its own while the window goes on:
// saving the chart as CSV, or reading a big file back into it. The window's
// side polls it a few dozen times a second, hands on its progress, takes
// what it produced, and tells once how it ended.
//
// The worker never touches the chart or any widget; what it needs from them
// is copied before it starts, and what it makes for them waits in the job
// until the window's side takes it.

#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <mutex>
#include <thread>

class TBackgroundJob : public QObject {
    Q_OBJECT
  public:
    static constexpr int kPollMs = 15;

    explicit TBackgroundJob(QObject* parent = nullptr);
    // Cancels and waits for the worker. Subclasses call StopWorker() in
    // their own destructor, before their members go.
    ~TBackgroundJob() override;

    // Starts the worker; the outcome follows as one signal from the event loop.
    void Start();
    // Stops the worker at its next step; Cancelled() follows.
    void Cancel();

  signals:
    void Progress(int percent);
    void Finished(bool succeeded, const QString& error);
    void Cancelled();

  protected:
    // On the worker: the job itself. Throws to fail; returns early when
    // Cancelling() turns true.
    virtual void Run() = 0;
    // On the window's thread, each poll while the worker runs and once
    // after it ended: takes what the worker made. True when nothing of
    // the job's work is left for the window's side.
    virtual bool Take() { return true; }

    bool Cancelling() const { return cancel_; }
    void SetPercent(int percent) { percent_ = percent; }
    void StopWorker();

  private:
    void Poll();

    std::thread worker_;
    std::atomic<bool> cancel_ = false;
    std::atomic<bool> workerDone_ = false;
    std::atomic<int> percent_ = 0;
    std::mutex errorMutex_;
    bool failed_ = false;
    QString error_;  // why the worker failed
    QTimer poll_;
};
