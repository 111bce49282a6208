// The simulator's end of a pseudo-terminal. It keeps a slave descriptor open
// for its whole life, so the far side may open and close the device as often
// as it likes without the master ever seeing a hang-up.
#pragma once

#include <string>

class TSimPty {
  public:
    TSimPty();  // throws std::runtime_error when no pty can be made
    ~TSimPty();
    TSimPty(const TSimPty&) = delete;
    TSimPty& operator=(const TSimPty&) = delete;

    int MasterFd() const { return master_; }
    const std::string& DevicePath() const { return devicePath_; }
    // Points linkPath at the device, replacing an old link (never a file).
    void Link(const std::string& linkPath);

  private:
    int master_ = -1;
    int keepAlive_ = -1;
    std::string devicePath_;
    std::string linkPath_;
};
