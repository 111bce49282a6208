// The reader of an open port: keeps a read pending at all times, watches line
// events, and posts every received run of bytes (at most 2048, with how it
// ended and when its bytes came) and every line event to the component. Pauses while the owner has
// a full read budget of blocks still to take. Ends on the close event or at the first fault.
#pragma once

#include <cstdint>
#include <thread>

#include "serial/Notification.h"
#include "serial/PortDevice.h"

class TReadThread {
  public:
    TReadThread(TPortDevice& port, TThreadNotifier& notifier);  // starts at once
    ~TReadThread();                                             // waits for the run to end
    TReadThread(const TReadThread&) = delete;
    TReadThread& operator=(const TReadThread&) = delete;

  private:
    void Run();
    bool CompleteRead();
    bool PassReceived(const std::uint8_t* buffer, std::size_t count, TBlockEnd end,
                      TArrivalMarks marks);
    bool CompleteLineEvent();

    TPortDevice& port_;
    TThreadNotifier& notifier_;
    std::thread thread_;
};
