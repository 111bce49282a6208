// The writer of an open port: takes blocks from its queue in order and writes
// each completely. Tells the component each time its queue runs empty after a
// write (and once at start). Ends on the close event or at the first fault;
// blocks still queued then are dropped.
#pragma once

#include <atomic>
#include <thread>

#include "serial/Notification.h"
#include "serial/PortDevice.h"
#include "serial/WriteQueue.h"

class TWriteThread {
  public:
    // Starts at once. sendIdle is set whenever the queue runs empty.
    TWriteThread(TPortDevice& port, TThreadNotifier& notifier, TWriteQueue& queue,
                 std::atomic<bool>& sendIdle);
    ~TWriteThread();  // waits for the run to end
    TWriteThread(const TWriteThread&) = delete;
    TWriteThread& operator=(const TWriteThread&) = delete;

  private:
    void Run();
    bool WriteBlock(const TWriteRequest& request);

    TPortDevice& port_;
    TThreadNotifier& notifier_;
    TWriteQueue& queue_;
    std::atomic<bool>& sendIdle_;
    std::thread thread_;
};
