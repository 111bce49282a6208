#include "EngineTestSupport.h"

#include <algorithm>
#include <chrono>
#include <random>
#include <stdexcept>

#include "serial/LineMapping_win32.h"

namespace {

using namespace std::chrono_literals;

// Wine starts slowly and a shared machine may be busy: waits are generous,
// and a passing test never waits for them.
constexpr auto kPatience = 20s;
// A read of the far end gives up after this long without a byte.
constexpr DWORD kQuietLineMs = 1500;

TLineSettings StoredLineSettings() {
    TLineSettings settings;
    settings.Outx_XonXoffFlow = false;
    settings.Inx_XonXoffFlow = false;
    return settings;
}

}  // namespace

bool TRecordingSink::Post(TNotification notification) {
    {
        std::lock_guard lock(mutex_);
        notifications_.push_back(std::move(notification));
    }
    posted_.notify_all();
    return true;
}

bool TRecordingSink::WaitUntil(
    const std::function<bool(const std::vector<TNotification>&)>& condition) {
    std::unique_lock lock(mutex_);
    return posted_.wait_for(lock, kPatience, [&] { return condition(notifications_); });
}

std::vector<TNotifyCode> TRecordingSink::Codes() {
    std::lock_guard lock(mutex_);
    std::vector<TNotifyCode> codes;
    for (const TNotification& notification : notifications_) {
        codes.push_back(notification.Code);
    }
    return codes;
}

std::vector<std::string> TRecordingSink::Blocks() {
    std::lock_guard lock(mutex_);
    std::vector<std::string> blocks;
    for (const TNotification& notification : notifications_) {
        if (notification.Code == TNotifyCode::NOTIFY_DATA) {
            blocks.emplace_back(reinterpret_cast<const char*>(notification.Block.get()),
                                notification.WParam);
        }
    }
    return blocks;
}

std::vector<TBlockEnd> TRecordingSink::Ends() {
    std::lock_guard lock(mutex_);
    std::vector<TBlockEnd> ends;
    for (const TNotification& notification : notifications_) {
        if (notification.Code == TNotifyCode::NOTIFY_DATA) {
            ends.push_back(notification.BlockEnd);
        }
    }
    return ends;
}

std::string TRecordingSink::Bytes() {
    std::string bytes;
    for (const std::string& block : Blocks()) {
        bytes += block;
    }
    return bytes;
}

bool TRecordingSink::EveryBlockTerminated() {
    std::lock_guard lock(mutex_);
    return std::all_of(notifications_.begin(), notifications_.end(), [](const auto& n) {
        return n.Code != TNotifyCode::NOTIFY_DATA || n.Block[n.WParam] == 0;
    });
}

std::size_t CountOf(const std::vector<TNotification>& notifications, TNotifyCode code) {
    return static_cast<std::size_t>(
        std::count_if(notifications.begin(), notifications.end(),
                      [code](const auto& n) { return n.Code == code; }));
}

std::size_t BytesIn(const std::vector<TNotification>& notifications) {
    std::size_t bytes = 0;
    for (const TNotification& notification : notifications) {
        if (notification.Code == TNotifyCode::NOTIFY_DATA) {
            bytes += notification.WParam;
        }
    }
    return bytes;
}

TRunningEngine::TRunningEngine(TNotifySink& sink)
    : device_(TPortDevice::Create()), notifier_(sink) {
    if (device_->Open(kEnginePort).Result != TOpenResult::Opened) {
        throw std::runtime_error(
            "cannot open COM21; run these tests through scripts/test-win32.sh");
    }
    device_->Purge(TPurgeSide::Both);
    device_->ApplyTimeouts(TCommTimeouts{});
    device_->ApplyLineSettings(StoredLineSettings());
    if (!device_->CreateCloseEvent()) {
        throw std::runtime_error("cannot create the close event");
    }
    reader_ = std::make_unique<TReadThread>(*device_, notifier_);
    writer_ = std::make_unique<TWriteThread>(*device_, notifier_, queue_, sendIdle_);
}

bool TRunningEngine::Send(std::string_view bytes) {
    TWriteRequest request{std::make_unique<std::uint8_t[]>(bytes.size() + 1),
                          static_cast<std::uint16_t>(bytes.size())};
    std::copy(bytes.begin(), bytes.end(), request.Block.get());
    return queue_.Post(std::move(request)) == TPostResult::Queued;
}

void TRunningEngine::Close() {
    if (!device_) {
        return;
    }
    device_->SignalClose();
    device_->Purge(TPurgeSide::Input);
    reader_.reset();
    device_->Purge(TPurgeSide::Output);
    queue_.Stop();
    writer_.reset();
    device_.reset();
}

TPlainPort::TPlainPort(const char* name)
    : handle_(CreateFileA(Win32DeviceNameFor(name).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                          nullptr, OPEN_EXISTING, 0, nullptr)) {
    if (handle_ == INVALID_HANDLE_VALUE) {
        throw std::runtime_error(std::string("cannot open ") + name +
                                 "; run these tests through scripts/test-win32.sh");
    }
    // Return what has arrived, waiting a while for the first byte.
    COMMTIMEOUTS timeouts{MAXDWORD, 0, kQuietLineMs, 0, 0};
    SetCommTimeouts(handle_, &timeouts);
}

TPlainPort::~TPlainPort() {
    CloseHandle(handle_);
}

void TPlainPort::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        if (!WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                       nullptr)) {
            throw std::runtime_error("far end write failed");
        }
        bytes.remove_prefix(written);
    }
}

std::string TPlainPort::Read(std::size_t count) {
    std::string bytes;
    while (bytes.size() < count) {
        char buffer[4096];
        DWORD got = 0;
        const DWORD wanted = static_cast<DWORD>(std::min(count - bytes.size(), sizeof buffer));
        if (!ReadFile(handle_, buffer, wanted, &got, nullptr) || got == 0) {
            break;
        }
        bytes.append(buffer, got);
    }
    return bytes;
}

TFarEnd::TFarEnd() {
    Command("reset");
}

void TFarEnd::Command(std::string_view command) {
    control_.Write(std::string(command) + "\n");
    if (control_.Read(3) != "ok\n") {
        throw std::runtime_error("the pty link did not answer " + std::string(command));
    }
}

std::string RandomBytes(std::size_t count) {
    std::mt19937 random(2048);
    std::string bytes(count, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(random() & 0xFF);
    }
    return bytes;
}
