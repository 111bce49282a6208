#include "console/PortSettingsOpener.h"

#include "console/KelvaneOptions.h"
#include "console/PortNotice.h"
#include "console/PortOpenFailure.h"
#include "console/PortSettingsFile.h"
#include "console/PortSettingsMessages.h"
#include "serial/Comm.h"

#include <QAbstractButton>

namespace {

constexpr std::chrono::seconds kBackNoticeLasts{10};

QString UnsentText(std::uint64_t unsent) {
    return unsent == 0 ? QString() : TPortOpener::tr("未发出的 %1 字节已丢弃。").arg(unsent);
}

}  // namespace

TPortOpener::TPortOpener(TComm& comm, QAbstractButton& openButton, QAbstractButton& closeButton,
                         std::string settingsPath, std::shared_ptr<TMessageReporter> reporter,
                         TKelvaneOptions& options, TPortNoticeSink& notices)
    : comm_(comm),
      openButton_(openButton),
      closeButton_(closeButton),
      settingsPath_(std::move(settingsPath)),
      reporter_(std::move(reporter)),
      options_(options),
      notices_(notices),
      watch_([this] { return Reopen(); }) {
    connect(&openButton_, &QAbstractButton::clicked, this, &TPortOpener::Open);
    connect(&closeButton_, &QAbstractButton::clicked, this, &TPortOpener::Close);
    comm_.OnRequestHangup = [this](TComm*) { DeviceLost(); };
    comm_.OnReceiveError = [this](TComm*, std::uint32_t errors) { ReceiveErrors(errors); };
}

void TPortOpener::Open() {
    // The user's open replaces any wait for a vanished device.
    watch_.Stop();
    notices_.ClearNotice();
    // Reopening applies the file afresh, so a port already open is closed first.
    openButton_.setEnabled(false);
    comm_.ClosePort();
    openButton_.setEnabled(true);
    try {
        TPortSettings settings = ReadPortSettings(settingsPath_);
        override_.ApplyTo(settings);
        ApplyPortSettings(settings, comm_);
        options_.Load();
        comm_.SetDtrControl(options_.KeepDtrLowOnOpen() ? TDtrControl::DtrDisable
                                                        : TDtrControl::DtrEnable);
        comm_.OpenPort();
    } catch (const ECommsError& failure) {
        ReportOpenFailure(OpenFailureCause(GatherOpenFailureFacts(failure, comm_.DevicePath())));
        return;
    } catch (const std::exception&) {
        ReportOpenFailure({});
        return;
    }
    ShowOpen();
    reporter_->Show(PromptCaption(), tr("串口打开成功"), TMessageIcon::Warning);
}

void TPortOpener::ReportOpenFailure(const QString& cause) {
    // The component's own text stays out of the box: the usual causes come
    // first, then what the system says happened.
    QString text = tr("串口打开失败，请检测串口是否被占用或者为无用串口");
    if (!cause.isEmpty()) {
        text += QLatin1Char('\n') + cause;
    }
    openButton_.setEnabled(true);
    emit PortStateChanged();
    reporter_->Show(PromptCaption(), text, TMessageIcon::Warning);
}

void TPortOpener::Close() {
    watch_.Stop();
    notices_.ClearNotice();
    closeButton_.setEnabled(false);
    comm_.ClosePort();
    openButton_.setEnabled(true);
    emit PortStateChanged();
    reporter_->Show(PromptCaption(), tr("串口关闭成功"), TMessageIcon::Warning);
}

void TPortOpener::ShowOpen() {
    // Buttons first: a box's event loop must not offer "打开" on an open port.
    lossTold_ = false;
    openButton_.setEnabled(false);
    closeButton_.setEnabled(true);
    emit PortStateChanged();
}

void TPortOpener::DeviceLost() {
    const QString name = QString::fromStdString(comm_.CommName());
    const std::string device = comm_.DevicePath();
    comm_.ClosePort();
    const QString unsent = UnsentText(comm_.UnsentBytesAtClose());
    const bool waiting = options_.AutoReopen();
    openButton_.setEnabled(true);
    closeButton_.setEnabled(waiting);
    if (waiting) {
        watch_.Watch(device);
        notices_.ShowNotice(tr("串口 %1 的设备已断开，正在等待它重新连接…… %2").arg(name, unsent));
    } else {
        notices_.ShowNotice(tr("串口 %1 的设备已断开，串口已关闭。%2").arg(name, unsent));
    }
    emit PortStateChanged();
}

bool TPortOpener::Reopen() {
    try {
        comm_.OpenPort();
    } catch (const ECommsError&) {
        return false;  // not ready yet: the watch looks again
    }
    ShowOpen();
    notices_.ShowNotice(tr("串口 %1 的设备已重新连接，串口已按原来的设置重新打开。")
                            .arg(QString::fromStdString(comm_.CommName())),
                        kBackNoticeLasts);
    return true;
}

void TPortOpener::ReceiveErrors(std::uint32_t errors) {
    QString where;
    if (errors & CE_RXOVER) {
        where = tr("串口驱动的接收缓冲区溢出");
    } else if (errors & CE_OVERRUN) {
        where = tr("串口硬件来不及接收");
    }
    if (where.isEmpty() || lossTold_) {
        return;
    }
    lossTold_ = true;
    notices_.ShowNotice(tr("接收数据有丢失（%1）。请降低波特率，或打开流控。").arg(where));
}
