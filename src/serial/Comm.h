// TComm owns one serial port. It keeps the line settings and time-outs as
// properties, opens the port on request, runs one reader and one writer thread
// while it is open, and turns what those threads report into events.
//
// Construct it on a thread that runs a Qt event loop (a QCoreApplication is
// enough): its events run on that thread, in the order the threads posted them.
// A received block is valid only during the OnReceiveData call; copy what you
// keep. During that call ReceivedBlockEnd tells whether the line paused after
// the block or the next block continues it. Setters re-apply the line settings
// or time-outs at once while the port is open; CommName and Parity are only
// stored.
//
// Each open is a session of its own: once the port has been opened again,
// nothing the previous session's threads posted reaches the handlers, and a
// hang-up request reaches them only while its session is open. Both queues
// between the threads and the owner are bounded (TCommLimits): a reader whose
// owner is that far behind stops reading until it catches up, and SendBlock
// refuses what would take the unwritten bytes past the limit.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "serial/ArrivalMarks.h"
#include "serial/CommTypes.h"
#include "serial/ReadBudget.h"

// Raised by OpenPort. The message is the component's own; the operating
// system's error code (errno, or GetLastError on Windows) travels beside it
// for callers that tell the user why.
class ECommsError : public std::runtime_error {
  public:
    explicit ECommsError(const std::string& message, int systemError = 0)
        : std::runtime_error(message), systemError_(systemError) {}
    // 0 when the failure has no such code.
    int SystemError() const { return systemError_; }

  private:
    int systemError_;
};

// Bounds of the two queues between the port's threads and the owner.
struct TCommLimits {
    std::size_t ReadQueueBytes = kReadQueueLimitBytes;
    std::size_t WriteQueueBytes = kWriteQueueLimitBytes;
};

// Why the last SendBlock returned false.
enum class TSendRefusal { None, NotOpen, EmptyBlock, BufferFull };

class TPortDevice;
class TReadThread;
class TWriteThread;
class TWriteQueue;
class TNotifyWindow;
class TThreadNotifier;
struct TNotification;

class TComm {
  public:
    using TReceiveDataEvent =
        std::function<void(TComm* Sender, const std::uint8_t* Buffer, std::uint16_t BufferLength)>;
    using TReceiveErrorEvent = std::function<void(TComm* Sender, std::uint32_t EventMask)>;
    using TModemStateChangeEvent = std::function<void(TComm* Sender, std::uint32_t ModemEvent)>;
    using TNotifyEvent = std::function<void(TComm* Sender)>;
    using TSendDataEmptyEvent = std::function<void(TComm* Sender)>;

    explicit TComm(TCommLimits limits = {});
    ~TComm();  // closes the port if it is still open
    TComm(const TComm&) = delete;
    TComm& operator=(const TComm&) = delete;

    // Opens CommName ("COMn" names /dev/ttyS(n-1); anything else is a path).
    // Raises ECommsError with the reason; a failed open leaves nothing behind.
    void OpenPort();
    // Ends both threads and closes the port; never raises, never hangs.
    void ClosePort();
    // Queues a copy of the bytes for the writer thread. False when the port is
    // closed, length is 0, the writer has ended or the send buffer is full
    // (LastSendRefusal tells which). True means queued, not sent.
    bool SendBlock(const void* data, std::uint16_t length);
    TSendRefusal LastSendRefusal() const { return lastSendRefusal_; }
    bool IsOpen() const { return device_ != nullptr; }
    // The device CommName stands for ("COM1" is /dev/ttyS0 on Linux).
    std::string DevicePath() const;
    // How the block being delivered ended; meaningful during OnReceiveData.
    TBlockEnd ReceivedBlockEnd() const { return receivedBlockEnd_; }
    // When the bytes of the block being delivered came out of the driver,
    // read by read; meaningful during OnReceiveData.
    const TArrivalMarks& ReceivedArrival() const { return *receivedArrival_; }
    // Bytes handed to SendBlock that the last ClosePort dropped unwritten.
    std::uint64_t UnsentBytesAtClose() const { return unsentAtClose_; }
    // Received bytes (with their bookkeeping) posted and not yet delivered.
    std::size_t UndeliveredBytes() const { return budget_.Undelivered(); }

