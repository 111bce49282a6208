#include "serial/Comm.h"

#include <cstring>
#include <system_error>

#include "serial/NotifyWindow.h"
#include "serial/PortDevice.h"
#include "serial/ReadThread.h"
#include "serial/WriteQueue.h"
#include "serial/WriteThread.h"

TComm::TComm(TCommLimits limits)
    : limits_(limits),
      notifyWindow_(std::make_unique<TNotifyWindow>(
          [this](TNotification& notification) { HandleNotification(notification); })),
      budget_(limits.ReadQueueBytes) {}

TComm::~TComm() {
    // The threads post to the notify window and write sendIdle_: they must be
    // gone before either is.
    ClosePort();
}

std::string TComm::DevicePath() const {
    return TPortDevice::DevicePathFor(commName_);
}

void TComm::OpenPort() {
    if (device_) {
        throw ECommsError("This serial port already opened");
    }
    std::unique_ptr<TPortDevice> device = TPortDevice::Create();
    const TOpenOutcome outcome = device->Open(commName_);
    switch (outcome.Result) {
        case TOpenResult::Opened:
            break;
        case TOpenResult::CannotOpen:
            throw ECommsError("Error opening serial port", outcome.SystemError);
        case TOpenResult::NotCharDevice:
            throw ECommsError("File handle is not a comm handle ", outcome.SystemError);
        case TOpenResult::CannotSetupBuffers:
            throw ECommsError("Cannot setup comm buffer", outcome.SystemError);
    }
    device->Purge(TPurgeSide::Both);
    sendIdle_ = true;
    device->ApplyTimeouts(timeouts_);
    device->ApplyLineSettings(line_);
    if (!device->CreateCloseEvent()) {
        throw ECommsError("Unable to create event");
    }
    device_ = std::move(device);
    StartThreads();
}

void TComm::StartThreads() {
    // A new session: whatever the last one's threads left queued is stale now.
    ++session_;
    budget_.Rearm();
    notifier_ = std::make_unique<TThreadNotifier>(*notifyWindow_, session_, &budget_);
    writeQueue_ = std::make_unique<TWriteQueue>(limits_.WriteQueueBytes);
    try {
        reader_ = std::make_unique<TReadThread>(*device_, *notifier_);
    } catch (const std::system_error& error) {
        device_.reset();
        throw ECommsError("Unable to create read thread", error.code().value());
    }
    try {
        writer_ = std::make_unique<TWriteThread>(*device_, *notifier_, *writeQueue_, sendIdle_);
    } catch (const std::system_error& error) {
        StopReader();
        device_.reset();
        throw ECommsError("Unable to create write thread", error.code().value());
    }
}

void TComm::ClosePort() {
    if (!device_) {
        return;
    }
    StopReader();
    StopWriter();
    notifyWindow_->Flush();
    unsentAtClose_ = writeQueue_->PendingBytes();
    device_.reset();
}

void TComm::StopReader() {
    if (!reader_) {
        return;
    }
    device_->SignalClose();
    budget_.Interrupt();  // a reader waiting for room wakes to the close
    // Every wait of the reader includes the close event, so it ends without
    // the purge aborting its read; purged while a read copies out of the
    // driver's buffer, the block being read could take in flushed bytes.
    reader_.reset();  // joins
    device_->Purge(TPurgeSide::Input);
}

void TComm::StopWriter() {
    if (!writer_) {
        return;
    }
    device_->SignalClose();
    device_->Purge(TPurgeSide::Output);
    sendIdle_ = true;
    writeQueue_->Stop();
    writer_.reset();  // joins; queued blocks are dropped with the queue
}

bool TComm::SendBlock(const void* data, std::uint16_t length) {
    if (!writer_ || length == 0) {
        lastSendRefusal_ = writer_ ? TSendRefusal::EmptyBlock : TSendRefusal::NotOpen;
        return false;
    }
    TWriteRequest request{std::make_unique<std::uint8_t[]>(length + 1), length};
    std::memcpy(request.Block.get(), data, length);
    switch (writeQueue_->Post(std::move(request))) {
        case TPostResult::Queued:
            break;
        case TPostResult::Shut:
            lastSendRefusal_ = TSendRefusal::NotOpen;
            return false;
        case TPostResult::Full:
            lastSendRefusal_ = TSendRefusal::BufferFull;
            return false;
    }
    lastSendRefusal_ = TSendRefusal::None;
    sendIdle_ = false;
    return true;
}

