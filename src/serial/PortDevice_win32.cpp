// The port device over Win32 communications: one handle opened for overlapped
// I/O, on which the reader's read and line-event wait and the writer's write
// are pending at the same time, each with its own record and event. The
// manual-reset close event comes first in every wait list, so a close request
// wins over line events and line events over received data.
//
// The driver only hands over what it has (waiting for a first byte when it
// has nothing); the reader frames blocks itself by the read time-outs and the
// block age limit, as over termios, since the driver's own framing cannot cut
// a block that a steady stream keeps growing.
#include "serial/Dcb_win32.h"  // first: it orders our headers before <windows.h>
#include "serial/LineMapping_win32.h"
#include "serial/PortDevice.h"
#include "serial/ReadTimeouts.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>

namespace {

constexpr DWORD kDriverQueueSize = 4096;
constexpr DWORD kPurgeInput = PURGE_RXABORT | PURGE_RXCLEAR;   // 10
constexpr DWORD kPurgeOutput = PURGE_TXABORT | PURGE_TXCLEAR;  // 5
constexpr DWORD kPurgeBoth = kPurgeInput | kPurgeOutput;       // 15
// A driver read waits without limit for its first byte and returns at the
// first gap after it, so the reader sees bytes about as they come.
constexpr DWORD kDriverReadIntervalMs = 1;

// One overlapped operation: a record with its own event (manual reset,
// created signalled), and whether the driver still holds the record.
class TOverlappedOp {
  public:
    TOverlappedOp() = default;
    ~TOverlappedOp() {
        if (event_ != nullptr) {
            CloseHandle(event_);
        }
    }
    TOverlappedOp(const TOverlappedOp&) = delete;
    TOverlappedOp& operator=(const TOverlappedOp&) = delete;

    bool MakeEvent() {
        event_ = CreateEventA(nullptr, TRUE, TRUE, nullptr);
        return event_ != nullptr;
    }
    HANDLE Event() const { return event_; }
    bool Pending() const { return pending_; }

    // A fresh record for the next operation.
    OVERLAPPED* Start() {
        record_ = OVERLAPPED{};
        record_.hEvent = event_;
        return &record_;
    }
    // The starting call left the operation with the driver.
    void MarkPending() { pending_ = true; }
    // The result of a finished operation; with wait, waits for it to finish.
    bool Finish(HANDLE port, DWORD& count, bool wait) {
        const bool ok = GetOverlappedResult(port, &record_, &count, wait ? TRUE : FALSE) != FALSE;
        if (ok || GetLastError() != ERROR_IO_INCOMPLETE) {
            pending_ = false;
        }
        return ok;
    }
    // The record may be reused or freed only once the driver is done with it.
    void CancelAndWait(HANDLE port) {
        if (!pending_) {
            return;
        }
        CancelIoEx(port, &record_);
        DWORD ignored = 0;
        Finish(port, ignored, true);
    }

  private:
    OVERLAPPED record_{};
    HANDLE event_ = nullptr;
    bool pending_ = false;
};

class TWin32PortDevice final : public TPortDevice {
  public:
    ~TWin32PortDevice() override;

    TOpenOutcome Open(const std::string& commName) override;
    bool CreateCloseEvent() override;
    void SignalClose() override { SetEvent(closeEvent_); }
    bool CloseSignalled() const override;
    void Purge(TPurgeSide side) override;
    void ApplyLineSettings(const TLineSettings& settings) override;
    void ApplyTimeouts(const TCommTimeouts& timeouts) override;

    TReaderWake WaitForReader() override;
    TLineEvent TakeLineEvent() override;
    TTransfer Read(std::span<std::uint8_t> buffer, TArrivalMarks& marks) override;
    TTransfer Write(std::span<const std::uint8_t> bytes) override;

  private:
    // What arming a read or line-event wait gave: nothing yet, a result to
    // hand over at once, a close, or a fault.
    enum class TArm { Waiting, Completed, Closed, Failed };
    bool StartReader();
    TArm ArmLineEvent();
    TArm ArmRead();
    TArm ArmFailed(TOverlappedOp& op);
    TReaderWake AwaitReaderWake();
    TReaderWake ReaderFailed();
    TTransfer TransferFailed();
    void StageRead();
    TCommTimeouts ReadTimeouts() const;

    HANDLE port_ = INVALID_HANDLE_VALUE;
    HANDLE closeEvent_ = nullptr;