    // Published properties, in their stored order.
    const std::string& CommName() const { return commName_; }
    void SetCommName(const std::string& value) { commName_ = value; }
    std::uint32_t BaudRate() const { return line_.BaudRate; }
    void SetBaudRate(std::uint32_t value);
    bool ParityCheck() const { return line_.ParityCheck; }
    void SetParityCheck(bool value);
    bool Outx_CtsFlow() const { return line_.Outx_CtsFlow; }
    void SetOutx_CtsFlow(bool value);
    bool Outx_DsrFlow() const { return line_.Outx_DsrFlow; }
    void SetOutx_DsrFlow(bool value);
    TDtrControl DtrControl() const { return line_.DtrControl; }
    void SetDtrControl(TDtrControl value);
    bool DsrSensitivity() const { return line_.DsrSensitivity; }
    void SetDsrSensitivity(bool value);
    bool TxContinueOnXoff() const { return line_.TxContinueOnXoff; }
    void SetTxContinueOnXoff(bool value);
    bool Outx_XonXoffFlow() const { return line_.Outx_XonXoffFlow; }
    void SetOutx_XonXoffFlow(bool value);
    bool Inx_XonXoffFlow() const { return line_.Inx_XonXoffFlow; }
    void SetInx_XonXoffFlow(bool value);
    bool ReplaceWhenParityError() const { return line_.ReplaceWhenParityError; }
    void SetReplaceWhenParityError(bool value);
    bool IgnoreNullChar() const { return line_.IgnoreNullChar; }
    void SetIgnoreNullChar(bool value);
    TRtsControl RtsControl() const { return line_.RtsControl; }
    void SetRtsControl(TRtsControl value);
    std::uint16_t XonLimit() const { return line_.XonLimit; }
    void SetXonLimit(std::uint16_t value);
    std::uint16_t XoffLimit() const { return line_.XoffLimit; }
    void SetXoffLimit(std::uint16_t value);
    TByteSize ByteSize() const { return line_.ByteSize; }
    void SetByteSize(TByteSize value);
    // Stored only: reaches the line at the next open or re-application.
    TParity Parity() const { return line_.Parity; }
    void SetParity(TParity value) { line_.Parity = value; }
    TStopBits StopBits() const { return line_.StopBits; }
    void SetStopBits(TStopBits value);
    char XonChar() const { return line_.XonChar; }
    void SetXonChar(char value);
    char XoffChar() const { return line_.XoffChar; }
    void SetXoffChar(char value);
    char ReplacedChar() const { return line_.ReplacedChar; }
    void SetReplacedChar(char value);
    std::uint32_t ReadIntervalTimeout() const { return timeouts_.ReadIntervalTimeout; }
    void SetReadIntervalTimeout(std::uint32_t value);
    std::uint32_t ReadTotalTimeoutMultiplier() const {
        return timeouts_.ReadTotalTimeoutMultiplier;
    }
    void SetReadTotalTimeoutMultiplier(std::uint32_t value);
    std::uint32_t ReadTotalTimeoutConstant() const { return timeouts_.ReadTotalTimeoutConstant; }
    void SetReadTotalTimeoutConstant(std::uint32_t value);
    std::uint32_t WriteTotalTimeoutMultiplier() const {
        return timeouts_.WriteTotalTimeoutMultiplier;
    }
    void SetWriteTotalTimeoutMultiplier(std::uint32_t value);
    std::uint32_t WriteTotalTimeoutConstant() const { return timeouts_.WriteTotalTimeoutConstant; }
    void SetWriteTotalTimeoutConstant(std::uint32_t value);

    TReceiveDataEvent OnReceiveData;
    TReceiveErrorEvent OnReceiveError;
    TModemStateChangeEvent OnModemStateChange;
    TNotifyEvent OnRequestHangup;
    TSendDataEmptyEvent OnSendDataEmpty;

  private:
    template <typename T>
    void ChangeLineSetting(T TLineSettings::*field, T value);
    void ChangeTimeout(std::uint32_t TCommTimeouts::*field, std::uint32_t value);
    void StartThreads();
    void StopReader();
    void StopWriter();
    void HandleNotification(TNotification& notification);

    const TCommLimits limits_;
    std::string commName_ = "COM2";
    TLineSettings line_;
    TCommTimeouts timeouts_;

    std::unique_ptr<TNotifyWindow> notifyWindow_;
    std::unique_ptr<TPortDevice> device_;  // set while the port is open
    std::unique_ptr<TThreadNotifier> notifier_;
    std::unique_ptr<TWriteQueue> writeQueue_;
    std::unique_ptr<TReadThread> reader_;
    std::unique_ptr<TWriteThread> writer_;
    std::atomic<bool> sendIdle_ = true;
    TBlockEnd receivedBlockEnd_ = TBlockEnd::Pause;
    static inline const TArrivalMarks kNoArrival{};
    const TArrivalMarks* receivedArrival_ = &kNoArrival;
    TReadBudget budget_;
    std::uint64_t session_ = 0;  // of the latest open
    TSendRefusal lastSendRefusal_ = TSendRefusal::None;
    std::uint64_t unsentAtClose_ = 0;
};