void TComm::HandleNotification(TNotification& notification) {
    // Data, line and writer events of the latest session still arrive after
    // its close, as they always did; only a reopen makes them stale. A
    // hang-up request means something only while its port is open.
    const bool current = notification.Session == session_;
    switch (notification.Code) {
        case TNotifyCode::NOTIFY_DATA:
            if (current && OnReceiveData) {
                receivedBlockEnd_ = notification.BlockEnd;
                receivedArrival_ = &notification.Arrival;
                OnReceiveData(this, notification.Block.get(),
                              static_cast<std::uint16_t>(notification.WParam & 0xFFFF));
                receivedArrival_ = &kNoArrival;
            }
            // Delivered or dropped, the block no longer waits.
            budget_.Credit(QueuedBlockCost(notification.WParam));
            break;
        case TNotifyCode::NOTIFY_LINE_ERROR:
            if (current && OnReceiveError) {
                OnReceiveError(this, notification.LParam);
            }
            break;
        case TNotifyCode::NOTIFY_HANGUP:
            if (current && device_ && OnRequestHangup) {
                OnRequestHangup(this);
            }
            break;
        case TNotifyCode::NOTIFY_MODEM:
            if (current && OnModemStateChange) {
                OnModemStateChange(this, notification.LParam);
            }
            break;
        case TNotifyCode::NOTIFY_SEND_IDLE:
            if (current && OnSendDataEmpty) {
                OnSendDataEmpty(this);
            }
            break;
    }
}

template <typename T>
void TComm::ChangeLineSetting(T TLineSettings::*field, T value) {
    if (line_.*field == value) {
        return;
    }
    line_.*field = value;
    if (device_) {
        device_->ApplyLineSettings(line_);
    }
}

void TComm::ChangeTimeout(std::uint32_t TCommTimeouts::*field, std::uint32_t value) {
    if (timeouts_.*field == value) {
        return;
    }
    timeouts_.*field = value;
    if (device_) {
        device_->ApplyTimeouts(timeouts_);
    }
}

void TComm::SetBaudRate(std::uint32_t value) {
    ChangeLineSetting(&TLineSettings::BaudRate, value);
}
void TComm::SetParityCheck(bool value) {
    ChangeLineSetting(&TLineSettings::ParityCheck, value);
}
void TComm::SetOutx_CtsFlow(bool value) {
    ChangeLineSetting(&TLineSettings::Outx_CtsFlow, value);
}
void TComm::SetOutx_DsrFlow(bool value) {
    ChangeLineSetting(&TLineSettings::Outx_DsrFlow, value);
}
void TComm::SetDtrControl(TDtrControl value) {
    ChangeLineSetting(&TLineSettings::DtrControl, value);
}
void TComm::SetDsrSensitivity(bool value) {
    ChangeLineSetting(&TLineSettings::DsrSensitivity, value);
}
void TComm::SetTxContinueOnXoff(bool value) {
    ChangeLineSetting(&TLineSettings::TxContinueOnXoff, value);
}
void TComm::SetOutx_XonXoffFlow(bool value) {
    ChangeLineSetting(&TLineSettings::Outx_XonXoffFlow, value);
}
void TComm::SetInx_XonXoffFlow(bool value) {
    ChangeLineSetting(&TLineSettings::Inx_XonXoffFlow, value);
}
void TComm::SetReplaceWhenParityError(bool value) {
    ChangeLineSetting(&TLineSettings::ReplaceWhenParityError, value);
}
void TComm::SetIgnoreNullChar(bool value) {
    ChangeLineSetting(&TLineSettings::IgnoreNullChar, value);
}
void TComm::SetRtsControl(TRtsControl value) {
    ChangeLineSetting(&TLineSettings::RtsControl, value);
}
void TComm::SetXonLimit(std::uint16_t value) {
    ChangeLineSetting(&TLineSettings::XonLimit, value);
}
void TComm::SetXoffLimit(std::uint16_t value) {
    ChangeLineSetting(&TLineSettings::XoffLimit, value);
}
void TComm::SetByteSize(TByteSize value) {
    ChangeLineSetting(&TLineSettings::ByteSize, value);
}
void TComm::SetStopBits(TStopBits value) {
    ChangeLineSetting(&TLineSettings::StopBits, value);
}
void TComm::SetXonChar(char value) {
    ChangeLineSetting(&TLineSettings::XonChar, value);
}
void TComm::SetXoffChar(char value) {
    ChangeLineSetting(&TLineSettings::XoffChar, value);
}
void TComm::SetReplacedChar(char value) {
    ChangeLineSetting(&TLineSettings::ReplacedChar, value);
}

void TComm::SetReadIntervalTimeout(std::uint32_t value) {
    ChangeTimeout(&TCommTimeouts::ReadIntervalTimeout, value);
}
void TComm::SetReadTotalTimeoutMultiplier(std::uint32_t value) {
    ChangeTimeout(&TCommTimeouts::ReadTotalTimeoutMultiplier, value);
}
void TComm::SetReadTotalTimeoutConstant(std::uint32_t value) {
    ChangeTimeout(&TCommTimeouts::ReadTotalTimeoutConstant, value);
}
void TComm::SetWriteTotalTimeoutMultiplier(std::uint32_t value) {
    ChangeTimeout(&TCommTimeouts::WriteTotalTimeoutMultiplier, value);
}
void TComm::SetWriteTotalTimeoutConstant(std::uint32_t value) {
    ChangeTimeout(&TCommTimeouts::WriteTotalTimeoutConstant, value);
}
