// Shared helpers of the serial engine tests: a real pseudo-terminal pair with
// the device side in test code, waiting on conditions while the Qt event
// loop delivers the component's events, and a recorder of those events.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "serial/Comm.h"

using namespace std::chrono_literals;

// Skips a test whose peer program was not found when the build was configured.
#define KELVANE_SKIP_WITHOUT(tool)      \
    if (std::string_view(tool).empty()) \
    GTEST_SKIP() << #tool " was not found when configuring"

// Runs the event loop until done() holds or limit passes; false on time-out.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = 10s);
// Waits without running the event loop, so that nothing is delivered meanwhile.
bool WaitWithoutEvents(const std::function<bool()>& done, std::chrono::milliseconds limit = 10s);
// Runs the event loop for a while, to show that something does NOT happen.
void RunEventsFor(std::chrono::milliseconds duration);

class TPtyPair {
  public:
    TPtyPair();  // raw line; the test keeps a slave descriptor open throughout
    ~TPtyPair();
    TPtyPair(const TPtyPair&) = delete;
    TPtyPair& operator=(const TPtyPair&) = delete;

    const std::string& SlavePath() const { return slavePath_; }
    int SlaveFd() const { return slave_; }
    void WriteToPort(const std::string& bytes);  // from the device side
    // Reads from the device side until count bytes came or 10 s passed.
    std::string ReadFromPort(std::size_t count);
    // Whatever arrives at the device side within duration.
    std::string ReadFromPortFor(std::chrono::milliseconds duration);
    void CloseDeviceSide();

  private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};

// Opens comm on path with the settings the main window uses (no flow control).
void OpenLikeTheMainWindow(TComm& comm, const std::string& path);
// Random bytes, the same for the same seed.
std::string RandomBytes(std::size_t count, unsigned seed = 12345);

struct TCommRecorder {
    explicit TCommRecorder(TComm& comm);

    std::string Bytes;
    std::vector<std::string> Blocks;
    std::vector<TBlockEnd> Ends;          // how each block ended
    std::vector<TArrivalMarks> Arrivals;  // when each block's bytes came
    bool EveryBlockTerminated = true;
    int SendIdle = 0;
    int Hangups = 0;
};

// The port takes bytes from the device side and sends to it: tag goes one
// way and back the other.
void ExpectDataFlows(TComm& comm, TPtyPair& pty, TCommRecorder& recorder, const std::string& tag);
