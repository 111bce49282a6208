// The Qt-free serial engine running on a Wine COM port, and the far end the
// tests drive. pty_link.py links COM21 (the engine's port) to COM22 (the far
// end) and takes commands on COM23; scripts/test-win32.sh starts it.
#pragma once

#include "serial/Notification.h"
#include "serial/PortDevice.h"
#include "serial/ReadThread.h"
#include "serial/WriteQueue.h"
#include "serial/WriteThread.h"

// After our headers: its CE_* macros would clash with their constants.
#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

constexpr char kEnginePort[] = "COM21";
constexpr char kFarEndPort[] = "COM22";
constexpr char kControlPort[] = "COM23";

// Keeps what the threads post, in order, as the component's notify window
// would deliver it.
class TRecordingSink final : public TNotifySink {
  public:
    bool Post(TNotification notification) override;

    // Waits until condition holds over the notifications so far; false if it
    // still does not after a generous limit.
    bool WaitUntil(const std::function<bool(const std::vector<TNotification>&)>& condition);
    std::vector<TNotifyCode> Codes();
    std::vector<std::string> Blocks();
    std::vector<TBlockEnd> Ends();  // how each block ended
    std::string Bytes();
    bool EveryBlockTerminated();

  private:
    std::mutex mutex_;
    std::condition_variable posted_;
    std::vector<TNotification> notifications_;
};

std::size_t CountOf(const std::vector<TNotification>& notifications, TNotifyCode code);
std::size_t BytesIn(const std::vector<TNotification>& notifications);

// The engine's port opened and running as the component runs it, with the
// line settings the main window stores; closes as the component closes.
class TRunningEngine {
  public:
    explicit TRunningEngine(TNotifySink& sink);
    ~TRunningEngine() { Close(); }

    bool Send(std::string_view bytes);
    void Close();

  private:
    std::unique_ptr<TPortDevice> device_;
    TThreadNotifier notifier_;
    TWriteQueue queue_;
    std::atomic<bool> sendIdle_ = true;
    std::unique_ptr<TReadThread> reader_;
    std::unique_ptr<TWriteThread> writer_;
};

// A COM port opened for plain blocking I/O.
class TPlainPort {
  public:
    explicit TPlainPort(const char* name);
    ~TPlainPort();
    TPlainPort(const TPlainPort&) = delete;
    TPlainPort& operator=(const TPlainPort&) = delete;

    HANDLE Handle() const { return handle_; }
    void Write(std::string_view bytes);
    // What arrives until count bytes are in or the line stays quiet for a while.
    std::string Read(std::size_t count);

  private:
    HANDLE handle_;
};

// The far end of the engine's port, and the link's control line.
class TFarEnd {
  public:
    TFarEnd();  // also drops whatever an earlier test left on the link

    void Write(std::string_view bytes) { port_.Write(bytes); }
    std::string Read(std::size_t count) { return port_.Read(count); }
    // The engine's port loses its far end, as when a USB adapter is pulled.
    void HangUpEnginePort() { Command("hangup"); }

  private:
    void Command(std::string_view command);

    TPlainPort port_{kFarEndPort};
    TPlainPort control_{kControlPort};
};

std::string RandomBytes(std::size_t count);