    // Reader thread only.
    bool readerStarted_ = false;
    TOverlappedOp lineOp_;
    DWORD eventMask_ = 0;
    bool lineEventWaiting_ = false;
    bool lineEventsSupported_ = true;
    // What the last read brought: the current block takes from the front,
    // the rest waits for the next block.
    TOverlappedOp readOp_;
    std::array<std::uint8_t, kDriverQueueSize> stage_{};
    DWORD readCount_ = 0;
    DWORD stageBegin_ = 0;
    DWORD stageEnd_ = 0;
    TArrivalTime stagedAt_;  // when the staged bytes came out of the driver

    // Written by the owner's setters while the reader reads them.
    std::atomic<std::uint32_t> readInterval_ = 0;
    std::atomic<std::uint32_t> readTotalMultiplier_ = 0;
    std::atomic<std::uint32_t> readTotalConstant_ = 0;

    // Writer thread only.
    TOverlappedOp writeOp_;
};

TWin32PortDevice::~TWin32PortDevice() {
    if (port_ != INVALID_HANDLE_VALUE) {
        // The threads are gone but their last read and line-event wait may
        // still be pending; their records must outlive them.
        readOp_.CancelAndWait(port_);
        lineOp_.CancelAndWait(port_);
        writeOp_.CancelAndWait(port_);
        CloseHandle(port_);
    }
    if (closeEvent_ != nullptr) {
        CloseHandle(closeEvent_);
    }
}

TOpenOutcome TWin32PortDevice::Open(const std::string& commName) {
    const HANDLE port =
        CreateFileA(Win32DeviceNameFor(commName).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                    OPEN_EXISTING, FILE_FLAG_OVERLAPPED | FILE_ATTRIBUTE_NORMAL, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        return {TOpenResult::CannotOpen, static_cast<int>(GetLastError())};
    }
    if (GetFileType(port) != FILE_TYPE_CHAR) {
        CloseHandle(port);
        return {TOpenResult::NotCharDevice};
    }
    if (!SetupComm(port, kDriverQueueSize, kDriverQueueSize)) {
        const int error = static_cast<int>(GetLastError());
        CloseHandle(port);
        return {TOpenResult::CannotSetupBuffers, error};
    }
    port_ = port;
    return {TOpenResult::Opened};
}

bool TWin32PortDevice::CreateCloseEvent() {
    closeEvent_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    return closeEvent_ != nullptr;
}

bool TWin32PortDevice::CloseSignalled() const {
    return closeEvent_ != nullptr && WaitForSingleObject(closeEvent_, 0) == WAIT_OBJECT_0;
}

void TWin32PortDevice::Purge(TPurgeSide side) {
    switch (side) {
        case TPurgeSide::Input:
            PurgeComm(port_, kPurgeInput);
            break;
        case TPurgeSide::Output:
            PurgeComm(port_, kPurgeOutput);
            break;
        case TPurgeSide::Both:
            PurgeComm(port_, kPurgeBoth);
            break;
    }
}

void TWin32PortDevice::ApplyLineSettings(const TLineSettings& settings) {
    // Start from what the driver reports, so that EofChar, EvtChar and the
    // reserved fields keep its values.
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    GetCommState(port_, &dcb);
    StoreDcbFields(DcbFieldsFor(settings), dcb);
    SetCommState(port_, &dcb);
}

void TWin32PortDevice::ApplyTimeouts(const TCommTimeouts& timeouts) {
    readInterval_ = timeouts.ReadIntervalTimeout;
    readTotalMultiplier_ = timeouts.ReadTotalTimeoutMultiplier;
    readTotalConstant_ = timeouts.ReadTotalTimeoutConstant;
    COMMTIMEOUTS record{kDriverReadIntervalMs, 0, 0, timeouts.WriteTotalTimeoutMultiplier,
                        timeouts.WriteTotalTimeoutConstant};
    SetCommTimeouts(port_, &record);
}

TCommTimeouts TWin32PortDevice::ReadTimeouts() const {
    return TCommTimeouts{readInterval_, readTotalMultiplier_, readTotalConstant_};
}

bool TWin32PortDevice::StartReader() {
    if (!readerStarted_) {
        readerStarted_ = true;
        if (!lineOp_.MakeEvent() || !readOp_.MakeEvent() || !SetCommMask(port_, kLineEventMask)) {
            return false;
        }
    }
    return lineOp_.Event() != nullptr && readOp_.Event() != nullptr;
}

TReaderWake TWin32PortDevice::WaitForReader() {
    if (!StartReader()) {
        return TReaderWake::Failed;
    }
    if (CloseSignalled()) {
        return TReaderWake::Close;
    }
    // Bytes left over from the last block start the next one at once.
    if (stageBegin_ < stageEnd_) {
        return TReaderWake::DataReady;
    }
    // Only what the last wake consumed is re-armed. A line event or a read
    // that completes at once is handed over without a wait, so bytes already
    // in the driver are read on straight away.
    if (lineEventsSupported_ && !lineOp_.Pending() && !lineEventWaiting_) {
        switch (ArmLineEvent()) {
            case TArm::Waiting:
                break;
            case TArm::Completed:
                return TReaderWake::LineEvent;
            case TArm::Closed:
                return TReaderWake::Close;
            case TArm::Failed:
                return TReaderWake::Failed;
        }
    }
    if (!readOp_.Pending()) {
        switch (ArmRead()) {
            case TArm::Waiting:
                break;
            case TArm::Completed:
                return TReaderWake::DataReady;
            case TArm::Closed:
                return TReaderWake::Close;
            case TArm::Failed:
                return TReaderWake::Failed;
        }
    }
    return AwaitReaderWake();
}

TReaderWake TWin32PortDevice::AwaitReaderWake() {
    std::array<HANDLE, 3> waitList{closeEvent_};
    DWORD handles = 1;
    if (lineEventsSupported_) {
        waitList[handles++] = lineOp_.Event();
    }
    waitList[handles++] = readOp_.Event();
    const DWORD woke = WaitForMultipleObjects(handles, waitList.data(), FALSE, INFINITE);
    if (woke == WAIT_OBJECT_0) {
        return TReaderWake::Close;
    }
    if (woke == WAIT_OBJECT_0 + handles - 1) {
        if (!readOp_.Finish(port_, readCount_, false)) {
            return ReaderFailed();
        }
        StageRead();
        return TReaderWake::DataReady;
    }
    if (lineEventsSupported_ && woke == WAIT_OBJECT_0 + 1) {
        DWORD ignored = 0;
        if (!lineOp_.Finish(port_, ignored, false)) {
            return ReaderFailed();
        }
        lineEventWaiting_ = true;
        return TReaderWake::LineEvent;
    }
    return TReaderWake::Failed;
}

TWin32PortDevice::TArm TWin32PortDevice::ArmLineEvent() {
    eventMask_ = 0;
    if (WaitCommEvent(port_, &eventMask_, lineOp_.Start())) {
        lineEventWaiting_ = true;
        return TArm::Completed;
    }
    if (GetLastError() == ERROR_NOT_SUPPORTED) {
        // Some drivers (virtual ports, Wine over a pseudo-terminal) cannot
        // report line events. Received bytes matter more: read on without.
        lineEventsSupported_ = false;
        return TArm::Waiting;
    }
    return ArmFailed(lineOp_);
}

TWin32PortDevice::TArm TWin32PortDevice::ArmRead() {
    readCount_ = 0;
    if (ReadFile(port_, stage_.data(), stage_.size(), nullptr, readOp_.Start()) &&
        readOp_.Finish(port_, readCount_, false)) {
        StageRead();
        return TArm::Completed;
    }
    return ArmFailed(readOp_);
}

void TWin32PortDevice::StageRead() {
    stagedAt_ = TArrivalClock::now();
    stageBegin_ = 0;
    stageEnd_ = readCount_;
}

TWin32PortDevice::TArm TWin32PortDevice::ArmFailed(TOverlappedOp& op) {
    const DWORD error = GetLastError();
    if (error == ERROR_IO_PENDING) {
        op.MarkPending();
        return TArm::Waiting;
    }
    // A closed handle means the port was closed under us: end quietly.
    if (error == ERROR_INVALID_HANDLE || CloseSignalled()) {
        return TArm::Closed;
    }
    return TArm::Failed;
}

TReaderWake TWin32PortDevice::ReaderFailed() {
    if (GetLastError() == ERROR_INVALID_HANDLE || CloseSignalled()) {
        return TReaderWake::Close;
    }
    return TReaderWake::Failed;
}

TLineEvent TWin32PortDevice::TakeLineEvent() {
    lineEventWaiting_ = false;
    DWORD errors = 0;
    if ((eventMask_ & kEvErr) != 0 && !ClearCommError(port_, &errors, nullptr)) {
        return {};  // an event that says nothing: the reader gives up
    }
    return LineEventFor(eventMask_, errors);
}

TTransfer TWin32PortDevice::Read(std::span<std::uint8_t> buffer, TArrivalMarks& marks) {
    std::size_t count = 0;
    ULONGLONG firstByteAt = 0;
    for (;;) {
        if (stageBegin_ < stageEnd_) {
            // More bytes are here, so a block that is full or overdue is cut
            // now and they start the next one. Neither is cut before the line
            // has shown that it goes on: at the end of a burst the pause ends
            // the block.
            if (count == buffer.size() ||
                (count > 0 && BlockOverdue(ReadTimeouts(), GetTickCount64() - firstByteAt))) {
                return {TTransfer::Done, count, TBlockEnd::Cut};
            }
            if (count == 0) {
                firstByteAt = GetTickCount64();
            }
            const std::size_t take =
                std::min<std::size_t>(stageEnd_ - stageBegin_, buffer.size() - count);
            std::memcpy(buffer.data() + count, stage_.data() + stageBegin_, take);
            stageBegin_ += static_cast<DWORD>(take);
            count += take;
            marks.Add(count, stagedAt_);
            continue;
        }
        if (!readOp_.Pending()) {
            switch (ArmRead()) {
                case TArm::Completed:
                    continue;
                case TArm::Waiting:
                    break;
                case TArm::Closed:
                    return {TTransfer::Close};
                case TArm::Failed:
                    return count > 0 ? TTransfer{TTransfer::Done, count}
                                     : TTransfer{TTransfer::Failed};
            }
        }
        TNextByteWait wait{-1, TBlockEnd::Pause};
        if (count > 0) {
            wait = NextByteWait(ReadTimeouts(), buffer.size(), GetTickCount64() - firstByteAt);
        }
        // A block that ends here leaves the read pending: it brings the next one.
        const std::array<HANDLE, 2> waitList{closeEvent_, readOp_.Event()};
        switch (WaitForMultipleObjects(waitList.size(), waitList.data(), FALSE,
                                       wait.Ms < 0 ? INFINITE : static_cast<DWORD>(wait.Ms))) {
            case WAIT_OBJECT_0:
                return {TTransfer::Close};
            case WAIT_TIMEOUT:
                return {TTransfer::Done, count, wait.EndsAs};
            case WAIT_OBJECT_0 + 1:
                if (readOp_.Finish(port_, readCount_, false)) {
                    StageRead();
                    continue;
                }
                if (ReaderFailed() == TReaderWake::Close) {
                    return {TTransfer::Close};
                }
                return count > 0 ? TTransfer{TTransfer::Done, count} : TTransfer{TTransfer::Failed};
            default:
                return {TTransfer::Failed};
        }
    }
}

TTransfer TWin32PortDevice::Write(std::span<const std::uint8_t> bytes) {
    if (writeOp_.Event() == nullptr && !writeOp_.MakeEvent()) {
        return {TTransfer::Failed};
    }
    DWORD written = 0;
    if (WriteFile(port_, bytes.data(), static_cast<DWORD>(bytes.size()), nullptr,
                  writeOp_.Start())) {
        return writeOp_.Finish(port_, written, false) ? TTransfer{TTransfer::Done, written}
                                                      : TransferFailed();
    }
    if (GetLastError() != ERROR_IO_PENDING) {
        return TransferFailed();
    }
    writeOp_.MarkPending();
    const std::array<HANDLE, 2> waitList{closeEvent_, writeOp_.Event()};
    switch (WaitForMultipleObjects(waitList.size(), waitList.data(), FALSE, INFINITE)) {
        case WAIT_OBJECT_0:
            // Held back (by flow control, say) until the close: give up the rest.
            writeOp_.CancelAndWait(port_);
            return {TTransfer::Close};
        case WAIT_OBJECT_0 + 1:
            if (writeOp_.Finish(port_, written, true)) {
                return {TTransfer::Done, written};
            }
            return TransferFailed();
        default:
            return {TTransfer::Failed};
    }
}

TTransfer TWin32PortDevice::TransferFailed() {
    if (GetLastError() == ERROR_INVALID_HANDLE || CloseSignalled()) {
        return {TTransfer::Close};
    }
    return {TTransfer::Failed};
}

}  // namespace

std::unique_ptr<TPortDevice> TPortDevice::Create() {
    return std::make_unique<TWin32PortDevice>();
}

std::string TPortDevice::DevicePathFor(const std::string& commName) {
    return Win32DeviceNameFor(commName);
}
