#include "feed/BackgroundJob.h"

#include <exception>

TBackgroundJob::TBackgroundJob(QObject* parent) : QObject(parent) {
    poll_.setInterval(kPollMs);
    connect(&poll_, &QTimer::timeout, this, &TBackgroundJob::Poll);
}

TBackgroundJob::~TBackgroundJob() {
    StopWorker();
}

void TBackgroundJob::StopWorker() {
    cancel_ = true;
    if (worker_.joinable()) {
        worker_.join();
    }
    poll_.stop();
}

void TBackgroundJob::Start() {
    worker_ = std::thread([this] {
        try {
            Run();
        } catch (const std::exception& error) {
            std::lock_guard lock(errorMutex_);
            failed_ = true;
            error_ = QString::fromUtf8(error.what());
        }
        workerDone_ = true;
    });
    poll_.start();
}

void TBackgroundJob::Cancel() {
    cancel_ = true;
}

void TBackgroundJob::Poll() {
    const bool workerDone = workerDone_;
    const bool taken = Take();
    if (cancel_) {
        StopWorker();
        emit Cancelled();
        return;
    }
    emit Progress(percent_);
    if (!workerDone || !taken) {
        return;
    }
    StopWorker();
    std::unique_lock lock(errorMutex_);
    const bool failed = failed_;
    const QString error = error_;
    lock.unlock();
    emit Finished(!failed, error);
}
