// The operating-system side of one open serial port: what TComm and its
// reader and writer threads need, with one implementation per OS. Every wait
// here also ends when the close event is signalled, so closing never hangs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "serial/ArrivalMarks.h"
#include "serial/CommTypes.h"

enum class TOpenResult { Opened, CannotOpen, NotCharDevice, CannotSetupBuffers };
// How an open went, with the operating system's error code (errno or
// GetLastError) when it failed.
struct TOpenOutcome {
    TOpenResult Result;
    int SystemError = 0;
};
enum class TPurgeSide { Input, Output, Both };

// What woke the reader. Close goes before line events, line events before data.
enum class TReaderWake { Close, LineEvent, DataReady, Failed };

// Line error flags (CE_*) and modem event bits (MODEM_*) seen since the last
// line event. Stale: the driver signalled an error whose flags an earlier
// event already collected, so there is nothing new to tell, and nothing wrong.
struct TLineEvent {
    std::uint32_t Errors = 0;
    std::uint32_t ModemEvents = 0;
    bool Stale = false;
};

struct TTransfer {
    enum TStatus { Done, Close, Failed };
    TStatus Status;
    std::size_t Count = 0;
    TBlockEnd End = TBlockEnd::Pause;  // for a read that is Done
};

class TPortDevice {
  public:
    static std::unique_ptr<TPortDevice> Create();
    // The device a port name stands for on this OS ("COM1" is /dev/ttyS0 on
    // Linux, \\.\COM1 on Windows; a path stays a path).
    static std::string DevicePathFor(const std::string& commName);
    virtual ~TPortDevice() = default;  // closes the port and the close event

    // Opens the named port for exclusive use and checks that it is a serial
    // device whose queues can be set up.
    virtual TOpenOutcome Open(const std::string& commName) = 0;
    virtual bool CreateCloseEvent() = 0;
    virtual void SignalClose() = 0;
    virtual bool CloseSignalled() const = 0;
    virtual void Purge(TPurgeSide side) = 0;
    // A driver that rejects a setting keeps its previous one; nothing reports it.
    virtual void ApplyLineSettings(const TLineSettings& settings) = 0;
    virtual void ApplyTimeouts(const TCommTimeouts& timeouts) = 0;

    // Reader side: waits without limit for the close event, a line event or
    // received bytes.
    virtual TReaderWake WaitForReader() = 0;
    virtual TLineEvent TakeLineEvent() = 0;
    // Gathers received bytes into buffer under the read time-outs and the
    // block age limit; Done carries at least one byte and how the block ended.
    // Each read from the driver that brought some of the bytes adds a mark
    // to `marks` (which the caller passes in empty).
    virtual TTransfer Read(std::span<std::uint8_t> buffer, TArrivalMarks& marks) = 0;

    // Writer side: writes what the driver accepts, waiting for room (and for
    // the flow control to allow it) as long as needed.
    virtual TTransfer Write(std::span<const std::uint8_t> bytes) = 0;
};
