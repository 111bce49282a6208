#include "console/PortReturnWatch.h"

#include <filesystem>

TPortReturnWatch::TPortReturnWatch(TReopen reopen, QObject* parent)
    : QObject(parent), reopen_(std::move(reopen)) {
    timer_.setInterval(kLookPeriod);
    connect(&timer_, &QTimer::timeout, this, &TPortReturnWatch::Look);
}

void TPortReturnWatch::Watch(const std::string& devicePath) {
    devicePath_ = devicePath;
    seenGone_ = false;
    since_ = std::chrono::steady_clock::now();
    timer_.start();
}

void TPortReturnWatch::Stop() {
    timer_.stop();
}

void TPortReturnWatch::Look() {
    std::error_code ignored;
    if (!std::filesystem::exists(devicePath_, ignored)) {
        seenGone_ = true;
        return;
    }
    if (!seenGone_ && std::chrono::steady_clock::now() - since_ < kGraceWhileThere) {
        return;
    }
    if (reopen_()) {
        Stop();
    }
}
